// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replace page: a new string for an old one, or for the length selected in the sample.

#include <memory>

#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class ReplacePage;
}

class ReplacePage final : public OperationPage {
  Q_OBJECT

 public:
  explicit ReplacePage(QWidget* parent = nullptr);
  ~ReplacePage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  void focusFirstInput() override;
  QLineEdit* autocopyTarget(int focusedInput) const override;
  QList<QComboBox*> historyCopies() const override;

 protected:
  void radioChosen(QAbstractButton* radio) override;

 private:
  std::unique_ptr<Ui::ReplacePage> ui_;
};

}  // namespace velmora::ui
