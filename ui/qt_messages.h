// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's message boxes: information, warning and the task-modal questions, with
// the exact titles, icons and buttons the program uses.

#include <QPointer>
#include <QWidget>

#include "batch/interfaces.h"

namespace velmora::ui {

class QtMessages final : public batch::Messages {
 public:
  /// Boxes are owned by the active window, or by `fallbackParent` when none is active.
  explicit QtMessages(QWidget* fallbackParent = nullptr) : fallbackParent_(fallbackParent) {}
  void setFallbackParent(QWidget* parent) { fallbackParent_ = parent; }

  void information(const std::string& text) override;
  void warning(const std::string& text, const std::string& title = "Warning") override;
  batch::Answer confirm(const std::string& title, const std::string& text, batch::Buttons buttons) override;

 private:
  QWidget* owner() const;
  QPointer<QWidget> fallbackParent_;
};

}  // namespace velmora::ui
