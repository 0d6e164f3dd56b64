// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/remove_page.h"

#include "ui/qt_text.h"
#include "ui_remove_page.h"

namespace velmora::ui {

// Codes of the input boxes, as automatic copy knows them.
namespace {
enum Input { kRemove1 = 1, kRemove2, kRemove3, kLeft, kRight, kAlsoErase = 7, kDontErase, kKeep1, kKeep2 };
}

RemovePage::RemovePage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::RemovePage>()) {
  ui_->setupUi(this);
  enterRunsOk({ui_->Edit1, ui_->Edit2, ui_->Edit10, ui_->Edit11, ui_->Edit12, ui_->Edit14, ui_->Edit16});
  watchPresses({{ui_->Edit1, kRemove1},
                {ui_->Edit2, kRemove2},
                {ui_->Edit10, kRemove3},
                {ui_->Edit11, kLeft},
                {ui_->Edit12, kRight},
                {ui_->Edit13, kAlsoErase},
                {ui_->Edit15, kDontErase},
                {ui_->Edit14, kKeep1},
                {ui_->Edit16, kKeep2}});
  connect(ui_->Button1, &QPushButton::clicked, this, [this] {
    ui_->Edit1->clear();
    ui_->Edit2->clear();
    ui_->Edit10->clear();
    ui_->Edit1->setFocus();
    emit inputChosen(kRemove1);
    emit sampleSelectionCleared();
  });
  settle();
}

RemovePage::~RemovePage() = default;

QList<QWidget*> RemovePage::modes() const {
  return {ui_->GroupBoxRemoveString, ui_->GroupBoxRemoveAnything, ui_->GroupBoxClean, ui_->GroupBoxKeep};
}

void RemovePage::radioChosen(QAbstractButton* r) {
  const auto showGroup = [this](QWidget* shown) {
    for (QWidget* g : modes()) g->setVisible(g == shown);
  };
  Ui::RemovePage& u = *ui_;
  if (r == u.RadioButton6) {
    showGroup(u.GroupBoxRemoveString);
    emit sampleSelectionCleared();
    emit inputChosen(kRemove1);
    u.Edit1->setFocus();
  } else if (r == u.RadioButton7) {
    showGroup(u.GroupBoxRemoveAnything);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton23) {
    showGroup(u.GroupBoxClean);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton25) {
    showGroup(u.GroupBoxKeep);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton12) {
    setShown({u.Label10, u.RadioButton10, u.RadioButton11}, true);
    setShown({u.Edit11, u.Edit12, u.CheckBox5}, false);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton13) {
    setShown({u.Edit11, u.Edit12, u.CheckBox5}, true);
    setShown({u.Label10, u.RadioButton10, u.RadioButton11}, false);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton30) {
    setShown({u.Label27, u.RadioButton27, u.RadioButton28}, true);
    setShown({u.Edit14, u.Edit16}, false);
    emit sampleSelectionCleared();
  } else if (r == u.RadioButton29) {
    setShown({u.Edit14, u.Edit16}, true);
    setShown({u.Label27, u.RadioButton27, u.RadioButton28}, false);
  }
}

void RemovePage::focusFirstInput() {
  if (!ui_->RadioButton6->isChecked()) return;
  ui_->Edit1->setFocus();
  emit inputChosen(kRemove1);
}

QLineEdit* RemovePage::autocopyTarget(int focused) const {
  const Ui::RemovePage& u = *ui_;
  if (u.RadioButton7->isChecked() && u.RadioButton13->isChecked()) return focused == kRight ? u.Edit12 : u.Edit11;
  if (u.RadioButton6->isChecked()) return focused == kRemove2 ? u.Edit2 : focused == kRemove3 ? u.Edit10 : u.Edit1;
  if (u.RadioButton23->isChecked()) return focused == kAlsoErase ? u.Edit13 : u.Edit15;
  if (u.RadioButton25->isChecked() && u.RadioButton29->isChecked()) return focused == kKeep2 ? u.Edit16 : u.Edit14;
  return nullptr;
}

void RemovePage::fillRecord(engine::OperationRecord& r) const {
  using engine::RemoveMode;
  const Ui::RemovePage& u = *ui_;
  if (u.RadioButton6->isChecked())
    r.removeMode = RemoveMode::RemoveStrings;
  else if (u.RadioButton7->isChecked())
    r.removeMode = u.RadioButton13->isChecked() ? RemoveMode::RemoveBetween : RemoveMode::RemoveSelected;
  else if (u.RadioButton23->isChecked())
    r.removeMode = RemoveMode::CleanSymbols;
  else
    r.removeMode = u.RadioButton29->isChecked() ? RemoveMode::KeepStrings : RemoveMode::KeepSelected;
  r.removeText1 = ToText(u.Edit1->text());
  r.removeText2 = ToText(u.Edit2->text());
  r.removeText3 = ToText(u.Edit10->text());
  r.removeCaseSensitive = u.CheckBox6->isChecked();
  if (r.kind == engine::OperationKind::Remove) r.regex = u.RegexBox->isChecked();
  r.removeFromEnd = u.RadioButton11->isChecked();
  r.keepFromEnd = u.RadioButton28->isChecked();
  r.leftText = ToText(u.Edit11->text());
  r.rightText = ToText(u.Edit12->text());
  r.removeBoundaries = u.CheckBox5->isChecked();
  r.keepText1 = ToText(u.Edit14->text());
  r.keepText2 = ToText(u.Edit16->text());
  r.erasedToSpace = u.CheckBox18->isChecked();
  r.alsoErase = u.CheckBox20->isChecked();
  r.alsoEraseText = ToText(u.Edit13->text());
  r.keepDash = u.CheckBox22->isChecked();
  r.keepParentheses = u.CheckBox23->isChecked();
  r.keepBrackets = u.CheckBox24->isChecked();
  r.keepUnderscore = u.CheckBox25->isChecked();
  r.keepOthers = u.CheckBox26->isChecked();
  r.keepOthersText = ToText(u.Edit15->text());
}

void RemovePage::applyRecord(const engine::OperationRecord& r) {
  using engine::RemoveMode;
  Ui::RemovePage& u = *ui_;
  switch (r.removeMode) {
    case RemoveMode::RemoveStrings: u.RadioButton6->setChecked(true); break;
    case RemoveMode::RemoveSelected: u.RadioButton7->setChecked(true); u.RadioButton12->setChecked(true); break;
    case RemoveMode::RemoveBetween: u.RadioButton7->setChecked(true); u.RadioButton13->setChecked(true); break;
    case RemoveMode::KeepSelected: u.RadioButton25->setChecked(true); u.RadioButton30->setChecked(true); break;
    case RemoveMode::KeepStrings: u.RadioButton25->setChecked(true); u.RadioButton29->setChecked(true); break;
    case RemoveMode::CleanSymbols: u.RadioButton23->setChecked(true); break;
  }
  const std::pair<QLineEdit*, const std::string*> texts[] = {
      {u.Edit1, &r.removeText1}, {u.Edit2, &r.removeText2},    {u.Edit10, &r.removeText3},
      {u.Edit11, &r.leftText},   {u.Edit12, &r.rightText},     {u.Edit14, &r.keepText1},
      {u.Edit16, &r.keepText2},  {u.Edit13, &r.alsoEraseText}, {u.Edit15, &r.keepOthersText}};
  for (const auto& [box, text] : texts) box->setText(FromText(*text));
  const std::pair<QCheckBox*, bool> checks[] = {
      {u.CheckBox6, r.removeCaseSensitive}, {u.RegexBox, r.regex}, {u.CheckBox5, r.removeBoundaries}, {u.CheckBox18, r.erasedToSpace},
      {u.CheckBox20, r.alsoErase},          {u.CheckBox22, r.keepDash},        {u.CheckBox23, r.keepParentheses},
      {u.CheckBox24, r.keepBrackets},       {u.CheckBox25, r.keepUnderscore},  {u.CheckBox26, r.keepOthers}};
  for (const auto& [box, on] : checks) box->setChecked(on);
  (r.removeFromEnd ? u.RadioButton11 : u.RadioButton10)->setChecked(true);
  (r.keepFromEnd ? u.RadioButton28 : u.RadioButton27)->setChecked(true);
}

}  // namespace velmora::ui
