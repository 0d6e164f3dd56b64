// SPDX-License-Identifier: GPL-3.0-or-later
// Extension rules: which files take part, what their new path is, and the editor's
// normalisation of the typed extensions.

#include <gtest/gtest.h>

#include "engine/extension_rules.h"

namespace velmora {
namespace {

using engine::ExtensionMode;
using engine::OutcomeKind;

struct Row {
  const char* name;
  std::string path;
  ExtensionMode mode;
  std::string oldExtension;
  std::string newExtension;
  bool all;
  bool upper;
  OutcomeKind kind;
  std::string newPath;
};

TEST(ExtensionRules, Table) {
  const auto change = ExtensionMode::ChangeExtension;
  const auto convert = ExtensionMode::ConvertExtensionCase;
  const Row rows[] = {
      {"comparison ignores case", "/p/notes.TXT", change, ".txt", ".md", false, false, OutcomeKind::Rename, "/p/notes.md"},
      {"only the last extension counts", "/p/notes.txt.bak", change, ".txt", ".md", false, false, OutcomeKind::Unchanged, ""},
      {"all types", "/p/a.jpeg", change, "", ".jpg", true, false, OutcomeKind::Rename, "/p/a.jpg"},
      {"all types adds to a file without one", "/p/README", change, "", ".jpg", true, false, OutcomeKind::Rename, "/p/README.jpg"},
      {"all types: same extension is unchanged", "/p/b.jpg", change, "", ".jpg", true, false, OutcomeKind::Unchanged, ""},
      {"empty old selects files without extension", "/p/README", change, "", ".txt", false, false, OutcomeKind::Rename, "/p/README.txt"},
      {"empty old leaves others", "/p/a.doc", change, "", ".txt", false, false, OutcomeKind::Unchanged, ""},
      {"empty new removes", "/p/x.bak", change, ".bak", "", false, false, OutcomeKind::Rename, "/p/x"},
      {"a.tar.gz", "/p/a.tar.gz", change, ".gz", ".tgz", false, false, OutcomeKind::Rename, "/p/a.tar.tgz"},
      {"dot file is all extension", "/p/.htaccess", change, ".htaccess", ".txt", false, false, OutcomeKind::Rename, "/p/.txt"},
      {"lower case", "/p/PIC.JPG", convert, "", "", false, false, OutcomeKind::Rename, "/p/PIC.jpg"},
      {"already lower", "/p/pic.jpg", convert, "", "", false, false, OutcomeKind::Unchanged, ""},
      {"no extension to convert", "/p/README", convert, "", "", false, false, OutcomeKind::Unchanged, ""},
      {"upper case", "/p/song.Mp3", convert, "", "", false, true, OutcomeKind::Rename, "/p/song.MP3"},
      {"accented lower stays lower", "/p/x.\xc3\xa9X", convert, "", "", false, false, OutcomeKind::Rename, "/p/x.\xc3\xa9x"},
      {"UTF-8 letters convert", "/p/x.\xc3\xa9\xd1\x84", convert, "", "", false, true, OutcomeKind::Rename, "/p/x.\xc3\x89\xd0\xa4"},
      {"folder part untouched", "/P.D/f.TXT", convert, "", "", false, false, OutcomeKind::Rename, "/P.D/f.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    engine::OperationRecord record;
    record.kind = engine::OperationKind::Extension;
    record.extensionMode = row.mode;
    record.oldExtension = row.oldExtension;
    record.newExtension = row.newExtension;
    record.allExtensions = row.all;
    record.extensionUpper = row.upper;
    auto outcome = engine::ApplyExtensionRule(record, {row.path, false}, platform::Utf8CodePage());
    EXPECT_EQ(outcome.kind, row.kind);
    EXPECT_EQ(outcome.newPath, row.newPath);
  }
}

TEST(ExtensionRules, FoldersAreNeverTouched) {
  engine::OperationRecord record;
  record.kind = engine::OperationKind::Extension;
  record.allExtensions = true;
  record.newExtension = ".x";
  EXPECT_EQ(engine::ApplyExtensionRule(record, {"/p/my.docs", true}, platform::Utf8CodePage()).kind,
            OutcomeKind::NotApplicable);
}

TEST(ExtensionRules, ComparisonUsesTheCodePagesCaseMapping) {
  engine::OperationRecord record;
  record.kind = engine::OperationKind::Extension;
  record.oldExtension = ".\xc3\xa9t\xc3\xa9";  // .été
  record.newExtension = ".ete";
  auto outcome = engine::ApplyExtensionRule(record, {"/p/a.\xc3\x89T\xc3\x89", false}, platform::Utf8CodePage());
  EXPECT_EQ(outcome.newPath, "/p/a.ete");
  record.oldExtension = ".\xe9";  // 1252: é
  outcome = engine::ApplyExtensionRule(record, {"/p/a.\xc9", false}, platform::Windows1252CodePage());
  EXPECT_EQ(outcome.newPath, "/p/a.ete");
}

TEST(ExtensionRules, CaseConversionNeverChangesADoubleByteCharacter) {
  engine::OperationRecord record;
  record.kind = engine::OperationKind::Extension;
  record.extensionMode = ExtensionMode::ConvertExtensionCase;
  record.extensionUpper = true;
  const auto& page = platform::Windows932CodePage();
  // "\x83\x61" is one katakana whose trail byte has the value of "a".
  EXPECT_EQ(engine::ApplyExtensionRule(record, {"/p/a.\x83\x61", false}, page).kind, OutcomeKind::Unchanged);
  EXPECT_EQ(engine::ApplyExtensionRule(record, {"/p/a.\x83\x61x", false}, page).newPath, "/p/a.\x83\x61X");
  record.extensionUpper = false;
  EXPECT_EQ(engine::ApplyExtensionRule(record, {"/p/a.\x83\x41X", false}, page).newPath, "/p/a.\x83\x41x");
}

TEST(ExtensionNormalisation, TypedTextsBecomeDottedExtensions) {
  struct Case {
    std::string typed, normalised, dotted;
  };
  const Case cases[] = {
      {"..txt.", "txt", ".txt"}, {"txt", "txt", ".txt"}, {".md", ".md", ".md"}, {"....jpg", "jpg", ".jpg"},
      {"...", ".", "."},         {".", ".", "."},       {"", "", ""},          {"a..", "a", ".a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(engine::NormalizeNewExtension(c.typed), c.normalised);
    EXPECT_EQ(engine::WithLeadingDot(engine::NormalizeNewExtension(c.typed)), c.dotted);
  }
}

}  // namespace
}  // namespace velmora
