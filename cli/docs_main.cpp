// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli-docs OUTDIR VERSION: writes the manual pages and the shell completions below
// OUTDIR in the layout of an installed share folder. Run by the build, never installed.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

#include "cli/cli_app.h"
#include "cli/cli_docs.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velmora-cli-docs OUTDIR VERSION\n";
    return 3;
  }
  const std::filesystem::path root = argv[1];
  const std::string version = argv[2];
  int failed = 0;
  velmora::cli::WithCommandLine([&](const CLI::App& app) {
    using Writer = std::function<void(std::ostream&)>;
    const std::pair<const char*, Writer> files[] = {
        {"man/man1/velmora-cli.1", [&](std::ostream& o) { velmora::cli::WriteCliManPage(app, version, o); }},
        {"man/man1/velmora.1", [&](std::ostream& o) { velmora::cli::WriteDesktopManPage(version, o); }},
        {"man/man1/velmora-launch.1", [&](std::ostream& o) { velmora::cli::WriteLaunchManPage(version, o); }},
        {"bash-completion/completions/velmora-cli", [&](std::ostream& o) { velmora::cli::WriteBashCompletion(app, o); }},
        {"zsh/site-functions/_velmora-cli", [&](std::ostream& o) { velmora::cli::WriteZshCompletion(app, o); }},
        {"fish/vendor_completions.d/velmora-cli.fish",
         [&](std::ostream& o) { velmora::cli::WriteFishCompletion(app, o); }},
    };
    for (const auto& [name, write] : files) {
      const auto path = root / name;
      std::filesystem::create_directories(path.parent_path());
      std::ofstream out(path, std::ios::binary);
      write(out);
      out.close();
      if (!out) {
        std::cerr << "velmora-cli-docs: cannot write " << path << "\n";
        ++failed;
      }
    }
  });
  return failed ? 4 : 0;
}
