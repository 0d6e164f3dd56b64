// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only one-line sample box at the top of the editor: one old name to select from
// with the mouse. It keeps the user's selection and the insert position a click marked
// (CursorPos), reports presses and drags, and offers its context menu.

#include <QLineEdit>
#include <string>

class QMenu;

namespace velmora::ui {

/// The selection is the one the user made last, with the mouse or the keys in the box: it
/// stays (and stays shown) when the focus moves elsewhere, comes back by Tab, or another
/// window opens and closes, and only the user's own selecting, clearKeptSelection() and a
/// new text change it.
class SampleBox final : public QLineEdit {
  Q_OBJECT

 public:
  explicit SampleBox(QWidget* parent = nullptr);

  /// Start and length of the kept selection, in characters; the length is 0 for none, and
  /// the start is then the caret's position.
  int keptStart() const { return keptStart_; }
  int keptLength() const { return keptLength_; }
  QString keptText() const { return text().mid(keptStart_, keptLength_); }
  void clearKeptSelection();
  /// The kept selection in the file system's encoding, as the core counts: its start and
  /// length in bytes, and its bytes.
  int keptStartBytes() const;
  int keptLengthBytes() const;
  std::string keptPath() const;

  /// CursorPos: 0 for none, else one more than the byte position a click marked.
  int cursorPos() const { return cursorPos_; }
  /// Marks the insert position at the caret (after a click).
  void markCursor() { cursorPos_ = keptStartBytes() + 1; }
  void clearCursor() { cursorPos_ = 0; }

  /// The context menu, with its items enabled as when it opens; `autocopy` says whether
  /// automatic copy is on (its item offers the other state).
  QMenu* menu(bool autocopy);

 signals:
  /// A left-button press, after the box has placed its caret.
  void pressed();
  /// The mouse moved with the left button held, after the box has extended its selection.
  void dragged();
  /// The menu's automatic copy item.
  void autocopyToggled();

 protected:
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void applyTint();
  void keepSelection();
  void showKeptSelection();

  int keptStart_ = 0;
  int keptLength_ = 0;
  int cursorPos_ = 0;
  bool leftDown_ = false;
  bool tintedDark_ = false;  ///< the page is in its dark variant
  QMenu* menu_ = nullptr;
};

}  // namespace velmora::ui
