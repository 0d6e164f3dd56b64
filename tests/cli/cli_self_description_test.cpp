// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli describing itself (fields, --help, --version), asking on a terminal, and the
// full preview.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/item_order.h"
#include "batch/record_fields.h"
#include "cli/cli_runner.h"
#include "cli/commands.h"
#include "platform/code_page.h"
#include "support/temp_tree.h"

#ifndef _WIN32
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

using nlohmann::json;
using testing::RunCli;
using Lines = std::vector<std::string>;

Lines FieldColumn(const std::string& table) {
  Lines names;
  std::size_t start = table.find('\n') + 1;  // after the heading, up to the empty line after the table
  while (start < table.size() && table[start] != '\n') {
    names.push_back(table.substr(start, table.find(' ', start) - start));
    start = table.find('\n', start) + 1;
  }
  return names;
}

TEST(CliFields, ListedFromTheParsersTable) {
  auto out = RunCli({"fields"});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(FieldColumn(out.out), batch::FieldNames());

  // Per command: exactly the fields that operation reads, with type, values and default.
  struct Case {
    const char* command;
    engine::OperationKind kind;
  };
  for (const Case c : {Case{"remove", engine::OperationKind::Remove}, Case{"change", engine::OperationKind::Change},
                       Case{"extension", engine::OperationKind::Extension}}) {
    SCOPED_TRACE(c.command);
    out = RunCli({"fields", c.command, "--json"});
    ASSERT_EQ(out.exit, 0) << out.err;
    Lines expected, listed;
    for (const auto& f : batch::RecordFields())
      if (batch::UsedBy(f, c.kind)) expected.push_back(f.name);
    for (const auto& f : json::parse(out.out)) listed.push_back(f["name"]);
    EXPECT_EQ(listed, expected);
  }
  out = RunCli({"fields", "change", "--json"});
  const json first = json::parse(out.out).at(0);
  EXPECT_EQ(first, json({{"name", "changeMode"},
                         {"type", "choice"},
                         {"values", {"ChangeFullName", "ConvertCase"}},
                         {"default", "ChangeFullName"},
                         {"commands", {"change"}},
                         {"description", "change the whole name or convert its case"}}));
  EXPECT_EQ(RunCli({"fields", "frobnicate"}).exit, 3);
}

TEST(CliFields, HelpEndsWithAnExampleAndShowsOnlyTheCommandsOptions) {
  for (const char* command : {"remove", "replace", "insert", "change", "extension", "list", "undo", "fields", "presets"}) {
    SCOPED_TRACE(command);
    const auto out = RunCli({command, "--help"});
    EXPECT_EQ(out.exit, 0);
    const std::string tail = std::string("Example:\n  velmora-cli ") + command + " ";
    EXPECT_NE(out.out.find(tail), std::string::npos) << out.out;
    EXPECT_EQ(out.out.find('\n', out.out.find(tail) + tail.size()), out.out.size() - 1) << "the example ends the help";
  }
  const std::string undo = RunCli({"undo", "--help"}).out;
  for (const char* option : {"--state-dir", "--yes", "--json"}) EXPECT_NE(undo.find(option), std::string::npos);
  for (const char* option : {"--folder", "--scope", "--preview", "--code-page", "--history-max", "PATH"})
    EXPECT_EQ(undo.find(option), std::string::npos) << option;

  const auto version = RunCli({"--version"});
  EXPECT_EQ(version.exit, 0);
  EXPECT_NE(version.out.find("GPL-3.0-or-later"), std::string::npos) << version.out;
}

#ifdef VELMORA_GENERATED_SHARE
std::string Generated(const std::string& relative) {
  std::ifstream in(std::string(VELMORA_GENERATED_SHARE) + "/" + relative, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

/// The shell's path on PATH, empty when it is not installed.
std::string OnPath(const std::string& program) {
  std::stringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
  for (std::string dir; std::getline(path, dir, ':');) {
    const auto candidate = std::filesystem::path(dir) / program;
    if (!dir.empty() && std::filesystem::exists(candidate)) return candidate.string();
  }
  return {};
}

TEST(CliCompletions, EachScriptParsesInItsShellAndOffersEveryField) {
  struct Script {
    const char* shell;
    const char* check;
    const char* file;
  };
  const Script scripts[] = {{"bash", "-n", "bash-completion/completions/velmora-cli"},
                            {"zsh", "-n", "zsh/site-functions/_velmora-cli"},
                            {"fish", "--no-execute", "fish/vendor_completions.d/velmora-cli.fish"}};
  const std::string manual = Generated("man/man1/velmora-cli.1");
  for (const auto& s : scripts) {
    SCOPED_TRACE(s.shell);
    const std::string text = Generated(s.file);
    ASSERT_FALSE(text.empty());
    for (const auto& name : batch::FieldNames()) {
      // The name whole, not the end of a longer one.
      bool offered = false;
      for (auto at = text.find(name + "="); at != std::string::npos && !offered; at = text.find(name + "=", at + 1))
        offered = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
      EXPECT_TRUE(offered) << name;
    }
    for (const char* page : cli::kCodePageNames) EXPECT_NE(text.find(page), std::string::npos) << page;
    const std::string shell = OnPath(s.shell);
    if (shell.empty()) continue;  // checked where the shell is installed
    const auto run = testing::RunProcess({shell, s.check, std::string(VELMORA_GENERATED_SHARE) + "/" + s.file});
    EXPECT_EQ(run.exit, 0) << run.err;
  }
  for (const auto& name : batch::FieldNames()) EXPECT_NE(manual.find("\\fB" + name + "\\fR="), std::string::npos) << name;
  for (const char* command : {"remove", "replace", "insert", "change", "extension", "undo", "list", "fields", "presets"})
    EXPECT_NE(manual.find(std::string(".SS ") + command + "\n"), std::string::npos) << command;
  for (const char* page : cli::kCodePageNames) EXPECT_NE(platform::CodePageByName(page), nullptr) << page;
  for (const auto& order : cli::OptionValues("--order")) EXPECT_TRUE(batch::ParseItemOrder(order)) << order;
}
#endif

TEST(CliPreview, AllRowsStreamPastAThousand) {
  testing::TempTree tree;
  Lines files{"w/"};
  for (int i = 0; i < 1100; ++i) files.push_back("w/f" + std::to_string(10000 + i));
  tree.make(files);
  auto out = RunCli({"insert", "--folder", tree.path("w"), "--set", "atEnd=true", "--set", "endText=x", "--preview",
                     "--preview-count", "all", "--state-dir", tree.path("state")});
  ASSERT_EQ(out.exit, 0) << out.err;
  EXPECT_EQ(std::count(out.out.begin(), out.out.end(), '\n'), 1100);
  EXPECT_EQ(out.out.substr(0, 14), "f10000\tf10000x");
  EXPECT_EQ(out.out.find("Others not shown"), std::string::npos);
  // A number over the desktop program's 1,000 is taken as given, with its filler row.
  out = RunCli({"insert", "--folder", tree.path("w"), "--set", "atEnd=true", "--set", "endText=x", "--preview",
                "--preview-count", "1050", "--state-dir", tree.path("state")});
  EXPECT_EQ(std::count(out.out.begin(), out.out.end(), '\n'), 1051);
  EXPECT_EQ(tree.list().size(), 1100u + 1 + 1);  // nothing renamed; the state folder
}

#ifndef _WIN32
/// velmora-cli with stdin, stdout and stderr on a pseudo-terminal: the answer is typed when
/// the question's "[y/N] " shows. Returns the exit code and everything the terminal showed.
std::pair<int, std::string> RunOnTerminal(const Lines& args, const std::string& answer) {
  std::vector<std::string> argv{VELMORA_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
  }
  std::string shown;
  bool answered = false;
  char buffer[4096];
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 10000) <= 0) break;
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) break;  // the child closed the terminal
    shown.append(buffer, static_cast<std::size_t>(n));
    if (!answered && shown.find("[y/N] ") != std::string::npos) {
      answered = true;
      const std::string line = answer + "\n";
      if (write(master, line.data(), line.size()) != static_cast<ssize_t>(line.size())) break;
    }
  }
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, shown};
}

TEST(CliTerminal, AQuestionIsAskedAndAnswered) {
  struct Case {
    const char* answer;
    int exit;
    Lines after;
  };
  for (const Case& c : {Case{"y", 0, {"w/", "w/xy.txt"}}, Case{"n", 2, {"w/", "w/xay.txt"}},
                        Case{"", 2, {"w/", "w/xay.txt"}}}) {
    SCOPED_TRACE(c.answer);
    testing::TempTree tree;
    tree.make({"w/xay.txt"});
    const auto [exit, shown] = RunOnTerminal(
        {"replace", "--folder", tree.path("w"), "--set", "oldText=a", "--state-dir", tree.path("state")}, c.answer);
    EXPECT_EQ(exit, c.exit) << shown;
    EXPECT_NE(shown.find("continue ?\r\n[y/N] "), std::string::npos) << shown;
    EXPECT_EQ(shown.find("--yes answers"), std::string::npos);
    Lines work;
    for (const auto& e : tree.list())
      if (e.rfind("w/", 0) == 0) work.push_back(e);
    EXPECT_EQ(work, c.after);
  }
}
#endif

}  // namespace
}  // namespace velmora
