// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm6: the preview of a run, two columns "Old filenames" and "New filenames preview",
// with "Rename", "Options" and "Close", beside the operation editor.
//
// API for the other windows:
//  - showRows(caption, rows): empties the list, fills it with the rows (a filler row has
//    only its first column) and shows the window without making it modal.
//  - closePreview(): closes the window and empties its list (the editor's close steps).
//  - renameRequested(): "Rename" was pressed; the window has hidden itself.
//  - optionsRequested(): "Options" was pressed.
//  - sampleRequested(oldPath): "Show" in the list's menu, with the full old path of the
//    first selected row (rows of a one-layer preview show names only; the path is made
//    whole with the target folder).

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "ui/ports.h"

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora::ui {

namespace Ui {
class PreviewWindow;
}

class Program;

class PreviewWindow final : public QDialog, public PreviewPort {
  Q_OBJECT

 public:
  explicit PreviewWindow(Program& program, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  void showRows(const QString& caption, const std::vector<batch::PreviewRow>& rows) override;
  void clearRows() override;
  void closePreview() override;
  bool isShown() const override { return isVisible(); }
  int rowCount() const;
  QTreeWidget* list() const { return list_; }

  /// The list's context menu with "Show" and "Copy" enabled as when it opens.
  QMenu* listMenu();
  void ShowClick();  ///< "Show"
  void CopyClick();  ///< "Copy"

 signals:
  void renameRequested();
  void optionsRequested();
  void sampleRequested(const QString& oldPath);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QTreeWidgetItem* firstSelectedRow() const;
  QString fullOldPath(const QString& shown) const;

  Program& program_;
  std::unique_ptr<Ui::PreviewWindow> ui_;
  std::string rowFolder_;  ///< the folder of name-only rows; empty when rows hold full paths
  QTreeWidget* list_;
  QMenu* menu_;
  QAction* showAction_;
  QAction* copyAction_;
};

}  // namespace velmora::ui
