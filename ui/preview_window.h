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
//  - sampleRequested(oldPath): "Show" in the list's menu, with the first selected row's
//    old name as the preview shows it.

#include <QDialog>
#include <vector>

#include "batch/batch_run.h"

class QTreeWidget;

namespace velmora::ui {

class Program;

class PreviewWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit PreviewWindow(Program& program, QWidget* parent = nullptr);

  void showRows(const QString& caption, const std::vector<batch::PreviewRow>& rows);
  void closePreview();
  int rowCount() const;
  QTreeWidget* list() const { return list_; }

 signals:
  void renameRequested();
  void optionsRequested();
  void sampleRequested(const QString& oldPath);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void showListMenu(const QPoint& pos);

  Program& program_;
  QTreeWidget* list_;
};

}  // namespace velmora::ui
