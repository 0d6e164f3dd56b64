// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_list_model.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "ui/desktop_look.h"

namespace velmora::ui {

FileListModel::FileListModel(QObject* parent) : QAbstractListModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= entries_.size()) return {};
  const Entry& entry = entries_[index.row()];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return entry.text;
    case Qt::DecorationRole:
      return iconFor(entry, index.row());
    default:
      return {};
  }
}

QString FileListModel::fullPath(int row) const {
  return prefix_.isEmpty() ? entries_[row].text : prefix_ + entries_[row].text;
}

QStringList FileListModel::texts() const {
  QStringList out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) out.push_back(e.text);
  return out;
}

void FileListModel::append(const QStringList& texts, Kind kind) {
  if (texts.isEmpty()) return;
  const int first = static_cast<int>(entries_.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(texts.size()) - 1);
  entries_.reserve(entries_.size() + texts.size());
  for (const QString& t : texts) {
    entries_.push_back({t, kind});
    indexAdd(t);
  }
  endInsertRows();
}

int FileListModel::appendNew(const QStringList& texts) {
  QStringList fresh;
  QSet<QString> batch;
  for (const QString& t : texts) {
    if (counts_.contains(t) || batch.contains(t)) continue;
    batch.insert(t);
    fresh.push_back(t);
  }
  append(fresh);
  return static_cast<int>(fresh.size());
}

void FileListModel::clear() {
  if (entries_.isEmpty()) return;
  beginResetModel();
  entries_.clear();
  counts_.clear();
  endResetModel();
}

void FileListModel::removeRowsSet(QVector<int> rows) {
  if (rows.isEmpty()) return;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.size() == 1) {
    const int row = rows.front();
    beginRemoveRows(QModelIndex(), row, row);
    indexRemove(entries_[row].text);
    entries_.remove(row);
    endRemoveRows();
    return;
  }
  // Many rows: rebuild once, so the list repaints once.
  beginResetModel();
  QVector<Entry> kept;
  kept.reserve(entries_.size() - rows.size());
  int next = 0;
  for (int i = 0; i < entries_.size(); ++i) {
    if (next < rows.size() && rows[next] == i) {
      indexRemove(entries_[i].text);
      ++next;
      continue;
    }
    kept.push_back(std::move(entries_[i]));
  }
  entries_ = std::move(kept);
  endResetModel();
}

void FileListModel::setText(int row, const QString& text) {
  indexRemove(entries_[row].text);
  entries_[row].text = text;
  entries_[row].kind = Kind::Unknown;
  indexAdd(text);
  const QModelIndex i = index(row);
  emit dataChanged(i, i);
}

void FileListModel::sortByText() {
  // The order of a case-sensitive comparison in the user's language: letters first by
  // their case-free order, then lower case before upper case; the same on every locale.
  const auto less = [](const Entry& a, const Entry& b) {
    const int folded = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    if (folded != 0) return folded < 0;
    return QString::compare(a.text, b.text, Qt::CaseSensitive) > 0;
  };
  beginResetModel();
  std::stable_sort(entries_.begin(), entries_.end(), less);
  endResetModel();
}

void FileListModel::indexRemove(const QString& text) {
  auto it = counts_.find(text);
  if (it == counts_.end()) return;
  if (--it.value() <= 0) counts_.erase(it);
}

QIcon FileListModel::iconFor(const Entry& entry, int row) const {
  if (entry.kind == Kind::Unknown) {
    const QFileInfo info(fullPath(row));
    entry.kind = info.isDir() ? Kind::Folder : info.exists() ? Kind::File : Kind::Missing;
  }
  static QFileIconProvider provider;
  if (entry.kind == Kind::Folder) {
    if (folderIcon_.isNull()) folderIcon_ = provider.icon(QAbstractFileIconProvider::Folder);
    return folderIcon_;
  }
  if (fileIcon_.isNull()) fileIcon_ = provider.icon(QAbstractFileIconProvider::File);
  // One icon per file type, found by the name alone (the file is never opened).
  const int dot = static_cast<int>(entry.text.lastIndexOf(QLatin1Char('.')));
  const int slash = static_cast<int>(entry.text.lastIndexOf(QLatin1Char('/')));
  if (dot <= slash + 1) return fileIcon_;
  const QString suffix = entry.text.mid(dot + 1).toLower();
  auto it = iconsBySuffix_.constFind(suffix);
  if (it != iconsBySuffix_.constEnd()) return *it;
  static QMimeDatabase mimes;
  const QMimeType type = mimes.mimeTypeForFile(QStringLiteral("x.") + suffix, QMimeDatabase::MatchExtension);
  QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), fileIcon_));
  iconsBySuffix_.insert(suffix, icon);
  return icon;
}

// The fixed green of a selected row takes a fixed text colour; other rows follow the palette.
QColor FileRowDelegate::SelectedRowColour(const QPalette& palette) {
  return ForPalette(palette, QColor(187, 255, 204), QColor(36, 96, 56));
}

QColor FileRowDelegate::SelectedRowText(const QPalette& palette) {
  return ForPalette(palette, Qt::black, QColor(240, 240, 240));
}

void FileRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  painter->save();
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const QColor selectedRow = SelectedRowColour(option.palette);
  if (selected) {
    painter->fillRect(r.adjusted(0, 0, 0, -1), selectedRow);
    painter->setPen(option.palette.color(QPalette::Active, QPalette::Highlight));
    painter->drawRect(r.adjusted(0, 0, -1, -2));
  } else {
    painter->fillRect(r, option.palette.color(QPalette::Base));
  }
  painter->setPen(option.palette.color(QPalette::Midlight));
  painter->drawLine(r.bottomLeft(), r.bottomRight());

  const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
  const int iconSize = 16;
  const QRect iconRect(r.left() + 2, r.top() + (r.height() - 1 - iconSize) / 2, iconSize, iconSize);
  if (!icon.isNull()) icon.paint(painter, iconRect);

  const QRect textRect(iconRect.right() + 1 + 4, r.top(), r.right() - iconRect.right() - 5, r.height() - 1);
  painter->setPen(selected ? SelectedRowText(option.palette) : option.palette.color(QPalette::Text));
  painter->setFont(option.font);
  const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle,
                                                     textRect.width());
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter->restore();
  // The current row while the list has the keyboard focus: a visible frame, so that the
  // keys' target can be seen.
  if ((option.state & QStyle::State_HasFocus) && option.widget) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = r.adjusted(1, 1, -2, -2);
    focus.backgroundColor = selected ? selectedRow : option.palette.color(QPalette::Base);
    option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
  }
}

QSize FileRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return QSize(200, std::max(16, option.fontMetrics.height()) + 5);
}

}  // namespace velmora::ui
