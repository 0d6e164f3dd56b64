// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_topics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace velmora::app {

QString MainHelpTopic(bool specialStringDialogVisible, bool previewVisible, bool optionsVisible) {
  if (specialStringDialogVisible) return QStringLiteral("Special string.htm");
  if (previewVisible) return QStringLiteral("Preview.htm");
  if (optionsVisible) return QStringLiteral("Options.htm");
  return QStringLiteral("How to use.htm");
}

QString EditorHelpTopic(const std::string& operationKind) {
  if (operationKind == "Removpart") return QStringLiteral("Remove.htm");
  if (operationKind == "Replapart") return QStringLiteral("Replace.htm");
  if (operationKind == "Addnewnum") return QStringLiteral("Insert.htm");
  if (operationKind == "Changnew") return QStringLiteral("Change.htm");
  if (operationKind == "Changexten") return QStringLiteral("Change ext.htm");
  if (operationKind == "Savealls") return QStringLiteral("Save.htm");
  return QStringLiteral("How to use.htm");
}

QString ShippedDataFolder() {
  QDir dir(QCoreApplication::applicationDirPath());
  const QString installed = QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/velmora")));
  if (QFileInfo(installed).isDir()) return installed;
  // A build folder has CMakeCache.txt at its top, at most two levels above its programs.
  for (int up = 0; up < 3; ++up) {
    if (dir.exists(QStringLiteral("CMakeCache.txt"))) {
      const QString built = dir.absoluteFilePath(QStringLiteral("share/velmora"));
      return QFileInfo(built).isDir() ? built : QString();
    }
    if (!dir.cdUp()) break;
  }
  return {};
}

QString HelpTopicFile(const std::string& installDir, const QString& topic, const QString& language) {
  const QString data = ShippedDataFolder();
  QStringList folders{QFile::decodeName(installDir.c_str()) + QStringLiteral("help/")};
  if (!data.isEmpty()) folders << data + QStringLiteral("/help/");
  for (const QString& folder : folders) {
    const QString translated = folder + language + u'/' + topic;
    if (!language.isEmpty() && QFileInfo::exists(translated)) return translated;
    if (QFileInfo::exists(folder + topic)) return folder + topic;
  }
  return {};
}

}  // namespace velmora::app
