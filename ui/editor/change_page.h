// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The change page: a new full name, or the name's case converted.

#include <memory>

#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class ChangePage;
}

class ChangePage final : public OperationPage {
  Q_OBJECT

 public:
  explicit ChangePage(QWidget* parent = nullptr);
  ~ChangePage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  void focusFirstInput() override;
  QLineEdit* autocopyTarget(int focusedInput) const override;
  QList<QComboBox*> historyCopies() const override;

 protected:
  void radioChosen(QAbstractButton* radio) override;

 private:
  std::unique_ptr<Ui::ChangePage> ui_;
};

}  // namespace velmora::ui
