// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/listing_export.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "batch/rollback_log.h"
#include "engine/name_model.h"
#include "platform/user_dirs.h"

namespace velmora::batch {

using platform::DirEntry;

ListingChoices ToOkChoices(const ListingSettings& s) {
  ListingChoices c;
  c.onlySubfolders = s.content == ListingContent::OnlySubfolders;
  c.specialTypes = s.specialTypes;
  c.music = s.music;
  c.document = s.document;
  c.film = s.film;
  c.picture = s.picture;
  c.program = s.program;
  c.other = s.other;
  c.otherText = s.otherText;
  return c;
}

namespace {

bool ListHolds(std::string_view list, std::string_view item) {
  return (std::string(",") + std::string(list) + ",").find(item) != std::string::npos;
}

/// value × 10^decimals rounded half to even, printed with the separator and without
/// trailing zeros (12.0 prints as 12).
std::string RoundedNumber(double value, int decimals, char separator) {
  const double scale = decimals == 1 ? 10.0 : 100.0;
  // The scaled sizes are exact binary fractions, so a half is a true half here and
  // nearbyint (round to nearest, ties to even) settles it the same way on every machine.
  const auto scaled = static_cast<std::uint64_t>(std::nearbyint(value * scale));
  const auto divisor = static_cast<std::uint64_t>(scale);
  std::string whole = std::to_string(scaled / divisor);
  std::string fraction = std::to_string(scaled % divisor);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? whole : whole + separator + fraction;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && platform::IsSeparator(path.back()) && !platform::IsRootPath(path)) path.pop_back();
  return path;
}

}  // namespace

bool PassesTypeFilter(const ListingSettings& s, std::string_view fileName) {
  if (!s.specialTypes) return true;
  const std::string extension = engine::Extension(fileName, false);
  const std::string key = "," + engine::AsciiLower(extension.empty() ? "" : extension.substr(1)) + ",";
  const std::pair<bool, const char*> boxes[] = {
      {s.music, kMusicTypes}, {s.document, kDocumentTypes}, {s.film, kFilmTypes},
      {s.picture, kPictureTypes}, {s.program, kProgramTypes},
  };
  for (const auto& [checked, types] : boxes)
    if (checked && ListHolds(types, key)) return true;
  if (s.other && !s.otherText.empty()) {
    // The user's own list is taken as typed: it may name ".JPG" exactly as the file does.
    if (ListHolds(s.otherText, key)) return true;
    if (!extension.empty() && ListHolds(s.otherText, extension)) return true;
  }
  return false;
}

std::string SizePart(std::uint64_t size, char decimalSeparator) {
  const double kb = static_cast<double>(size) / 1024.0;
  if (kb < 1) return "  " + std::to_string(size) + "Byte";
  if (kb <= 1023) return "  " + RoundedNumber(kb, 1, decimalSeparator) + "KB";
  if (kb <= 1048575) return "  " + RoundedNumber(kb / 1024.0, 1, decimalSeparator) + "MB";
  return "  " + RoundedNumber(kb / 1048576.0, 2, decimalSeparator) + "GB";
}

std::string TimePart(const platform::LocalTime& t) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "  %04d%02d%02d %d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

std::string CurrentStampLine() {
  const std::time_t now = std::time(nullptr);
  char buf[128] = "";
  if (const std::tm* local = std::localtime(&now)) std::strftime(buf, sizeof buf, "%x %X", local);
  return std::string("[") + buf + "]";
}

std::string ListingOutputPath(const std::string& chosen) {
  const std::string extension = engine::Extension(chosen, false);
  if (engine::AsciiLower(extension) == ".txt") return chosen;
  return chosen + ".txt";
}

bool ListingReplaceQuestionApplies(platform::FileSystem& fs, const std::string& chosen) {
  return fs.exists(chosen) || fs.exists(chosen + ".txt");
}

// ---- the walk ----

ListingWalk::ListingWalk(platform::FileSystem& fs, const ListingSettings& settings, RunHooks& hooks,
                         const StopFlag& stop, std::vector<std::string>& lines, char decimalSeparator)
    : fs_(fs), settings_(settings), hooks_(hooks), stop_(stop), lines_(lines), decimalSeparator_(decimalSeparator) {}

void ListingWalk::operator()(const std::string& folder) {
  auto entries = fs_.listFolder(folder);
  if (entries) OrderEntries(fs_, settings_.order, folder, *entries);
  const std::vector<DirEntry> none;
  folderPass(folder, entries ? *entries : none);
  // The file pass runs at the indent of the folder pass, so a folder's files line up with
  // its subfolders and come after all of their subtrees.
  filePass(folder, entries ? *entries : none);
  // Each pass gives back one of the two blanks that the caller added for this level.
  indent_.resize(indent_.size() >= 2 ? indent_.size() - 2 : 0);
}

void ListingWalk::entryRead(const std::string& name) {
  hooks_.progressItem(name, "", 1);
  if (++progress_ >= kListingProgressMaximum) {
    progress_ = 0;
    hooks_.progressStart(kListingProgressMaximum);
  }
  hooks_.processEvents();
}

void ListingWalk::folderPass(const std::string& folder, const std::vector<DirEntry>& entries) {
  for (const DirEntry& e : entries) {
    if (stop_.isSet()) return;
    entryRead(e.name);
    if (!e.isDirectory) continue;
    if (IsWebpageFolder(e.name)) {
      if (settings_.content != ListingContent::AllLayers || !settings_.includeWebpageFolders) continue;
      lines_.push_back(indent_ + "<" + e.name + ">");
      indent_ += "  ";
      (*this)(platform::JoinPath(folder, e.name));
      continue;
    }
    lines_.push_back(indent_ + "<" + e.name + ">");
    if (settings_.content != ListingContent::SubfoldersAndFiles) {
      indent_ += "  ";
      (*this)(platform::JoinPath(folder, e.name));
    }
  }
}

void ListingWalk::filePass(const std::string& folder, const std::vector<DirEntry>& entries) {
  for (const DirEntry& e : entries) {
    if (stop_.isSet()) return;
    entryRead(e.name);
    if (e.isDirectory || settings_.content == ListingContent::OnlySubfolders) continue;
    if (!PassesTypeFilter(settings_, e.name)) continue;
    std::string line = indent_ + e.name;
    if (settings_.fileSize || settings_.fileTime) {
      // An entry that vanished since the folder was read keeps its line, without the parts.
      if (const auto info = fs_.entryInfo(platform::JoinPath(folder, e.name))) {
        if (settings_.fileSize) line += SizePart(info->size, decimalSeparator_);
        if (settings_.fileTime) line += TimePart(info->lastWrite);
      }
    }
    lines_.push_back(std::move(line));
  }
}

// ---- the export ----

namespace {

std::vector<std::string> HandPickedLines(platform::FileSystem& fs, const std::vector<std::string>& picked,
                                         const std::string& stamp) {
  std::vector<std::string> lines{stamp, "Selected files names:"};
  if (picked.empty()) return lines;
  std::string lastFolder = engine::FolderPart(WithoutTrailingSeparators(picked.front()));
  lines.push_back("In folder, <" + lastFolder + ">");
  for (const std::string& entry : picked) {
    const std::string path = WithoutTrailingSeparators(entry);
    const std::string folder = engine::FolderPart(path);
    if (folder != lastFolder) {
      lines.push_back("In folder, <" + folder + ">");
      lastFolder = folder;
    }
    const std::string name = engine::FileNamePart(path);
    lines.push_back(fs.isDirectory(path) ? "  <" + name + ">" : "  " + name);
  }
  return lines;
}

const char* FolderHeader(ListingContent content) {
  switch (content) {
    case ListingContent::AllLayers: return "Files name(ALL layers) in folder, ";
    case ListingContent::OnlySubfolders: return "All subfolders name in folder, ";
    case ListingContent::SubfoldersAndFiles: break;
  }
  return "Files name(ONE layer) in folder, ";
}

}  // namespace

std::vector<std::string> CollectListingLines(platform::FileSystem& fs, const ListingRequest& request,
                                             RunHooks& hooks, const StopFlag& stop) {
  const std::string stamp = request.stampLine.empty() ? CurrentStampLine() : request.stampLine;
  if (request.kind == engine::OperationKind::ListPicked)
    return HandPickedLines(fs, OrderedItems(fs, request.settings.order, ItemList::OfPaths(request.target.picked)).paths, stamp);

  std::vector<std::string> lines{FolderHeader(request.settings.content) + request.target.folder, stamp};
  hooks.progressStart(kListingProgressMaximum);
  ListingWalk walk(fs, request.settings, hooks, stop, lines, request.decimalSeparator);
  walk(request.target.folder);
  return lines;
}

ListingWriteResult WriteListing(platform::FileSystem& fs, const std::vector<std::string>& lines,
                                const std::string& chosenPath, const std::string& fallbackFolder,
                                Messages& messages, bool lfLineEnds) {
  std::string content;
  if (lfLineEnds) {
    for (const auto& line : lines) content.append(line).append(1, '\n');
  } else {
    content = JoinLinesCrLf(lines);
  }
  if (!chosenPath.empty()) {
    const std::string path = ListingOutputPath(chosenPath);
    if (fs.writeFileAtomic(path, content, false)) return {true, path, false};
  }

  // The fallback is always a new file, so no listing of the user's is ever replaced.
  const std::string folder = fallbackFolder.empty() ? platform::HomeFolder() : fallbackFolder;
  if (!folder.empty()) {
    std::string path = platform::JoinPath(folder, kFallbackListingName);
    for (int n = 1; fs.exists(path) && n <= 9999; ++n)
      path = platform::JoinPath(folder, "filenames(" + std::to_string(n) + ").txt");
    if (!fs.exists(path) && fs.writeFileAtomic(path, content, false)) {
      messages.information(VELMORA_TEXT("Core", kSavedToMessage) + path);
      return {true, path, true};
    }
  }
  messages.warning(folder.empty() ? VELMORA_TEXT("Core", "The filenames could not be saved, neither to the chosen file "
                                                         "nor to the home folder.")
                                  : engine::FillText(VELMORA_TEXT("Core", "The filenames could not be saved, neither to "
                                                                          "the chosen file nor to %1."),
                                                     {platform::JoinPath(folder, kFallbackListingName)}));
  return {false, "", true};
}

ListingOutcome ExportListing(platform::FileSystem& fs, const ListingRequest& request, const RunOptions& options,
                             Messages& messages, RunHooks& hooks, StopFlag& stop) {
  ListingOutcome outcome;
  const std::vector<std::string> lines = CollectListingLines(fs, request, hooks, stop);
  outcome.lineCount = lines.size();
  outcome.stopped = stop.isSet();
  const std::string fallback = request.fallbackFolder.empty() ? platform::HomeFolder() : request.fallbackFolder;
  outcome.write = WriteListing(fs, lines, request.chosenPath, fallback, messages, request.lfLineEnds);
  outcome.openFile = outcome.write.written && !options.dontOpenListing;
  stop.clear();
  return outcome;
}

}  // namespace velmora::batch
