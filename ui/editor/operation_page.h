// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every page of the operation editor shares: it fills its fields of the operation
// record, sets them back from a record, owns its show/hide rules, and tells the editor
// (by signals) when Enter should run OK, which input box the user pressed in, when the
// sample's selection goes, and when a "Special" button wants a placeholder.

#include <QHash>
#include <QList>
#include <QWidget>
#include <initializer_list>
#include <utility>

#include "engine/operation_record.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace velmora::ui {

class OperationPage : public QWidget {
  Q_OBJECT

 public:
  explicit OperationPage(QWidget* parent) : QWidget(parent) {}

  /// Writes this page's fields of the record.
  virtual void fillRecord(engine::OperationRecord& record) const = 0;
  /// Sets this page's controls from a record (a loaded preset).
  virtual void applyRecord(const engine::OperationRecord& record) = 0;
  /// Puts the focus where the user types first in the page's current mode.
  virtual void focusFirstInput() {}
  /// The box that automatic copy fills with the sample's selection, given the input box the
  /// user pressed in last (see inputChosen); null when the current mode has none.
  virtual QLineEdit* autocopyTarget(int focusedInput) const;
  /// The page's new-name boxes that list copies of the new-name history.
  virtual QList<QComboBox*> historyCopies() const { return {}; }

 signals:
  /// Enter in one of the page's marked boxes.
  void okRequested();
  /// The user pressed in an input box that automatic copy may fill; `code` says which.
  void inputChosen(int code);
  /// The page's mode changed or the user started typing elsewhere: the sample's selection goes.
  void sampleSelectionCleared();
  /// A "Special" button: a placeholder for `target`.
  void specialRequested(QComboBox* target);

 protected:
  /// Called with each radio button the user (or a record) checks.
  virtual void radioChosen(QAbstractButton* radio) = 0;
  /// The groups of which the page shows one at a time, for its height.
  virtual QList<QWidget*> modes() const { return {}; }

  /// The set-up shared by every page, after its form: the radio groups report their choice
  /// and show it in bold, the page gets the height of its tallest mode, and the rules of the
  /// default choices apply.
  void settle();
  /// Check boxes and radio buttons never get narrower than their caption, and a radio keeps
  /// room for its bold (checked) face: longer translations are not clipped, and the page does
  /// not change width as the choice moves.
  void keepCaptionsWhole();
  /// Shows or hides controls together with the labels that name them.
  void setShown(std::initializer_list<QWidget*> widgets, bool shown);
  /// Enter in these boxes (line edits, or the edit line of these combo boxes) presses OK.
  void enterRunsOk(std::initializer_list<QWidget*> boxes);
  /// A press in these boxes says which box automatic copy fills (code >= 0) and clears the
  /// sample's selection.
  void watchPresses(std::initializer_list<std::pair<QWidget*, int>> boxes);
  /// A "Special" button that puts a placeholder into `target`.
  void wireSpecial(QPushButton* button, QComboBox* target);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QHash<QObject*, int> pressCodes_;
};

/// The code of a box whose press only clears the sample's selection.
inline constexpr int kNoAutocopy = -1;

}  // namespace velmora::ui
