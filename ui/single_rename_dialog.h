// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm2: renames the one selected entry of the main window's list. A successful rename
// replaces "rollback.rbk" with this single pair, so Undo reverses it.
//
// API for the main window:
//  - renameEntry(request): fills the dialog (caption, name box, extension box shown or
//    hidden), shows it modally and returns the entry's new text after a successful
//    rename (the full path in hand-picked mode, the name in folder mode); nothing when
//    cancelled.

#include <QDialog>
#include <memory>
#include <optional>

#include "ui/ports.h"

class QLabel;
class QLineEdit;

namespace velmora::ui {

namespace Ui {
class SingleRenameDialog;
}

class Program;

class SingleRenameDialog final : public QDialog, public SingleRenamePort {
  Q_OBJECT

 public:
  explicit SingleRenameDialog(Program& program, QWidget* parent = nullptr);
  ~SingleRenameDialog() override;

  std::optional<QString> renameEntry(const SingleRenameRequest& request) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkClick();

  Program& program_;
  std::unique_ptr<Ui::SingleRenameDialog> ui_;
  QLineEdit* name_;
  QLineEdit* extension_;
  QLabel* extensionLabel_;
  SingleRenameRequest request_;
  std::optional<QString> result_;
};

}  // namespace velmora::ui
