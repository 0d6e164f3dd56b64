// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The remove page: remove strings, remove anything (the selected part or the part between
// two strings), clean symbols, or keep something.

#include <memory>

#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class RemovePage;
}

class RemovePage final : public OperationPage {
  Q_OBJECT

 public:
  explicit RemovePage(QWidget* parent = nullptr);
  ~RemovePage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  void focusFirstInput() override;
  QLineEdit* autocopyTarget(int focusedInput) const override;

 protected:
  void radioChosen(QAbstractButton* radio) override;
  QList<QWidget*> modes() const override;

 private:
  std::unique_ptr<Ui::RemovePage> ui_;
};

}  // namespace velmora::ui
