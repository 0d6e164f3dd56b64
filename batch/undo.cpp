// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/undo.h"

#include "batch/program_files.h"
#include "engine/name_model.h"

namespace velmora::batch {

std::optional<std::vector<std::string>> ReadRollbackEntries(platform::FileSystem& fs,
                                                            const std::string& programFolder) {
  auto content = fs.readFile(ProgramFolderWithSeparator(programFolder) + kRollbackLogName);
  if (!content) return std::nullopt;
  std::vector<std::string> entries;
  for (auto& line : SplitLines(*content))
    if (!line.empty()) entries.push_back(std::move(line));
  return entries;
}

UndoReport ReplayUndo(platform::FileSystem& fs, const std::string& programFolder,
                      const std::vector<std::string>& entries, StopFlag& stop, RunHooks& hooks,
                      bool withProgress, UndoListener* listener) {
  UndoReport report;
  // Holding the journal's lock keeps a run from starting on this folder meanwhile.
  RunJournal lock(fs, programFolder);
  const JournalState state = lock.open();
  if (state == JournalState::Busy) {
    report.refusal = JournalRefusal(state, lock.path());
    stop.clear();
    return report;
  }
  if (withProgress) hooks.progressStart(static_cast<int>(entries.size()));
  const std::size_t pairs = entries.size() / 2;
  std::vector<bool> keep(pairs, false);
  std::size_t notReached = 0;  ///< pairs below this index were never tried
  for (std::size_t k = pairs; k-- > 0;) {
    if (stop.isSet()) {
      notReached = k + 1;
      break;
    }
    const std::string& current = entries[2 * k];
    const std::string& original = entries[2 * k + 1];
    if (!platform::IsAbsolutePath(current) || !platform::IsAbsolutePath(original)) {
      ++report.ignored;
      continue;
    }
    if (fs.rename(current, original) != platform::RenameStatus::Renamed) {
      ++report.failed;
      // Already in place (the rename under way when a run was killed never happened, or an
      // earlier undo restored it): nothing is left to undo. Anything else stays in the log.
      keep[k] = fs.exists(current) || !fs.exists(original);
      continue;
    }
    report.restored.push_back({current, original});
    if (listener) listener->entryRestored(current, original);
    if (withProgress) hooks.progressItem(engine::FileNamePart(current), engine::FileNamePart(original), 2);
    hooks.processEvents();
  }
  report.cancelled = stop.isSet();
  std::vector<std::string> kept;
  for (std::size_t k = 0; k < pairs; ++k) {
    if (k >= notReached && !keep[k]) continue;
    kept.push_back(entries[2 * k]);
    kept.push_back(entries[2 * k + 1]);
  }
  report.kept = kept.size() / 2;
  const std::string log = ProgramFolderWithSeparator(programFolder) + kRollbackLogName;
  if (kept.empty()) {
    report.logDeleted = fs.removeFile(log);
  } else if (report.kept + report.ignored < pairs) {
    report.keptSaved = fs.writeFileAtomic(log, JoinLinesCrLf(kept), true);
  }
  lock.discard();
  stop.clear();
  return report;
}

std::string UndoKeptMessage(const UndoReport& report) {
  std::string text;
  if (report.kept > 0) {
    // Whole sentences for one and for more, as other languages inflect more than the verb.
    const bool one = report.kept == 1;
    const char* format =
        report.keptSaved
            ? (report.cancelled ? (one ? VELMORA_TEXT("Core", "%1 rename was not reversed; it stays in rollback.rbk, so "
                                                              "undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames were not reversed; they stay in rollback.rbk, "
                                                              "so undo can try again."))
                                : (one ? VELMORA_TEXT("Core", "%1 rename could not be reversed; it stays in rollback.rbk, "
                                                              "so undo can try again.")
                                       : VELMORA_TEXT("Core", "%1 renames could not be reversed; they stay in "
                                                              "rollback.rbk, so undo can try again.")))
            : (report.cancelled ? (one ? VELMORA_TEXT("Core", "%1 rename was not reversed, and rollback.rbk could not be "
                                                              "rewritten to keep them.")
                                       : VELMORA_TEXT("Core", "%1 renames were not reversed, and rollback.rbk could not "
                                                              "be rewritten to keep them."))
                                : (one ? VELMORA_TEXT("Core", "%1 rename could not be reversed, and rollback.rbk could "
                                                              "not be rewritten to keep them.")
                                       : VELMORA_TEXT("Core", "%1 renames could not be reversed, and rollback.rbk could "
                                                              "not be rewritten to keep them.")));
    text = engine::FillText(format, {std::to_string(report.kept)});
  }
  if (report.ignored > 0) {
    if (!text.empty()) text += "\n";
    text += report.ignored == 1
                ? std::string(VELMORA_TEXT("Core", "1 entry of rollback.rbk is not a pair of absolute paths; it was "
                                                   "left alone."))
                : engine::FillText(VELMORA_TEXT("Core", "%1 entries of rollback.rbk are not pairs of absolute paths; "
                                                        "they were left alone."),
                                   {std::to_string(report.ignored)});
  }
  return text;
}

std::string UnreadableLogMessage(const std::string& programFolder) {
  return engine::FillText(VELMORA_TEXT("Core", "The rollback log '%1' is not a regular file of a readable size: "
                                               "nothing was restored."),
                          {ProgramFolderWithSeparator(programFolder) + kRollbackLogName});
}

}  // namespace velmora::batch
