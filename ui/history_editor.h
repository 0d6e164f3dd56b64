// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm8, "New name list": the new-name history as plain text, one entry per line.
//
// API for the other windows:
//  - editHistory(): shows the window modally (the Options window's "Edit" button); the
//    text area is loaded from "Newname.txt" when it exists.
//  - clearText(): empties the text area (the history was cleared).

#include <QDialog>
#include <memory>

#include "ui/ports.h"

class QPlainTextEdit;

namespace velmora::ui {

namespace Ui {
class HistoryEditor;
}

class Program;

class HistoryEditor final : public QDialog, public HistoryPort {
  Q_OBJECT

 public:
  explicit HistoryEditor(Program& program, QWidget* parent = nullptr);
  ~HistoryEditor() override;

  void editHistory() override;
  void clearText() override;
  QPlainTextEdit* textArea() const { return text_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void SaveClick();
  bool mayClose();

  Program& program_;
  std::unique_ptr<Ui::HistoryEditor> ui_;
  QPlainTextEdit* text_;
  bool edited_ = false;
  bool saved_ = false;
};

}  // namespace velmora::ui
