// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file name listing export: the names of a folder's tree ("Savealls") or of the
// hand-picked list ("Savesomes") written to a text file, one CR LF line each, optionally
// filtered by file type and followed by size and modification time.
//
// The save dialog, its replace question, the hourglass and the progress window belong to
// the front end; everything from the lines to the written file is here.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/run_options.h"
#include "batch/interfaces.h"
#include "batch/ok_checks.h"
#include "batch/item_order.h"
#include "batch/target_walk.h"
#include "engine/operation_record.h"
#include "platform/file_system.h"

namespace velmora::batch {

/// What a folder listing holds (the save page's three content buttons).
enum class ListingContent {
  SubfoldersAndFiles,  ///< " Subfolders and filenames ": first layer only
  OnlySubfolders,      ///< " Only subfolders name": the whole folder tree, no files
  AllLayers,           ///< " All filenames in subfolders ": the whole tree with files
};

/// The save page's choices.
struct ListingSettings {
  ListingContent content = ListingContent::SubfoldersAndFiles;
  bool includeWebpageFolders = false;  ///< "Include webpage folder" (ALL layers only)
  bool specialTypes = false;           ///< "Special types" instead of "All  types"
  bool music = false, document = false, film = false, picture = false, program = false;
  bool other = false;
  std::string otherText;  ///< the "Other" edit box, used as typed
  bool fileSize = false;  ///< "File size"
  bool fileTime = false;  ///< "File date time"
  ItemOrder order;        ///< the numbering order option: each folder's entries are listed in it
};

/// The extension lists of the type boxes (their hint texts).
inline constexpr const char* kMusicTypes = "mp3,wma,wav,swf";
inline constexpr const char* kDocumentTypes = "doc,txt,ppt,pdf,xls,htm,mht";
inline constexpr const char* kFilmTypes = "avi,wmv,rm,rmvb,mpg,mpeg,mp4";
inline constexpr const char* kPictureTypes = "bmp,jpg,jpeg,gif,tif,tiff,png,psd";
inline constexpr const char* kProgramTypes = "exe,rar,zip,iso,chm";

inline constexpr const char* kReplaceListingQuestion = VELMORA_NOOP("Core", "The file is existing, replace it ?");
inline constexpr const char* kReplaceListingTitle = VELMORA_NOOP("Core", "Confirmation");
inline constexpr const char* kFallbackListingName = "filenames.txt";
inline constexpr const char* kSavedToMessage = VELMORA_NOOP("Core", "The filename had been saved to:");
/// Bar maximum of the progress window while a listing is searched; the bar wraps to 0.
inline constexpr int kListingProgressMaximum = 600;

/// The choices the OK checks of the save page read.
ListingChoices ToOkChoices(const ListingSettings& settings);

/// True when a file name passes the "Special types" filter (always true with "All  types").
bool PassesTypeFilter(const ListingSettings& settings, std::string_view fileName);

/// "  1.5KB", "  500Byte", "  3GB": two blanks and the size in its unit, rounded half to
/// even, trailing zeros dropped, with the given decimal separator.
std::string SizePart(std::uint64_t size, char decimalSeparator = '.');

/// "  20070501 9:05": two blanks, date, hour without a leading zero, minutes.
std::string TimePart(const platform::LocalTime& time);

/// The stamp line "[date time]" for the present moment, in the C library's current locale
/// formats (the desktop program passes its own, from the system's date and time formats).
std::string CurrentStampLine();

/// The file that is written for a chosen name: the name itself when it ends in ".txt" (any
/// case), otherwise the name with ".txt" added.
std::string ListingOutputPath(const std::string& chosen);

/// Whether the save dialog asks the replace question: the chosen name, or the chosen name
/// with ".txt" added, already exists.
bool ListingReplaceQuestionApplies(platform::FileSystem& fs, const std::string& chosen);

/// The recursive listing walk. Lines are appended in order; the indent starts at two
/// blanks and grows by two per folder level. Used by "Savealls" only.
class ListingWalk {
 public:
  ListingWalk(platform::FileSystem& fs, const ListingSettings& settings, RunHooks& hooks, const StopFlag& stop,
              std::vector<std::string>& lines, char decimalSeparator = '.');

  /// Walks one folder: its subfolders (with their subtrees) first, then its files.
  void operator()(const std::string& folder);

 private:
  void entryRead(const std::string& name);
  void folderPass(const std::string& folder, const std::vector<platform::DirEntry>& entries);
  void filePass(const std::string& folder, const std::vector<platform::DirEntry>& entries);

  platform::FileSystem& fs_;
  const ListingSettings& settings_;
  RunHooks& hooks_;
  const StopFlag& stop_;
  std::vector<std::string>& lines_;
  char decimalSeparator_;
  std::string indent_ = "  ";
  int progress_ = 0;
};

struct ListingRequest {
  engine::OperationKind kind = engine::OperationKind::ListFolder;  ///< Savealls or Savesomes
  TargetSet target;          ///< the folder (Savealls) or the hand-picked list (Savesomes)
  ListingSettings settings;  ///< read for Savealls only, but for its order
  std::string chosenPath;    ///< the name picked in the save dialog (or given on a command line)
  std::string stampLine;     ///< "[date time]"; empty: CurrentStampLine()
  char decimalSeparator = '.';
  std::string fallbackFolder;  ///< where the fallback file goes; empty: the home folder
  bool lfLineEnds = false;     ///< LF alone after each line instead of CR LF, for Linux tools
};

/// The listing lines: the header lines, then the walk (Savealls) or the grouped list
/// (Savesomes). A set StopFlag ends the walk early; what was gathered is kept.
std::vector<std::string> CollectListingLines(platform::FileSystem& fs, const ListingRequest& request,
                                             RunHooks& hooks, const StopFlag& stop);

struct ListingWriteResult {
  bool written = false;
  std::string path;           ///< the file written
  bool usedFallback = false;  ///< the chosen file could not be written
};

/// Writes the lines (CR LF after each, or LF with lfLineEnds) to the output path of the chosen name; when that
/// fails, to "filenames.txt" in the fallback folder, or to a numbered new name beside it
/// when that file exists, and shows where the listing went.
ListingWriteResult WriteListing(platform::FileSystem& fs, const std::vector<std::string>& lines,
                                const std::string& chosenPath, const std::string& fallbackFolder,
                                Messages& messages, bool lfLineEnds = false);

struct ListingOutcome {
  ListingWriteResult write;
  std::size_t lineCount = 0;
  bool stopped = false;   ///< the walk was cancelled; the lines so far were written
  bool openFile = false;  ///< the caller opens write.path with its associated program
};

/// The export after the save dialog: collect the lines, write them, say whether the file is
/// to be opened ("Don't open file after save filenames " off), and clear the StopFlag. The
/// caller then ends the program or closes the editor as the options say.
ListingOutcome ExportListing(platform::FileSystem& fs, const ListingRequest& request, const RunOptions& options,
                             Messages& messages, RunHooks& hooks, StopFlag& stop);

}  // namespace velmora::batch
