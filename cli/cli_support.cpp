// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_support.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <iostream>

#include "cli/terminal_prompt.h"
#include "platform/file_system.h"
#include "platform/user_dirs.h"

namespace velmora::cli {

batch::Answer CliMessages::confirm(const std::string& title, const std::string& text, batch::Buttons buttons) {
  show(title, text);
  if (errorsOnly_ && !quiet_ && !yes_ && CanAskOnTerminal()) err_ << title << ": " << text << "\n";  // the question
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
  shown.push_back({{"title", title}, {"text", JsonText(text)}});
  if (!quiet_ && (!errorsOnly_ || title == "Error")) err_ << title << ": " << text << "\n";
}

batch::ItemOrder ParseOrderOption(const std::string& text) {
  if (const auto order = batch::ParseItemOrder(text)) return *order;
  throw UsageError("unknown --order '" + text + "' (name, natural, mtime or size, optionally with :desc)");
}

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t n;
    unsigned lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + n >= s.size()) return false;  // cut short
    for (std::size_t k = 1; k <= n; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF)) return false;
    }
    i += n + 1;
  }
  return true;
}

nlohmann::json JsonText(const std::string& text) {
  if (IsValidUtf8(text)) return text;
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((text.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < text.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, text.size() - i);
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k)
      v = (v << 8) | (k < n ? static_cast<unsigned char>(text[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return nlohmann::json{{"bytes", out}};
}

int ReportUsage(std::ostream& out, std::ostream& err, bool json, const std::string& text) {
  if (json) {
    const nlohmann::json message = {{"title", "Usage"}, {"text", JsonText(text)}};
    out << nlohmann::json{{"messages", nlohmann::json::array({message})}, {"exit", kUsage}}.dump() << "\n";
  } else {
    err << "Usage: " << text << "\n";
  }
  return kUsage;
}

std::string Printable(const std::string& name) {
  if (name.find_first_of("\r\n") == std::string::npos) return name;
  std::string out;
  for (char c : name) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string Absolute(const std::string& path) {
  if (path.empty() || platform::IsSeparator(path.front())) return path;
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':') return path;
#endif
  return platform::JoinPath(platform::CurrentFolder(), path);
}

namespace {
batch::StopFlag* g_stop = nullptr;
volatile std::sig_atomic_t g_interrupted = 0;
extern "C" void OnStopSignal(int) {
  g_interrupted = 1;
  if (g_stop) g_stop->set();
}
}  // namespace

bool StopOnSignals::interrupted() { return g_interrupted != 0; }

StopOnSignals::StopOnSignals(batch::StopFlag& stop) {
  g_stop = &stop;
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
#ifndef _WIN32
  // A closed terminal ends the run as Ctrl-C does: stopped between two renames, log sealed.
  std::signal(SIGHUP, OnStopSignal);
#endif
}

StopOnSignals::~StopOnSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
#ifndef _WIN32
  std::signal(SIGHUP, SIG_DFL);
#endif
  g_stop = nullptr;
}

void SurviveClosedOutput() {
#ifndef _WIN32
  // A write to a pipe nobody reads (`| head -1`) fails with EPIPE and the stream says so,
  // instead of the signal killing the process between two renames.
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace velmora::cli
