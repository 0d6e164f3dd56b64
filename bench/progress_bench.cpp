// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window during an extension change of many files in one folder (100,000 by
// default), driven through the operation editor as the user drives it:
//  - the run's time in the window, against the same batch run with no window at all;
//  - how often the window was repainted while it worked (paints of the name label, and
//    the longest time without one);
//  - how soon Cancel answers: another thread posts a mouse click on "Cancel" through the
//    event loop at a moment of the run; the time until the question is asked and until the
//    run has stopped is measured (the question is answered Yes at once).
//
//   progress_bench [FILES] [CANCEL_TRIALS]
//   progress_bench --folder FOLDER
// The second form changes the extension of the files of FOLDER to ".dat" once, through OK
// and the progress window, and prints the seconds from OK until the window closed with
// every file renamed, then the processor seconds of that stretch: bench/run_bench.sh sets
// the first against velmora-cli on the same tree.
// Uses QT_QPA_PLATFORM (offscreen when unset; run under xvfb-run for a real X server) and
// a private home, so the user's settings and program folder are never touched.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/app_state.h"
#include "batch/batch_run.h"
#include "batch/rollback_log.h"
#include "batch/undo.h"
#include "platform/code_page.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/desktop.h"
#include "ui/progress_window.h"
#include "ui/special_string_dialog.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

/// The process's processor time so far: on a busy machine it shows what the work cost
/// better than the wall clock does.
double CpuMs() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

class NoDialogs final : public ui::Dialogs {
 public:
  std::optional<QString> browseFolder(QWidget*, const QString&) override { return std::nullopt; }
  QStringList openFiles(QWidget*, const QString&, const QString&) override { return {}; }
  std::optional<QString> saveListingFile(QWidget*, const std::function<bool(const QString&)>&) override {
    return std::nullopt;
  }
};

class NoLaunch final : public app::InstanceLauncher {
 public:
  bool startDetached(const std::string&) override { return false; }
};

/// Answers every question Yes and notes when the Cancel question came.
class TimedMessages final : public batch::Messages {
 public:
  void information(const std::string& text) override { std::fprintf(stderr, "information: %s\n", text.c_str()); }
  void warning(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "warning: %s\n", text.c_str());
  }
  batch::Answer confirm(const std::string&, const std::string& text, batch::Buttons buttons) override {
    if (text == ui::ProgressWindow::kCancelQuestion) cancelAsked = Clock::now();
    return buttons == batch::Buttons::OkCancel ? batch::Answer::Ok : batch::Answer::Yes;
  }
  std::optional<Clock::time_point> cancelAsked;
};

/// Paint times of a widget.
class PaintClock final : public QObject {
 public:
  explicit PaintClock(QWidget* w) { w->installEventFilter(this); }
  std::vector<Clock::time_point> paints;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) paints.push_back(Clock::now());
    return false;
  }
};

struct Bench {
  std::string folder;
  int files;
  TimedMessages messages;
  NoDialogs dialogs;
  NoLaunch launcher;
  std::unique_ptr<ui::Desktop> program;
  int round = 0;

  /// Opens the editor on the folder with "replace ALL types" and a new extension.
  void openEditor() { openEditor(QStringLiteral("e%1").arg(++round)); }
  void openEditor(const QString& extension) {
    ui::MainWindow& main = program->mainWindow();
    main.setFolderBox(QString::fromStdString(folder));
    program->state().target.folder = folder;
    program->state().target.scope = batch::FolderScope::OneLayer;
    main.StartOperation(engine::OperationKind::Extension);
    ui::OperationEditor& editor = program->editor();
    auto* all = editor.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    if (!all->isChecked()) all->click();
    editor.findChild<QLineEdit*>(QStringLiteral("LabeledEdit4"))->setText(extension);
  }

  struct Times {
    double ms = 0, cpuMs = 0;
  };

  /// The batch run alone, as the command line runs it: no window, no events.
  Times runWithoutWindow() {
    openEditor();
    ui::OperationEditor& editor = program->editor();
    app::AppState& state = program->state();
    platform::FileSystem& fs = program->fs();
    batch::RunRequest request{editor.buildRecord(), state.target, batch::RunMode::Rename, 1, 20, false};
    engine::SpecialStringExpander expander(fs, program->specialStrings().settings(), state.randomSeedCounter);
    batch::NoHooks hooks;
    batch::StopFlag stop;
    batch::BatchRun run(fs, platform::SystemCodePage(), messages, hooks, stop, expander);
    batch::RunJournal journal(fs, state.installDir);
    run.setJournal(&journal);
    const auto begin = Clock::now();
    const double cpuBegin = CpuMs();
    run.execute(request);
    const Times times{Ms(Clock::now() - begin), CpuMs() - cpuBegin};
    journal.discard();
    editor.selectClicked();
    if (static_cast<int>(run.log().pairCount()) != files) std::fprintf(stderr, "renamed only %zu\n", run.log().pairCount());
    return times;
  }

  struct WindowRun {
    double ms = 0;
    double cpuMs = 0;  ///< processor time from OK until the window closed
    std::size_t renamed = 0;
    int paints = 0;
    double firstPaintMs = 0;  ///< OK pressed -> the window's first paint
    double longestGapMs = 0;  ///< between two paints while the run went on
    double cancelSeenMs = -1;     ///< click posted -> question asked
    double cancelStoppedMs = -1;  ///< click posted -> the run stopped
  };

  /// The run through OK and the progress window; with cancelAfterMs, another thread posts a
  /// Cancel click that long after the start.
  WindowRun runWithWindow(int cancelAfterMs, const QString& extension = {}) {
    if (extension.isEmpty())
      openEditor();
    else
      openEditor(extension);
    ui::ProgressWindow& progress = program->progress();
    PaintClock label(progress.findChild<QLabel*>(QStringLiteral("Label3")));
    auto* cancel = progress.findChild<QPushButton*>(QStringLiteral("Button1"));
    WindowRun result;
    std::optional<Clock::time_point> stopped;
    double cpuStopped = 0;
    std::atomic<bool> started{false}, ended{false};
    QMetaObject::Connection done = QObject::connect(&progress, &QDialog::finished, [&] {
      stopped = Clock::now();
      cpuStopped = CpuMs();
      ended = true;
    });
    messages.cancelAsked.reset();
    std::atomic<long long> postedAt{0};
    std::thread clicker;
    auto* starter = new QTimer(&progress);  // notes when the work begins
    starter->setInterval(0);
    QObject::connect(starter, &QTimer::timeout, [&] {
      if (!progress.isWorking()) return;
      starter->stop();
      started = true;
    });
    starter->start();
    if (cancelAfterMs > 0) {
      // The events are made here: Qt objects belong to the thread that makes them.
      const QPointF at(cancel->width() / 2.0, cancel->height() / 2.0);
      auto* press = new QMouseEvent(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
      auto* release = new QMouseEvent(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      clicker = std::thread([&, cancelAfterMs, press, release] {
        while (!started && !ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(cancelAfterMs));
        if (ended) {  // too late: a click now would only land in the next run
          delete press;
          delete release;
          return;
        }
        postedAt = Clock::now().time_since_epoch().count();
        QCoreApplication::postEvent(cancel, press);
        QCoreApplication::postEvent(cancel, release);
      });
    }
    const auto begin = Clock::now();
    const double cpuBegin = CpuMs();
    program->editor().okClicked();  // returns after the end of the run and the re-listing
    ended = true;
    if (clicker.joinable()) clicker.join();
    QCoreApplication::processEvents();
    program->stopFlag().clear();
    QObject::disconnect(done);
    delete starter;
    if (stopped) {
      result.ms = Ms(*stopped - begin);
      result.cpuMs = cpuStopped - cpuBegin;
    }
    const auto log = batch::ReadRollbackLog(program->fs(), program->state().installDir);
    result.renamed = log ? batch::CountRollbackEntries(*log) / 2 : 0;
    for (std::size_t i = 0; i < label.paints.size(); ++i) {
      if (stopped && label.paints[i] > *stopped) break;
      ++result.paints;
      if (i == 0) {
        result.firstPaintMs = Ms(label.paints[i] - begin);
      } else {
        result.longestGapMs = std::max(result.longestGapMs, Ms(label.paints[i] - label.paints[i - 1]));
      }
    }
    if (postedAt) {
      const Clock::time_point posted{Clock::duration(postedAt.load())};
      if (messages.cancelAsked) result.cancelSeenMs = Ms(*messages.cancelAsked - posted);
      if (stopped) result.cancelStoppedMs = Ms(*stopped - posted);
    }
    return result;
  }
};

constexpr int kRounds = 3;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void MakeFiles(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string path = folder + "/IMG_" + std::to_string(100000 + i) + ".jpg";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool givenFolder = argc == 3 && std::string(argv[1]) == "--folder";
  const int files = givenFolder ? 0 : argc > 1 ? std::max(100, std::atoi(argv[1])) : 100000;
  const int trials = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  Bench bench;
  bench.folder = givenFolder ? std::string(argv[2]) : (home.path() + "/photos").toStdString();
  if (!givenFolder) {
    ::mkdir(bench.folder.c_str(), 0755);
    MakeFiles(bench.folder, files);
  }
  bench.files = files;
  bench.program =
      std::make_unique<ui::Desktop>(ui::Services{&bench.messages, &bench.dialogs, &bench.launcher, nullptr});
  bench.program->start("");
  if (givenFolder) {
    const Bench::WindowRun run = bench.runWithWindow(0, QStringLiteral("dat"));
    std::printf("%.6f %.6f\n", run.ms / 1000, run.cpuMs / 1000);
    bench.program.reset();
    return run.renamed > 0 ? 0 : 1;
  }
  std::printf("platform %s, %d files in one folder; events every %d ms, names and bar every %d ms\n",
              qPrintable(QGuiApplication::platformName()), files, ui::ProgressWindow::kPumpIntervalMs,
              ui::ProgressWindow::kViewIntervalMs);

  // Rounds alternate between the two ways, so that a busy machine weighs on both alike.
  std::vector<double> bareTimes, windowTimes, bareCpu, windowCpu;
  Bench::WindowRun full;
  for (int round = 0; round < kRounds; ++round) {
    const Bench::Times alone = bench.runWithoutWindow();
    bareTimes.push_back(alone.ms);
    bareCpu.push_back(alone.cpuMs);
    full = bench.runWithWindow(0);
    windowTimes.push_back(full.ms);
    windowCpu.push_back(full.cpuMs);
    std::printf("round %d: without window %6.0f ms (processor %6.0f ms), in the window %6.0f ms (processor %6.0f ms, "
                "%zu renamed); window first painted %.0f ms after OK, then %d paints at most %.0f ms apart\n",
                round + 1, alone.ms, alone.cpuMs, full.ms, full.cpuMs, full.renamed, full.firstPaintMs, full.paints,
                full.longestGapMs);
  }
  const double bare = Median(bareTimes), windowed = Median(windowTimes);
  const double cpuBare = Median(bareCpu), cpuWindowed = Median(windowCpu);
  std::printf("median: without window %.0f ms, in the window %.0f ms (%+.1f %%); processor %.0f ms against %.0f ms "
              "(%+.1f %%)\n",
              bare, windowed, 100.0 * (windowed - bare) / bare, cpuBare, cpuWindowed,
              100.0 * (cpuWindowed - cpuBare) / cpuBare);

  std::vector<double> seen, stopped;
  for (int t = 0; t < trials; ++t) {
    // Spread over the run: from a sixth to three quarters of its length.
    const int after = static_cast<int>(full.ms * (1.0 / 6 + (0.75 - 1.0 / 6) * t / std::max(1, trials - 1)));
    const Bench::WindowRun r = bench.runWithWindow(after);
    if (r.cancelStoppedMs < 0 || static_cast<int>(r.renamed) == files) {
      std::printf("cancel %d ms after the start: the run ended first\n", after);
      continue;
    }
    seen.push_back(r.cancelSeenMs);
    stopped.push_back(r.cancelStoppedMs);
    std::printf("cancel %4d ms after the start: question after %5.1f ms, run stopped after %5.1f ms (%zu renamed)\n",
                after, r.cancelSeenMs, r.cancelStoppedMs, r.renamed);
  }
  if (!stopped.empty())
    std::printf("cancel: worst %.1f ms to the question, %.1f ms to the stop\n", *std::max_element(seen.begin(), seen.end()),
                *std::max_element(stopped.begin(), stopped.end()));
  bench.program.reset();
  return 0;
}
