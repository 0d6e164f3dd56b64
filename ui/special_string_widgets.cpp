// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/special_string_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>

#include "batch/ok_checks.h"
#include "ui/qt_text.h"

namespace velmora::ui {

StartNumberBox::StartNumberBox(QWidget* parent) : QSpinBox(parent) {
  // Five digits may be typed, so that a number above the maximum reaches the dialog's
  // warning instead of being refused key by key.
  setRange(0, 99999);
}

void StartNumberBox::stepBy(int steps) { setValue(std::clamp(value() + steps, 0, kMaximum)); }

QAbstractSpinBox::StepEnabled StartNumberBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (value() > 0) enabled |= StepDownEnabled;
  if (value() < kMaximum) enabled |= StepUpEnabled;
  return enabled;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

BracketLabel::BracketLabel(QWidget* parent) : QLabel(parent), token_(new QLabel(this)) {
  QFont bold = token_->font();
  bold.setBold(true);
  token_->setFont(bold);
  token_->setObjectName(QStringLiteral("Token"));
}

void BracketLabel::setToken(const QString& token) { token_->setText(token); }

void BracketLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  // The blanks before the closing bracket are the token's place.
  const QString caption = text();
  const qsizetype close = caption.lastIndexOf(QLatin1Char(']'));
  qsizetype blanks = close;
  while (blanks > 0 && caption.at(blanks - 1) == QLatin1Char(' ')) --blanks;
  const QFontMetrics fm(font());
  const int gapLeft = fm.horizontalAdvance(caption.left(blanks));
  const int gapRight = fm.horizontalAdvance(caption.left(close));
  const QSize size = token_->sizeHint();
  const int x = contentsRect().left() + gapLeft + std::max(0, (gapRight - gapLeft - size.width()) / 2);
  token_->setGeometry(x, (height() - size.height()) / 2, size.width(), size.height());
}

QSize ElidedLabel::sizeHint() const { return {0, QLabel::sizeHint().height()}; }

QSize ElidedLabel::minimumSizeHint() const { return sizeHint(); }

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect room = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                        foregroundRole());
}

QValidator::State DatePatternValidator::validate(QString& input, int&) const {
  return batch::UsableDatePattern(ToText(input)) ? Acceptable : Invalid;
}

}  // namespace velmora::ui
