// SPDX-License-Identifier: GPL-3.0-or-later
// "Copy as command" and presets: shell quoting, the command line of an operation, preset
// names and files.

#include <gtest/gtest.h>

#include "batch/command_line.h"
#include "batch/presets.h"
#include "platform/memory_file_system.h"

namespace velmora::batch {
namespace {

TEST(ShellQuote, AnyBytesBecomeOneWord) {
  const std::pair<std::string, std::string> rows[] = {
      {"plain-name_1.txt", "plain-name_1.txt"},
      {"", "''"},
      {"two words", "'two words'"},
      {"it's", "'it'\\''s'"},
      {"$$ `x` \"q\" \\", "'$$ `x` \"q\" \\'"},
      {"line\nbreak", "'line\nbreak'"},
      {"caf\xc3\xa9 \xff", "'caf\xc3\xa9 \xff'"},
      {"-n", "-n"},
  };
  for (const auto& [word, quoted] : rows) EXPECT_EQ(ShellQuote(word), quoted) << word;
}

TEST(OperationCommandLine, TargetOrderAndChangedFields) {
  RecordSettings s;
  s.record.kind = engine::OperationKind::Replace;
  s.record.oldText = "IMG";
  s.record.newText = "trip's $$";
  s.record.removeText1 = "ignored: not a field of replace";
  TargetSet folder{"/p/my photos", FolderScope::AllLayers, {}};
  EXPECT_EQ(OperationCommandLine(s, folder, {OrderKey::Natural, false}),
            "velmora-cli replace --folder '/p/my photos' --scope 1 --order natural --set oldText=IMG --set "
            "'newText=trip'\\''s $$' --yes");
  TargetSet picked{"", FolderScope::OneLayer, {"/p/-a.txt", "/p/b c.txt"}};
  EXPECT_EQ(OperationCommandLine(s, picked, {}, "/opt/v/velmora-cli"),
            "/opt/v/velmora-cli replace --set oldText=IMG --set 'newText=trip'\\''s $$' --yes -- /p/-a.txt '/p/b c.txt'");
}

TEST(Presets, NamesFilesAndListing) {
  for (const char* bad : {"", ".hidden", "a/b", ".."}) EXPECT_TRUE(PresetNameError(bad)) << bad;
  EXPECT_TRUE(PresetNameError(std::string("a\0b", 3)));
  EXPECT_FALSE(PresetNameError("Photos by date"));

  RecordSettings s;
  s.record.kind = engine::OperationKind::Change;
  s.record.newName = "say \"hi\"\n";
  s.special.startNumber = 7;
  const std::string json = PresetJson(s);
  EXPECT_NE(json.find("\"newName\": \"say \\\"hi\\\"\\u000a\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"startNumber\": 7"), std::string::npos) << json;
  EXPECT_NE(json.find("\"capitalizeFirst\": true"), std::string::npos) << json;
  EXPECT_EQ(json.find("oldText"), std::string::npos) << json;  // replace's fields stay out

  platform::MemoryFileSystem fs;
  EXPECT_TRUE(SavePreset(fs, "/c/Tessaro/presets", "b", s));
  EXPECT_TRUE(SavePreset(fs, "/c/Tessaro/presets", "a", s));
  EXPECT_FALSE(SavePreset(fs, "/c/Tessaro/presets", "../x", s));
  fs.addFile("/c/Tessaro/presets/notes.txt");
  EXPECT_EQ(ListPresets(fs, "/c/Tessaro/presets"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(fs.readFile(PresetPath("/c/Tessaro/presets", "a")), json);
}

}  // namespace
}  // namespace velmora::batch
