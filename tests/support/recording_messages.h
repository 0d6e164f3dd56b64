// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Messages recorder for tests: keeps every box in order and answers questions from a
// queue (OK by default).

#include <deque>
#include <string>
#include <vector>

#include "batch/interfaces.h"

namespace velmora::testing {

struct RecordedMessage {
  std::string kind;  ///< "information", "warning", "confirm"
  std::string title;
  std::string text;
  batch::Buttons buttons = batch::Buttons::OkCancel;  ///< of a question
};

class RecordingMessages final : public batch::Messages {
 public:
  void information(const std::string& text) override {
    shown.push_back({"information", "Information", text, batch::Buttons::OkCancel});
  }
  void warning(const std::string& text, const std::string& title) override {
    shown.push_back({"warning", title, text, batch::Buttons::OkCancel});
  }
  batch::Answer confirm(const std::string& title, const std::string& text, batch::Buttons buttons) override {
    shown.push_back({"confirm", title, text, buttons});
    if (!answers.empty()) {
      batch::Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == batch::Buttons::OkCancel ? batch::Answer::Ok : batch::Answer::Yes;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : shown) out.push_back(m.text);
    return out;
  }

  std::vector<RecordedMessage> shown;
  std::deque<batch::Answer> answers;
};

}  // namespace velmora::testing
