// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/end_sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "app/help_topics.h"

namespace velmora::app {

QString EndSoundFile(const QString& programFolder) {
  QStringList candidates;
  if (!programFolder.isEmpty()) candidates << QDir(programFolder).filePath(QStringLiteral("end.wav"));
  const QString data = ShippedDataFolder();
  if (!data.isEmpty()) candidates << QDir(data).filePath(QStringLiteral("end.wav"));
  for (const QString& path : candidates)
    if (QFileInfo(path).isFile()) return QFileInfo(path).absoluteFilePath();
  return {};
}

void PlayEndSound(const QString& programFolder, bool offscreen) {
  if (offscreen) return;
  const QString file = EndSoundFile(programFolder);
  if (file.isEmpty()) return;
  struct Player {
    const char* program;
    QStringList arguments;
  };
  const Player players[] = {{"paplay", {file}}, {"aplay", {QStringLiteral("-q"), file}}};
  for (const Player& player : players) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(player.program));
    if (path.isEmpty()) continue;
    QProcess process;
    process.start(path, player.arguments);
    if (!process.waitForFinished(5000)) {
      process.kill();
      process.waitForFinished(1000);
      return;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return;
  }
}

}  // namespace velmora::app
