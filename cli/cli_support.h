// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every velmora-cli command shares: exit codes, usage errors, messages on stderr,
// paths made absolute, and Ctrl-C turned into the run's stop flag.

#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>

#include "batch/interfaces.h"
#include "batch/item_order.h"

namespace velmora::cli {

enum ExitCode { kDone = 0, kNothingRenamed = 1, kRefused = 2, kUsage = 3, kFailure = 4 };

inline constexpr const char* kHiddenHelp =
    "Include hidden files and folders (names beginning with \".\") in folder walks";

/// A wrong command line: printed as "Usage: ..." with exit code 3.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Messages for a terminal: "TITLE: TEXT" on stderr (or kept for --json); questions are
/// answered by --yes, else asked when stdin and stderr are a terminal, else Cancel (or No).
class CliMessages final : public batch::Messages {
 public:
  /// quiet: nothing on stderr (--json keeps the messages); errorsOnly: only errors and questions.
  CliMessages(std::ostream& err, bool quiet, bool yes, bool errorsOnly = false)
      : err_(err), quiet_(quiet), yes_(yes), errorsOnly_(errorsOnly) {}

  void information(const std::string& text) override { show("Information", text); }
  void warning(const std::string& text, const std::string& title) override { show(title, text); }
  batch::Answer confirm(const std::string& title, const std::string& text, batch::Buttons buttons) override;
  void show(const std::string& title, const std::string& text);

  nlohmann::json shown = nlohmann::json::array();
  bool questionDeclined = false;

 private:
  std::ostream& err_;
  bool quiet_;
  bool yes_;
  bool errorsOnly_;
};

/// The --order option: name, natural, mtime or size, optionally with ":desc".
inline constexpr const char* kOrderHelp =
    "Numbering order of each folder's items: name (default), natural, mtime or size; add :desc to reverse";
batch::ItemOrder ParseOrderOption(const std::string& text);

/// A usage error: "Usage: TEXT" on stderr, or with --json the one JSON object
/// {"messages": [{"title": "Usage", "text": TEXT}], "exit": 3} on stdout. Returns 3.
int ReportUsage(std::ostream& out, std::ostream& err, bool json, const std::string& text);

/// A name or text for --json: a JSON string when it is valid UTF-8; otherwise, since JSON
/// strings hold only Unicode, the object {"bytes": BASE64} with its bytes in standard
/// base64, so every name comes back exactly.
nlohmann::json JsonText(const std::string& text);
/// True for a valid UTF-8 sequence (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);
/// A name for a message line: CR and LF shown as \r and \n, so one item stays one line.
std::string Printable(const std::string& name);

/// A path given on the command line made absolute against the current folder, so that the
/// rollback log holds paths that stay valid from anywhere.
std::string Absolute(const std::string& path);

/// While alive, SIGINT, SIGTERM and SIGHUP set the stop flag, so an interrupted run ends
/// like a cancelled one: what it renamed is kept and recorded.
class StopOnSignals {
 public:
  explicit StopOnSignals(batch::StopFlag& stop);
  ~StopOnSignals();
  /// True once a signal asked the command to stop.
  static bool interrupted();
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;
};

/// For the whole process: a write to a closed pipe fails instead of ending the process, so a
/// run whose output nobody reads still goes to its end and seals its log.
void SurviveClosedOutput();

}  // namespace velmora::cli
