// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own files, all in one folder: the rollback log, its journal, the
// new-name history and the hand-off list.

#include <string>

namespace velmora::batch {

inline constexpr const char* kRollbackLogName = "rollback.rbk";
inline constexpr const char* kJournalName = "rollback.rbk.journal";
inline constexpr const char* kHistoryName = "Newname.txt";
inline constexpr const char* kHandOffName = "fn000.tmp";

/// The program folder as given, with exactly one trailing separator.
std::string ProgramFolderWithSeparator(const std::string& folder);

}  // namespace velmora::batch
