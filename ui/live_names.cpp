// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/live_names.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <atomic>
#include <limits>
#include <thread>
#include <utility>

#include "batch/ok_checks.h"
#include "batch/run_pipeline.h"
#include "engine/special_strings.h"
#include "platform/code_page.h"
#include "platform/snapshot_file_system.h"
#include "engine/name_model.h"
#include "ui/desktop_look.h"
#include "ui/file_list_model.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui/translations.h"

namespace velmora::ui {

namespace {

using batch::ItemStatus;

/// The worker's view of the file system: reads go to the program's file system, whose reads
/// keep no state (the machine's answers each from the system), and every change is refused,
/// so a plan can never touch a file. The listing rules are copied when the view is made, on
/// the UI thread: the Options window may change the program's while a worker runs.
class ReadOnlyFileSystem final : public platform::FileSystem {
 public:
  explicit ReadOnlyFileSystem(platform::FileSystem& inner) : inner_(inner) { copyListingRules(inner); }
  std::optional<std::vector<platform::DirEntry>> readFolder(const std::string& folder) override {
    return inner_.readFolder(folder);
  }
  platform::EntryKind kind(const std::string& path) override { return inner_.kind(path); }
  platform::EntryStatus entryStatus(const std::string& path) override { return inner_.entryStatus(path); }
  bool isLink(const std::string& path) override { return inner_.isLink(path); }
  std::optional<platform::EntryInfo> entryInfo(const std::string& path) override { return inner_.entryInfo(path); }
  std::optional<std::string> readFile(const std::string& path) override { return inner_.readFile(path); }
  std::string canonicalPath(const std::string& path) override { return inner_.canonicalPath(path); }
  platform::RenameStatus rename(const std::string&, const std::string&) override {
    return platform::RenameStatus::Failed;
  }
  bool writeFileAtomic(const std::string&, std::string_view, bool) override { return false; }
  bool removeFile(const std::string&) override { return false; }
  bool makeFolders(const std::string&) override { return false; }
  bool removeFolder(const std::string&) override { return false; }
  std::unique_ptr<platform::AppendLog> openLockedAppend(const std::string&, platform::LockFailure*) override {
    return nullptr;
  }
  bool isUnlocked(const std::string&) override { return false; }

 private:
  platform::FileSystem& inner_;
};

/// A plan asks nobody: its messages are dropped and its questions answered as a user who
/// goes on would, so the plan is what OK gives once its questions are answered.
class QuietMessages final : public batch::Messages {
 public:
  void information(const std::string&) override {}
  void warning(const std::string&, const std::string&) override {}
  batch::Answer confirm(const std::string&, const std::string&, batch::Buttons buttons) override {
    return buttons == batch::Buttons::OkCancel ? batch::Answer::Ok : batch::Answer::Yes;
  }
};

/// What a worker needs, copied on the UI thread.
struct JobInput {
  engine::OperationRecord record;
  batch::TargetSet target;
  batch::ItemOrder order;
  engine::SpecialStringSettings special;
  std::uint32_t seed = 0;
  std::unique_ptr<ReadOnlyFileSystem> fs;
  media::MetadataReader* tags = nullptr;  ///< the program's tag reader, as a run reads with
};

using Deliver = std::function<void(std::shared_ptr<const LiveNames::Plan>, bool complete)>;

/// Collects each item's place in the plan; delivers the first items early.
class PlanHooks final : public batch::RunHooks {
 public:
  explicit PlanHooks(const Deliver& deliver) : deliver_(deliver) {}
  void itemDone(const batch::ItemResult& r) override {
    const std::string_view name = r.newPath.substr(engine::NameStart(r.newPath));
    LiveNames::Entry entry{FromPath(std::string(name)), r.status, CoreText(std::string(r.reason))};
    if (r.status == ItemStatus::LeftAlone || r.status == ItemStatus::Refused) entry.newName.clear();
    plan_.insert(LiveNames::Key(FromPath(std::string(r.oldPath))), std::move(entry));
    if (plan_.size() == LiveNames::kFirstItems) deliver_(std::make_shared<const LiveNames::Plan>(plan_), false);
  }
  LiveNames::Plan& plan() { return plan_; }

 private:
  const Deliver& deliver_;
  LiveNames::Plan plan_;
};

/// OK's checks and the pipeline's preview of every item, as OK would run them.
void MakePlan(JobInput& in, batch::StopFlag& stop, const Deliver& deliver) {
  platform::SnapshotFileSystem snapshot(*in.fs);
  QuietMessages messages;
  batch::OkRequest ok{in.record, in.target, batch::RunMode::Preview, false, {}, {}};
  const batch::OkResult checked = batch::RunOkChecks(snapshot, ok, messages);
  if (stop.isSet()) return;
  PlanHooks hooks(deliver);
  if (checked.run) {
    engine::SpecialStringExpander expander(snapshot, in.special, in.seed);
    expander.useMetadataReader(*in.tags);
    batch::PipelineRequest request{{in.record, in.target, batch::RunMode::Preview, in.special.startNumber,
                                    std::numeric_limits<int>::max(), false, in.order},
                                   {}, nullptr, &expander, std::nullopt};
    batch::RunPipeline({snapshot, *in.fs, platform::SystemCodePage(), messages, hooks, stop}, request);
  }
  if (stop.isSet()) return;
  deliver(std::make_shared<const LiveNames::Plan>(std::move(hooks.plan())), true);
}

/// Paints a row as the list does in its left half and the new name in its right half.
class LiveRowDelegate final : public QStyledItemDelegate {
 public:
  LiveRowDelegate(LiveNames& live, QAbstractItemDelegate* rowDelegate, QObject* parent)
      : QStyledItemDelegate(parent), live_(live), rowDelegate_(rowDelegate) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect r = option.rect;
    const int split = r.left() + r.width() / 2;
    QStyleOptionViewItem left(option);
    left.rect.setRight(split - 1);
    rowDelegate_->paint(painter, left, index);

    painter->save();
    const QRect cell(split, r.top(), r.right() - split + 1, r.height());
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
      painter->fillRect(cell.adjusted(0, 0, 0, -1), FileRowDelegate::SelectedRowColour(option.palette));
      painter->setPen(option.palette.color(QPalette::Active, QPalette::Highlight));
      painter->drawRect(cell.adjusted(0, 0, -1, -2));
    } else {
      painter->fillRect(cell, option.palette.color(QPalette::Base));
    }
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topLeft(), QPoint(cell.left(), cell.bottom() - 1));

    const LiveNames::Entry* entry = live_.entryOfRow(index.row());
    QFont font = option.font;
    // The fixed green of a selected row takes its fixed text colour; unchanged and left-alone
    // rows are dimmed with the palette's placeholder colour, so they stay readable in dark themes.
    QColor text = selected ? FileRowDelegate::SelectedRowText(option.palette) : option.palette.color(QPalette::Text);
    const bool dimmed = entry && entry->status != ItemStatus::Renamed && entry->status != ItemStatus::Numbered;
    if (dimmed && !selected) text = option.palette.color(QPalette::PlaceholderText);
    if (entry && entry->status != ItemStatus::Renamed && entry->status != ItemStatus::Numbered &&
        entry->status != ItemStatus::Unchanged)
      font.setItalic(true);
    int textLeft = cell.left() + 6;
    if (entry && entry->status == ItemStatus::Numbered) {
      // The numbered mark: a dot in the palette's link colour before a bold name.
      font.setBold(true);
      const int d = std::max(6, option.fontMetrics.height() / 3);
      painter->setRenderHint(QPainter::Antialiasing);
      painter->setPen(Qt::NoPen);
      painter->setBrush(selected ? ForPalette(option.palette, QColor(0, 0, 170), QColor(150, 200, 255))
                                 : option.palette.color(QPalette::Link));
      painter->drawEllipse(QRect(textLeft, cell.top() + (cell.height() - 1 - d) / 2, d, d));
      textLeft += d + 4;
    }
    painter->setPen(text);
    painter->setFont(font);
    const QRect textRect(textLeft, cell.top(), cell.right() - textLeft - 2, cell.height() - 1);
    const QString shown = QFontMetrics(font).elidedText(live_.columnText(index.row()), Qt::ElideMiddle, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return rowDelegate_->sizeHint(option, index);
  }

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip || !index.isValid()) return false;
    const QString tip = live_.toolTipOfRow(index.row());
    if (tip.isEmpty()) return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), tip, view);
    return true;
  }

 private:
  LiveNames& live_;
  QAbstractItemDelegate* rowDelegate_;
};

}  // namespace

struct LiveNames::Job {
  batch::StopFlag stop;
  std::atomic<bool> finished{false};
  std::thread thread;
};

LiveNames::LiveNames(Program& program, QWidget& editor, QListView& list, FileListModel& model,
                     std::function<engine::OperationRecord()> record)
    : program_(program), list_(list), model_(model), record_(std::move(record)), editor_(editor) {
  timer_.setSingleShot(true);
  // The sample's new name, under the sample line.
  if (QWidget* presets = editor.findChild<QWidget*>(QStringLiteral("PresetRow"))) {
    for (QBoxLayout* layout : editor.findChildren<QBoxLayout*>()) {
      const int at = layout->indexOf(presets);
      if (at < 0) continue;
      sampleLine_ = new QLabel(&editor);
      sampleLine_->setObjectName(QStringLiteral("LiveSampleName"));
      sampleLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
      sampleLine_->setForegroundRole(QPalette::PlaceholderText);
      QSizePolicy policy = sampleLine_->sizePolicy();
      policy.setRetainSizeWhenHidden(true);
      sampleLine_->setSizePolicy(policy);
      sampleLine_->hide();
      layout->insertWidget(at, sampleLine_);
      break;
    }
  }
  connect(&timer_, &QTimer::timeout, this, &LiveNames::plan);
}

LiveNames::~LiveNames() {
  stopWorkers();
  for (auto& job : jobs_) job->thread.join();
  setColumnShown(false);
}

QString LiveNames::Key(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

bool LiveNames::enabled() const { return program_.runOptions().showNewNames; }

void LiveNames::start() {
  stop();
  if (!enabled()) return;
  const engine::OperationKind kind = program_.state().kind();
  // The listing export and the About panel rename nothing.
  if (kind != engine::OperationKind::Remove && kind != engine::OperationKind::Replace &&
      kind != engine::OperationKind::Insert && kind != engine::OperationKind::Change &&
      kind != engine::OperationKind::Extension)
    return;
  active_ = true;
  // Every input of the editor, whatever page it is on: a change starts the pause again.
  for (QLineEdit* e : editor_.findChildren<QLineEdit*>()) {
    watched_.push_back(connect(e, &QLineEdit::textChanged, this, &LiveNames::inputChanged));
    watched_.push_back(connect(e, &QLineEdit::selectionChanged, this, &LiveNames::inputChanged));
    watched_.push_back(connect(e, &QLineEdit::cursorPositionChanged, this, &LiveNames::inputChanged));
  }
  for (QComboBox* c : editor_.findChildren<QComboBox*>())
    watched_.push_back(connect(c, &QComboBox::currentIndexChanged, this, &LiveNames::inputChanged));
  for (QAbstractButton* b : editor_.findChildren<QAbstractButton*>())
    if (b->isCheckable()) watched_.push_back(connect(b, &QAbstractButton::toggled, this, &LiveNames::inputChanged));
  if (sampleLine_) {
    sampleLine_->clear();
    sampleLine_->show();
  }
  setColumnShown(true);
  // The first plan goes as soon as the editor's set-up is over: nobody typed yet.
  ++generation_;
  timer_.start(0);
}

void LiveNames::stop() {
  timer_.stop();
  stopWorkers();
  for (const auto& c : watched_) disconnect(c);
  watched_.clear();
  if (sampleLine_) sampleLine_->hide();
  setColumnShown(false);
  release(std::exchange(plan_, nullptr));
  complete_ = false;
  active_ = false;
}

void LiveNames::yieldToRun() {
  if (!active_) return;
  timer_.stop();
  stopWorkers();
  ++generation_;  // what a stopped worker would still deliver is stale
}

void LiveNames::setColumnShown(bool shown) {
  if (shown && !liveDelegate_) {
    rowDelegate_ = list_.itemDelegate();
    liveDelegate_ = new LiveRowDelegate(*this, rowDelegate_, this);
    list_.setItemDelegate(liveDelegate_);
  } else if (!shown && liveDelegate_) {
    if (list_.itemDelegate() == liveDelegate_) list_.setItemDelegate(rowDelegate_);
    delete liveDelegate_;
    liveDelegate_ = nullptr;
  }
  list_.viewport()->update();
}

void LiveNames::inputChanged() {
  if (!active_) return;
  ++generation_;
  // What runs now plans inputs that are gone.
  stopWorkers();
  timer_.start(kPauseMs);
}

void LiveNames::plan() {
  if (!active_) return;
  if (!enabled()) {
    stop();
    return;
  }
  reapWorkers();
  const app::AppState& state = program_.state();
  auto in = std::make_shared<JobInput>();
  in->record = record_();
  in->target = state.target;
  in->order = program_.runOptions().order;
  in->special = program_.specialStringSettings();
  in->seed = state.randomSeedCounter;
  in->fs = std::make_unique<ReadOnlyFileSystem>(program_.fs());
  in->tags = &program_.tags();

  auto job = std::make_unique<Job>();
  Job* raw = job.get();
  const quint64 generation = generation_;
  raw->thread = std::thread([this, raw, in, generation] {
    const Deliver send = [this, generation](std::shared_ptr<const Plan> plan, bool complete) {
      // The plan moves along, so the UI thread never holds the last reference of a stale one.
      QMetaObject::invokeMethod(
          this,
          [this, generation, plan = std::move(plan), complete]() mutable {
            this->deliver(generation, std::move(plan), complete);
          },
          Qt::QueuedConnection);
    };
    MakePlan(*in, raw->stop, send);
    raw->finished = true;
  });
  jobs_.push_back(std::move(job));
}

void LiveNames::deliver(quint64 generation, std::shared_ptr<const Plan> plan, bool complete) {
  // A plan of older inputs is never shown, not even over nothing.
  if (!active_ || generation != generation_ || (!complete && complete_ && shownGeneration_ == generation)) {
    release(std::move(plan));
    return;
  }
  release(std::exchange(plan_, std::move(plan)));
  shownGeneration_ = generation;
  complete_ = complete;
  list_.viewport()->update();
  showSample();
  if (complete) reapWorkers();
}

void LiveNames::showSample() {
  if (!sampleLine_) return;
  const QString key = Key(FromPath(program_.state().exampleItem()));
  const Entry* entry = nullptr;
  if (plan_)
    if (const auto it = plan_->constFind(key); it != plan_->constEnd()) entry = &*it;
  QString text;
  if (!entry)
    text = complete_ ? tr("-> (not renamed)") : tr("-> ...");
  else if (entry->status == ItemStatus::Unchanged)
    text = tr("-> (unchanged)");
  else if (entry->newName.isEmpty())
    text = tr("-> (left alone: %1)").arg(entry->reason);
  else
    text = tr("-> %1").arg(entry->newName);
  sampleLine_->setText(text);
}

const LiveNames::Entry* LiveNames::entryOfRow(int row) const {
  if (!plan_ || row < 0 || row >= model_.size()) return nullptr;
  const auto it = plan_->constFind(Key(model_.fullPath(row)));
  return it == plan_->constEnd() ? nullptr : &*it;
}

QString LiveNames::columnText(int row) const {
  if (const Entry* entry = entryOfRow(row)) {
    if (entry->status == ItemStatus::LeftAlone || entry->status == ItemStatus::Refused) return tr("(left alone)");
    return entry->newName;
  }
  // Not in the plan: not reached yet, or not part of the operation.
  return plan_ && complete_ ? QString() : QStringLiteral("...");
}

QString LiveNames::toolTipOfRow(int row) const {
  const Entry* entry = entryOfRow(row);
  if (!entry) return plan_ && complete_ ? tr("Not renamed by this operation") : QString();
  switch (entry->status) {
    case ItemStatus::Renamed: return tr("New name: %1").arg(entry->newName);
    case ItemStatus::Numbered: return tr("New name: %1\nNumbered: the name the rules give is taken").arg(entry->newName);
    case ItemStatus::Unchanged: return tr("The rules leave this name as it is");
    case ItemStatus::LeftAlone:
    case ItemStatus::Refused: return tr("Left alone: %1").arg(entry->reason);
  }
  return {};
}

void LiveNames::release(std::shared_ptr<const Plan> plan) {
  // A plan of 100,000 names takes a good part of 100 ms to free: a worker of its own does it.
  if (!plan) return;
  auto job = std::make_unique<Job>();
  Job* raw = job.get();
  raw->thread = std::thread([raw, plan = std::move(plan)]() mutable {
    plan.reset();
    raw->finished = true;
  });
  jobs_.push_back(std::move(job));
}

void LiveNames::stopWorkers() {
  for (auto& job : jobs_) job->stop.set();
}

void LiveNames::reapWorkers() {
  for (auto it = jobs_.begin(); it != jobs_.end();) {
    if ((*it)->finished) {
      (*it)->thread.join();
      it = jobs_.erase(it);
    } else {
      ++it;
    }
  }
}

int LiveNames::runningWorkers() const {
  int n = 0;
  for (const auto& job : jobs_) n += job->finished ? 0 : 1;
  return n;
}

}  // namespace velmora::ui
