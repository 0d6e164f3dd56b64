// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "(n)" numbering of a new name that is taken: the first free of name, name(1),
// name(2), ... where the number goes before the extension. The run and the preview number
// through the same object, so the preview shows the numbers the run gives.
//
// It stays linear when thousands of names collapse into one: for each name numbered so far
// it keeps the last number handed out, so the next item goes on from there instead of
// probing every number again. It stays exact as the run goes on: a name that an earlier
// item left (renamed away from it) is free again, and is offered before the numbers above.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora::batch {

class CollisionNumbering {
  struct Entry {
    int last = 0;            ///< numbers 1..last were handed out
    bool nameFree = false;   ///< the name itself was left since it was found taken
    std::vector<int> freed;  ///< numbers up to last that were left since: a min-heap
  };

 public:
  /// Numbers tried for one name at most: a name the system keeps refusing ends the search.
  static constexpr int kMaxNumber = 1000000;

  /// The candidates for one new name in the order they are to be tried. The caller tries
  /// each until one is free; every candidate handed out counts as taken from then on.
  class Candidates {
   public:
    /// The next candidate, or null once kMaxNumber is passed. The name itself is handed out
    /// as it is, without a copy; a numbered one lives until the next call.
    const std::string* next();

   private:
    friend class CollisionNumbering;
    Candidates(CollisionNumbering& owner, const std::string& name) : owner_(owner), name_(name) {}
    CollisionNumbering& owner_;
    const std::string& name_;  ///< the cleaned new name, as the key of its numbers
    bool started_ = false;
    Entry* entry_ = nullptr;
    std::string numbered_;  ///< the numbered candidate handed out last
  };

  /// The candidates for a cleaned new full path: the path itself first, unless it was found
  /// taken earlier and nobody left it since. `name` must outlive the candidates.
  Candidates candidates(const std::string& name) { return Candidates(*this, name); }

  /// An item left this path: when it is a name numbered so far (the name itself or one of
  /// its numbers), that name is free again.
  void left(std::string_view oldPath);

  /// A trial: from here on every name's numbers are saved before they change, and endTrial
  /// puts them back, so the numbers of items planned ahead can be worked out and then
  /// handed out again, the same, when the items are renamed.
  void beginTrial();
  void endTrial();

  /// How many candidates were handed out since the last clear: what the numbering costs.
  std::size_t handedOut() const { return handedOut_; }
  void clear();

  /// The name with the number n (n > 0) before its extension: the part of the last
  /// component from its last dot on, for files and folders alike.
  static std::string Numbered(std::string_view name, int n);

 private:
  /// Saves a name's numbers before a trial changes them (once per trial).
  void save(const std::string& name);

  std::unordered_map<std::string, Entry> entries_;
  std::size_t handedOut_ = 0;
  bool trial_ = false;
  std::size_t handedOutBefore_ = 0;
  std::unordered_map<std::string, std::optional<Entry>> saved_;  ///< a trial's names as they were
};

}  // namespace velmora::batch
