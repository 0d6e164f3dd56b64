// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ports.h"

#include <QCoreApplication>

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

}  // namespace velmora::ui
