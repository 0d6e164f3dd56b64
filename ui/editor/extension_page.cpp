// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/extension_page.h"

#include "ui/qt_text.h"
#include "ui_extension_page.h"

namespace velmora::ui {

ExtensionPage::ExtensionPage(QWidget* parent) : OperationPage(parent), ui_(std::make_unique<Ui::ExtensionPage>()) {
  ui_->setupUi(this);
  enterRunsOk({ui_->LabeledEdit4});
  watchPresses({{ui_->LabeledEdit3, 0}});
  // Checking "replace ALL types" hides the old-extension box; unchecking shows it again.
  connect(ui_->CheckBox1, &QCheckBox::clicked, this, [this](bool checked) { setShown({ui_->LabeledEdit3}, !checked); });
  settle();
}

ExtensionPage::~ExtensionPage() = default;

QList<QWidget*> ExtensionPage::modes() const { return {ui_->GroupBoxChangeExtension, ui_->GroupBoxConvertExtension}; }

void ExtensionPage::radioChosen(QAbstractButton* r) {
  if (r == ui_->RadioButton24) {
    ui_->GroupBoxChangeExtension->setVisible(true);
    ui_->GroupBoxConvertExtension->setVisible(false);
    ui_->LabeledEdit4->setFocus();
  } else if (r == ui_->RadioButton26) {
    ui_->GroupBoxConvertExtension->setVisible(true);
    ui_->GroupBoxChangeExtension->setVisible(false);
  }
}

void ExtensionPage::focusFirstInput() {
  if (ui_->RadioButton24->isChecked()) ui_->LabeledEdit4->setFocus();
}

void ExtensionPage::setOldExtension(const QString& extension) { ui_->LabeledEdit3->setText(extension); }

void ExtensionPage::showCleanedExtensions(const engine::OperationRecord& record) {
  ui_->LabeledEdit4->setText(FromText(record.newExtension));
  ui_->LabeledEdit3->setText(FromText(record.oldExtension));
}

void ExtensionPage::fillRecord(engine::OperationRecord& r) const {
  r.extensionMode = ui_->RadioButton24->isChecked() ? engine::ExtensionMode::ChangeExtension
                                                    : engine::ExtensionMode::ConvertExtensionCase;
  r.oldExtension = ToText(ui_->LabeledEdit3->text());
  r.newExtension = ToText(ui_->LabeledEdit4->text());
  r.allExtensions = ui_->CheckBox1->isChecked();
  r.extensionUpper = ui_->RadioButton32->isChecked();
}

void ExtensionPage::applyRecord(const engine::OperationRecord& r) {
  ui_->LabeledEdit3->setText(FromText(r.oldExtension));
  ui_->LabeledEdit4->setText(FromText(r.newExtension));
  ui_->CheckBox1->setChecked(r.allExtensions);
  (r.extensionUpper ? ui_->RadioButton32 : ui_->RadioButton31)->setChecked(true);
  (r.extensionMode == engine::ExtensionMode::ConvertExtensionCase ? ui_->RadioButton26 : ui_->RadioButton24)
      ->setChecked(true);
}

}  // namespace velmora::ui
