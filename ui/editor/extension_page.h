// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The extension page: a new extension part, or its case converted.

#include <memory>

#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class ExtensionPage;
}

class ExtensionPage final : public OperationPage {
  Q_OBJECT

 public:
  explicit ExtensionPage(QWidget* parent = nullptr);
  ~ExtensionPage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  void focusFirstInput() override;
  /// The old extension box, set from the sample when the editor opens.
  void setOldExtension(const QString& extension);
  /// Both extension boxes as the core cleaned them up for the run.
  void showCleanedExtensions(const engine::OperationRecord& record);

 protected:
  void radioChosen(QAbstractButton* radio) override;
  QList<QWidget*> modes() const override;

 private:
  std::unique_ptr<Ui::ExtensionPage> ui_;
};

}  // namespace velmora::ui
