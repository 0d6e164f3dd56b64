// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small seams through which the core talks to whatever shows it: the desktop
// windows, the command line, or a test recorder.

#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "engine/core_text.h"

namespace velmora::batch {

/// YesNoCancel: Yes, No and Cancel, for a question whose Cancel keeps things as they are.
enum class Buttons { OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

/// Message boxes. Titles and texts are the program's own, exactly as shown (the core's marked
/// for translation: engine/core_text.h).
class Messages {
 public:
  virtual ~Messages() = default;
  /// Information box: title "Information", one OK button.
  virtual void information(const std::string& text) = 0;
  /// Warning box: title "Warning" unless another is given, one OK button.
  virtual void warning(const std::string& text, const std::string& title = VELMORA_NOOP("Core", "Warning")) = 0;
  /// Question box with OK/Cancel, Yes/No or Yes/No/Cancel; closing it counts as Cancel (or
  /// No for Yes/No).
  virtual Answer confirm(const std::string& title, const std::string& text, Buttons buttons) = 0;
};

/// What a long loop tells the window that shows it, and the main window's list.
struct PreviewRow;
struct ItemResult;

class RunHooks {
 public:
  virtual ~RunHooks() = default;
  /// Lets pending window messages be processed (repaint, a Cancel click).
  virtual void processEvents() {}
  /// Progress bar at 0 with this maximum.
  virtual void progressStart(int /*maximum*/) {}
  /// An item done: its old and new name (without folder), bar advanced by the step. Called
  /// for every item: the names are only lent, a window keeps what it shows.
  virtual void progressItem(std::string_view /*oldName*/, std::string_view /*newName*/, int /*step*/) {}
  /// The main window's file list: append an entry, empty it.
  virtual void addEntry(const std::string& /*text*/) {}
  virtual void clearList() {}
  /// A preview row computed (filler rows excepted), for front ends that show rows as they come.
  virtual void previewRow(const PreviewRow& /*row*/) {}
  /// What became of an item, as the run (or preview) reaches it; the texts are only lent.
  virtual void itemDone(const ItemResult& /*result*/) {}
  /// Carries out the renames (or an undo's replay): inside the progress window when asked
  /// for and the front end has one, otherwise straight away.
  virtual void carryOut(bool /*withProgress*/, const std::function<void()>& work) { work(); }
};

/// Hooks that do nothing: the command line, and runs nobody watches.
class NoHooks final : public RunHooks {};

/// The stop flag that every walk and item loop tests; set by Cancel or a full preview.
/// Atomic so that a window or a signal handler may set it at any moment.
struct StopFlag {
  std::atomic<bool> value{false};
  bool isSet() const { return value.load(std::memory_order_relaxed); }
  void set() { value.store(true, std::memory_order_relaxed); }
  void clear() { value.store(false, std::memory_order_relaxed); }
};

}  // namespace velmora::batch
