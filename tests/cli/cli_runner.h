// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli as the CLI tests start it: the binary under test, run to its end through the
// portable process runner (captured stdout and stderr, exit code), on Linux and on Windows.

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/process_runner.h"

namespace velmora::testing {

/// Runs velmora-cli with these arguments and waits for its end.
inline ProcessResult RunCli(std::vector<std::string> args, const ProcessOptions& options = {}) {
  args.insert(args.begin(), VELMORA_CLI_PATH);
  return RunProcess(args, options);
}

/// The path with a separator of the system after it, as a user types a folder.
/// Whether a run journal holds records of at least this many bytes: the bytes before the
/// zero bytes a run reserves past them, whatever the file's size. Reads only that many.
inline bool JournalHolds(const std::string& path, std::size_t bytes) {
  std::ifstream in(path, std::ios::binary);
  std::string head(bytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(bytes));
  return in.gcount() == static_cast<std::streamsize>(bytes) && head.find('\0') == std::string::npos;
}

inline std::string WithSeparator(const std::string& path) { return path + platform::kSeparator; }

/// The one line the CLI prints for --json: the object compact, keys sorted, and a newline.
/// Built from the object, so paths with backslashes are escaped as JSON escapes them.
inline std::string JsonLine(const nlohmann::json& object) { return object.dump() + "\n"; }

/// True when nobody may write the file (no write permission bit; the read-only attribute on
/// Windows).
inline bool IsReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::perms perms = fs::status(path, ec).permissions();
  return !ec && (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
                    fs::perms::none;
}

}  // namespace velmora::testing
