// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Options window's number fields ("Preview files number: ", "Max Number:").

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "batch/interfaces.h"

class QToolButton;

namespace velmora::ui {

/// A number field with its up-down arrows. The text is checked on every change: text that
/// is not a whole number brings "Please input a number!" and the edit is undone; a number
/// over the maximum becomes the maximum with the window's message; one under the minimum
/// (0 in "Preview files number: ") becomes the minimum. The position is the last number
/// the field held.
class NumberField final : public QWidget {
 public:
  explicit NumberField(QWidget* parent = nullptr);
  /// Names the field (its arrows get the name with "Up" and "Down"), sets its range and
  /// the message for a number over the maximum; the position starts at the minimum.
  void setup(const char* name, int minimum, int maximum, const char* tooBigMessage, batch::Messages& messages);

  int position() const { return position_; }
  void setPosition(int value);
  QLineEdit* edit() const { return edit_; }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void textChanged(const QString& text);
  void step(int by);

  batch::Messages* messages_ = nullptr;
  int minimum_ = 0;
  int maximum_ = 0;
  const char* tooBigMessage_ = "";
  int position_ = 0;
  QString lastGood_;
  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace velmora::ui
