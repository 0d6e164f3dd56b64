// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "engine/name_model.h"

namespace velmora::engine {
namespace {

TEST(NameModel, SplitsPaths) {
  struct Row {
    const char* path;
    bool folder;
    const char* folderPart;
    const char* base;
    const char* extension;
  };
  const std::vector<Row> rows{
      {"/p/trip.2007.jpg", false, "/p/", "trip.2007", ".jpg"},
      {"/p/my.docs", true, "/p/", "my.docs", ""},
      {"/p/readme", false, "/p/", "readme", ""},
      {"/p/.htaccess", false, "/p/", "", ".htaccess"},
      {"/p/a.b.c", false, "/p/", "a.b", ".c"},
      {"/p/trailing.", false, "/p/", "trailing", "."},
      {"name.txt", false, "", "name", ".txt"},
      {"", false, "", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(FolderPart(row.path), row.folderPart);
    EXPECT_EQ(BaseName(row.path, row.folder), row.base);
    EXPECT_EQ(Extension(row.path, row.folder), row.extension);
    EXPECT_EQ(FolderPart(row.path) + BaseName(row.path, row.folder) + Extension(row.path, row.folder), row.path);
  }
}

TEST(NameModel, SharedStringOperations) {
  EXPECT_EQ(Substring("abc", 0, 2), "ab");
  EXPECT_EQ(Substring("abc", 3, 5), "c");
  EXPECT_EQ(Substring("abc", 4, 1), "");
  EXPECT_EQ(Substring("abc", 2, 0), "");
  EXPECT_EQ(InsertAt("abc", 0, "-"), "-abc");
  EXPECT_EQ(InsertAt("abc", 3, "-"), "ab-c");
  EXPECT_EQ(InsertAt("abc", 9, "-"), "abc-");
  EXPECT_EQ(Trim("\t a b \x01"), "a b");
  EXPECT_EQ(TrimLeft(" \x1f" "a "), "a ");
  EXPECT_EQ(AsciiUpper("\xe9t\xe9"), "\xe9T\xe9");
  EXPECT_EQ(PositionOf("abcabc", "ca"), 3);
  EXPECT_EQ(PositionOf("abc", ""), 0);
}

}  // namespace
}  // namespace velmora::engine
