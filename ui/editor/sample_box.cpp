// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/sample_box.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "ui/desktop_look.h"
#include "ui/qt_text.h"

namespace velmora::ui {

SampleBox::SampleBox(QWidget* parent) : QLineEdit(parent) {
  QFont sampleFont = font();
  sampleFont.setPointSizeF(sampleFont.pointSizeF() * 1.15);
  setFont(sampleFont);
  applyTint();
  connect(this, &QLineEdit::textChanged, this, &SampleBox::clearKeptSelection);
}

// The sample stands out from the input boxes on a cream page, or on a dark warm one in a
// dark desktop theme.
void SampleBox::applyTint() {
  const QPalette& theme = QApplication::palette(this);
  tintedDark_ = IsDarkPalette(theme);
  QPalette tinted = palette();
  tinted.setColor(QPalette::Base, ForPalette(theme, QColor(255, 251, 230), QColor(58, 53, 40)));
  tinted.setColor(QPalette::Text, ForPalette(theme, QColor(26, 26, 26), QColor(242, 236, 216)));
  setPalette(tinted);
}

void SampleBox::changeEvent(QEvent* event) {
  // A new desktop theme, light after dark or dark after light (setting the tint changes the
  // palette too, and leaves the theme as it is).
  if (event->type() == QEvent::PaletteChange && IsDarkPalette(QApplication::palette(this)) != tintedDark_) applyTint();
  QLineEdit::changeEvent(event);
}

// Only what the user does with the mouse or the keys in the box is kept: the box also moves
// its own selection when the focus or the window's activation changes (a preview window
// opening and closing), and none of that is the user's selection.
void SampleBox::keepSelection() {
  keptLength_ = static_cast<int>(selectedText().size());
  keptStart_ = keptLength_ > 0 ? selectionStart() : cursorPosition();
}

void SampleBox::clearKeptSelection() {
  const int cursor = std::min(cursorPosition(), static_cast<int>(text().size()));
  deselect();
  setCursorPosition(cursor);
  keptStart_ = cursor;
  keptLength_ = 0;
}

int SampleBox::keptStartBytes() const { return static_cast<int>(QFile::encodeName(text().left(keptStart_)).size()); }

int SampleBox::keptLengthBytes() const { return static_cast<int>(QFile::encodeName(keptText()).size()); }

std::string SampleBox::keptPath() const { return ToPath(keptText()); }

void SampleBox::showKeptSelection() {
  if (keptLength_ > 0)
    setSelection(keptStart_, keptLength_);
  else
    setCursorPosition(keptStart_);
}

// A line edit drops its selection when it loses the focus and selects everything when Tab
// brings the focus back; the sample box keeps what the user selected instead.
void SampleBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  showKeptSelection();
}

void SampleBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  showKeptSelection();
}

void SampleBox::keyPressEvent(QKeyEvent* event) {
  QLineEdit::keyPressEvent(event);
  keepSelection();
}

void SampleBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  keepSelection();
}

void SampleBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  keepSelection();
  if (event->button() != Qt::LeftButton) return;
  leftDown_ = true;
  emit pressed();
}

void SampleBox::mouseMoveEvent(QMouseEvent* event) {
  QLineEdit::mouseMoveEvent(event);
  keepSelection();
  if (leftDown_) emit dragged();
}

void SampleBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  keepSelection();
  if (event->button() == Qt::LeftButton) leftDown_ = false;
}

QMenu* SampleBox::menu(bool autocopy) {
  if (!menu_) {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu2"));
    QAction* copy = menu_->addAction(tr("Copy(&C)"));
    copy->setObjectName(QStringLiteral("CopyItem"));
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(keptText()); });
    QAction* all = menu_->addAction(tr("Select All(&A)"));
    all->setObjectName(QStringLiteral("SelectAllItem"));
    connect(all, &QAction::triggered, this, [this] {
      selectAll();
      keepSelection();
    });
    QAction* toggle = menu_->addAction(QString());
    toggle->setObjectName(QStringLiteral("AutocopyItem"));
    connect(toggle, &QAction::triggered, this, &SampleBox::autocopyToggled);
  }
  const QString selected = keptText();
  const QList<QAction*> items = menu_->actions();
  items[0]->setEnabled(!selected.isEmpty());
  items[1]->setEnabled(selected != text());
  items[2]->setText(autocopy ? tr("Disable auto copy") : tr("Enable auto copy"));
  return menu_;
}

}  // namespace velmora::ui
