// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <ostream>

namespace CLI {
class App;
}

namespace velmora::cli {

/// Runs one velmora-cli command; returns the process exit code.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

/// Calls `use` with the command line as RunCli parses it: every command, option and help
/// text, for the manual page and the shell completions.
void WithCommandLine(const std::function<void(const CLI::App&)>& use);

}  // namespace velmora::cli
