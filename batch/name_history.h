// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The new-name history: the texts recently typed as new text for an operation, most recent
// first, kept in "Newname.txt" in the program folder and offered again in the editor's six
// new-name lists. The master list is the in-memory history; the copies stand for the five
// other lists, which are refreshed only at the moments stated below.

#include <string>
#include <vector>

#include "batch/interfaces.h"
#include "engine/operation_record.h"
#include "platform/file_system.h"

namespace velmora::batch {

inline constexpr int kHistoryMaximumLimit = 100;
inline constexpr const char* kClearHistoryQuestion = VELMORA_NOOP("Core", "Do you want to clear the new name list ?");
inline constexpr const char* kClearHistoryTitle = VELMORA_NOOP("Core", "Clear Confirmation");

/// Equal when ASCII letters are compared without regard to case; every other byte must match.
bool SameHistoryText(const std::string& a, const std::string& b);

/// The lines of a history file: CR, LF or CR LF; empty lines are entries too; a missing last
/// line break is fine; an empty text is an empty history.
std::vector<std::string> ParseHistory(const std::string& content);

class NameHistory {
 public:
  /// maximum: the "Max Number:" option, 0 (history off) to 100.
  NameHistory(platform::FileSystem& fs, const std::string& programFolder, int maximum);

  /// LoadHistory: when "Newname.txt" exists, master and copies := its lines; otherwise
  /// nothing changes. Returns true when the file was read.
  bool load();

  /// AddToHistory: the text goes to the front, every equal entry (ASCII case folded) goes,
  /// the list is cut to the maximum and written; with maximum 0 the file is deleted and the
  /// master list emptied (the copies keep what they held). A text holding a line break is
  /// not kept, since the file could not give it back as one entry.
  void add(const std::string& text);

  /// ShortenHistory: the master list cut to the (new) maximum and written, even when empty;
  /// copies := master.
  void shorten(int newMaximum);

  /// The editor window's "Save": empty lines dropped; no line left deletes the file,
  /// otherwise the lines are written. Master and copies := the lines. When they outnumber
  /// the maximum, the maximum is raised to their number (at most 100). Returns the maximum
  /// afterwards, for the Options window and the settings key.
  int saveEdited(const std::vector<std::string>& lines);

  /// ClearHistory without the question: the file deleted (missing is fine), all lists empty.
  void clear();

  const std::vector<std::string>& entries() const { return master_; }
  /// What the other five lists show.
  const std::vector<std::string>& copies() const { return copies_; }
  int maximum() const { return maximum_; }
  void setMaximum(int maximum);
  const std::string& filePath() const { return path_; }

 private:
  void cutToMaximum();
  bool write();

  platform::FileSystem& fs_;
  std::string folder_;
  std::string path_;
  int maximum_;
  std::vector<std::string> master_;
  std::vector<std::string> copies_;
};

/// The texts a real run of this operation records, in the order they are added (so the
/// last one ends up first): insert at positions HEAD, END, CURSOR (each when checked), or
/// the text to insert next to a string; the replace page's new string; the change page's
/// new name while "Change full name to new:" is chosen. Empty texts are left out; remove,
/// extension and the listings record nothing.
std::vector<std::string> NewNameTexts(const engine::OperationRecord& record);

/// RecordNewNames: adds every text of NewNameTexts to the history, in that order.
void RecordNewNames(NameHistory& history, const engine::OperationRecord& record);

/// ClearHistory from the Options window's "Clear": asks first (Yes and No); true when the
/// history was cleared.
bool ClearHistory(NameHistory& history, Messages& messages);

}  // namespace velmora::batch
