// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/collision_numbering.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "engine/name_model.h"

namespace velmora::batch {

namespace {
/// Where the extension of a path's last component starts: at its last dot (for files and
/// folders alike), or at the end when it has none.
std::size_t ExtensionStart(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < engine::NameStart(path) ? path.size() : dot;
}
}  // namespace

std::string CollisionNumbering::Numbered(std::string_view name, int n) {
  const std::size_t dot = ExtensionStart(name);
  std::string out;
  out.reserve(name.size() + 10);
  out.append(name.substr(0, dot)).append(1, '(').append(std::to_string(n)).append(1, ')').append(name.substr(dot));
  return out;
}

const std::string* CollisionNumbering::Candidates::next() {
  ++owner_.handedOut_;
  if (!started_) {
    started_ = true;
    // A name nobody found taken yet is tried as it is.
    if (owner_.entries_.empty()) return &name_;
    const auto it = owner_.entries_.find(name_);
    if (it == owner_.entries_.end()) return &name_;
    entry_ = &it->second;
    if (entry_->nameFree) {
      owner_.save(name_);
      entry_->nameFree = false;
      return &name_;
    }
  }
  // The name itself is taken: from here on its numbers are counted.
  owner_.save(name_);
  if (!entry_) entry_ = &owner_.entries_[name_];
  int n = 0;
  if (!entry_->freed.empty()) {
    std::pop_heap(entry_->freed.begin(), entry_->freed.end(), std::greater<>());
    n = entry_->freed.back();
    entry_->freed.pop_back();
  } else if (entry_->last < kMaxNumber) {
    n = ++entry_->last;
  } else {
    return nullptr;
  }
  numbered_ = Numbered(name_, n);
  return &numbered_;
}

void CollisionNumbering::left(std::string_view oldPath) {
  if (entries_.empty()) return;
  // The path as a name of its own.
  if (const auto it = entries_.find(std::string(oldPath)); it != entries_.end()) {
    save(it->first);
    it->second.nameFree = true;
  }
  // The path as a number of another name: "base(n).ext" is number n of "base.ext".
  const std::size_t start = engine::NameStart(oldPath);
  const std::size_t dot = ExtensionStart(oldPath);
  if (dot == start || oldPath[dot - 1] != ')') return;
  const std::size_t open = oldPath.rfind('(', dot - 1);
  if (open == std::string_view::npos || open < start || open + 2 >= dot || oldPath[open + 1] == '0') return;
  int n = 0;
  const char* first = oldPath.data() + open + 1;
  const char* last = oldPath.data() + dot - 1;
  const auto [end, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || end != last) return;
  std::string name(oldPath.substr(0, open));
  name.append(oldPath.substr(dot));
  const auto it = entries_.find(name);
  if (it == entries_.end() || n > it->second.last) return;
  save(name);
  it->second.freed.push_back(n);
  std::push_heap(it->second.freed.begin(), it->second.freed.end(), std::greater<>());
}

void CollisionNumbering::save(const std::string& name) {
  if (!trial_ || saved_.count(name)) return;
  const auto it = entries_.find(name);
  saved_.emplace(name, it == entries_.end() ? std::nullopt : std::optional<Entry>(it->second));
}

void CollisionNumbering::beginTrial() {
  trial_ = true;
  handedOutBefore_ = handedOut_;
  saved_.clear();
}

void CollisionNumbering::endTrial() {
  for (auto& [name, entry] : saved_) {
    if (entry)
      entries_[name] = std::move(*entry);
    else
      entries_.erase(name);
  }
  saved_.clear();
  trial_ = false;
  handedOut_ = handedOutBefore_;
}

void CollisionNumbering::clear() {
  entries_.clear();
  handedOut_ = 0;
}

}  // namespace velmora::batch
