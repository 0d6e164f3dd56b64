#include "ui/dialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace velmora::ui {

std::optional<QString> QtDialogs::browseFolder(QWidget* parent, const QString& title) {
  QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!QDir(start).exists()) start = QDir::homePath();
  const QString folder = QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

QStringList QtDialogs::openFiles(QWidget* parent, const QString& title, const QString& startFolder) {
  QFileDialog dialog(parent, title, startFolder);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilter(QStringLiteral("All files (*)"));
  dialog.setFilter(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
  dialog.selectFile(QString());
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::saveListingFile(QWidget* parent,
                                                  const std::function<bool(const QString&)>& mayReplace) {
  QFileDialog dialog(parent, QStringLiteral("Select file to save filenames"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("text file(*.txt)"));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString chosen = dialog.selectedFiles().front();
    if (mayReplace(chosen)) return chosen;
  }
  return std::nullopt;
}

}  // namespace velmora::ui
