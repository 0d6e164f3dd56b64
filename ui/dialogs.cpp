// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora::ui {

namespace {

/// The save dialog of a listing: when it is about to close on a chosen file, the replace
/// question decides; its Cancel keeps the dialog open with the name typed.
class ListingSaveDialog final : public QFileDialog {
 public:
  ListingSaveDialog(QWidget* parent, const std::function<bool(const QString&)>& mayReplace)
      : QFileDialog(parent, QCoreApplication::translate("Dialogs", "Select file to save filenames")),
        mayReplace_(mayReplace) {}

  void accept() override {
    const QStringList chosen = selectedFiles();
    // A folder typed as the name is entered by the dialog itself; no question for it.
    if (!chosen.isEmpty() && !QFileInfo(chosen.front()).isDir() && !mayReplace_(chosen.front())) return;
    QFileDialog::accept();
  }

 private:
  const std::function<bool(const QString&)>& mayReplace_;
};

}  // namespace

namespace {

/// The working folder when it exists, else the fallback.
QString StartIn(const Dialogs& dialogs, const QString& fallback) {
  const QString& working = dialogs.workingFolder();
  return !working.isEmpty() && QFileInfo(working).isDir() ? working : fallback;
}

}  // namespace

std::optional<QString> QtDialogs::browseFolder(QWidget* parent, const QString& title) {
  QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!QDir(start).exists()) start = QDir::homePath();
  // A window title has one line: its line breaks would show as boxes.
  const QString folder = QFileDialog::getExistingDirectory(parent, title.simplified(), StartIn(*this, start),
                                                           QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& startFolder) {
  QFileDialog dialog(parent, title.simplified(), startFolder.isEmpty() ? StartIn(*this, QString()) : startFolder);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilter(QCoreApplication::translate("Dialogs", "All files (*)"));
  dialog.setFilter(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
  dialog.selectFile(QString());
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::saveListingFile(QWidget* parent,
                                                  const std::function<bool(const QString&)>& mayReplace) {
  ListingSaveDialog dialog(parent, mayReplace);
  dialog.setDirectory(StartIn(*this, QDir::homePath()));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QCoreApplication::translate("Dialogs", "text file(*.txt)"));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  // The question is the program's own, asked before the dialog closes; a desktop's own
  // dialog would close first.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace velmora::ui
