// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop_look.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace velmora::ui {

namespace {
// Room for the window manager's title bar and borders and a desktop panel; the window's
// frame is not known before it is first shown.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 72;

void CollectInLayoutOrder(QLayout* layout, QList<QWidget*>& out) {
  QList<QLayoutItem*> items;
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    QList<std::pair<std::pair<int, int>, QLayoutItem*>> cells;
    for (int i = 0; i < grid->count(); ++i) {
      int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
      grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
      cells.push_back({{row, column}, grid->itemAt(i)});
    }
    std::stable_sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& cell : cells) items.push_back(cell.second);
  } else {
    for (int i = 0; i < layout->count(); ++i) items.push_back(layout->itemAt(i));
  }
  for (QLayoutItem* item : items) {
    if (QWidget* w = item->widget()) {
      if (w->focusPolicy() & Qt::TabFocus) out.push_back(w);
      if (w->layout()) CollectInLayoutOrder(w->layout(), out);
    } else if (QLayout* inner = item->layout()) {
      CollectInLayoutOrder(inner, out);
    }
  }
}

}  // namespace

void KeepCaptionsWhole(const QList<QWidget*>& widgets) {
  for (QWidget* w : widgets) w->setMinimumWidth(std::max(w->minimumWidth(), w->sizeHint().width()));
}

bool IsDarkPalette(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

QColor ForPalette(const QPalette& palette, const QColor& light, const QColor& dark) {
  return IsDarkPalette(palette) ? dark : light;
}

void TabOrderByLayout(QWidget* window) {
  if (!window->layout()) return;
  QList<QWidget*> order;
  CollectInLayoutOrder(window->layout(), order);
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void ResizeToFit(QWidget* window, QSize preferred) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) {
    window->resize(preferred);
    return;
  }
  const QRect room = screen->availableGeometry();
  const QSize fitted = preferred.boundedTo(room.size() - QSize(kFrameWidth, kFrameHeight))
                           .expandedTo(window->minimumSizeHint());
  window->resize(fitted);
  window->move(room.center() - QPoint(fitted.width() / 2, fitted.height() / 2 + kFrameHeight / 4));
}

bool OnScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    if (window->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop &&
        !window->isMaximized() && !window->isFullScreen())
      Fit(window);
  }
  return QObject::eventFilter(watched, event);
}

void OnScreenKeeper::Fit(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  // The frame as the window system drew it last time; before the first showing, a typical
  // title bar and border.
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                   frame.bottom() - client.bottom());
  if (margins.isNull())
    margins = QMargins(kFrameWidth / 2, kFrameHeight / 2, kFrameWidth / 2, kFrameWidth / 2);
  const QRect inner = room.marginsRemoved(margins);
  if (client.width() > inner.width() || client.height() > inner.height())
    window->resize(client.size().boundedTo(inner.size()).expandedTo(window->minimumSize()));
  const QSize size = window->size();
  const int x = std::clamp(client.left(), inner.left(), std::max(inner.left(), inner.right() - size.width() + 1));
  const int y = std::clamp(client.top(), inner.top(), std::max(inner.top(), inner.bottom() - size.height() + 1));
  // move() places the frame.
  if (x != client.left() || y != client.top()) window->move(x - margins.left(), y - margins.top());
}

QIcon Glyph(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback, int size, int gap) {
  QIcon source = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (source.isNull()) source = widget->style()->standardIcon(fallback, nullptr, widget);
  // The largest picture the source offers: a picture is never drawn larger than it is,
  // which left the smaller glyphs higher and smaller than their neighbours.
  QSize largest(size * 2, size * 2);
  for (const QSize& s : source.availableSizes())
    if (s.width() > largest.width()) largest = s;
  const QPixmap picture = source.pixmap(largest, 1.0);
  QIcon glyph;
  for (const int scale : {1, 2}) {
    const int side = size * scale;
    QPixmap canvas(side + gap * scale, side);
    canvas.fill(Qt::transparent);
    if (!picture.isNull()) {
      const QPixmap scaled = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      QPainter painter(&canvas);
      painter.drawPixmap((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    }
    canvas.setDevicePixelRatio(scale);
    glyph.addPixmap(canvas);
  }
  return glyph;
}

QString AddMnemonics(const QList<QAbstractButton*>& buttons, QString taken) {
  taken = taken.toUpper();
  for (QAbstractButton* button : buttons) {
    if (button->property(kSharedCaption).toBool()) continue;
    QString caption = button->text();
    const qsizetype marked = caption.indexOf(QLatin1Char('&'));
    if (marked >= 0 && marked + 1 < caption.size()) {
      taken += caption.at(marked + 1).toUpper();
      continue;
    }
    for (qsizetype i = 0; i < caption.size(); ++i) {
      const QChar c = caption.at(i);
      if (c.isLetterOrNumber() && c.unicode() < 128 && !taken.contains(c.toUpper())) {
        taken += c.toUpper();
        caption.insert(i, QLatin1Char('&'));
        button->setText(caption);
        break;
      }
    }
  }
  return taken;
}

}  // namespace velmora::ui
