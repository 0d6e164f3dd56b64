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
  if (withProgress) hooks.progressStart(static_cast<int>(entries.size()));
  const std::size_t pairs = entries.size() / 2;
  for (std::size_t k = pairs; k-- > 0;) {
    if (stop.isSet()) break;
    const std::string& current = entries[2 * k];
    const std::string& original = entries[2 * k + 1];
    if (fs.rename(current, original) != platform::RenameStatus::Renamed) {
      ++report.failed;
      continue;
    }
    report.restored.push_back({current, original});
    if (listener) listener->entryRestored(current, original);
    if (withProgress) hooks.progressItem(engine::FileNamePart(current), engine::FileNamePart(original), 2);
    hooks.processEvents();
  }
  report.cancelled = stop.isSet();
  if (!report.cancelled)
    report.logDeleted = fs.removeFile(ProgramFolderWithSeparator(programFolder) + kRollbackLogName);
  stop.clear();
  return report;
}

}  // namespace velmora::batch
