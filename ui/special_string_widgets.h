// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The special string dialog's own kinds of controls.

#include <QLabel>
#include <QSpinBox>
#include <QValidator>

namespace velmora::ui {

/// The start number box: typing may go past the maximum (the dialog then warns and sets
/// the maximum), the arrows stop at it.
class StartNumberBox final : public QSpinBox {
 public:
  static constexpr int kMaximum = 10000;
  explicit StartNumberBox(QWidget* parent = nullptr);

 protected:
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override;
};

/// A label that reports a click (the caption of the caption-less check box).
class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

/// A bracketed description such as "[each file's size, by          ]" with its placeholder
/// (the token) shown inside the blank run of the brackets.
class BracketLabel final : public QLabel {
 public:
  explicit BracketLabel(QWidget* parent = nullptr);
  void setToken(const QString& token);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* token_;
};

/// A one-line label that never widens its window: a text too long for its width ends in
/// "...".
class ElidedLabel final : public QLabel {
 public:
  using QLabel::QLabel;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

/// Refuses, key by key, what a date pattern of "{taken=...}" may not hold: the characters
/// that the input check refuses, and braces.
class DatePatternValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace velmora::ui
