// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/change_page.h"

#include "ui/qt_text.h"
#include "ui_change_page.h"

namespace velmora::ui {

ChangePage::ChangePage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::ChangePage>()) {
  ui_->setupUi(this);
  enterRunsOk({ui_->ComboBoxEx5});
  watchPresses({{ui_->ComboBoxEx5, kNoAutocopy}});
  wireSpecial(ui_->Button8, ui_->ComboBoxEx5);
  settle();
}

ChangePage::~ChangePage() = default;

void ChangePage::radioChosen(QAbstractButton* r) {
  Ui::ChangePage& u = *ui_;
  if (r == u.RadioButton14) {
    setShown({u.ComboBoxEx5, u.Button8}, true);
    setShown({u.RadioButton16, u.CheckBox16, u.RadioButton17, u.RadioButton22, u.RadioButtonAccents,
              u.RadioButtonWindowsSafe, u.CheckBox19},
             false);
    emit sampleSelectionCleared();
    u.ComboBoxEx5->setFocus();
  } else if (r == u.RadioButton15) {
    setShown({u.RadioButton16, u.RadioButton17, u.RadioButton22, u.RadioButtonAccents, u.RadioButtonWindowsSafe,
              u.CheckBox19},
             true);
    setShown({u.CheckBox16}, u.RadioButton16->isChecked());
    setShown({u.ComboBoxEx5, u.Button8}, false);
  } else if (r == u.RadioButton16) {
    setShown({u.CheckBox16}, u.RadioButton15->isChecked());
  } else if (r == u.RadioButton17 || r == u.RadioButton22 || r == u.RadioButtonAccents ||
             r == u.RadioButtonWindowsSafe) {
    setShown({u.CheckBox16}, false);
  }
}

void ChangePage::focusFirstInput() {
  if (ui_->RadioButton14->isChecked()) ui_->ComboBoxEx5->setFocus();
}

QLineEdit* ChangePage::autocopyTarget(int) const {
  return ui_->RadioButton14->isChecked() ? ui_->ComboBoxEx5->lineEdit() : nullptr;
}

QList<QComboBox*> ChangePage::historyCopies() const { return {ui_->ComboBoxEx5}; }

void ChangePage::fillRecord(engine::OperationRecord& r) const {
  using engine::CaseStyle;
  const Ui::ChangePage& u = *ui_;
  r.changeMode = u.RadioButton14->isChecked() ? engine::ChangeMode::ChangeFullName : engine::ChangeMode::ConvertCase;
  r.newName = ToText(u.ComboBoxEx5->currentText());
  r.caseStyle = u.RadioButton16->isChecked()             ? CaseStyle::Lower
                : u.RadioButton17->isChecked()           ? CaseStyle::Upper
                : u.RadioButtonAccents->isChecked()      ? CaseStyle::RemoveAccents
                : u.RadioButtonWindowsSafe->isChecked()  ? CaseStyle::WindowsSafe
                                                         : CaseStyle::CapitalizeWords;
  r.capitalizeFirst = u.CheckBox16->isChecked();
  r.includeExtension = u.CheckBox19->isChecked();
}

void ChangePage::applyRecord(const engine::OperationRecord& r) {
  using engine::CaseStyle;
  Ui::ChangePage& u = *ui_;
  u.ComboBoxEx5->setEditText(FromText(r.newName));
  u.CheckBox16->setChecked(r.capitalizeFirst);
  u.CheckBox19->setChecked(r.includeExtension);
  (r.changeMode == engine::ChangeMode::ConvertCase ? u.RadioButton15 : u.RadioButton14)->setChecked(true);
  (r.caseStyle == CaseStyle::Lower           ? u.RadioButton16
   : r.caseStyle == CaseStyle::Upper         ? u.RadioButton17
   : r.caseStyle == CaseStyle::RemoveAccents ? u.RadioButtonAccents
   : r.caseStyle == CaseStyle::WindowsSafe   ? u.RadioButtonWindowsSafe
                                             : u.RadioButton22)
      ->setChecked(true);
}

}  // namespace velmora::ui
