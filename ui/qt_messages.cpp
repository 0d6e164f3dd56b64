#include "ui/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora::ui {

QWidget* QtMessages::owner() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (fallbackParent_ && fallbackParent_->isVisible()) return fallbackParent_;
  return nullptr;
}

void QtMessages::information(const std::string& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), QString::fromStdString(text),
                  QMessageBox::Ok, owner());
  box.exec();
}

void QtMessages::warning(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                  owner());
  box.exec();
}

batch::Answer QtMessages::confirm(const std::string& title, const std::string& text, batch::Buttons buttons) {
  const bool yesNo = buttons == batch::Buttons::YesNo;
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text),
                  yesNo ? (QMessageBox::Yes | QMessageBox::No) : (QMessageBox::Ok | QMessageBox::Cancel), owner());
  // Task-modal: the whole program waits for the answer; closing the box declines.
  box.setWindowModality(Qt::ApplicationModal);
  box.setEscapeButton(yesNo ? QMessageBox::No : QMessageBox::Cancel);
  box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
  const int answer = box.exec();
  if (yesNo) return answer == QMessageBox::Yes ? batch::Answer::Yes : batch::Answer::No;
  return answer == QMessageBox::Ok ? batch::Answer::Ok : batch::Answer::Cancel;
}

}  // namespace velmora::ui
