// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_field.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <optional>

namespace velmora::ui {

namespace {

// Message texts go through batch::Messages, which translates them where it shows them.
constexpr const char* kNotANumberMessage = QT_TRANSLATE_NOOP("Core", "Please input a number!");
constexpr const char* kNotANumberTitle = QT_TRANSLATE_NOOP("Core", "Error");
constexpr const char* kTooBigTitle = QT_TRANSLATE_NOOP("Core", "Information");

/// A whole number in decimal with an optional sign; digits beyond the range of a long long
/// still make a number, one far out of the field's range.
std::optional<long long> WholeNumber(const QString& text) {
  qsizetype i = 0;
  if (!text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-'))) ++i;
  if (i == text.size()) return std::nullopt;
  for (qsizetype j = i; j < text.size(); ++j)
    if (text.at(j) < QLatin1Char('0') || text.at(j) > QLatin1Char('9')) return std::nullopt;
  bool ok = false;
  const long long value = text.toLongLong(&ok);
  if (ok) return value;
  return text.front() == QLatin1Char('-') ? std::numeric_limits<long long>::min()
                                          : std::numeric_limits<long long>::max();
}

}  // namespace

NumberField::NumberField(QWidget* parent) : QWidget(parent) {
  edit_ = new QLineEdit(this);
  edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  const auto arrow = [this](Qt::ArrowType type) {
    auto* b = new QToolButton(this);
    b->setArrowType(type);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setFixedSize(16, (edit_->sizeHint().height() + 1) / 2);
    return b;
  };
  up_ = arrow(Qt::UpArrow);
  down_ = arrow(Qt::DownArrow);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(edit_);
  layout->addLayout(arrows);

  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  connect(edit_, &QLineEdit::textChanged, this, &NumberField::textChanged);
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
  edit_->installEventFilter(this);
}

void NumberField::setup(const char* name, int minimum, int maximum, const char* tooBigMessage,
                        batch::Messages& messages) {
  edit_->setObjectName(QString::fromLatin1(name));
  up_->setObjectName(edit_->objectName() + QStringLiteral("Up"));
  down_->setObjectName(edit_->objectName() + QStringLiteral("Down"));
  minimum_ = minimum;
  maximum_ = maximum;
  tooBigMessage_ = tooBigMessage;
  messages_ = &messages;
  position_ = minimum;
}

bool NumberField::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys move the position as the arrows do.
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void NumberField::setPosition(int value) {
  edit_->setText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void NumberField::step(int by) { setPosition(position_ + by); }

void NumberField::textChanged(const QString& text) {
  const std::optional<long long> value = WholeNumber(text);
  if (!value) {
    messages_->warning(kNotANumberMessage, kNotANumberTitle);
    // Undoing the edit brings back the text before it, which was checked then; a text
    // set from outside has no edit to undo.
    QSignalBlocker quiet(edit_);
    if (edit_->isUndoAvailable()) edit_->undo();
    if (!WholeNumber(edit_->text())) edit_->setText(lastGood_);
    edit_->setFocus();
  } else if (*value > maximum_) {
    {
      QSignalBlocker quiet(edit_);
      edit_->setText(QString::number(maximum_));
    }
    messages_->warning(tooBigMessage_, kTooBigTitle);
  } else if (*value < minimum_) {
    QSignalBlocker quiet(edit_);
    edit_->setText(QString::number(minimum_));
  }
  lastGood_ = edit_->text();
  position_ = static_cast<int>(std::clamp(WholeNumber(lastGood_).value_or(position_), static_cast<long long>(minimum_),
                                          static_cast<long long>(maximum_)));
}

}  // namespace velmora::ui
