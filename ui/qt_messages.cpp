// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_messages.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "ui/translations.h"

namespace velmora::ui {

namespace {

/// A message box holds its text to about 500 pixels (less on small screens) and wraps
/// inside the lines; the texts carry their own line breaks, so this box is made as wide as
/// its longest line, as far as the screen allows.
class LineMessageBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes the box its own way first
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label || !layout()) return;
    const QFontMetrics metrics = label->fontMetrics();
    int widest = 0;
    for (const QString& line : text().split(QLatin1Char('\n')))
      widest = std::max(widest, metrics.horizontalAdvance(line));
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    // The widest box the message box itself allows on this screen; a longer line wraps.
    const int screenWidth = shown ? shown->availableGeometry().width() : 1024;
    const int room = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    const int extra = width() - label->width();  // icon, margins and spacing beside the text
    const int wanted = std::min(widest + metrics.averageCharWidth() + extra, room);
    if (wanted <= width()) return;
    label->setMinimumWidth(wanted - extra);
    setFixedWidth(wanted);
    setFixedHeight(layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(wanted)
                                                 : layout()->totalSizeHint().height());
  }
};

}  // namespace

QWidget* QtMessages::owner() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (fallbackParent_ && fallbackParent_->isVisible()) return fallbackParent_;
  return nullptr;
}

void QtMessages::information(const std::string& text) {
  LineMessageBox box(QMessageBox::Information, QCoreApplication::translate("Core", "Information"), CoreText(text),
                     QMessageBox::Ok, owner());
  box.exec();
}

void QtMessages::warning(const std::string& text, const std::string& title) {
  LineMessageBox box(QMessageBox::Warning, CoreText(title), CoreText(text), QMessageBox::Ok, owner());
  box.exec();
}

batch::Answer QtMessages::confirm(const std::string& title, const std::string& text, batch::Buttons buttons) {
  QMessageBox::StandardButtons shown;
  QMessageBox::StandardButton escape, preferred;
  switch (buttons) {
    case batch::Buttons::YesNo:
      shown = QMessageBox::Yes | QMessageBox::No;
      escape = QMessageBox::No;
      preferred = QMessageBox::Yes;
      break;
    case batch::Buttons::YesNoCancel:
      shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      escape = QMessageBox::Cancel;
      preferred = QMessageBox::Yes;
      break;
    case batch::Buttons::OkCancel:
    default:
      shown = QMessageBox::Ok | QMessageBox::Cancel;
      escape = QMessageBox::Cancel;
      preferred = QMessageBox::Ok;
      break;
  }
  LineMessageBox box(QMessageBox::Question, CoreText(title), CoreText(text), shown, owner());
  // Task-modal: the whole program waits for the answer; closing the box declines.
  box.setWindowModality(Qt::ApplicationModal);
  box.setEscapeButton(escape);
  box.setDefaultButton(preferred);
  switch (box.exec()) {
    case QMessageBox::Yes: return batch::Answer::Yes;
    case QMessageBox::No: return batch::Answer::No;
    case QMessageBox::Ok: return batch::Answer::Ok;
    default: return buttons == batch::Buttons::YesNo ? batch::Answer::No : batch::Answer::Cancel;
  }
}

}  // namespace velmora::ui
