#pragma once
#include <ostream>

namespace velmora::cli {

/// Runs one velmora-cli command; returns the process exit code.
int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace velmora::cli
