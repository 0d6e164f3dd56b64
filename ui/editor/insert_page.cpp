// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/insert_page.h"

#include "ui/qt_text.h"
#include "ui_insert_page.h"

namespace velmora::ui {

namespace {
constexpr int kExistingString = 0;
constexpr int kSecondString = 6;
constexpr int kBetweenTwoStrings = 2;
}  // namespace

InsertPage::InsertPage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::InsertPage>()) {
  ui_->setupUi(this);
  Ui::InsertPage& u = *ui_;
  enterRunsOk({u.ComboBoxEx1, u.ComboBoxEx2, u.ComboBoxEx3, u.ComboBoxEx6});
  watchPresses({{u.LabeledEdit2, kExistingString}, {u.LabeledEdit5, kSecondString}});
  wireSpecial(u.Button9, u.ComboBoxEx1);
  wireSpecial(u.Button6, u.ComboBoxEx2);
  wireSpecial(u.Button7, u.ComboBoxEx3);
  wireSpecial(u.Button10, u.ComboBoxEx6);
  connect(u.CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
    if (on) ui_->ComboBoxEx1->setFocus();
  });
  connect(u.CheckBox3, &QCheckBox::toggled, this, [this](bool on) {
    if (on) ui_->ComboBoxEx2->setFocus();
  });
  connect(u.CheckBox4, &QCheckBox::toggled, this, [this](bool on) {
    setShown({ui_->Label33, ui_->RadioButton33, ui_->RadioButton34}, on);
    if (on) ui_->ComboBoxEx3->setFocus();
  });
  connect(u.ComboBox2, &QComboBox::currentIndexChanged, this,
          [this](int index) { setShown({ui_->LabeledEdit5}, index == kBetweenTwoStrings); });
  connect(u.ComboBoxEx6, &QComboBox::editTextChanged, this, &OperationPage::sampleSelectionCleared);
  settle();
  setShown({u.Label33, u.RadioButton33, u.RadioButton34}, u.CheckBox4->isChecked());
  setShown({u.LabeledEdit5}, u.ComboBox2->currentIndex() == kBetweenTwoStrings);
}

InsertPage::~InsertPage() = default;

QList<QWidget*> InsertPage::modes() const { return {ui_->GroupBoxPosition, ui_->GroupBoxInsertString}; }

void InsertPage::radioChosen(QAbstractButton* r) {
  if (r == ui_->RadioButton9) {
    ui_->GroupBoxPosition->setVisible(true);
    ui_->GroupBoxInsertString->setVisible(false);
    ui_->ComboBoxEx1->setFocus();
  } else if (r == ui_->RadioButton3) {
    ui_->GroupBoxInsertString->setVisible(true);
    ui_->GroupBoxPosition->setVisible(false);
    emit sampleSelectionCleared();
    ui_->LabeledEdit2->setFocus();
  }
}

void InsertPage::focusFirstInput() {
  (ui_->RadioButton9->isChecked() ? static_cast<QWidget*>(ui_->ComboBoxEx1) : ui_->LabeledEdit2)->setFocus();
}

QLineEdit* InsertPage::autocopyTarget(int focused) const {
  if (!ui_->RadioButton3->isChecked()) return nullptr;
  return ui_->ComboBox2->currentIndex() == kBetweenTwoStrings && focused == kSecondString ? ui_->LabeledEdit5
                                                                                         : ui_->LabeledEdit2;
}

QList<QComboBox*> InsertPage::historyCopies() const { return {ui_->ComboBoxEx2, ui_->ComboBoxEx3, ui_->ComboBoxEx6}; }

QComboBox* InsertPage::historyBox() const { return ui_->ComboBoxEx1; }

bool InsertPage::marksCursor() const { return ui_->RadioButton9->isChecked(); }

void InsertPage::fillRecord(engine::OperationRecord& r) const {
  const Ui::InsertPage& u = *ui_;
  r.insertMode = u.RadioButton9->isChecked() ? engine::InsertMode::InsertAtPosition : engine::InsertMode::InsertAtString;
  r.atHead = u.CheckBox2->isChecked();
  r.headText = ToText(u.ComboBoxEx1->currentText());
  r.atEnd = u.CheckBox3->isChecked();
  r.endText = ToText(u.ComboBoxEx2->currentText());
  r.atCursor = u.CheckBox4->isChecked();
  r.cursorText = ToText(u.ComboBoxEx3->currentText());
  r.cursorFromEnd = u.RadioButton34->isChecked();
  r.anchorPlacement = u.ComboBox2->currentIndex();
  r.anchorText = ToText(u.LabeledEdit2->text());
  r.secondAnchorText = ToText(u.LabeledEdit5->text());
  r.insertText = ToText(u.ComboBoxEx6->currentText());
}

void InsertPage::applyRecord(const engine::OperationRecord& r) {
  Ui::InsertPage& u = *ui_;
  u.LabeledEdit2->setText(FromText(r.anchorText));
  u.LabeledEdit5->setText(FromText(r.secondAnchorText));
  const std::pair<QComboBox*, const std::string*> lists[] = {
      {u.ComboBoxEx1, &r.headText}, {u.ComboBoxEx2, &r.endText}, {u.ComboBoxEx3, &r.cursorText},
      {u.ComboBoxEx6, &r.insertText}};
  for (const auto& [box, text] : lists) box->setEditText(FromText(*text));
  u.CheckBox2->setChecked(r.atHead);
  u.CheckBox3->setChecked(r.atEnd);
  u.CheckBox4->setChecked(r.atCursor);
  (r.cursorFromEnd ? u.RadioButton34 : u.RadioButton33)->setChecked(true);
  (r.insertMode == engine::InsertMode::InsertAtString ? u.RadioButton3 : u.RadioButton9)->setChecked(true);
  u.ComboBox2->setCurrentIndex(r.anchorPlacement);
}

}  // namespace velmora::ui
