// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/replace_page.h"

#include "ui/qt_text.h"
#include "ui_replace_page.h"

namespace velmora::ui {

ReplacePage::ReplacePage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::ReplacePage>()) {
  ui_->setupUi(this);
  enterRunsOk({ui_->ComboBoxEx4, ui_->LabeledEdit1});
  watchPresses({{ui_->LabeledEdit1, 0}});
  wireSpecial(ui_->Button4, ui_->ComboBoxEx4);
  settle();
}

ReplacePage::~ReplacePage() = default;

void ReplacePage::radioChosen(QAbstractButton* r) {
  Ui::ReplacePage& u = *ui_;
  if (r == u.RadioButton18) {
    setShown({u.LabeledEdit1, u.CheckBox7, u.RegexBox}, true);
    setShown({u.Label20, u.RadioButton20, u.RadioButton21}, false);
    emit sampleSelectionCleared();
    u.LabeledEdit1->setFocus();
  } else if (r == u.RadioButton19) {
    setShown({u.Label20, u.RadioButton20, u.RadioButton21}, true);
    setShown({u.LabeledEdit1, u.CheckBox7, u.RegexBox}, false);
    emit sampleSelectionCleared();
    u.ComboBoxEx4->setFocus();
  }
}

void ReplacePage::focusFirstInput() {
  (ui_->RadioButton18->isChecked() ? static_cast<QWidget*>(ui_->LabeledEdit1) : ui_->ComboBoxEx4)->setFocus();
}

QLineEdit* ReplacePage::autocopyTarget(int) const {
  return ui_->RadioButton18->isChecked() ? ui_->LabeledEdit1 : nullptr;
}

QList<QComboBox*> ReplacePage::historyCopies() const { return {ui_->ComboBoxEx4}; }

void ReplacePage::fillRecord(engine::OperationRecord& r) const {
  r.replaceMode = ui_->RadioButton18->isChecked() ? engine::ReplaceMode::ReplaceString
                                                  : engine::ReplaceMode::ReplaceSelected;
  r.oldText = ToText(ui_->LabeledEdit1->text());
  r.newText = ToText(ui_->ComboBoxEx4->currentText());
  r.replaceCaseSensitive = ui_->CheckBox7->isChecked();
  // One field for the pages that have the box: the page of the operation at hand sets it.
  if (r.kind == engine::OperationKind::Replace) r.regex = ui_->RegexBox->isChecked();
  r.replaceFromEnd = ui_->RadioButton21->isChecked();
}

void ReplacePage::applyRecord(const engine::OperationRecord& r) {
  ui_->LabeledEdit1->setText(FromText(r.oldText));
  ui_->ComboBoxEx4->setEditText(FromText(r.newText));
  ui_->CheckBox7->setChecked(r.replaceCaseSensitive);
  ui_->RegexBox->setChecked(r.regex);
  (r.replaceFromEnd ? ui_->RadioButton21 : ui_->RadioButton20)->setChecked(true);
  (r.replaceMode == engine::ReplaceMode::ReplaceSelected ? ui_->RadioButton19 : ui_->RadioButton18)->setChecked(true);
}

}  // namespace velmora::ui
