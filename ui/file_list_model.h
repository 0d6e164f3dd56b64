// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's list: texts (bare names in folder mode, full paths in hand-picked
// mode) with a duplicate index, icons looked up once per kind and kept, and the row
// painter with the program's selection colour and grid lines.

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QVector>

namespace velmora::ui {

class FileListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  /// What an entry names on disk; looked up the first time the entry is drawn.
  enum class Kind : quint8 { Unknown, File, Folder, Missing };

  explicit FileListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  /// The folder box text: an entry's full path is this prefix + its text when the prefix
  /// is not empty, and its text otherwise.
  void setPathPrefix(const QString& prefix) { prefix_ = prefix; }
  QString fullPath(int row) const;

  int size() const { return static_cast<int>(entries_.size()); }
  bool isEmpty() const { return entries_.isEmpty(); }
  const QString& text(int row) const { return entries_[row].text; }
  QStringList texts() const;
  /// True when some entry has exactly this text (case-sensitive).
  bool contains(const QString& text) const { return counts_.contains(text); }

  /// Appends entries as they are (no duplicate test).
  void append(const QStringList& texts, Kind kind = Kind::Unknown);
  /// Appends the texts that are not entries yet (nor earlier in the same list), in order;
  /// returns how many were added.
  int appendNew(const QStringList& texts);
  void clear();
  /// Removes the given rows (any order) in one update.
  void removeRowsSet(QVector<int> rows);
  /// Changes an entry's text; its icon is looked up again.
  void setText(int row, const QString& text);
  /// Sorts by text: without regard to case first, then lower case before upper case.
  void sortByText();

 private:
  struct Entry {
    QString text;
    mutable Kind kind = Kind::Unknown;
  };
  void indexAdd(const QString& text) { ++counts_[text]; }
  void indexRemove(const QString& text);
  QIcon iconFor(const Entry& entry, int row) const;

  QVector<Entry> entries_;
  QHash<QString, int> counts_;
  QString prefix_;
  mutable QHash<QString, QIcon> iconsBySuffix_;
  mutable QIcon folderIcon_, fileIcon_;
};

/// Paints a row: the selection filled with RGB(187, 255, 204) (a dark green in a dark
/// theme) and outlined in the
/// highlight colour, the icon 2 pixels from the left, the text 4 pixels right of it, and a
/// grid line under every row.
class FileRowDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  /// The fill of a selected row and the colour of its text, for the theme of `palette`.
  static QColor SelectedRowColour(const QPalette& palette);
  static QColor SelectedRowText(const QPalette& palette);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace velmora::ui
