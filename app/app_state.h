// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application-wide values that the windows share: the operation keyword, the target,
// the sample item, the hand-off session and the program's own folder. One instance lives
// for the whole run of the program.

#include <cstdint>
#include <string>

#include "batch/target_walk.h"
#include "engine/operation_record.h"

namespace velmora::app {

inline constexpr const char* kBrowsefile = "Browsefile";

struct AppState {
  /// The operation keyword as text, kept unchanged as given (a start argument may be any
  /// text); "Browsefile" whenever no operation is being edited.
  std::string operationKind = kBrowsefile;
  /// True from a start with a keyword other than "Savesomes" until the editor closes.
  bool handOffSession = false;
  /// Target folder (empty in hand-picked mode), its scope, and the hand-picked list.
  batch::TargetSet target;
  /// The item whose name the editor shows as its example old name.
  std::string samplePath;
  /// Files directly in the target folder, as last counted (the small-run rule reads it).
  int topLayerFileCount = 0;
  /// The program's own folder, ending in a separator.
  std::string installDir;
  /// Seeds the random strings; starts at the start time and lives for the whole process.
  std::uint32_t randomSeedCounter = 0;

  /// The keyword as an operation; Browsefile for a text that is no keyword.
  engine::OperationKind kind() const { return engine::KindFromKeyword(operationKind); }
  /// The item the editor's example stands for: the target folder itself where only its
  /// name changes, the sample item otherwise.
  const std::string& exampleItem() const {
    return target.isFolderMode() && target.scope == batch::FolderScope::ThisFolder ? target.folder : samplePath;
  }
  /// True when the keyword is exactly that operation's keyword.
  bool isKind(engine::OperationKind k) const { return operationKind == engine::KeywordOf(k); }
};

}  // namespace velmora::app
