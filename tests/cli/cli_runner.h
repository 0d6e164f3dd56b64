// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli as the CLI tests start it: the binary under test, run to its end through the
// portable process runner (captured stdout and stderr, exit code), on Linux and on Windows.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
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
/// The bytes of a run journal's records: those before the zero bytes a run reserves past
/// them (what the journal holds so far, whatever its file size).
inline std::size_t JournalRecordBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return std::min(content.size(), content.find('\0'));
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
