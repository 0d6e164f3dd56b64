// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The new names while the operation editor is open: the main window's list gets a second
// column with each entry's new name, and the editor a line under the sample with the
// sample's. Both come from the preview of the run pipeline, OK's own checks included, so
// numbering, collisions and clean-up are what OK will do.
//
// The plan is made off the UI thread: each change of the editor's inputs starts a timer;
// when the typing pauses, a worker thread runs the checks and the preview on a snapshot of
// its own over a read-only view of the file system, and hands its results back in two
// deliveries (the first items, which are the rows on screen after opening, then all). A
// change while a worker runs stops that worker; results of a stopped or older plan are
// never shown.

#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "batch/item_result.h"
#include "engine/operation_record.h"

class QAbstractItemDelegate;
class QLabel;
class QListView;

namespace velmora::ui {

class FileListModel;
class Program;

class LiveNames final : public QObject {
  Q_OBJECT

 public:
  /// One item's place in the plan.
  struct Entry {
    QString newName;  ///< the new name (name part), empty when left alone
    batch::ItemStatus status = batch::ItemStatus::Unchanged;
    QString reason;  ///< why it is left alone
  };
  using Plan = QHash<QString, Entry>;

  /// `record` gives the operation as the inputs of `editor` describe it now. The sample's
  /// line goes under the editor's sample line at once: its room is kept while it is hidden,
  /// so the editor has one height with and without it.
  LiveNames(Program& program, QWidget& editor, QListView& list, FileListModel& model,
            std::function<engine::OperationRecord()> record);
  ~LiveNames() override;

  /// The editor opened: its inputs are watched and the column is shown (unless the option
  /// is off or the operation renames nothing).
  void start();
  /// The editor closed: the column and the sample line go, running work is stopped.
  void stop();
  /// A run starts: the plan in the making is stopped (the run needs the processor, and
  /// what it renames would make the plan stale); the next change plans again.
  void yieldToRun();

  /// Pause after the last change before a plan is made.
  static constexpr int kPauseMs = 150;
  /// Items in the first delivery.
  static constexpr int kFirstItems = 256;

  bool active() const { return active_; }
  /// True once the plan of the inputs as they are now is complete.
  bool upToDate() const { return active_ && !timer_.isActive() && complete_ && shownGeneration_ == generation_; }
  /// The plan's entry of a list row; null when the row is not in the plan (yet).
  const Entry* entryOfRow(int row) const;
  /// The text the column shows for a row, and its tooltip.
  QString columnText(int row) const;
  QString toolTipOfRow(int row) const;
  /// The line under the sample ("-> new name"), shown while active.
  QLabel* sampleLine() const { return sampleLine_; }
  /// Workers that have not ended yet (tests: a stopped worker ends).
  int runningWorkers() const;

  /// The key of a path in the plan: without a trailing separator.
  static QString Key(QString path);

 private:
  struct Job;
  void inputChanged();
  void plan();
  void deliver(quint64 generation, std::shared_ptr<const Plan> plan, bool complete);
  void showSample();
  /// Frees a plan that is no longer shown, off the UI thread.
  void release(std::shared_ptr<const Plan> plan);
  void stopWorkers();
  void reapWorkers();
  void setColumnShown(bool shown);
  bool enabled() const;

  Program& program_;
  QListView& list_;
  FileListModel& model_;
  std::function<engine::OperationRecord()> record_;
  QWidget& editor_;
  QAbstractItemDelegate* rowDelegate_ = nullptr;  ///< the list's own painter
  QAbstractItemDelegate* liveDelegate_ = nullptr;
  QLabel* sampleLine_ = nullptr;
  std::vector<QMetaObject::Connection> watched_;
  QTimer timer_;
  std::vector<std::unique_ptr<Job>> jobs_;
  std::shared_ptr<const Plan> plan_;
  quint64 generation_ = 0;       ///< of the inputs as they are now
  quint64 shownGeneration_ = 0;  ///< of the plan shown
  bool complete_ = false;
  bool active_ = false;
};

}  // namespace velmora::ui
