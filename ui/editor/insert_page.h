// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The insert page: new strings at the head, the end or the cursor, or before, behind or
// between existing strings.

#include <memory>

#include "ui/editor/operation_page.h"

namespace velmora::ui {

namespace Ui {
class InsertPage;
}

class InsertPage final : public OperationPage {
  Q_OBJECT

 public:
  explicit InsertPage(QWidget* parent = nullptr);
  ~InsertPage() override;

  void fillRecord(engine::OperationRecord& record) const override;
  void applyRecord(const engine::OperationRecord& record) override;
  void focusFirstInput() override;
  QLineEdit* autocopyTarget(int focusedInput) const override;
  QList<QComboBox*> historyCopies() const override;
  /// The box that lists the new-name history itself (the others list its copies).
  QComboBox* historyBox() const;
  /// Whether a click in the sample marks the insert position (CursorPos).
  bool marksCursor() const;

 protected:
  void radioChosen(QAbstractButton* radio) override;
  QList<QWidget*> modes() const override;

 private:
  std::unique_ptr<Ui::InsertPage> ui_;
};

}  // namespace velmora::ui
