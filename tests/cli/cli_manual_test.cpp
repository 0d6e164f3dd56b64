// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages hold what users look up, and their examples are true: each special
// string's example, run through velmora-cli, gives the name the page shows.

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_runner.h"
#include "cli/manual.h"
#include "media/metadata.h"
#include "support/temp_tree.h"

#ifdef VELMORA_GENERATED_SHARE
namespace velmora {
namespace {

using testing::RunCli;

std::string Page(const std::string& name) {
  std::ifstream in(std::string(VELMORA_GENERATED_SHARE) + "/man/man1/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

/// The file's modification time set to noon of a YYYYMMDD day, local time.
void SetDate(const std::string& path, const std::string& date) {
  std::tm day{};
  day.tm_year = std::stoi(date.substr(0, 4)) - 1900;
  day.tm_mon = std::stoi(date.substr(4, 2)) - 1;
  day.tm_mday = std::stoi(date.substr(6, 2));
  day.tm_hour = 12;
  day.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&day));
  std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() +
                                             (when - std::chrono::system_clock::now()));
}

TEST(CliManual, EverySpecialStringExampleGivesTheNameShown) {
  for (const cli::SpecialStringDoc& s : cli::kSpecialStrings) {
    SCOPED_TRACE(s.token);
    testing::TempTree tree;
    const std::string folder = tree.path(s.folder);
    tree.make({std::string(s.folder) + "/"});
    tree.writeFile(std::string(s.folder) + "/" + s.item, std::string(static_cast<std::size_t>(s.size), 'x'));
    if (*s.date) SetDate(folder + "/" + s.item, s.date);
    const auto out = RunCli({"change", "--folder", folder, "--set", std::string("newName=") + s.text, "--set",
                             "startNumber=" + std::to_string(s.start), "--preview", "--state-dir", tree.path("state")});
    ASSERT_EQ(out.exit, 0) << out.err;
    const std::string row = out.out.substr(0, out.out.find('\n'));
    const std::string prefix = std::string(s.item) + "\t";
    ASSERT_EQ(row.substr(0, prefix.size()), prefix) << out.out;
    const std::string got = row.substr(prefix.size());
    if (s.random) {
      // The same length and extension, letters and digits in place of the example's.
      ASSERT_EQ(got.size(), std::string(s.result).size()) << got;
      EXPECT_EQ(got.substr(got.find('.')), std::string(s.result).substr(std::string(s.result).find('.')));
      for (std::size_t i = 0; i < got.find('.'); ++i) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(got[i]))) << got;
    } else {
      EXPECT_EQ(got, s.result);
    }
  }
}

TEST(CliManual, PagesHoldTheSectionsUsersLookFor) {
  struct Case {
    const char* page;
    std::vector<const char*> sections;
  };
  const Case cases[] = {
      {"velmora-cli.1",
       {"COMMANDS", "FIELDS", "SPECIAL STRINGS", "JSON OUTPUT", "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES"}},
      {"velmora.1", {"OPTIONS", "SPECIAL STRINGS", "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES"}},
      {"velmora-launch.1", {"OPERATIONS", "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    const std::string text = Page(c.page);
    ASSERT_FALSE(text.empty());
    for (const char* section : c.sections) EXPECT_NE(text.find(std::string(".SH ") + section + "\n"), std::string::npos) << section;
  }
  const std::string cli = Page("velmora-cli.1");
  for (const cli::SpecialStringDoc& s : cli::kSpecialStrings) EXPECT_NE(cli.find(s.result), std::string::npos) << s.result;
  // Every tag the reader knows is documented, on the page and in `fields`.
  const std::string fields = RunCli({"fields"}).out;
  for (media::Tag tag : media::kAllTags) {
    const std::string token = "{" + std::string(media::TagName(tag)) + "}";
    EXPECT_NE(cli.find(".B " + token + "\n"), std::string::npos) << token;
    EXPECT_NE(fields.find(token), std::string::npos) << token;
  }
  for (const char* key : {"renamed", "preview", "messages", "field", "listing", "presets", "files", "exit", "bytes"})
    EXPECT_TRUE(cli.find(std::string(".B ") + key + "\n") != std::string::npos ||
                cli.find(std::string("\"") + key + "\"") != std::string::npos)
        << key;
  const std::string launch = Page("velmora-launch.1");
  for (const cli::LaunchOperationDoc& o : cli::kLaunchOperations)
    EXPECT_NE(launch.find(std::string(".B ") + o.name + "\n"), std::string::npos) << o.name;
}

}  // namespace
}  // namespace velmora
#endif
