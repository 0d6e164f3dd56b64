#include "ui/qt_messages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace velmora::ui {

namespace {

/// A message box sizes its text to about 500 pixels and wraps inside the lines; the texts
/// carry their own line breaks, so the box is made wide enough for its longest line, as
/// far as the screen allows.
void WidenForLines(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return;
  box.ensurePolished();
  const QFontMetrics metrics = label->fontMetrics();
  int widest = 0;
  for (const QString& line : box.text().split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
  const int room = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
  label->setMinimumWidth(std::min(widest + metrics.averageCharWidth(), room));
}

}  // namespace

QWidget* QtMessages::owner() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (fallbackParent_ && fallbackParent_->isVisible()) return fallbackParent_;
  return nullptr;
}

void QtMessages::information(const std::string& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), QString::fromStdString(text),
                  QMessageBox::Ok, owner());
  WidenForLines(box);
  box.exec();
}

void QtMessages::warning(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                  owner());
  WidenForLines(box);
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
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text), shown, owner());
  // Task-modal: the whole program waits for the answer; closing the box declines.
  box.setWindowModality(Qt::ApplicationModal);
  box.setEscapeButton(escape);
  box.setDefaultButton(preferred);
  WidenForLines(box);
  switch (box.exec()) {
    case QMessageBox::Yes: return batch::Answer::Yes;
    case QMessageBox::No: return batch::Answer::No;
    case QMessageBox::Ok: return batch::Answer::Ok;
    default: return buttons == batch::Buttons::YesNo ? batch::Answer::No : batch::Answer::Cancel;
  }
}

}  // namespace velmora::ui
