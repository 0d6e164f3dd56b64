// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts programs for end-to-end tests the same way on Linux and Windows: a run to its end
// with stdout and stderr captured, or a child that a test kills midway (a crash, a power
// cut). The child's standard input is the null device.

#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

struct ProcessOptions {
  /// Variables set for the child (added, or replacing the inherited value).
  std::vector<std::pair<std::string, std::string>> environment;
  /// The child's current folder; empty: the parent's.
  std::string workingFolder;
};

struct ProcessResult {
  int exit = -1;  ///< the exit code; -1 when the program could not be started
  /// stdout and stderr, read as text: on Windows the CR LF that ends a line is "\n".
  std::string out;
  std::string err;
};

/// Runs argv[0] (a path) with the arguments that follow and waits for its end.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

/// A running child whose output is discarded.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
  ~ChildProcess();  ///< kills the child if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return started_; }
  /// True while the child runs.
  bool running();
  /// Ends the child at once, without giving it any chance to clean up.
  void kill();
  /// Waits for the end: the exit code, or -1 when it was killed or never started.
  int wait();
  /// True when the child was ended by kill() (on Linux: by a signal) rather than by exiting;
  /// known once wait() or running() has seen its end.
  bool killed() const { return killed_; }

 private:
  bool started_ = false;
  bool finished_ = false;
  bool killed_ = false;
  int exit_ = -1;
#ifdef _WIN32
  void* process_ = nullptr;
#else
  int pid_ = -1;
#endif
};

/// The argument as a Windows command line carries it to the program's argv (quoted when
/// needed, backslashes before quotes doubled). Exposed for its own test.
std::string QuoteWindowsArgument(const std::string& argument);

}  // namespace velmora::testing
