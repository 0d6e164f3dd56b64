// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the core's byte strings and Qt's texts. Paths go through the file
// system's encoding; texts typed by the user through UTF-8.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace velmora::ui {

inline QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
inline std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
inline QString FromText(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToText(const QString& text) { return text.toStdString(); }

inline std::vector<std::string> ToPaths(const QStringList& paths) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(paths.size()));
  for (const QString& p : paths) out.push_back(ToPath(p));
  return out;
}

inline QStringList FromPaths(const std::vector<std::string>& paths) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(paths.size()));
  for (const std::string& p : paths) out.push_back(FromPath(p));
  return out;
}

}  // namespace velmora::ui
