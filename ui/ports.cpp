// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ports.h"

#include <QApplication>
#include <QCoreApplication>
#include <utility>

#include "ui/qt_text.h"

namespace velmora::ui {

void ProgressRunHooks::processEvents() {
  if (progress_) {
    progress_->processEvents();
  } else {
    QCoreApplication::processEvents();
  }
}

void ProgressRunHooks::progressStart(int maximum) {
  if (progress_) progress_->start(maximum);
}

void ProgressRunHooks::progressItem(std::string_view oldName, std::string_view newName, int step) {
  if (progress_) progress_->showItem(oldName, newName, step);
}

void ProgressRunHooks::carryOut(bool withProgress, const std::function<void()>& work) {
  if (withProgress && progress_ && stop_) {
    if (beforeWindow_) beforeWindow_();
    progress_->run(work, *stop_);
    return;
  }
  // Without the window the loop pumps events itself, as a short run always did.
  ProgressPort* const window = std::exchange(progress_, nullptr);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  work();
  QApplication::restoreOverrideCursor();
  progress_ = window;
}

}  // namespace velmora::ui
