// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line on a terminal's stderr while a long run goes on: items done, items a second, the
// item at hand. Redrawn at most ten times a second, and only once the run has taken a second,
// so short runs and pipes (where it is never enabled) print nothing of it.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string_view>

namespace velmora::cli {

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;
  ProgressLine(std::ostream& err, bool enabled) : err_(err), enabled_(enabled), start_(Clock::now()) {}
  ~ProgressLine() { finish(); }

  /// One item done; its path names it when the line is redrawn.
  void item(std::string_view path) {
    if (!enabled_ || (++count_ & 63) != 0) return;
    draw(path, Clock::now());
  }
  /// The line goes again, so what follows starts on a clean line.
  void finish();

  /// The text of the line at that moment (for the tests): count, rate, name, at most width bytes.
  static std::string Text(std::size_t count, double seconds, std::string_view path, std::size_t width);

 private:
  void draw(std::string_view path, Clock::time_point now);

  std::ostream& err_;
  bool enabled_;
  bool shown_ = false;
  std::size_t count_ = 0;
  Clock::time_point start_, last_{};
};

}  // namespace velmora::cli
