// SPDX-License-Identifier: GPL-3.0-or-later
// The field table: every field reads back what was set, defaults are a fresh record's, and a
// mistyped name finds its neighbours.

#include "batch/record_fields.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::batch {
namespace {

/// A value of the field other than its default, in the form SetField takes.
std::string OtherValue(const FieldInfo& f) {
  switch (f.type) {
    case FieldType::Text:
      return f.defaultValue + "x?";
    case FieldType::Boolean:
      return f.defaultValue == "true" ? "false" : "true";
    case FieldType::Integer:
      return std::to_string(f.defaultValue == std::to_string(f.maximum) ? f.minimum : f.maximum);
    case FieldType::Choice:
      return f.choices.back() == f.defaultValue ? f.choices.front() : f.choices.back();
  }
  return {};
}

TEST(RecordFields, EveryFieldReadsBackWhatWasSetAndStartsAtItsDefault) {
  std::set<std::string> names, controls;
  for (const auto& f : RecordFields()) {
    SCOPED_TRACE(f.name);
    EXPECT_TRUE(names.insert(f.name).second) << "name twice";
    if (!f.control.empty()) {
      EXPECT_TRUE(controls.insert(f.control).second) << "control twice";
    }
    EXPECT_FALSE(f.kinds.empty());
    RecordSettings s;
    EXPECT_EQ(FieldValue(s, f.name), f.defaultValue);
    const std::string other = OtherValue(f);
    ASSERT_EQ(SetField(s, f.name, other), std::nullopt);
    EXPECT_EQ(FieldValue(s, f.name), other);
    // Setting one field leaves every other one alone.
    for (const auto& g : RecordFields()) {
      if (g.name != f.name) {
        EXPECT_EQ(FieldValue(s, g.name), g.defaultValue) << g.name;
      }
    }
  }
  EXPECT_EQ(FieldNames().size(), RecordFields().size());
}

TEST(RecordFields, ValuesOfTheWrongFormAreRefusedByName) {
  struct Case {
    const char* name;
    const char* value;
    std::optional<std::string> error;
  };
  const Case cases[] = {
      {"removeMode", "KeepStrings", std::nullopt},
      {"removeMode", "keepstrings", "invalid value 'keepstrings' for field 'removeMode'"},
      {"atHead", "on", std::nullopt},
      {"atHead", "yes", "invalid value 'yes' for field 'atHead'"},
      {"anchorPlacement", "3", "invalid value '3' for field 'anchorPlacement'"},
      {"startNumber", "10000", std::nullopt},
      {"startNumber", "10001", "invalid value '10001' for field 'startNumber'"},
      {"CursorPos", "-1", "invalid value '-1' for field 'CursorPos'"},
      {"CursorPos", "7x", "invalid value '7x' for field 'CursorPos'"},
      {"newText", "", std::nullopt},
      {"nosuch", "1", "unknown field 'nosuch'"},
  };
  for (const auto& c : cases) {
    RecordSettings s;
    EXPECT_EQ(SetField(s, c.name, c.value), c.error) << c.name << "=" << c.value;
  }
}

TEST(RecordFields, GivenSampleAndOldExtensionAreMarked) {
  RecordSettings s;
  ASSERT_EQ(SetField(s, "SampleName", "a.b"), std::nullopt);
  ASSERT_EQ(SetField(s, "oldExtension", "jpg"), std::nullopt);
  EXPECT_TRUE(s.sampleNameSet);
  EXPECT_TRUE(s.oldExtensionSet);
  EXPECT_EQ(s.record.sample.sampleName, "a.b");
}

TEST(RecordFields, MetadataAndNearestNames) {
  const FieldInfo* mode = FindField("removeMode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(AllowedValues(*mode), "RemoveStrings|RemoveSelected|RemoveBetween|KeepSelected|KeepStrings|CleanSymbols");
  EXPECT_EQ(AllowedValues(*FindField("startNumber")), "0..10000");
  EXPECT_EQ(FindField("startNumber")->defaultValue, "1");
  EXPECT_TRUE(UsedBy(*FindField("newName"), engine::OperationKind::Change));
  EXPECT_FALSE(UsedBy(*FindField("newName"), engine::OperationKind::Remove));
  // The editor puts the focus of a refused check into the field's box.
  EXPECT_EQ(FindField("oldText")->control, "LabeledEdit1");

  using Names = std::vector<std::string>;
  EXPECT_EQ(NearestFieldNames("samplename"), Names{"SampleName"});
  EXPECT_EQ(NearestFieldNames("newTxt"), Names{"newText"});
  EXPECT_EQ(NearestFieldNames("removeText"), (Names{"removeText1", "removeText2", "removeText3"}));
  EXPECT_EQ(NearestFieldNames("extension"), (Names{"includeExtension", "extensionMode", "oldExtension"}));
  EXPECT_TRUE(NearestFieldNames("zzzzzzzz").empty());
}

}  // namespace
}  // namespace velmora::batch
