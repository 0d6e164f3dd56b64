// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `velmora-cli fields [COMMAND]`: every field that --set and --record take, with its type,
// allowed values, default and the commands that read it, printed from the parser's own table.

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace velmora::cli {

class FieldsCommand {
 public:
  /// Adds the "fields" subcommand to the application.
  explicit FieldsCommand(CLI::App& app);

  bool parsed() const;
  /// Prints the table (or JSON with --json); returns the exit code.
  int run(std::ostream& out, std::ostream& err) const;

 private:
  CLI::App* command_ = nullptr;
  std::string operation_;
  bool json_ = false;
};

/// The usage error for an unknown field: the name and the nearest valid ones.
std::string UnknownFieldText(const std::string& name);

}  // namespace velmora::cli
