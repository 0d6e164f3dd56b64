// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/file_manager_integration.h"

#include <QBuffer>
#include <iterator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace velmora::app {

namespace {

/// The line that marks a file as the program's own: only such files are replaced or removed.
const QString kMarker = QStringLiteral("# Velmora file-manager entry; written and removed by Velmora's Options.");
const QString kSubmenu = QLatin1String(kRenameSubmenu);
const QString kIcon = QLatin1String(kEntryIcon);

QString AbsoluteOr(const char* variable, const QString& belowHome) {
  const QString value = qEnvironmentVariable(variable);
  // XDG base-directory variables that hold relative paths are ignored.
  if (QDir::isAbsolutePath(value)) return value;
  return QDir::homePath() + QLatin1Char('/') + belowHome;
}

QString ThunarId(const FileManagerOperation& op) { return QStringLiteral("velmora-") + QLatin1String(op.launcherName); }

bool IsOurThunarId(const QString& id) {
  for (const auto& op : kFileManagerOperations)
    if (id == ThunarId(op)) return true;
  return false;
}

/// A word for a POSIX shell: single quotes, each quote written as '\''.
QString ShellQuoted(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

/// An argument of a desktop entry's Exec key: quoted with its reserved characters escaped,
/// "%" doubled for the field codes, then backslashes doubled for the string value.
QString DesktopExecArgument(const QString& text) {
  QString quoted;
  for (const QChar c : text) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
      quoted += QLatin1Char('\\');
    quoted += c;
  }
  quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
  quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
  quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  return quoted;
}

bool HoldsMarker(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')).contains(kMarker);
}

bool WriteWhole(const QString& path, const QByteArray& content, bool executable, QStringList& problems) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    problems << QCoreApplication::translate("FileManagerIntegration", "cannot create the folder of %1").arg(path);
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
    problems << QCoreApplication::translate("FileManagerIntegration", "cannot write %1").arg(path);
    return false;
  }
  if (executable) {
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
  }
  return true;
}

/// Writes a file of the program's own, but never over a file of the user's.
bool WriteOwnFile(const QString& path, const QByteArray& content, bool executable, QStringList& problems) {
  if (QFileInfo::exists(path) && !HoldsMarker(path)) {
    problems << QCoreApplication::translate("FileManagerIntegration", "%1 is not Velmora's; left as it is")
                    .arg(path);
    return false;
  }
  return WriteWhole(path, content, executable, problems);
}

bool RemoveOwnFile(const QString& path, QStringList& problems) {
  if (!QFileInfo::exists(path) || !HoldsMarker(path)) return true;
  if (QFile::remove(path)) return true;
  problems << QCoreApplication::translate("FileManagerIntegration", "cannot remove %1").arg(path);
  return false;
}

/// A Dolphin service menu with the actions of the rename submenu, or with the listing.
QByteArray DolphinServiceMenu(const QString& launcher, bool renameMenu) {
  // Action ids may hold letters, digits and "-" only.
  const auto id = [](const FileManagerOperation& op) { return QStringLiteral("velmora-") + QLatin1String(op.launcherName); };
  QString text = kMarker + QStringLiteral("\n[Desktop Entry]\nType=Service\nServiceTypes=KonqPopupMenu/Plugin\n"
                                          "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\nMimeType=all/all;\nActions=");
  for (const auto& op : kFileManagerOperations)
    if (op.inRenameMenu == renameMenu) text += id(op) + QLatin1Char(';');
  text += QLatin1Char('\n');
  if (renameMenu) text += QStringLiteral("X-KDE-Submenu=") + kSubmenu + QLatin1Char('\n');
  for (const auto& op : kFileManagerOperations) {
    if (op.inRenameMenu != renameMenu) continue;
    text += QStringLiteral("\n[Desktop Action ") + id(op) + QStringLiteral("]\nName=") + QLatin1String(op.menuText) +
            QStringLiteral("\nIcon=") + kIcon + QStringLiteral("\nExec=") + DesktopExecArgument(launcher) +
            QLatin1Char(' ') + QLatin1String(op.launcherName) + QStringLiteral(" %F\n");
  }
  return text.toUtf8();
}

QByteArray NautilusScriptText(const QString& launcher, const FileManagerOperation& op) {
  // Nautilus runs a script in the shown folder with the selected names as arguments; the
  // launcher makes them full paths.
  return (QStringLiteral("#!/bin/sh\n") + kMarker + QStringLiteral("\nexec ") + ShellQuoted(launcher) +
          QLatin1Char(' ') + QLatin1String(op.launcherName) + QStringLiteral(" \"$@\"\n"))
      .toUtf8();
}

void WriteThunarAction(QXmlStreamWriter& w, const QString& launcher, const FileManagerOperation& op) {
  w.writeCharacters(QStringLiteral("\n"));
  w.writeStartElement(QStringLiteral("action"));
  const auto text = [&](const QString& name, const QString& value) {
    w.writeCharacters(QStringLiteral("\n\t"));
    w.writeTextElement(name, value);
  };
  const auto flag = [&](const QString& name) {
    w.writeCharacters(QStringLiteral("\n\t"));
    w.writeEmptyElement(name);
  };
  text(QStringLiteral("icon"), kIcon);
  text(QStringLiteral("name"), QLatin1String(op.menuText));
  text(QStringLiteral("submenu"), op.inRenameMenu ? kSubmenu : QString());
  text(QStringLiteral("unique-id"), ThunarId(op));
  // Thunar expands "%" codes before the shell sees the command: a literal "%" is "%%".
  QString program = ShellQuoted(launcher);
  program.replace(QLatin1Char('%'), QStringLiteral("%%"));
  text(QStringLiteral("command"), program + QLatin1Char(' ') + QLatin1String(op.launcherName) + QStringLiteral(" %F"));
  text(QStringLiteral("description"), op.inRenameMenu ? QStringLiteral("Rename the selected items with Velmora: ") +
                                                             QLatin1String(op.menuText)
                                                       : QStringLiteral("Save a listing of the selected items' names"));
  text(QStringLiteral("range"), QString());
  text(QStringLiteral("patterns"), QStringLiteral("*"));
  for (const char* kind : {"directories", "audio-files", "image-files", "other-files", "text-files", "video-files"})
    flag(QLatin1String(kind));
  w.writeCharacters(QStringLiteral("\n"));
  w.writeEndElement();
}

/// Indexes (in document order) of the top-level actions that are the program's; nothing
/// when the text is not a well-formed "actions" document.
std::optional<QSet<int>> OurThunarActions(const QString& xml) {
  QXmlStreamReader r(xml);
  QSet<int> ours;
  int depth = 0;
  int index = -1;
  QString root;
  while (!r.atEnd()) {
    r.readNext();
    if (r.isStartElement()) {
      ++depth;
      if (depth == 1) root = r.name().toString();
      if (depth == 2 && r.name() == QLatin1String("action")) ++index;
      if (depth == 3 && r.name() == QLatin1String("unique-id")) {
        if (IsOurThunarId(r.readElementText().trimmed())) ours.insert(index);
        --depth;  // readElementText consumed the end tag
      }
    } else if (r.isEndElement()) {
      --depth;
    }
  }
  if (r.hasError() || root != QLatin1String("actions")) return std::nullopt;
  return ours;
}

const char* const kEmptyThunarActions = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n";

std::optional<QString> ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return QString::fromUtf8(file.readAll());
}

}  // namespace

FileManagerLocations FileManagerLocations::FromEnvironment() {
  FileManagerLocations where;
  const QString data = AbsoluteOr("XDG_DATA_HOME", QStringLiteral(".local/share"));
  const QString config = AbsoluteOr("XDG_CONFIG_HOME", QStringLiteral(".config"));
  where.dolphinServiceMenu = data + QStringLiteral("/kio/servicemenus/velmora.desktop");
  where.dolphinListingMenu = data + QStringLiteral("/kio/servicemenus/velmora-listing.desktop");
  where.nautilusScripts = data + QStringLiteral("/nautilus/scripts/") + kSubmenu;
  where.nautilusListingScript = data + QStringLiteral("/nautilus/scripts/") +
                                QLatin1String(kFileManagerOperations[std::size(kFileManagerOperations) - 1].menuText);
  where.thunarActions = config + QStringLiteral("/Thunar/uca.xml");
  QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
  if (dirs.isEmpty()) dirs << QStringLiteral("/etc/xdg");
  for (const QString& dir : dirs)
    if (QDir::isAbsolutePath(dir)) where.thunarDefaults << dir + QStringLiteral("/Thunar/uca.xml");
  return where;
}

QString DefaultLauncherPath() {
  const QString onPath = QStandardPaths::findExecutable(QStringLiteral("velmora"));
  const QString installed = QStandardPaths::findExecutable(QStringLiteral("velmora-launch"));
  if (!onPath.isEmpty() && !installed.isEmpty() &&
      QFileInfo(onPath).canonicalFilePath() == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
    return installed;
  return QCoreApplication::applicationDirPath() + QStringLiteral("/velmora-launch");
}

QString DolphinServiceMenuPath(const FileManagerLocations& where, const FileManagerOperation& op) {
  return op.inRenameMenu ? where.dolphinServiceMenu : where.dolphinListingMenu;
}

QString NautilusScriptPath(const FileManagerLocations& where, const FileManagerOperation& op) {
  return op.inRenameMenu ? where.nautilusScripts + QLatin1Char('/') + QLatin1String(op.menuText)
                         : where.nautilusListingScript;
}

std::optional<QString> EditThunarActions(const QString& xml, const QString& launcherPath) {
  const auto ours = OurThunarActions(xml);
  if (!ours) return std::nullopt;

  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  QXmlStreamWriter w(&buffer);
  QXmlStreamReader r(xml);
  int depth = 0;
  int index = -1;
  int skipUntil = 0;  // depth of an action being left out, 0 when copying
  QString pendingBlank;  // blanks between actions, written once the next token is known
  const auto flush = [&] {
    if (!pendingBlank.isEmpty()) w.writeCharacters(pendingBlank);
    pendingBlank.clear();
  };

  while (!r.atEnd()) {
    const auto token = r.readNext();
    if (skipUntil) {
      if (token == QXmlStreamReader::StartElement) ++depth;
      if (token == QXmlStreamReader::EndElement && depth-- == skipUntil) skipUntil = 0;
      continue;
    }
    switch (token) {
      case QXmlStreamReader::StartElement:
        ++depth;
        if (depth == 2 && r.name() == QLatin1String("action") && ours->contains(++index)) {
          pendingBlank.clear();  // the blank before a left-out action goes with it
          skipUntil = depth;
          continue;
        }
        flush();
        w.writeCurrentToken(r);
        break;
      case QXmlStreamReader::EndElement:
        if (depth == 1 && !launcherPath.isEmpty()) {
          for (const auto& op : kFileManagerOperations) WriteThunarAction(w, launcherPath, op);
          if (pendingBlank.isEmpty()) pendingBlank = QStringLiteral("\n");
        }
        flush();
        w.writeCurrentToken(r);
        --depth;
        break;
      case QXmlStreamReader::Characters:
        if (depth == 1 && r.isWhitespace()) {
          pendingBlank += r.text();
          continue;
        }
        flush();
        w.writeCurrentToken(r);
        break;
      case QXmlStreamReader::StartDocument:
        w.writeCurrentToken(r);
        w.writeCharacters(QStringLiteral("\n"));
        break;
      case QXmlStreamReader::Invalid:
        return std::nullopt;
      default:
        flush();
        w.writeCurrentToken(r);
        if (depth == 0 && token != QXmlStreamReader::EndDocument) w.writeCharacters(QStringLiteral("\n"));
        break;
    }
  }
  QString result = QString::fromUtf8(out);
  if (!result.endsWith(QLatin1Char('\n'))) result += QLatin1Char('\n');
  return result;
}

IntegrationResult InstallFileManagerActions(const QString& launcherPath, const FileManagerLocations& where) {
  IntegrationResult result;
  QStringList& problems = result.problems;
  if (!QFileInfo(launcherPath).isExecutable()) {
    problems << QCoreApplication::translate("FileManagerIntegration", "the launcher %1 is missing")
                    .arg(launcherPath);
  } else if (launcherPath.contains(QLatin1Char('\n')) || launcherPath.contains(QLatin1Char('\r'))) {
    problems << QCoreApplication::translate("FileManagerIntegration", "the launcher's path holds a line break");
  } else {
    WriteOwnFile(where.dolphinServiceMenu, DolphinServiceMenu(launcherPath, true), true, problems);
    WriteOwnFile(where.dolphinListingMenu, DolphinServiceMenu(launcherPath, false), true, problems);
    for (const auto& op : kFileManagerOperations)
      WriteOwnFile(NautilusScriptPath(where, op), NautilusScriptText(launcherPath, op), true, problems);

    // A user without an actions file of their own has the system's: start from it, so the
    // default actions stay when the user's file takes precedence.
    std::optional<QString> xml = ReadText(where.thunarActions);
    if (!QFileInfo::exists(where.thunarActions)) {
      for (const QString& defaults : where.thunarDefaults)
        if ((xml = ReadText(defaults))) break;
      if (!xml) xml = QString::fromLatin1(kEmptyThunarActions);
    }
    const std::optional<QString> edited = xml ? EditThunarActions(*xml, launcherPath) : std::nullopt;
    if (!edited) {
      problems << QCoreApplication::translate("FileManagerIntegration", "%1 is not a readable actions file; left as it is")
                      .arg(where.thunarActions);
    } else if (edited != xml) {
      WriteWhole(where.thunarActions, edited->toUtf8(), false, problems);
    }
  }
  result.ok = problems.isEmpty();
  return result;
}

IntegrationResult RemoveFileManagerActions(const FileManagerLocations& where) {
  IntegrationResult result;
  QStringList& problems = result.problems;
  RemoveOwnFile(where.dolphinServiceMenu, problems);
  RemoveOwnFile(where.dolphinListingMenu, problems);
  for (const auto& op : kFileManagerOperations) RemoveOwnFile(NautilusScriptPath(where, op), problems);
  // The folder goes only when nothing of the user's is left in it.
  QDir().rmdir(where.nautilusScripts);

  if (QFileInfo::exists(where.thunarActions)) {
    const std::optional<QString> xml = ReadText(where.thunarActions);
    const std::optional<QString> edited = xml ? EditThunarActions(*xml, QString()) : std::nullopt;
    if (!edited) {
      problems << QCoreApplication::translate("FileManagerIntegration", "%1 is not a readable actions file; left as it is")
                      .arg(where.thunarActions);
    } else if (OurThunarActions(*xml)->size() > 0) {
      WriteWhole(where.thunarActions, edited->toUtf8(), false, problems);
    }
  }
  result.ok = problems.isEmpty();
  return result;
}

bool FileManagerActionsInstalled(const FileManagerLocations& where) {
  if (HoldsMarker(where.dolphinServiceMenu) || HoldsMarker(where.dolphinListingMenu)) return true;
  for (const auto& op : kFileManagerOperations)
    if (HoldsMarker(NautilusScriptPath(where, op))) return true;
  if (const auto xml = ReadText(where.thunarActions)) {
    const auto ours = OurThunarActions(*xml);
    if (ours && !ours->isEmpty()) return true;
  }
  return false;
}

}  // namespace velmora::app
