#include "cli/cli_support.h"

#include <csignal>
#include <iostream>

#include "cli/terminal_prompt.h"
#include "platform/file_system.h"
#include "platform/user_dirs.h"

namespace velmora::cli {

batch::Answer CliMessages::confirm(const std::string& title, const std::string& text, batch::Buttons buttons) {
  show(title, text);
  const bool yesAnswers = buttons == batch::Buttons::YesNo || buttons == batch::Buttons::YesNoCancel;
  const batch::Answer agree = yesAnswers ? batch::Answer::Yes : batch::Answer::Ok;
  // Declined, a three-way question keeps things as they are.
  const batch::Answer decline = buttons == batch::Buttons::YesNo ? batch::Answer::No : batch::Answer::Cancel;
  if (yes_) return agree;
  if (CanAskOnTerminal()) {
    if (quiet_) err_ << title << ": " << text << "\n";  // --json keeps stderr for the question
    if (AskYesNo(std::cin, err_)) return agree;
  } else if (!quiet_) {
    err_ << "Not asked (no terminal): answered " << (decline == batch::Answer::No ? "No" : "Cancel")
         << "; --yes answers " << (yesAnswers ? "Yes" : "OK") << ".\n";
  }
  questionDeclined = true;
  return decline;
}

void CliMessages::show(const std::string& title, const std::string& text) {
  shown.push_back({{"title", title}, {"text", text}});
  if (!quiet_) err_ << title << ": " << text << "\n";
}

batch::ItemOrder ParseOrderOption(const std::string& text) {
  if (const auto order = batch::ParseItemOrder(text)) return *order;
  throw UsageError("unknown --order '" + text + "' (name, natural, mtime or size, optionally with :desc)");
}

std::string Absolute(const std::string& path) {
  if (path.empty() || platform::IsSeparator(path.front())) return path;
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':') return path;
#endif
  return platform::JoinPath(platform::CurrentFolder(), path);
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && platform::IsSeparator(path.back()) && !platform::IsRootPath(path)) path.pop_back();
  return path;
}

namespace {
batch::StopFlag* g_stop = nullptr;
extern "C" void OnStopSignal(int) {
  if (g_stop) g_stop->set();
}
}  // namespace

StopOnSignals::StopOnSignals(batch::StopFlag& stop) {
  g_stop = &stop;
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
}

StopOnSignals::~StopOnSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  g_stop = nullptr;
}

}  // namespace velmora::cli
