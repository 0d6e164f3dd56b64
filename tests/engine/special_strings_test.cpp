// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "engine/special_strings.h"
#include "platform/memory_file_system.h"

namespace velmora::engine {
namespace {

struct Env {
  platform::MemoryFileSystem fs;
  SpecialStringSettings settings;

  Env() {
    fs.addFile("/photos/2007/img.jpg", 1536);
    fs.addFile("/d/may", 0, {2007, 5, 1, 23, 59, 0});
    fs.addFile("/d/dec", 0, {1999, 12, 9, 0, 0, 0});
    fs.addFolder("/d/folder");
    fs.addFile("/a/100%/x.txt");
    fs.addFile("/a/b@@c/x.txt");
  }
  // The first random string of an expander started with seed counter 1000 is seeded with 1001.
  std::string expand(const std::string& text, const std::string& path = "/photos/2007/img.jpg",
                     std::int32_t ordinal = 7) {
    SpecialStringExpander expander(fs, settings, 1000);
    return expander.expand(text, path, ordinal);
  }
};

struct Row {
  const char* text;
  const char* path;
  std::int32_t ordinal;
  const char* expected;
};

TEST(SpecialStrings, Expansion) {
  const char* img = "/photos/2007/img.jpg";
  const std::vector<Row> rows{
      {"$$$", img, 7, "007"},
      {"$", img, 7, "7"},
      {"a$$b$$$c", img, 7, "a07b007c"},
      {"$$", img, 1234, "1234"},
      {"price@$@$$", img, 5, "price$05"},
      {"@$@@$@", img, 5, "$$"},
      {"$@$@", img, 5, "5$"},
      {"what?$", img, 7, "what?7"},
      {"%%", img, 7, "2007"},
      {"%%", "/x.txt", 7, ""},
      {"%6%", img, 7, "o9tW38"},
      {"%2%x%2%", img, 7, "o9xGN"},
      {"%0%", img, 7, ""},
      {"%0%_%6%", img, 7, "_GN22Pc"},
      {"%100%", img, 7, "%100%"},
      {"%abc%", img, 7, "%abc%"},
      {"%abc%%6%", img, 7, "%abc2007" "6%"},
      {"x%ab%y", img, 7, "xy"},
      {"%%%6%", img, 7, "2007o9tW38"},
      {"50%", img, 7, "50%"},
      {"%%_%2%", "/a/100%/x.txt", 7, "100%_o9"},
      {"%%", "/a/b@@c/x.txt", 7, "b@@c"},
      {"@@", "/d/may", 7, "20070501"},
      {"@@", "/d/dec", 7, "19991209"},
      {"$_@@_##", "/d/missing", 7, "7_nofiletime_nofilesize"},
      {"##", "/d/folder", 7, "0Bytes"},
      {"##", img, 7, "1.5KB"},
  };
  Env env;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(env.expand(row.text, row.path, row.ordinal), row.expected);
  }
}

TEST(SpecialStrings, Sizes) {
  const std::vector<std::pair<std::uint64_t, const char*>> rows{
      {0, "0Bytes"},          {1023, "1023Bytes"},       {1024, "1KB"},
      {1536, "1.5KB"},        {12595, "12.3KB"},         {1047552, "1023KB"},
      {1047553, "1MB"},       {4718592, "4.5MB"},        {5ull << 30, "5GB"},
      {1342177280, "1.25GB"}, {1073741824000ull, "1000GB"},
  };
  Env env;
  for (const auto& [size, expected] : rows) {
    SCOPED_TRACE(size);
    env.fs.addFile("/s/f", size);
    EXPECT_EQ(env.expand("##", "/s/f"), expected);
  }
}

TEST(SpecialStrings, RandomStringsDrawOnlyEnabledKinds) {
  Env env;
  env.settings.randomLower = env.settings.randomNumbers = false;
  EXPECT_EQ(env.expand("%6%"), "HJWXBC");
  env.settings = {};
  env.settings.randomLower = env.settings.randomUpper = false;
  EXPECT_EQ(env.expand("%6%"), "923849");
  env.settings = {};
  env.settings.randomUpper = env.settings.randomNumbers = false;
  EXPECT_EQ(env.expand("%10%"), "otyovlnyus");
}

TEST(SpecialStrings, SeedCounterAdvancesPerRandomString) {
  Env env;
  SpecialStringExpander expander(env.fs, env.settings, 1000);
  EXPECT_EQ(expander.expand("%6%", "/photos/2007/img.jpg", 1), "o9tW38");
  EXPECT_EQ(expander.expand("%6%", "/photos/2007/img.jpg", 1), "GN22Pc");
  EXPECT_EQ(expander.randomSeedCounter(), 1002u);
}

TEST(SpecialStrings, DisabledLeavesTextAsTyped) {
  Env env;
  env.settings.enabled = false;
  for (const char* text : {"$$$", "%6%", "%%", "@@", "##", "@$@"}) EXPECT_EQ(env.expand(text), text);
}

TEST(SpecialStrings, RandomDigitsCheck) {
  const std::vector<std::pair<const char*, std::optional<std::string>>> rows{
      {"%101%", "101 is too big. The max random string digits is 100."},
      {"%ab%", "The random string digits(ab) is not an integer."},
      {"%%_%6%", "The random string digits(_) is not an integer."},
      {"x%6%y%2%", std::nullopt},
      {"%100%", std::nullopt},
      {"%abc%", std::nullopt},
      {"50%", std::nullopt},
  };
  for (const auto& [text, expected] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(RandomDigitsCheck(text, true), expected);
  }
  EXPECT_EQ(RandomDigitsCheck("%ab%", false), std::nullopt);
}

}  // namespace
}  // namespace velmora::engine
