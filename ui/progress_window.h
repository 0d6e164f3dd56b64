// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm5, "Progress": the modal window in which a long run, a long undo or a listing
// export does its work, with the names of the item just done, a bar and "Cancel".
//
// API for the other windows:
//  - run(work, stop): shows the window modally, starts `work` once the window is on screen
//    (a posted start event), and closes the window when `work` returns. "Cancel" asks
//    "Will you cancel this operation?" and on Yes sets `stop`; the work stops at its next
//    test of the flag.
//  - start(maximum), showItem(old, new, step): the bar and the two names (bytes, as the file
//    system gives them; copied into buffers kept from item to item, decoded only when shown).
//  - processEvents(): what the work's run hooks call after every item: lets pending events
//    be processed (a Cancel click, repaints) and shows the latest names and bar position.
//    Cheap when called often: events are processed at most once per kPumpIntervalMs, so
//    Cancel is seen within a few milliseconds, and the names and the bar are brought up to
//    date at most once per kViewIntervalMs, which keeps a run of 100,000 renames from
//    being slowed by the painting of its window.
//  - setSearching(on): the "Searching, please wait..." panel over the names.

#include <QDialog>
#include <memory>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <string_view>

#include "batch/interfaces.h"
#include "ui/ports.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmora::ui {

namespace Ui {
class ProgressWindow;
}

class Program;

class ProgressWindow final : public QDialog, public ProgressPort {
  Q_OBJECT

 public:
  static constexpr int kPumpIntervalMs = 10;
  static constexpr int kViewIntervalMs = 40;
  static constexpr const char* kCancelQuestion = QT_TRANSLATE_NOOP("Core", "Will you cancel this operation?");

  explicit ProgressWindow(Program& program, QWidget* parent = nullptr);
  ~ProgressWindow() override;

  void run(const std::function<void()>& work, batch::StopFlag& stop) override;
  void start(int maximum) override;
  void showItem(std::string_view oldName, std::string_view newName, int step) override;
  void processEvents() override;
  void setSearching(bool on) override;
  bool isWorking() const { return working_; }
  /// The bar as the window shows it after the next update.
  int barValue() const { return value_; }
  int barMaximum() const { return maximum_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void CancelClick();
  void updateView();
  void setName(QLabel* label, const QString& name);

  Program& program_;
  std::unique_ptr<Ui::ProgressWindow> ui_;
  QLabel* oldName_;
  QLabel* newName_;
  QLabel* searching_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  std::function<void()> work_;
  batch::StopFlag* stop_ = nullptr;
  bool started_ = false;
  bool working_ = false;

  // What the window is to show; applied to the controls by updateView(). The names stay
  // bytes until then: a run hands over one pair per item, the window shows one in thousands.
  std::string pendingOld_, pendingNew_;
  bool namesChanged_ = false;
  int value_ = 0;
  int maximum_ = 100;
  QElapsedTimer sincePump_;
  QElapsedTimer sinceView_;
};

}  // namespace velmora::ui
