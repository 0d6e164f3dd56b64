// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows file system: names compare without case, a rename that only changes case
// still happens, the read-only log is replaced, drive roots and both separators are paths,
// and the journal's lock lets its holder's readers and the clean-up through.

#ifdef _WIN32

#include "platform/windows_api.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/name_model.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/user_dirs.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using platform::EntryKind;
using platform::RenameStatus;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> out;
  auto entries = platform::RealFileSystem().listFolder(folder);
  if (!entries) return {"(unreadable)"};
  for (const auto& e : *entries) out.push_back(e.name + (e.isDirectory ? "\\" : ""));
  return out;
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

TEST(Win32FileSystem, NamesCollideWithoutRegardToCase) {
  testing::TempTree tree;
  tree.make({"report.txt", "other.doc", "Sub/"});
  auto& fs = platform::RealFileSystem();
  EXPECT_EQ(fs.kind(tree.path("REPORT.TXT")), EntryKind::File);
  EXPECT_EQ(fs.kind(tree.path("sub")), EntryKind::Directory);
  EXPECT_EQ(fs.rename(tree.path("other.doc"), tree.path("REPORT.TXT")), RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(tree.path("other.doc"), tree.path("SUB")), RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(tree.path("Sub"), tree.path("Report.Txt")), RenameStatus::TargetExists);
  EXPECT_EQ(Names(tree.root()), (std::vector<std::string>{"other.doc", "report.txt", "Sub\\"}));
}

// Records the steps of case-only renames through a temporary name: each before its move
// (the temporary name still free), settled once the item is at a name of its own again.
class StepRecorder final : public platform::ClaimJournal {
 public:
  bool claiming(const std::string&) override { return true; }
  void claimed(const std::string& path) override { steps.push_back("settled " + path); }
  bool steppingAside(const std::string& from, const std::string& tmp, const std::string& to) override {
    EXPECT_EQ(::GetFileAttributesA(tmp.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(platform::LastComponent(to).size(), platform::LastComponent(from).size());
    steps.push_back("aside " + tmp);
    return !refuse;
  }
  std::vector<std::string> steps;
  bool refuse = false;
};

TEST(Win32FileSystem, CaseOnlyRenamesChangeTheStoredName) {
  struct Row {
    const char* name;
    std::string from, to;
    bool folder;
  };
  const Row rows[] = {
      {"file to lower case", "ABC.TXT", "abc.txt", false},
      {"file, extension only", "Photo.JPG", "Photo.jpg", false},
      {"folder with contents", "DIR", "dir", true},
      {"Western letters above ASCII", "caf\xe9.txt", "CAF\xc9.TXT", false},
  };
  auto& fs = platform::RealFileSystem();
  auto listing = [](const std::string& name, bool folder) {
    std::vector<std::string> names{name + (folder ? "\\" : ""), "neighbour.txt"};
    std::sort(names.begin(), names.end(), platform::FolderOrderLess);
    return names;
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (static_cast<unsigned char>(row.from[3]) > 0x7F && ::GetACP() != 1252) continue;  // 1252 bytes
    testing::TempTree tree;
    tree.make({row.folder ? row.from + "/inner.txt" : row.from, "neighbour.txt"});
    StepRecorder journal;
    fs.setClaimJournal(&journal);
    ASSERT_EQ(fs.rename(tree.path(row.from), tree.path(row.to)), RenameStatus::Renamed);
    // A step through a temporary name is recorded first and settled after.
    for (std::size_t i = 0; i < journal.steps.size(); i += 2) {
      EXPECT_EQ(journal.steps[i].rfind("aside ", 0), 0u);
      EXPECT_EQ(journal.steps.at(i + 1), "settled " + journal.steps[i].substr(6));
    }
    // Wine keeps the old case on a plain rename: every change goes through the step there.
    if (::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
      EXPECT_EQ(journal.steps.size(), 2u);
    }
    // A journal that cannot take the step: nothing moves.
    journal.refuse = true;
    journal.steps.clear();
    if (fs.rename(tree.path(row.to), tree.path(row.from)) != RenameStatus::Renamed) {
      EXPECT_EQ(journal.steps.size(), 1u);
    } else {
      EXPECT_EQ(journal.steps.size(), 0u);
      ASSERT_EQ(fs.rename(tree.path(row.from), tree.path(row.to)), RenameStatus::Renamed);
    }
    fs.setClaimJournal(nullptr);
    EXPECT_EQ(Names(tree.root()), listing(row.to, row.folder));  // byte for byte, no temporary left
    if (row.folder) {
      EXPECT_EQ(Names(tree.path(row.to)), std::vector<std::string>{"inner.txt"});
    }
    ASSERT_EQ(fs.rename(tree.path(row.to), tree.path(row.from)), RenameStatus::Renamed);  // and back
    EXPECT_EQ(Names(tree.root()), listing(row.from, row.folder));
  }
}

TEST(Win32FileSystem, RenameToItselfIsTakenAndIntoAMissingFolderFails) {
  testing::TempTree tree;
  tree.make({"a.txt", "d/"});
  auto& fs = platform::RealFileSystem();
  EXPECT_EQ(fs.rename(tree.path("a.txt"), tree.path("a.txt")), RenameStatus::TargetExists);
  EXPECT_EQ(fs.rename(tree.path("a.txt"), tree.path("missing/a.txt")), RenameStatus::Failed);
  EXPECT_EQ(fs.rename(tree.path("d"), tree.path("d/inner")), RenameStatus::Failed);
  EXPECT_EQ(fs.rename(tree.path("gone.txt"), tree.path("b.txt")), RenameStatus::Failed);
  EXPECT_EQ(Names(tree.root()), (std::vector<std::string>{"a.txt", "d\\"}));
}

TEST(Win32FileSystem, ReadOnlyLogIsReplacedAndRemoved) {
  testing::TempTree tree;
  auto& fs = platform::RealFileSystem();
  const std::string log = tree.path("rollback.rbk");
  ASSERT_TRUE(fs.writeFileAtomic(log, "one\r\n", true));
  EXPECT_TRUE(Attributes(log) & FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(fs.writeFileAtomic(log, "two\r\n", true));
  EXPECT_EQ(fs.readFile(log), std::optional<std::string>("two\r\n"));
  EXPECT_TRUE(Attributes(log) & FILE_ATTRIBUTE_READONLY);
  // A history file that someone made read-only is written all the same, and stays writable.
  const std::string history = tree.path("Newname.txt");
  tree.writeFile("Newname.txt", "old\r\n");
  ASSERT_TRUE(::SetFileAttributesA(history.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(fs.writeFileAtomic(history, "new\r\n", false));
  EXPECT_FALSE(Attributes(history) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(tree.readFile("Newname.txt"), "new\r\n");
  EXPECT_EQ(Names(tree.root()), (std::vector<std::string>{"Newname.txt", "rollback.rbk"}));
  EXPECT_TRUE(fs.removeFile(log));
  EXPECT_FALSE(fs.exists(log));
  EXPECT_FALSE(fs.removeFile(log));
}

TEST(Win32FileSystem, JournalLockLetsReadersAndTheCleanUpThrough) {
  testing::TempTree tree;
  auto& fs = platform::RealFileSystem();
  const std::string journal = tree.path("rollback.rbk.journal");
  auto held = fs.openLockedAppend(journal);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(fs.openLockedAppend(journal), nullptr);
  EXPECT_FALSE(fs.isUnlocked(journal));
  ASSERT_TRUE(held->append("a\r\nb\r\n"));
  ASSERT_TRUE(held->append("c\r\nd\r\n"));
  ASSERT_TRUE(held->truncateTo(6));
  ASSERT_TRUE(held->append("e\r\nf\r\n"));
  EXPECT_TRUE(held->sync());
  // Start-up recovery reads the journal while holding it; the run's end deletes it while
  // still holding it.
  EXPECT_EQ(fs.readFile(journal), std::optional<std::string>("a\r\nb\r\ne\r\nf\r\n"));
  EXPECT_TRUE(fs.removeFile(journal));
  held.reset();
  EXPECT_FALSE(fs.exists(journal));
  EXPECT_FALSE(fs.isUnlocked(journal));  // nothing left to take over

  auto again = fs.openLockedAppend(journal);
  ASSERT_NE(again, nullptr);
  again.reset();
  EXPECT_TRUE(fs.isUnlocked(journal));
}

TEST(Win32FileSystem, EntryInfoGivesSizeAndLocalTime) {
  testing::TempTree tree;
  tree.writeFile("f.bin", std::string(1234, 'x'));
  tree.make({"d/"});
  const std::string file = tree.path("f.bin");
  SYSTEMTIME local{};
  local.wYear = 2007;
  local.wMonth = 5;
  local.wDay = 1;
  local.wHour = 12;
  local.wMinute = 34;
  local.wSecond = 56;
  FILETIME localTime, utc;
  ASSERT_TRUE(::SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(::LocalFileTimeToFileTime(&localTime, &utc));
  {
    HANDLE h = ::CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(h, nullptr, nullptr, &utc));
    ::CloseHandle(h);
  }
  auto info = platform::RealFileSystem().entryInfo(file);
  ASSERT_TRUE(info.has_value());
  EXPECT_FALSE(info->isDirectory);
  EXPECT_EQ(info->size, 1234u);
  const auto& t = info->lastWrite;
  EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
            (std::vector<int>{2007, 5, 1, 12, 34, 56}));
  auto folder = platform::RealFileSystem().entryInfo(tree.path("d"));
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(folder->isDirectory);
  EXPECT_EQ(folder->size, 0u);
  EXPECT_FALSE(platform::RealFileSystem().entryInfo(tree.path("missing")).has_value());
}

TEST(Win32FileSystem, FoldersListAndAreMadeWithEitherSeparator) {
  testing::TempTree tree;
  auto& fs = platform::RealFileSystem();
  tree.make({"empty/", "f.txt"});
  EXPECT_EQ(Names(tree.path("empty")), std::vector<std::string>{});
  EXPECT_FALSE(fs.listFolder(tree.path("f.txt")).has_value());
  EXPECT_FALSE(fs.listFolder(tree.path("missing")).has_value());
  EXPECT_TRUE(fs.makeFolders(tree.root() + "\\a\\b/c\\"));
  EXPECT_TRUE(fs.isDirectory(tree.root() + "/a/b/c"));
  EXPECT_TRUE(fs.makeFolders(tree.root() + "\\a"));  // already there
  EXPECT_FALSE(fs.makeFolders(tree.path("f.txt") + "\\x"));
  // A drive root lists and is a folder.
  const std::string drive = tree.root().substr(0, 3);
  ASSERT_EQ(drive[1], ':');
  EXPECT_EQ(fs.kind(drive), EntryKind::Directory);
  auto rootEntries = fs.listFolder(drive);
  ASSERT_TRUE(rootEntries.has_value());
  EXPECT_FALSE(rootEntries->empty());
  EXPECT_TRUE(std::is_sorted(rootEntries->begin(), rootEntries->end(),
                             [](const auto& a, const auto& b) { return platform::FolderOrderLess(a.name, b.name); }));
}

TEST(Win32Paths, DriveRootsSharesAndBothSeparators) {
  struct Split {
    const char* path;
    const char* folder;
    const char* base;
    const char* ext;
  };
  const Split splits[] = {
      {"C:\\w\\trip.2007.jpg", "C:\\w\\", "trip.2007", ".jpg"},
      {"C:/w/a.txt", "C:/w/", "a", ".txt"},
      {"C:\\w/mixed\\b.txt", "C:\\w/mixed\\", "b", ".txt"},
      {"C:a.txt", "C:", "a", ".txt"},
      {"C:\\a.txt", "C:\\", "a", ".txt"},
      {"\\\\server\\share\\f.doc", "\\\\server\\share\\", "f", ".doc"},
  };
  for (const Split& s : splits) {
    SCOPED_TRACE(s.path);
    EXPECT_EQ(engine::FolderPart(s.path), s.folder);
    EXPECT_EQ(engine::BaseName(s.path, false), s.base);
    EXPECT_EQ(engine::Extension(s.path, false), s.ext);
  }
  for (const char* root : {"C:\\", "C:", "c:/", "\\", "/", "\\\\server\\share", "\\\\server\\share\\"})
    EXPECT_TRUE(platform::IsRootPath(root)) << root;
  for (const char* notRoot : {"C:\\w", "C:\\w\\", "\\\\server", "\\\\server\\", "\\\\server\\share\\x", "w", ""})
    EXPECT_FALSE(platform::IsRootPath(notRoot)) << notRoot;
  EXPECT_EQ(platform::JoinPath("C:\\", "a"), "C:\\a");
  EXPECT_EQ(platform::JoinPath("C:\\w", "a"), "C:\\w\\a");
  EXPECT_EQ(platform::JoinPath("C:/w", "a"), "C:/w/a");
  EXPECT_EQ(platform::JoinPath("C:/w\\x", "a"), "C:/w\\x\\a");
  EXPECT_EQ(platform::LastComponent("C:\\w\\b\\"), "b");
  EXPECT_EQ(platform::LastComponent("C:/w/b"), "b");
}

// The system's page follows the ANSI code page; the Windows leg also runs this test under
// Greek (1253), Chinese (936) and Japanese (932) system locales.
TEST(Win32System, CodePageAndProgramFolder) {
  const platform::CodePage& page = platform::SystemCodePage();
  const UINT acp = ::GetACP();
  switch (acp) {
    case 1252: EXPECT_EQ(&page, &platform::Windows1252CodePage()); break;
    case 932: EXPECT_EQ(&page, &platform::Windows932CodePage()); break;
    case CP_UTF8: EXPECT_EQ(&page, &platform::Utf8CodePage()); break;
    default: {
      EXPECT_EQ(page.id(), platform::CodePageId::WindowsAnsi);
      EXPECT_EQ(page.name(), std::to_string(acp));
      EXPECT_TRUE(page.equalsNoCase("Abc", "aBC"));
      break;
    }
  }
  if (acp == 1253) {  // Greek, one byte a letter: alpha beta in both cases
    EXPECT_FALSE(page.isLeadByte(0xE1));
    EXPECT_TRUE(page.equalsNoCase("\xe1\xe2.txt", "\xc1\xc2.TXT"));
    EXPECT_EQ(page.toUpper("\xe1\xe2"), "\xc1\xc2");
    EXPECT_EQ(page.toLower("\xc1\xc2"), "\xe1\xe2");
    std::size_t length = 0;
    EXPECT_EQ(page.findNoCase("x\xc1\xc2y", "\xe2", 0, length), 2u);
  }
  if (acp == 936) {  // Chinese, double byte: a character, then full-width a / A
    EXPECT_TRUE(page.isLeadByte(0xB0));
    EXPECT_FALSE(page.isLeadByte('a'));
    EXPECT_EQ(page.charLength("\xb0\xa1x", 0), 2u);
    EXPECT_EQ(page.charLength("\xb0\xa1x", 2), 1u);
    EXPECT_TRUE(page.equalsNoCase("\xa3\xe1", "\xa3\xc1"));
    std::size_t length = 0;
    // "\xa1x" lies across a character's trail byte and never matches there.
    EXPECT_EQ(page.findNoCase("\xb0\xa1X", "\xa1x", 0, length), std::string::npos);
    EXPECT_EQ(page.findNoCase("\xb0\xa1X", "x", 0, length), 2u);
  }
  const std::string exe = platform::ExecutablePath();
  ASSERT_GT(exe.size(), 4u);
  EXPECT_TRUE(platform::Windows1252CodePage().equalsNoCase(exe.substr(exe.size() - 4), ".exe")) << exe;
  EXPECT_EQ(platform::DefaultProgramFolder() + "\\" + platform::LastComponent(exe), exe);
  char profile[MAX_PATH] = {};
  if (::GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH)) {
    EXPECT_EQ(platform::HomeFolder(), profile);
  }
}

}  // namespace
}  // namespace velmora

#endif
