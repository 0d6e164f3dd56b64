// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What OK does in the operation editor (and Preview, and the CLI): the input checks in
// their fixed order with their messages, the confirmation texts, and the decision whether
// the run starts. Both front ends call this; a window only shows what it asks for.

#include <optional>
#include <string>

#include "batch/batch_run.h"
#include "batch/interfaces.h"
#include "batch/target_walk.h"
#include "engine/operation_record.h"
#include "media/metadata.h"

namespace velmora::batch {

/// The nine characters that no name may hold, in the order they are looked for.
inline constexpr const char* kProhibitedCharacters = "\\/:*?\"<>|";
/// Refused as well, with the same message: a line break cannot stand in the line-based
/// rollback log, and a NUL ends a name on every system.
inline constexpr std::string_view kProhibitedControls{"\r\n\0", 3};

/// True when the text holds one of the nine prohibited characters or a refused control.
bool HoldsProhibitedCharacter(std::string_view text);

/// True when a date pattern may stand in "{taken=...}": nothing the input check refuses, and
/// no brace (the placeholder would end there).
bool UsableDatePattern(std::string_view pattern);

/// The check of a text typed by the user: random-string placeholders, tag placeholders where
/// no tags can be read, then the nine prohibited characters. Shows its message and answers
/// false when the text is refused.
bool InputTextCheck(const std::string& text, bool specialStringsEnabled, Messages& messages,
                    const media::MetadataReader& tags = media::SystemMetadataReader());

/// The listing page's choices that its OK checks read.
struct ListingChoices {
  bool onlySubfolders = false;  ///< " Only subfolders name"
  bool specialTypes = false;    ///< "Special types"
  bool music = false, document = false, film = false, picture = false, program = false;
  bool other = false;           ///< "Other"
  std::string otherText;        ///< Edit3
};

/// What one OK press reads. The sample values (selection length, CursorPos and the sample
/// text that the CURSOR wording quotes) are those of record.sample.
struct OkRequest {
  engine::OperationRecord& record;  ///< the extension boxes are normalised in place
  const TargetSet& target;
  RunMode mode = RunMode::Rename;   ///< set back to Rename by the listing operations
  bool confirmOption = false;  ///< the "Confirm" option
  std::string selectedText;    ///< the sample's selected part, for the messages
  ListingChoices listing;
  /// The code page of the names, in which regular expressions are read (null: the system's).
  const platform::CodePage* codePage = nullptr;
  /// What reads the files' tags, which decides whether tag placeholders may be used (null:
  /// the build's own reader).
  const media::MetadataReader* tags = nullptr;
};

struct OkResult {
  bool run = false;          ///< start the run (or the listing export)
  /// The record field a refused check points at ("" for none); the editor puts the focus in
  /// its box, the CLI names it.
  std::string field;
  bool targetChecked = false;  ///< FirstTargetItem was called and found something
  int topLayerFileCount = 0;
};

/// The continue suffix: the scope text in folder mode, then "continue preview ?" or
/// "continue ?".
std::string ContinueSuffix(const TargetSet& target, RunMode mode);

/// OK, in its order: the target check, then the block of the record's operation. run
/// means the batch run for the rename operations and the listing export for "Savealls"
/// and "Savesomes" (the latter without any check: the hand-picked list is exported at
/// once); "Browsefile" never runs anything.
OkResult RunOkChecks(platform::FileSystem& fs, OkRequest& request, Messages& messages);

}  // namespace velmora::batch
