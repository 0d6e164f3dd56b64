// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress_line.h"

#include <string>

namespace velmora::cli {

namespace {
constexpr std::size_t kWidth = 79;  // one line on an 80-column terminal, the caret after it
constexpr auto kFirstAfter = std::chrono::seconds(1);
constexpr auto kEvery = std::chrono::milliseconds(100);
}  // namespace

std::string ProgressLine::Text(std::size_t count, double seconds, std::string_view path, std::size_t width) {
  const auto rate = static_cast<unsigned long long>(seconds > 0 ? static_cast<double>(count) / seconds : 0);
  std::string line = std::to_string(count) + " items, " + std::to_string(rate) + "/s, ";
  const std::size_t slash = path.find_last_of('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (line.size() + name.size() > width) {
    // Cut on a character's first byte, and never through a control character.
    std::size_t room = width > line.size() ? width - line.size() : 0;
    while (room > 0 && room < name.size() && (static_cast<unsigned char>(name[room]) & 0xC0) == 0x80) --room;
    name = name.substr(0, room);
  }
  for (const char c : name) line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return line;
}

void ProgressLine::draw(std::string_view path, Clock::time_point now) {
  if (now - start_ < kFirstAfter || now - last_ < kEvery) return;
  last_ = now;
  shown_ = true;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  err_ << "\r\x1b[K" << Text(count_, seconds, path, kWidth) << std::flush;
}

void ProgressLine::finish() {
  if (!shown_) return;
  shown_ = false;
  err_ << "\r\x1b[K" << std::flush;
}

}  // namespace velmora::cli
