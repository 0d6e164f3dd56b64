// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual pages and the shell completions, written from the command line's own definition
// (commands, options, help texts, examples) and the field table, so they cannot drift from
// what velmora-cli parses. Run at build time by velmora-cli-docs.

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace velmora::cli {

/// velmora-cli(1) in roff.
void WriteCliManPage(const CLI::App& app, const std::string& version, std::ostream& out);
/// velmora(1), the desktop program, in roff.
void WriteDesktopManPage(const std::string& version, std::ostream& out);
/// velmora-launch(1), the file-manager launcher, in roff.
void WriteLaunchManPage(const std::string& version, std::ostream& out);
void WriteBashCompletion(const CLI::App& app, std::ostream& out);
void WriteZshCompletion(const CLI::App& app, std::ostream& out);
void WriteFishCompletion(const CLI::App& app, std::ostream& out);

}  // namespace velmora::cli
