// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui_progress_window.h"

namespace velmora::ui {

namespace {
/// Posted to the window once it is on screen; the work begins when it arrives.
const QEvent::Type kStartEvent = static_cast<QEvent::Type>(QEvent::registerEventType(QEvent::User + 100));
}  // namespace

ProgressWindow::ProgressWindow(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(new Ui::ProgressWindow) {
  ui_->setupUi(this);
  // The names have a fixed width: long names are elided instead of widening the window.
  oldName_ = ui_->Label3;
  newName_ = ui_->Label4;
  // Covers the names during a listing export.
  searching_ = ui_->Panel1;
  searching_->hide();
  bar_ = ui_->ProgressBar1;
  cancel_ = ui_->Button1;
  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::CancelClick);
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::run(const std::function<void()>& work, batch::StopFlag& stop) {
  work_ = work;
  stop_ = &stop;
  started_ = false;
  setName(oldName_, tr("Old filename:"));
  setName(newName_, tr("New filename:"));
  namesChanged_ = false;
  value_ = 0;
  maximum_ = 100;
  updateView();
  exec();
  work_ = nullptr;
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_ && work_) {
    started_ = true;
    QCoreApplication::postEvent(this, new QEvent(kStartEvent));
  }
}

bool ProgressWindow::event(QEvent* event) {
  if (event->type() != kStartEvent) return QDialog::event(event);
  working_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  value_ = 0;
  updateView();
  // The first item is shown at once.
  sincePump_.invalidate();
  sinceView_.invalidate();
  if (work_) work_();
  QApplication::restoreOverrideCursor();
  working_ = false;
  accept();
  return true;
}

void ProgressWindow::start(int maximum) {
  maximum_ = std::max(maximum, 1);
  value_ = 0;
}

void ProgressWindow::showItem(std::string_view oldName, std::string_view newName, int step) {
  pendingOld_.assign(oldName);
  pendingNew_.assign(newName);
  namesChanged_ = true;
  value_ = std::min(maximum_, value_ + step);
}

void ProgressWindow::processEvents() {
  if (sincePump_.isValid() && sincePump_.elapsed() < kPumpIntervalMs) return;
  if (!sinceView_.isValid() || sinceView_.elapsed() >= kViewIntervalMs) {
    updateView();
    sinceView_.start();
  }
  QCoreApplication::processEvents();
  sincePump_.start();
}

void ProgressWindow::setName(QLabel* label, const QString& name) {
  label->setText(label->fontMetrics().elidedText(name, Qt::ElideMiddle, label->maximumWidth()));
  label->setToolTip(name);
}

void ProgressWindow::updateView() {
  if (namesChanged_) {
    setName(oldName_, FromPath(pendingOld_));
    setName(newName_, FromPath(pendingNew_));
    namesChanged_ = false;
  }
  if (bar_->maximum() != maximum_ || bar_->value() != value_) {
    // The bar repaints itself at once on a new value; held back, it is painted together
    // with the names in the window's next update.
    bar_->setUpdatesEnabled(false);
    if (bar_->maximum() != maximum_) bar_->setRange(0, maximum_);
    bar_->setValue(value_);
    bar_->setUpdatesEnabled(true);
    bar_->update();
  }
}

void ProgressWindow::setSearching(bool on) {
  searching_->setVisible(on);
  if (on) searching_->raise();
  updateView();
  QCoreApplication::processEvents();
}

void ProgressWindow::CancelClick() {
  const batch::Answer answer =
      program_.messages().confirm(QT_TRANSLATE_NOOP("Core", "Confirmation"), kCancelQuestion, batch::Buttons::YesNo);
  if (answer == batch::Answer::Yes && stop_) stop_->set();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The work closes the window itself when it has finished; the close box does not stop it.
  if (working_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void ProgressWindow::reject() {
  if (working_) return;
  QDialog::reject();
}

}  // namespace velmora::ui
