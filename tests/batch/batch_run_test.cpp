// SPDX-License-Identifier: GPL-3.0-or-later
// The batch run: clean-up, collision numbering, the last path check, planted files,
// hand-picked list upkeep, preview rows that equal what the run then does, and runs cut
// short by a power cut at every step.

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <filesystem>

#include "batch/batch_run.h"
#include "batch/undo.h"
#include "platform/memory_file_system.h"
#include "platform/rename_faults.h"
#include "support/recording_messages.h"
#include "support/temp_tree.h"

namespace velmora {
namespace {

using batch::FolderScope;
using batch::RunMode;
using engine::OperationKind;

class ListRecorder final : public batch::RunHooks {
 public:
  void addEntry(const std::string& text) override { entries.push_back(text); }
  std::vector<std::string> entries;
};

engine::OperationRecord ChangeExtension(const std::string& oldExt, const std::string& newExt, bool all = false) {
  engine::OperationRecord r;
  r.kind = OperationKind::Extension;
  r.oldExtension = oldExt;
  r.newExtension = newExt;
  r.allExtensions = all;
  return r;
}

struct Runner {
  explicit Runner(platform::FileSystem& fs) : fs(fs) {}
  batch::BatchRun& run(const engine::OperationRecord& record, batch::TargetSet target,
                       RunMode mode = RunMode::Rename, int previewCount = 20, batch::ItemOrder order = {}) {
    request = {record, std::move(target), mode, 1, previewCount, false, order};
    batchRun = std::make_unique<batch::BatchRun>(fs, platform::Utf8CodePage(), messages, hooks, stop, expander);
    batchRun->setJournal(journal);
    batchRun->execute(request);
    return *batchRun;
  }
  platform::FileSystem& fs;
  testing::RecordingMessages messages;
  ListRecorder hooks;
  batch::StopFlag stop;
  engine::SpecialStringSettings special;
  engine::SpecialStringExpander expander{fs, special, 1000};
  batch::RunRequest request;
  batch::RunJournal* journal = nullptr;
  std::unique_ptr<batch::BatchRun> batchRun;
};

std::vector<std::string> Renamed(const batch::BatchRun& run) {
  std::vector<std::string> out;
  for (const auto& p : run.renamed()) out.push_back(p.oldPath + " -> " + p.newPath);
  return out;
}

TEST(BatchRun, CollidingNamesGetTheFirstFreeNumberBeforeTheExtension) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/x.doc");
  fs.addFile("/w/x.md");
  fs.addFile("/w/x.txt");
  fs.addFile("/w/x(1).md");
  Runner r(fs);
  auto& run = r.run(ChangeExtension("", ".md", true), {"/w", FolderScope::OneLayer, {}});
  EXPECT_EQ(Renamed(run), (std::vector<std::string>{"/w/x.doc -> /w/x(2).md", "/w/x.txt -> /w/x(3).md"}));
  // x.md tried and refused, x(1).md seen taken without a rename, x(2).md, then x(3).md.
  EXPECT_EQ(fs.renameCalls().size(), 3u);
  EXPECT_EQ(run.log().entries(),
            (std::vector<std::string>{"/w/x(2).md", "/w/x.doc", "/w/x(3).md", "/w/x.txt"}));
  // With a journal: the refused rename's pair was withdrawn, so it holds the log's bytes.
  fs.addFile("/w/y.doc");
  fs.addFile("/w/y.md");
  fs.addFolder("/state");
  batch::RunJournal journal(fs, "/state");
  Runner j(fs);
  j.journal = &journal;
  auto& second = j.run(ChangeExtension(".doc", ".md"), {"/w", FolderScope::OneLayer, {}});
  EXPECT_EQ(Renamed(second), std::vector<std::string>{"/w/y.doc -> /w/y(1).md"});
  EXPECT_EQ(fs.readFile(journal.path()), std::optional<std::string>(second.log().text()));
}

TEST(BatchRun, LeadingBlanksAndDotsAreCleanedAway) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/   .txt");
  fs.addFile("/w/..notes.txt");
  fs.addFile("/w/....txt");
  fs.setListingRules({true, ""});
  Runner r(fs);
  auto& run = r.run(ChangeExtension(".txt", ".md"), {"/w", FolderScope::OneLayer, {}});
  // Where a leading dot hides an item, it is part of the name: one is kept.
  EXPECT_EQ(Renamed(run), platform::kLeadingDotHides
                              ? (std::vector<std::string>{"/w/   .txt -> /w/(none).md", "/w/....txt -> /w/.(none).md",
                                                          "/w/..notes.txt -> /w/.notes.md"})
                              : (std::vector<std::string>{"/w/   .txt -> /w/(none).md",
                                                          "/w/....txt -> /w/(none)(1).md",
                                                          "/w/..notes.txt -> /w/notes.md"}));
}

TEST(BatchRun, NewPathCheckRefusesReservedNamesAndLongPaths) {
  struct Row {
    const char* name;
    std::string file;
    std::string newExtension;
    bool refused;
    std::string dir = "/w/";
  };
  const std::string base251(255 - 4, 'n');  // with ".txt": a name of 255 bytes
  const std::string deep = "/" + std::string(200, 'd') + "/" + std::string(100, 'e') + "/";
  const Row rows[] = {
      {"con.txt", "con.doc", ".txt", true},
      {"nul without extension", "nul.doc", "", true},
      {"upper case is not reserved", "CON.doc", ".txt", false},
      {"only the last dot splits", "con.tar.doc", ".gz", false},
      {"a name of 255 bytes passes", base251 + ".doc", ".txt", false},
      {"a name of 256 bytes is refused", base251 + ".doc", ".txt1", true},
      {"a short name in a path over 255 bytes passes", "short.doc", ".txt", false, deep},
      {"a name of 255 bytes in a long path passes", base251 + ".doc", ".txt", false, deep},
      {"a name of 256 bytes in a long path is refused", base251 + ".doc", ".txt1", true, deep},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string& dir = row.dir;
    platform::MemoryFileSystem fs;
    fs.addFile(dir + row.file);
    fs.addFile(dir + "other.doc");
    Runner r(fs);
    auto& run = r.run(ChangeExtension(".doc", row.newExtension), {dir, FolderScope::OneLayer, {}});
    EXPECT_EQ(run.renamed().size(), row.refused ? 1u : 2u);  // the run goes on with other.doc
    EXPECT_EQ(r.messages.shown.size(), row.refused ? 1u : 0u);
    EXPECT_TRUE(fs.exists(dir + row.file) == row.refused);
  }
}

TEST(BatchRun, ReservedAndTooLongMessagesAreExact) {
  platform::MemoryFileSystem fs;
  Runner r(fs);
  batch::BatchRun run(fs, platform::Utf8CodePage(), r.messages, r.hooks, r.stop, r.expander);
  EXPECT_FALSE(run.newPathCheck("/w/aux.txt"));
  EXPECT_FALSE(run.newPathCheck("/w/com1"));
  EXPECT_TRUE(run.newPathCheck("/w/con.tar.gz"));  // the base is "con.tar"
  EXPECT_TRUE(run.newPathCheck("/w/console.txt"));
  EXPECT_TRUE(run.newPathCheck("/con/nul.x/a.txt"));
  EXPECT_FALSE(run.newPathCheck("/" + std::string(256, 'a')));
  EXPECT_TRUE(run.newPathCheck("/" + std::string(255, 'a')));
  EXPECT_TRUE(run.newPathCheck("/" + std::string(255, 'a') + "/" + std::string(255, 'a')));
  EXPECT_EQ(r.messages.texts(),
            (std::vector<std::string>{
                "The new filename: 'aux.txt' can not be assigned, because some names(con, aux, com1, lpt1, prn, "
                "nul) are reserved by Windows, you should use another name.",
                "The new filename: 'com1' can not be assigned, because some names(con, aux, com1, lpt1, prn, "
                "nul) are reserved by Windows, you should use another name.",
                "The new filename: '/" + std::string(256, 'a') +
                    "' can not be assigned, because the filename(plus path) is too long(>255 characters), you "
                    "should shorten it."}));
}

TEST(BatchRun, CaseConversionIsNotNumberedAndReplacesNothing) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/PIC.JPG", 1);
  fs.addFile("/w/PIC.jpg", 2);  // another file on a case-sensitive file system
  fs.addFile("/w/B.TXT");
  engine::OperationRecord record;
  record.kind = OperationKind::Extension;
  record.extensionMode = engine::ExtensionMode::ConvertExtensionCase;
  Runner r(fs);
  auto& run = r.run(record, {"/w", FolderScope::OneLayer, {}});
  EXPECT_EQ(Renamed(run), std::vector<std::string>{"/w/B.TXT -> /w/B.txt"});
  EXPECT_EQ(fs.node("/w/PIC.jpg")->size, 2u);
  EXPECT_TRUE(fs.exists("/w/PIC.JPG"));
  // Names made to travel may meet another item's name: numbered, as any new name.
  fs.addFile("/w/Café.txt");
  fs.addFile("/w/Cafe.txt");
  fs.addFile("/w/a*b");
  fs.addFile("/w/a_b");
  for (const auto style : {engine::CaseStyle::RemoveAccents, engine::CaseStyle::WindowsSafe}) {
    engine::OperationRecord travel;
    travel.kind = OperationKind::Change;
    travel.changeMode = engine::ChangeMode::ConvertCase;
    travel.caseStyle = style;
    Runner t(fs);
    t.run(travel, {"", FolderScope::OneLayer, {"/w/Café.txt", "/w/a*b"}});
  }
  EXPECT_TRUE(fs.exists("/w/Cafe(1).txt"));
  EXPECT_TRUE(fs.exists("/w/a_b(1)"));
}

// Where names ignore case (FAT, exFAT, SMB) the new spelling names the item itself: each case
// change goes through a temporary name, both pairs journalled, and is never numbered; undo
// brings the old spelling back, as it does from the journal of a run killed between the two
// renames.
TEST(BatchRun, CaseChangesWhereNamesIgnoreCase) {
  engine::OperationRecord toCase;
  toCase.kind = OperationKind::Change;
  toCase.changeMode = engine::ChangeMode::ConvertCase;
  toCase.capitalizeFirst = false;
  struct Row {
    engine::OperationRecord record;
    engine::CaseStyle style;
    const char* name;
    const char* expected;
  };
  const Row rows[] = {
      {ChangeExtension(".JPG", ".jpg"), {}, "/w/IMG_0001.JPG", "/w/IMG_0001.jpg"},
      {toCase, engine::CaseStyle::Lower, "/w/IMG_0001.JPG", "/w/img_0001.jpg"},
      {toCase, engine::CaseStyle::Upper, "/w/img_0001.jpg", "/w/IMG_0001.JPG"},
      {toCase, engine::CaseStyle::CapitalizeWords, "/w/img_0001.jpg", "/w/Img_0001.jpg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    platform::MemoryFileSystem fs;
    fs.ignoreCase(true);
    fs.addFile(row.name, 7);
    fs.addFolder("/state");
    batch::RunJournal journal(fs, "/state");
    Runner r(fs);
    r.journal = &journal;
    engine::OperationRecord record = row.record;
    record.caseStyle = row.style;
    auto& run = r.run(record, {"/w", FolderScope::OneLayer, {}});
    EXPECT_EQ(Renamed(run), std::vector<std::string>{std::string(row.name) + " -> " + row.expected});
    EXPECT_EQ(run.counts().renamed, 1u);
    EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/state/rollback.rbk.journal", "/w",
                                                       row.expected}));
    // The journal: old -> temporary -> new, so a replay from its end restores.
    const auto lines = batch::SplitLines(fs.node("/state/rollback.rbk.journal")->content);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], row.name);
    EXPECT_EQ(lines[0], lines[3]);
    EXPECT_EQ(lines[2], row.expected);
    EXPECT_EQ(lines[0].rfind("/w/.", 0), 0u) << "a hidden name beside the item";
    EXPECT_LT(lines[0].size(), 30u);
    // Killed between the renames: the item under its temporary name; recovery finishes the
    // change, and undo brings it back by both steps.
    ASSERT_EQ(fs.rename(row.expected, lines[0]), platform::RenameStatus::Renamed);
    journal.discard();
    const std::string records = lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n" + lines[3] + "\r\n";
    fs.writeFileAtomic("/state/rollback.rbk.journal", records, false);
    ASSERT_TRUE(batch::RecoverJournal(fs, "/state"));
    EXPECT_EQ(fs.allPaths().back(), row.expected);
    batch::NoHooks none;
    batch::StopFlag stop;
    const auto killed = batch::ReplayUndo(fs, "/state", *fs.readFile("/state/rollback.rbk"), stop, none, false);
    EXPECT_EQ(killed.restored, 1u);  // one item, back by two steps
    EXPECT_TRUE(fs.exists(row.name) && fs.node(row.name)->size == 7u);
    EXPECT_EQ(fs.allPaths().back(), row.name);
    // Killed before the first rename: the old spelling is not taken for the new one, and
    // recovery finds nothing to undo.
    fs.writeFileAtomic("/state/rollback.rbk.journal", records, false);
    EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
    EXPECT_EQ(fs.allPaths().back(), row.name);
    // Where renames cannot refuse to replace, a step's name is reserved first (an empty
    // entry and its claim): killed with the temporary name reserved, the reservation goes;
    // killed with the new name reserved, it goes and the change is finished.
    fs.addFile(lines[0], 0);
    fs.writeFileAtomic("/state/rollback.rbk.journal", records + lines[0] + "\r\n" + lines[0] + "\r\n", false);
    EXPECT_FALSE(batch::RecoverJournal(fs, "/state"));
    EXPECT_EQ(fs.allPaths(), (std::vector<std::string>{"/state", "/w", row.name}));
    ASSERT_EQ(fs.rename(row.name, lines[0]), platform::RenameStatus::Renamed);
    fs.addFile(row.expected, 0);
    fs.writeFileAtomic("/state/rollback.rbk.journal", records + lines[2] + "\r\n" + lines[2] + "\r\n", false);
    EXPECT_TRUE(batch::RecoverJournal(fs, "/state"));
    EXPECT_EQ(fs.allPaths().back(), row.expected);
    EXPECT_EQ(fs.node(row.expected)->size, 7u);
    // The one pair of a whole run's log goes back by the same way.
    fs.rename(row.name, "/w/x");
    fs.rename("/w/x", row.expected);
    const auto whole = batch::ReplayUndo(fs, "/state", std::string(row.expected) + "\r\n" + row.name + "\r\n", stop,
                                         none, false);
    EXPECT_EQ(whole.restored, 1u);
    EXPECT_EQ(fs.allPaths().back(), row.name);
  }
}

// A file system that plants a file at the target just before each rename reaches the disk.
class PlantingFileSystem final : public platform::FileSystem {
 public:
  explicit PlantingFileSystem(testing::TempTree& tree) : tree_(tree), real_(platform::RealFileSystem()) {}
  std::optional<std::vector<platform::DirEntry>> readFolder(const std::string& f) override {
    return real_.readFolder(f);
  }
  platform::EntryKind kind(const std::string& p) override { return real_.kind(p); }
  platform::EntryStatus entryStatus(const std::string& p) override { return real_.entryStatus(p); }
  bool removeFolder(const std::string& p) override { return real_.removeFolder(p); }
  std::optional<platform::EntryInfo> entryInfo(const std::string& p) override { return real_.entryInfo(p); }
  platform::RenameStatus rename(const std::string& from, const std::string& to) override {
    if (!planted_) {
      tree_.writeFile(to.substr(tree_.root().size() + 1), "planted");
      planted_ = true;
    }
    return real_.rename(from, to);
  }
  std::optional<std::string> readFile(const std::string& p) override { return real_.readFile(p); }
  bool writeFileAtomic(const std::string& p, std::string_view c, bool ro) override {
    return real_.writeFileAtomic(p, c, ro);
  }
  bool removeFile(const std::string& p) override { return real_.removeFile(p); }
  bool makeFolders(const std::string& p) override { return real_.makeFolders(p); }
  std::unique_ptr<platform::AppendLog> openLockedAppend(const std::string& p, platform::LockFailure* why) override {
    return real_.openLockedAppend(p, why);
  }
  bool isUnlocked(const std::string& p) override { return real_.isUnlocked(p); }

 private:
  testing::TempTree& tree_;
  platform::FileSystem& real_;
  bool planted_ = false;
};

TEST(BatchRun, AFileThatAppearsAtTheTargetIsNeverOverwritten) {
  testing::TempTree tree;
  tree.writeFile("photo.txt", "mine");
  PlantingFileSystem fs(tree);
  Runner r(fs);
  auto& run = r.run(ChangeExtension(".txt", ".md"), {tree.root(), FolderScope::OneLayer, {}});
  EXPECT_EQ(tree.readFile("photo.md"), "planted");
  EXPECT_EQ(tree.readFile("photo(1).md"), "mine");
  EXPECT_EQ(run.renamed().size(), 1u);
}

#ifndef _WIN32
// The walk holds each folder open from its listing on: a subfolder swapped for a link to a
// folder outside the target after its parent was read is never entered (and named), and a
// folder moved away after it was read keeps its items renamed where they are, never in the
// folder a link put in its place.
TEST(BatchRun, FoldersSwappedForLinksDuringTheWalkAreNeverLeftFor) {
  struct Row {
    const char* swappedAfterReading;  ///< the folder whose listing triggers the swap of t/sub
    std::vector<std::string> after;
    const char* leftAlone;
  };
  const Row rows[] = {
      {"t", {"t/", "t/moved/", "t/moved/a.txt", "t/sub", "t/z.md"}, "t/sub"},
      {"t/sub", {"t/", "t/moved/", "t/moved/a.md", "t/sub", "t/z.md"}, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.swappedAfterReading);
    testing::TempTree tree;
    tree.make({"t/sub/a.txt", "t/z.txt", "outside/a.txt"});
    platform::RenameFaults faults;
    bool swapped = false;
    faults.afterListing = [&](const std::string& folder) {
      if (swapped || folder != tree.path(row.swappedAfterReading)) return;
      swapped = true;
      std::filesystem::rename(tree.path("t/sub"), tree.path("t/moved"));
      std::filesystem::create_directory_symlink(tree.path("outside"), tree.path("t/sub"));
    };
    struct Reset {
      ~Reset() { platform::SetRenameFaults(nullptr); }
    } reset;
    platform::SetRenameFaults(&faults);
    Runner r(platform::RealFileSystem());
    auto& run = r.run(ChangeExtension(".txt", ".md"), {tree.path("t"), FolderScope::AllLayers, {}});
    EXPECT_TRUE(swapped);
    EXPECT_EQ(tree.listUnder("outside"), std::vector<std::string>{"a.txt"});
    std::vector<std::string> after = tree.list();
    std::erase_if(after, [](const std::string& p) { return p.rfind("outside", 0) == 0; });
    EXPECT_EQ(after, row.after);
    ASSERT_EQ(run.skipped().size(), row.leftAlone ? 1u : 0u);
    if (row.leftAlone) {
      EXPECT_EQ(run.skipped()[0].oldPath, tree.path(row.leftAlone));
      EXPECT_EQ(run.skipped()[0].reason.rfind(batch::kUnreadableFolderReason, 0), 0u);
      EXPECT_EQ(run.skipped()[0].status, batch::ItemStatus::LeftAlone);
    }
  }
}
#endif

TEST(BatchRun, HandPickedListIsRebuiltFromTheResults) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/a.txt");
  fs.addFile("/w/keep.doc");
  fs.addFile("/w/locked.txt");
  fs.addFolder("/w/folder.txt");
  fs.lockPath("/w/locked.txt");
  Runner r(fs);
  auto& run = r.run(ChangeExtension(".txt", ".md"),
                    {"", FolderScope::OneLayer,
                     {"/w/a.txt", "/w/keep.doc", "/w/locked.txt", "/w/folder.txt/", "/w/gone.txt"}});
  EXPECT_EQ(run.renamed().size(), 1u);
  // Renamed under the new path, unchanged and failed under the old; the folder and the
  // vanished item do not come back.
  EXPECT_EQ(r.hooks.entries, (std::vector<std::string>{"/w/a.md", "/w/keep.doc", "/w/locked.txt"}));
}

TEST(BatchRun, NoRenameWithoutItsPairInTheJournal) {
  platform::MemoryFileSystem fs;
  for (char c = 'a'; c <= 'l'; ++c) fs.addFile(std::string("/w/") + c + ".txt");
  fs.addFolder("/state");
  const std::string journalPath = "/state/rollback.rbk.journal";
  {
    // Another run holds the journal: refused before the first rename, and said so.
    auto held = fs.openLockedAppend(journalPath);
    Runner r(fs);
    batch::RunJournal journal(fs, "/state");
    r.request.record = ChangeExtension(".txt", ".md");
    r.batchRun = std::make_unique<batch::BatchRun>(fs, platform::Utf8CodePage(), r.messages, r.hooks, r.stop,
                                                   r.expander);
    r.batchRun->setJournal(&journal);
    r.request.target = {"/w", FolderScope::OneLayer, {}};
    r.batchRun->execute(r.request);
    EXPECT_TRUE(r.batchRun->journalFailed());
    EXPECT_TRUE(fs.renameCalls().empty());
    ASSERT_EQ(r.messages.shown.size(), 1u);
    EXPECT_EQ(r.messages.shown[0].text, batch::JournalRefusal(batch::JournalState::Busy, journal.path()));
  }
  // A full disk: the journal takes the first group of records (eight) whole, the next
  // short; the run stops before that group's renames, and the journal holds exactly the
  // renames made.
  std::string first;
  std::vector<std::string> firstRenamed;
  for (char c = 'a'; c < 'a' + 8; ++c) {
    first += std::string("/w/") + c + ".md\r\n/w/" + c + ".txt\r\n";
    firstRenamed.push_back(std::string("/w/") + c + ".txt -> /w/" + c + ".md");
  }
  fs.limitAppends(first.size() + 5);
  Runner r(fs);
  batch::RunJournal journal(fs, "/state");
  r.batchRun = std::make_unique<batch::BatchRun>(fs, platform::Utf8CodePage(), r.messages, r.hooks, r.stop,
                                                 r.expander);
  r.batchRun->setJournal(&journal);
  r.request = {ChangeExtension(".txt", ".md"), {"/w", FolderScope::OneLayer, {}}, RunMode::Rename, 1, 20, false};
  r.batchRun->execute(r.request);
  EXPECT_TRUE(r.batchRun->journalFailed());
  EXPECT_EQ(Renamed(*r.batchRun), firstRenamed);
  EXPECT_TRUE(fs.exists("/w/i.txt"));
  EXPECT_EQ(fs.node(journalPath)->content, first);
  ASSERT_EQ(r.messages.shown.size(), 1u);
  EXPECT_EQ(r.messages.shown[0].text, batch::JournalWriteFailure(journal.path(), 8));
}

TEST(BatchRun, ItemsLeftAloneAreReportedWithTheirReason) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/a.txt");
  fs.addFile("/w/line\nbreak.txt");
  fs.addFile("/w/line\rreturn.txt");  // a CR splits a log line as an LF does
  fs.addFile("/w/locked.txt");
  fs.lockPath("/w/locked.txt");
  Runner r(fs);
  auto& run = r.run(ChangeExtension(".txt", ".md"), {"/w", FolderScope::OneLayer, {}});
  EXPECT_EQ(Renamed(run), std::vector<std::string>{"/w/a.txt -> /w/a.md"});
  ASSERT_EQ(run.skipped().size(), 3u);
  EXPECT_EQ(run.skipped()[0].oldPath, "/w/line\nbreak.txt");
  EXPECT_EQ(run.skipped()[0].reason, batch::kLineBreakReason);
  EXPECT_EQ(run.skipped()[1].oldPath, "/w/line\rreturn.txt");
  EXPECT_EQ(run.skipped()[1].reason, batch::kLineBreakReason);
  EXPECT_EQ(run.skipped()[2].newPath, "/w/locked.md");
  EXPECT_EQ(run.skipped()[2].reason, "Permission denied");
  // A new name without the line break does not make the old one fit for the log.
  engine::OperationRecord clean;
  clean.kind = OperationKind::Change;
  clean.newName = "clean";
  Runner again(fs);
  EXPECT_TRUE(again.run(clean, {"", FolderScope::OneLayer, {"/w/line\nbreak.txt"}}).log().empty());
  EXPECT_TRUE(fs.exists("/w/line\nbreak.txt"));
  // A path picked after its folder, which the run renamed first: named, in the preview too.
  fs.addFile("/w/d/in.txt");
  for (const RunMode mode : {RunMode::Preview, RunMode::Rename}) {
    Runner picked(fs);
    auto& run = picked.run(clean, {"", FolderScope::OneLayer, {"/w/d", "/w/d/in.txt"}},
                           mode);
    ASSERT_EQ(run.skipped().size(), 1u);
    EXPECT_EQ(run.skipped()[0].oldPath, "/w/d/in.txt");
    EXPECT_EQ(run.skipped()[0].reason, batch::kInRenamedFolderReason);
  }
}

TEST(BatchRun, NamesCollapsingIntoOneCostOneRenameEach) {
  platform::MemoryFileSystem fs;
  constexpr int kItems = 300;
  for (int i = 0; i < kItems; ++i) fs.addFile("/w/f" + std::to_string(1000 + i) + ".txt");
  engine::OperationRecord record;
  record.kind = OperationKind::Change;
  record.newName = "same";
  Runner r(fs);
  auto& run = r.run(record, {"/w", FolderScope::OneLayer, {}});
  ASSERT_EQ(run.renamed().size(), static_cast<std::size_t>(kItems));
  EXPECT_EQ(run.renamed().back().newPath, "/w/same(" + std::to_string(kItems - 1) + ").txt");
  // Numbering goes on from the last number taken: one rename each (the second item tries
  // the bare name first) and at most one status query each, never a probe of every earlier
  // number. Counted, not timed, so the bound is exact on any machine.
  EXPECT_LE(fs.renameCalls().size(), static_cast<std::size_t>(kItems + 1));
  EXPECT_LE(fs.kindCalls(), static_cast<std::size_t>(kItems));
  // The preview numbers the same way.
  platform::MemoryFileSystem fresh;
  for (int i = 0; i < kItems; ++i) fresh.addFile("/w/f" + std::to_string(1000 + i) + ".txt");
  Runner p(fresh);
  auto& preview = p.run(record, {"/w", FolderScope::OneLayer, {}}, RunMode::Preview, 1000);
  EXPECT_EQ(preview.previewRows()[kItems - 1].newName, "same(" + std::to_string(kItems - 1) + ").txt");
}

TEST(BatchRun, EveryRenameFailingLeavesTheLogEmpty) {
  platform::MemoryFileSystem fs;
  fs.addFile("/w/a.txt");
  fs.lockPath("/w/a.txt");
  Runner r(fs);
  auto& run = r.run(ChangeExtension(".txt", ".md"), {"/w", FolderScope::OneLayer, {}});
  EXPECT_TRUE(run.log().empty());
  EXPECT_TRUE(r.messages.shown.empty());  // failures are silent; the caller reports "nothing renamed"
}

TEST(Preview, RowsEqualWhatTheRunThenDoes) {
  for (FolderScope scope : {FolderScope::OneLayer, FolderScope::AllLayers}) {
    SCOPED_TRACE(static_cast<int>(scope));
    platform::MemoryFileSystem fs;
    for (const char* f : {"/w/x.doc", "/w/x.md", "/w/x.txt", "/w/y.doc", "/w/z.md"}) fs.addFile(f);
    const auto record = ChangeExtension("", ".md", true);
    Runner preview(fs);
    auto rows = preview.run(record, {"/w", scope, {}}, RunMode::Preview).previewRows();
    EXPECT_TRUE(fs.renameCalls().empty());
    Runner real(fs);
    auto& run = real.run(record, {"/w", scope, {}});
    const auto renamed = run.renamed();
    ASSERT_EQ(rows.size(), renamed.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto& pair = renamed[i];
      const bool names = scope == FolderScope::OneLayer;
      EXPECT_EQ(rows[i].oldName, names ? pair.oldPath.substr(3) : pair.oldPath);
      EXPECT_EQ(rows[i].newName, names ? pair.newPath.substr(3) : pair.newPath);
    }
  }
}

TEST(Preview, FillerRowsAndTheCount) {
  struct Row {
    const char* name;
    int files;
    int previewCount;
    std::size_t rows;
    std::string last;
  };
  const Row table[] = {
      {"nothing to rename", 0, 20, 1, batch::kNoRowsFiller},
      {"exactly the count", 20, 20, 20, "f19.txt"},
      {"one more than the count", 21, 20, 21, batch::kMoreRowsFiller},
  };
  for (const Row& row : table) {
    SCOPED_TRACE(row.name);
    platform::MemoryFileSystem fs;
    fs.addFile("/w/readme.md");
    for (int i = 0; i < row.files; ++i) fs.addFile("/w/f" + std::to_string(10 + i) + ".txt");
    Runner r(fs);
    auto rows = r.run(ChangeExtension(".txt", ".md"), {"/w", FolderScope::OneLayer, {}}, RunMode::Preview,
                      row.previewCount)
                    .previewRows();
    ASSERT_EQ(rows.size(), row.rows);
    EXPECT_EQ(rows.back().oldName, row.last == "f19.txt" ? "f29.txt" : row.last);
  }
}

#ifndef _WIN32
TEST(BatchRun, AClaimOfTheNewNameIsUndoneAfterAKill) {
  // A file system without a no-replace rename and without hard links: the new name is
  // claimed with an empty file first, then the item renamed over it. A kill between the
  // two leaves the claim beside the item; the journal recorded it, so undo removes it and
  // has nothing else to do. A run that is not killed leaves no claim in its log. An undo
  // killed after its own claim leaves it for the next start to remove.
  for (const int shape : {0, 1, 2}) {
    const bool killed = shape == 0, undoKilled = shape == 2;
    SCOPED_TRACE(shape);
    testing::TempTree tree;
    tree.make({"state/", "w/f.txt", "w/g.txt"});
    tree.writeFile("w/g.txt", "content");
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      platform::RenameFaults faults;
      faults.noReplaceUnsupported = true;
      faults.linkError = EPERM;
      if (killed) faults.afterClaim = [](const std::string&) { ::_exit(0); };
      platform::SetRenameFaults(&faults);
      platform::FileSystem& fs = platform::RealFileSystem();
      batch::RunJournal journal(fs, tree.path("state"));
      Runner r(fs);
      r.journal = &journal;
      auto& run = r.run(ChangeExtension(".txt", ".md"), {tree.path("w"), FolderScope::OneLayer, {}});
      const bool saved = batch::SaveRollbackLog(fs, tree.path("state"), run.log(), &journal);
      if (saved) journal.discard();
      ::_exit(saved && run.renamed().size() == 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    platform::FileSystem& fs = platform::RealFileSystem();
    EXPECT_EQ(batch::RecoverJournal(fs, tree.path("state")), killed);
    if (undoKilled) {
      const pid_t undo = ::fork();
      ASSERT_NE(undo, -1);
      if (undo == 0) {
        platform::RenameFaults faults;
        faults.noReplaceUnsupported = true;
        faults.linkError = EPERM;
        faults.afterClaim = [](const std::string&) { ::_exit(0); };
        platform::SetRenameFaults(&faults);
        batch::StopFlag stop;
        ListRecorder hooks;
        batch::ReplayUndo(fs, tree.path("state"), *fs.readFile(tree.path("state/rollback.rbk")), stop, hooks, false);
        ::_exit(1);
      }
      ASSERT_EQ(::waitpid(undo, &status, 0), undo);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      EXPECT_EQ(tree.listUnder("w"), (std::vector<std::string>{"f.md", "g.md", "g.txt"}));  // the claim
      batch::RecoverJournal(fs, tree.path("state"));
    }
    const auto log = fs.readFile(tree.path("state/rollback.rbk"));
    ASSERT_TRUE(log.has_value());
    if (!killed) {
      EXPECT_EQ(*log, tree.path("w/f.md") + "\r\n" + tree.path("w/f.txt") + "\r\n" + tree.path("w/g.md") + "\r\n" +
                          tree.path("w/g.txt") + "\r\n");
    }
    batch::StopFlag stop;
    ListRecorder hooks;
    const auto report = batch::ReplayUndo(fs, tree.path("state"), *log, stop, hooks, false);
    EXPECT_EQ(report.failed, 0);
    EXPECT_TRUE(report.logDeleted);
    EXPECT_EQ(tree.listUnder("w"), (std::vector<std::string>{"f.txt", "g.txt"}));
    EXPECT_EQ(tree.readFile("w/g.txt"), "content");
  }
}
#endif

// A power cut at one step of a run, modelled in memory. Each step that changes the disk
// (a rename, a journal write, a sync, a folder sync, a file written or removed) counts; at
// step `cutAt` the machine loses its power. What stays is what such a cut keeps: every
// rename made before it (renames are metadata that may reach the disk at any time), but of
// the journal only the bytes synced (the rest reads as zeros), and the journal not at all
// while its folder was not synced since it was made.
struct PowerCut {};

class CutFileSystem final : public platform::FileSystem {
 public:
  CutFileSystem(platform::MemoryFileSystem& inner, std::size_t cutAt) : inner_(inner), cutAt_(cutAt) {}
  void step() {
    if (steps_++ == cutAt_) throw PowerCut{};
  }
  std::size_t steps() const { return steps_; }
  /// Leaves the disk as the cut does.
  void cut() {
    if (journal_.empty() || !inner_.exists(journal_)) return;
    if (!journalInFolder_) {
      inner_.removeFile(journal_);
      return;
    }
    std::string kept = synced_;
    kept.resize(std::max(kept.size(), inner_.node(journal_)->content.size()), '\0');
    inner_.removeFile(journal_);
    inner_.writeFileAtomic(journal_, kept, false);
  }

  std::optional<std::vector<platform::DirEntry>> readFolder(const std::string& f) override { return inner_.readFolder(f); }
  platform::EntryKind kind(const std::string& p) override { return inner_.kind(p); }
  platform::EntryStatus entryStatus(const std::string& p) override { return inner_.entryStatus(p); }
  std::optional<platform::EntryInfo> entryInfo(const std::string& p) override { return inner_.entryInfo(p); }
  platform::RenameStatus rename(const std::string& from, const std::string& to) override {
    step();
    // Another program takes the new name of the rename asked for at step plantAt.
    if (steps_ - 1 == plantAt && !inner_.exists(to)) {
      inner_.addFile(to);
      planted = to;
    }
    return inner_.rename(from, to);
  }
  std::optional<std::string> readFile(const std::string& p) override { return inner_.readFile(p); }
  std::string lastFailure() const override { return inner_.lastFailure(); }
  std::size_t plantAt = SIZE_MAX;
  std::string planted;
  std::size_t syncs = 0;  ///< syncs of the journal
  bool writeFileAtomic(const std::string& p, std::string_view c, bool ro) override {
    step();
    return inner_.writeFileAtomic(p, c, ro);
  }
  bool removeFile(const std::string& p) override {
    step();
    return inner_.removeFile(p);
  }
  bool makeFolders(const std::string& p) override { return inner_.makeFolders(p); }
  bool removeFolder(const std::string& p) override {
    step();
    return inner_.removeFolder(p);
  }
  bool syncFolder(const std::string& f) override {
    step();
    const std::size_t name = journal_.size() - platform::LastComponent(journal_).size();
    if (!journal_.empty() && name == f.size() + 1 && journal_.compare(0, f.size(), f) == 0) journalInFolder_ = true;
    return true;
  }
  std::unique_ptr<platform::AppendLog> openLockedAppend(const std::string& p, platform::LockFailure* why) override;
  bool isUnlocked(const std::string& p) override { return inner_.isUnlocked(p); }

 private:
  friend class CutAppendLog;
  platform::MemoryFileSystem& inner_;
  std::size_t cutAt_;
  std::size_t steps_ = 0;
  std::string journal_;
  bool journalInFolder_ = false;
  std::string synced_;  ///< the journal's bytes as last synced
};

class CutAppendLog final : public platform::AppendLog {
 public:
  CutAppendLog(CutFileSystem& fs, std::unique_ptr<platform::AppendLog> inner) : fs_(fs), inner_(std::move(inner)) {}
  bool append(std::string_view bytes) override {
    fs_.step();
    return inner_->append(bytes);
  }
  bool sync() override {
    fs_.step();
    ++fs_.syncs;
    fs_.synced_ = fs_.inner_.node(fs_.journal_)->content;
    return inner_->sync();
  }
  bool truncateTo(std::uint64_t size) override {
    fs_.step();
    return inner_->truncateTo(size);
  }
  bool sealAs(const std::string& destination) override {
    fs_.step();  // synced and moved into place at once, as the real one does
    if (!inner_->sealAs(destination)) return false;
    fs_.journal_.clear();
    return true;
  }

 private:
  CutFileSystem& fs_;
  std::unique_ptr<platform::AppendLog> inner_;
};

std::unique_ptr<platform::AppendLog> CutFileSystem::openLockedAppend(const std::string& p, platform::LockFailure* why) {
  step();
  const bool made = !inner_.exists(p);
  auto inner = inner_.openLockedAppend(p, why);
  if (!inner) return nullptr;
  if (made) {
    journal_ = p;
    journalInFolder_ = false;
    synced_.clear();
  }
  return std::make_unique<CutAppendLog>(*this, std::move(inner));
}

TEST(BatchRun, TheJournalIsSyncedOnceAGroupNotOnceARename) {
  // 1000 renames: groups of 8, 16, ... 512 items, each synced once, and the end of the run
  // (8 syncs). On a slow machine a group's planning may end early, after 32 items at least.
  // A group spans folders: 100 folders of 10 files sync no more often than one folder.
  for (const int folders : {1, 100}) {
    SCOPED_TRACE(std::to_string(folders) + " folders");
    platform::MemoryFileSystem fs;
    for (int f = 0; f < 1000; ++f)
      fs.addFile("/w/" + (folders > 1 ? "d" + std::to_string(f % folders) + "/" : "") + "f" + std::to_string(f) + ".txt");
    fs.addFolder("/state");
    CutFileSystem counted(fs, SIZE_MAX);
    batch::RunJournal journal(counted, "/state");
    Runner r(counted);
    r.journal = &journal;
    const batch::TargetSet target{"/w", folders > 1 ? FolderScope::AllLayers : FolderScope::OneLayer, {}};
    EXPECT_EQ(r.run(ChangeExtension(".txt", ".md"), target).renamed().size(), 1000u);
    EXPECT_GE(counted.syncs, 8u);
    EXPECT_LE(counted.syncs, 40u);
  }
}

TEST(BatchRun, APowerCutAtAnyStepLeavesEveryRenameToUndo) {
  std::mt19937 random(20261208);
  for (int shape = 0; shape < 12; ++shape) {
    // A folder of files, some of whose new names are taken (numbering), some that cannot be
    // renamed (failures), and folders renamed with the files inside them.
    platform::MemoryFileSystem original;
    const int files = 3 + static_cast<int>(random() % 40);
    std::vector<std::string> locked;
    for (int f = 0; f < files; ++f) {
      const std::string name = "/w/" + std::string(1, static_cast<char>('a' + random() % 6)) + std::to_string(f % 7);
      const std::string ext = random() % 4 ? ".txt" : ".doc";
      original.addFile(name + ext);
      if (random() % 5 == 0) original.addFile(name + ".md");
      if (random() % 9 == 0) locked.push_back(name + ext);
    }
    // Several folders: a group of planned renames goes on from one into the next.
    if (shape % 3 == 0)
      for (const char* path : {"/w/sub.txt/inner.txt", "/w/sub.txt/a1.txt", "/w/sub.txt/a1.md", "/w/z/a1.txt"})
        original.addFile(path);
    original.addFolder("/state");
    const engine::OperationRecord record = shape % 2 ? ChangeExtension(".txt", ".md") : ChangeExtension("", ".md", true);
    const batch::TargetSet target{"/w", shape % 3 == 0 ? FolderScope::AllLayers : FolderScope::OneLayer, {}};
    const auto before = original.allPaths();
    for (std::size_t cutAt = 0;; ++cutAt) {
      SCOPED_TRACE("shape " + std::to_string(shape) + ", cut at step " + std::to_string(cutAt));
      platform::MemoryFileSystem fs = original;
      for (const auto& path : locked) fs.lockPath(path);
      CutFileSystem cut(fs, cutAt);
      if (shape % 4 == 1) cut.plantAt = 6;
      bool wasCut = false;
      std::string logText;
      try {
        batch::RunJournal journal(cut, "/state");
        Runner r(cut);
        r.journal = &journal;
        auto& run = r.run(record, target);
        logText = run.log().text();
        if (run.log().empty())
          journal.discard();
        else if (batch::SaveRollbackLog(cut, "/state", run.log(), &journal))
          journal.discard();
      } catch (const PowerCut&) {
        wasCut = true;
        cut.cut();
      }
      if (!wasCut) {
        // The whole run: the log holds exactly the renames made.
        EXPECT_EQ(fs.readFile("/state/rollback.rbk").value_or(""), logText);
        EXPECT_FALSE(fs.exists("/state/rollback.rbk.journal"));
      }
      // The next start takes the journal over; undo must then restore the tree exactly.
      batch::RecoverJournal(fs, "/state");
      if (const auto log = fs.readFile("/state/rollback.rbk")) {
        batch::StopFlag stop;
        ListRecorder hooks;
        const auto report = batch::ReplayUndo(fs, "/state", *log, stop, hooks, false);
        // Only a pair whose new name another program took while its rename was under way
        // may stay: its item is at its old name, and so is the other program's file.
        const auto rest = fs.readFile("/state/rollback.rbk");
        EXPECT_EQ(report.kept, rest ? 1u : 0u);
        EXPECT_EQ(static_cast<std::size_t>(report.failed), report.kept);
        if (rest) {
          EXPECT_EQ(batch::SplitLines(*rest).at(0), cut.planted);
        }
        fs.removeFile("/state/rollback.rbk");
      }
      // An earlier run's log that the recovery kept for the undo history is not part of the tree.
      for (const std::string& path : fs.allPaths())
        if (path.rfind("/state/rollback.", 0) == 0) fs.removeFile(path);
      auto expected = before;
      if (!cut.planted.empty()) {
        expected.push_back(cut.planted);
        std::sort(expected.begin(), expected.end());
      }
      EXPECT_EQ(fs.allPaths(), expected);
      if (!wasCut) break;
    }
  }
}

// An undo cut by a power cut at any step, where names ignore case and one of its renames
// changes only the case (through a temporary name): the next start settles the step under
// way, and the next undo leaves every name as it was before the run, none temporary.
TEST(BatchRun, APowerCutAtAnyStepOfAnUndoLeavesNoTemporaryName) {
  struct Row {
    const char* log;  ///< the run's pairs (new, old)
    std::vector<std::string> after, before;
  };
  const Row rows[] = {
      {"/w/b.md\r\n/w/a.txt\r\n/w/IMG_0001.jpg\r\n/w/IMG_0001.JPG\r\n/w/c.md\r\n/w/c.txt\r\n",
       {"/w/IMG_0001.jpg", "/w/b.md", "/w/c.md"},
       {"/state", "/w", "/w/IMG_0001.JPG", "/w/a.txt", "/w/c.txt"}},
      // Renamed twice, the first time in case only: back through both.
      {"/w/x.TXT\r\n/w/X.txt\r\n/w/Y.TXT\r\n/w/x.TXT\r\n", {"/w/Y.TXT"}, {"/state", "/w", "/w/X.txt"}},
  };
  for (const Row& row : rows) {
    for (std::size_t cutAt = 0;; ++cutAt) {
      SCOPED_TRACE(std::string(row.log) + " cut at step " + std::to_string(cutAt));
      platform::MemoryFileSystem fs;
      fs.ignoreCase(true);
      for (const std::string& path : row.after) fs.addFile(path, 7);
      fs.addFolder("/state");
      fs.writeFileAtomic("/state/rollback.rbk", row.log, true);
      CutFileSystem cut(fs, cutAt);
      batch::StopFlag stop;
      batch::NoHooks none;
      bool wasCut = false;
      try {
        batch::ReplayUndo(cut, "/state", row.log, stop, none, false);
      } catch (const PowerCut&) {
        wasCut = true;
        cut.cut();
      }
      batch::RecoverJournal(fs, "/state");
      if (const auto log = fs.readFile("/state/rollback.rbk")) {
        EXPECT_EQ(batch::ReplayUndo(fs, "/state", *log, stop, none, false).kept, 0u);
      }
      EXPECT_EQ(fs.allPaths(), row.before);
      for (const std::string& path : fs.allPaths()) {
        if (!fs.node(path)->isDirectory) {
          EXPECT_EQ(fs.node(path)->size, 7u) << path;
        }
      }
      if (!wasCut) break;
    }
  }
}

TEST(PathMarks, MarksAddUpAndSurviveGrowthUntilCleared) {
  batch::PathMarks marks;
  // Far more paths than the first table holds, some the prefix of another.
  for (int i = 0; i < 500; ++i) marks.mark("/w/f" + std::to_string(i), batch::PathMarks::kLeft);
  marks.mark("/w/f7", batch::PathMarks::kTaken);
  EXPECT_EQ(marks.marks("/w/f7"), batch::PathMarks::kLeft | batch::PathMarks::kTaken);
  EXPECT_EQ(marks.marks("/w/f499"), batch::PathMarks::kLeft);
  EXPECT_EQ(marks.marks("/w/f"), batch::PathMarks::kNone);
  EXPECT_EQ(marks.marks("/w/f5000"), batch::PathMarks::kNone);
  marks.clear();
  EXPECT_EQ(marks.marks("/w/f7"), batch::PathMarks::kNone);
  marks.mark("/w/g", batch::PathMarks::kTaken);
  EXPECT_EQ(marks.marks("/w/g"), batch::PathMarks::kTaken);
}

}  // namespace
}  // namespace velmora
