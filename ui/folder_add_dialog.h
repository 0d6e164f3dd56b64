// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm9, "Folder Add option": asks whether the "Folder" button takes one folder to edit
// as a whole or adds the files of a folder to the hand-picked list.

#include <QDialog>
#include <memory>

#include "ui/ports.h"

class QRadioButton;

namespace velmora::ui {

namespace Ui {
class FolderAddDialog;
}

class FolderAddDialog final : public QDialog, public FolderAddPort {
  Q_OBJECT

 public:
  explicit FolderAddDialog(QWidget* parent = nullptr);
  ~FolderAddDialog() override;

  /// Shows the dialog modally: 1 for the first choice, 2 for the second, 0 for "Cancel" or
  /// a closed window. The last choice stays checked for the next time.
  int ask() override;
  /// The answer the checked choice gives.
  int checkedChoice() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RadioButtonClick();

  std::unique_ptr<Ui::FolderAddDialog> ui_;
  QRadioButton* editFolder_;
  QRadioButton* addFiles_;
};

}  // namespace velmora::ui
