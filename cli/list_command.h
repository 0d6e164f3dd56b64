// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `velmora-cli list`: the listing export of a folder (--folder) or of hand-picked paths,
// written to --output. The file is never opened with another program, and an existing
// file is replaced only with --yes.

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace velmora::cli {

class ListCommand {
 public:
  /// Adds the "list" subcommand and its options to the application.
  explicit ListCommand(CLI::App& app);

  /// True when the command line chose "list".
  bool parsed() const;

  /// Runs the export; returns the process exit code (0 written, 2 refused, 3 usage, 4 failure).
  int run(std::ostream& out, std::ostream& err);

 private:
  int execute(std::ostream& out, std::ostream& err);

  CLI::App* command_ = nullptr;
  std::string folder_;
  int scope_ = 0;
  std::vector<std::string> paths_;
  std::string output_;
  std::string content_ = "one";
  std::string order_ = "name";
  bool webpage_ = false;
  std::string types_;
  std::string other_;
  bool size_ = false;
  bool time_ = false;
  bool yes_ = false;
  bool json_ = false;
  bool lf_ = false;
  bool hidden_ = false;
  std::string stateDir_;
};

}  // namespace velmora::cli
