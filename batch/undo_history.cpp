// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/undo_history.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

#include "batch/program_files.h"
#include "batch/rollback_log.h"
#include "batch/undo.h"
#include "engine/name_model.h"

namespace velmora::batch {

namespace {

constexpr std::string_view kKeptPrefix = "rollback.";
constexpr std::string_view kKeptSuffix = ".rbk";
constexpr std::string_view kInfoSuffix = ".info";

/// The program folder's kept runs by their number: which have a log, which only an info
/// (left by a crash between the two moves).
struct KeptFiles {
  std::vector<std::uint64_t> logs;   ///< newest (highest) first
  std::vector<std::uint64_t> infos;  ///< infos whose log is missing
  std::uint64_t highest = 0;         ///< the highest number in use, by a log or an info
};

/// N of "rollback.N.rbk" (with `suffix` after it); nothing for any other name.
std::optional<std::uint64_t> KeptNumber(std::string_view name, std::string_view suffix) {
  if (name.size() <= kKeptPrefix.size() + kKeptSuffix.size() + suffix.size() || !name.starts_with(kKeptPrefix))
    return std::nullopt;
  name.remove_prefix(kKeptPrefix.size());
  const std::string tail = std::string(kKeptSuffix) + std::string(suffix);
  if (!name.ends_with(tail)) return std::nullopt;
  name.remove_suffix(tail.size());
  std::uint64_t n = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), n);
  if (ec != std::errc() || end != name.data() + name.size() || n == 0 || name.front() == '0') return std::nullopt;
  return n;
}

KeptFiles FindKept(platform::FileSystem& fs, const std::string& programFolder) {
  KeptFiles kept;
  const auto entries = fs.readFolder(programFolder);
  if (!entries) return kept;
  std::vector<std::uint64_t> infos;
  for (const auto& e : *entries) {
    if (e.isDirectory) continue;
    if (const auto n = KeptNumber(e.name, "")) kept.logs.push_back(*n);
    else if (const auto m = KeptNumber(e.name, kInfoSuffix)) infos.push_back(*m);
  }
  std::sort(kept.logs.rbegin(), kept.logs.rend());
  for (const std::uint64_t m : infos)
    if (!std::binary_search(kept.logs.rbegin(), kept.logs.rend(), m)) kept.infos.push_back(m);
  for (const std::uint64_t n : kept.logs) kept.highest = std::max(kept.highest, n);
  for (const std::uint64_t n : infos) kept.highest = std::max(kept.highest, n);
  return kept;
}

std::string CurrentLog(const std::string& programFolder) {
  return ProgramFolderWithSeparator(programFolder) + kRollbackLogName;
}

std::string KeptLog(const std::string& programFolder, std::uint64_t n) {
  return ProgramFolderWithSeparator(programFolder) + std::string(kKeptPrefix) + std::to_string(n) +
         std::string(kKeptSuffix);
}

std::string InfoOf(const std::string& logPath) { return logPath + std::string(kInfoSuffix); }

void RemoveIfThere(platform::FileSystem& fs, const std::string& path) {
  if (fs.exists(path)) fs.removeFile(path);
}

/// Drops the kept runs after the newest `keep`, and infos whose log is gone.
void DropBeyond(platform::FileSystem& fs, const std::string& programFolder, const KeptFiles& kept, int keep) {
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < kept.logs.size(); ++i) {
    const std::string log = KeptLog(programFolder, kept.logs[i]);
    fs.removeFile(log);
    RemoveIfThere(fs, InfoOf(log));
  }
  for (const std::uint64_t n : kept.infos) fs.removeFile(InfoOf(KeptLog(programFolder, n)));
}

/// The folder every old path of the log lies in, without its last separator (a root keeps it).
std::string CommonFolder(const std::vector<std::string>& entries) {
  std::optional<std::string> common;
  for (std::size_t i = 1; i < entries.size(); i += 2) {
    const std::string_view path = entries[i];
    const std::string_view folder = path.substr(0, engine::NameStart(path));
    if (!common) {
      common.emplace(folder);
      continue;
    }
    const std::size_t same =
        static_cast<std::size_t>(std::mismatch(common->begin(), common->end(), folder.begin(), folder.end()).first -
                                 common->begin());
    common->resize(same);
    // Back to a whole folder: "/a/bc/" and "/a/bd/" share "/a/", not "/a/b".
    while (!common->empty() && !platform::IsSeparator(common->back())) common->pop_back();
  }
  if (!common) return {};
  if (common->size() > 1 && platform::IsSeparator(common->back()) && !platform::IsRootPath(*common)) common->pop_back();
  return *common;
}

HistoryEntry Describe(platform::FileSystem& fs, const std::string& logPath) {
  HistoryEntry entry;
  entry.logPath = logPath;
  if (const auto log = fs.readFile(logPath)) {
    std::vector<std::string> entries;
    for (auto& line : SplitLines(*log))
      if (!line.empty()) entries.push_back(std::move(line));
    entry.items = entries.size() / 2;
    entry.folder = CommonFolder(entries);
  }
  std::optional<std::int64_t> seconds;
  if (const auto info = fs.readFile(InfoOf(logPath))) {
    for (const std::string& line : SplitLines(*info)) {
      const std::string_view l = line;
      if (l.starts_with("operation=")) {
        bool known = false;
        const std::string keyword(l.substr(10));
        engine::KindFromKeyword(keyword, &known);
        if (known) entry.operation = keyword;
      } else if (l.starts_with("time=")) {
        std::int64_t t = 0;
        const auto [end, ec] = std::from_chars(l.data() + 5, l.data() + l.size(), t);
        if (ec == std::errc() && end == l.data() + l.size()) seconds = t;
      }
    }
  }
  if (seconds) entry.when = LocalTimeOf(*seconds);
  else if (const auto status = fs.entryInfo(logPath)) entry.when = status->lastWrite;
  return entry;
}

}  // namespace

std::vector<HistoryEntry> ListUndoHistory(platform::FileSystem& fs, const std::string& programFolder) {
  std::vector<HistoryEntry> entries;
  const std::string current = CurrentLog(programFolder);
  if (fs.kind(current) == platform::EntryKind::File) entries.push_back(Describe(fs, current));
  for (const std::uint64_t n : FindKept(fs, programFolder).logs) entries.push_back(Describe(fs, KeptLog(programFolder, n)));
  return entries;
}

std::size_t CountUndoHistory(platform::FileSystem& fs, const std::string& programFolder) {
  return (fs.kind(CurrentLog(programFolder)) == platform::EntryKind::File ? 1 : 0) +
         FindKept(fs, programFolder).logs.size();
}

void KeepCurrentLog(platform::FileSystem& fs, const std::string& programFolder, int keep) {
  KeptFiles kept = FindKept(fs, programFolder);
  const std::string current = CurrentLog(programFolder);
  // Only a log is kept: anything else of that name (a folder) is left for the save to refuse.
  if (keep > 0 && fs.kind(current) == platform::EntryKind::File) {
    // The info first: a crash between the two moves leaves the current log without one
    // (listed by its date) and never an info that describes another run.
    const std::string next = KeptLog(programFolder, kept.highest + 1);
    if (fs.exists(InfoOf(current))) fs.rename(InfoOf(current), InfoOf(next));
    if (fs.rename(current, next) == platform::RenameStatus::Renamed) kept.logs.insert(kept.logs.begin(), kept.highest + 1);
  }
  // What describes the log about to be replaced goes with it.
  RemoveIfThere(fs, InfoOf(current));
  DropBeyond(fs, programFolder, kept, keep);
}

void WriteRunInfo(platform::FileSystem& fs, const std::string& programFolder, engine::OperationKind kind) {
  std::string text = "time=" + std::to_string(static_cast<std::int64_t>(std::time(nullptr))) + "\r\n";
  // A single rename has no operation of its own.
  if (kind != engine::OperationKind::NoOperation) text.append("operation=").append(engine::KeywordOf(kind)).append("\r\n");
  fs.writeFileAtomic(InfoOf(CurrentLog(programFolder)), text, false);
}

bool PromoteKeptLog(platform::FileSystem& fs, const std::string& programFolder) {
  const std::string current = CurrentLog(programFolder);
  if (fs.exists(current)) return false;  // never over anything of that name
  RemoveIfThere(fs, InfoOf(current));     // the undone run's
  const KeptFiles kept = FindKept(fs, programFolder);
  if (kept.logs.empty()) return false;
  const std::string newest = KeptLog(programFolder, kept.logs.front());
  if (fs.rename(newest, current) != platform::RenameStatus::Renamed) return false;
  if (fs.exists(InfoOf(newest))) fs.rename(InfoOf(newest), InfoOf(current));
  return true;
}

bool TrimUndoHistory(platform::FileSystem& fs, const std::string& programFolder, int keep) {
  RunJournal lock(fs, programFolder);
  if (lock.open() != JournalState::Ready) return false;
  DropBeyond(fs, programFolder, FindKept(fs, programFolder), keep);
  lock.discard();
  return true;
}

platform::LocalTime LocalTimeOf(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FormatTime(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

}  // namespace velmora::batch
