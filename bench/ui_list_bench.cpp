// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with large targets: listing a folder of 100,000 files, and adding
// 100,000 hand-picked paths through the "Files" button. Runs on the offscreen platform
// with a private home, so the user's settings are never touched.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

#include "support/recording_messages.h"
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>

#include "ui/dialogs.h"
#include "ui/editor/operation_editor.h"
#include "ui/file_list_model.h"
#include "ui/live_names.h"
#include "ui/main_window.h"
#include "ui/desktop.h"

namespace {

using namespace velmora;

constexpr int kEntries = 100000;

class BenchDialogs final : public ui::Dialogs {
 public:
  std::optional<QString> browseFolder(QWidget*, const QString&) override { return std::nullopt; }
  QStringList openFiles(QWidget*, const QString&, const QString&) override { return files; }
  std::optional<QString> saveListingFile(QWidget*, const std::function<bool(const QString&)>&) override {
    return std::nullopt;
  }
  QStringList files;
};

class NoLaunch final : public app::InstanceLauncher {
 public:
  bool startDetached(const std::string&) override { return false; }
};

struct Fixture {
  QTemporaryDir folder;
  testing::RecordingMessages messages;
  BenchDialogs dialogs;
  NoLaunch launcher;
  std::unique_ptr<ui::Desktop> program;
  QStringList paths;

  Fixture() {
    const std::string root = folder.path().toStdString();
    for (int i = 0; i < kEntries; ++i) {
      const std::string name = "IMG_" + std::to_string(100000 + i) + ".jpg";
      const int fd = ::open((root + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
      if (fd >= 0) ::close(fd);
      paths << folder.path() + QStringLiteral("/") + QString::fromStdString(name);
    }
    program = std::make_unique<ui::Desktop>(ui::Services{&messages, &dialogs, &launcher, nullptr});
    program->start("");
    QApplication::processEvents();
  }
};

// Made on first use and destroyed before the application object, like every window.
std::unique_ptr<Fixture> g_fixture;

Fixture& Shared() {
  if (!g_fixture) g_fixture = std::make_unique<Fixture>();
  return *g_fixture;
}

void BM_ListFolderOf100kFiles(benchmark::State& state) {
  Fixture& f = Shared();
  ui::MainWindow& main = f.program->mainWindow();
  for (auto _ : state) {
    main.clearList();
    main.setFolderBox(f.folder.path());
    main.ListFolder();
    QApplication::processEvents();
    if (main.model().size() != kEntries) state.SkipWithError("listing incomplete");
  }
  state.counters["entries"] = main.model().size();
}

void BM_Add100kHandPickedPaths(benchmark::State& state) {
  Fixture& f = Shared();
  ui::MainWindow& main = f.program->mainWindow();
  f.dialogs.files = f.paths;
  for (auto _ : state) {
    state.PauseTiming();
    main.setFolderBox(QString());
    main.clearList();
    main.showHandPicked({}, false);
    QApplication::processEvents();
    state.ResumeTiming();
    main.FilesButtonClick();
    QApplication::processEvents();
    if (main.model().size() != kEntries) state.SkipWithError("paths missing");
  }
  state.counters["entries"] = main.model().size();
}

// The new names while typing in the editor over a listed folder of 100,000 files: from a
// changed text to the complete plan, and the longest the UI thread was busy meanwhile
// (painting, keys: it must stay far below 100 ms while the plan is made off it).
void BM_LiveNamesOf100kFiles(benchmark::State& state) {
  Fixture& f = Shared();
  ui::MainWindow& main = f.program->mainWindow();
  main.clearList();
  main.setFolderBox(f.folder.path());
  main.ListFolder();
  QApplication::processEvents();
  main.StartOperation(engine::OperationKind::Replace);
  ui::LiveNames& live = f.program->liveNames();
  auto* oldBox = f.program->editor().findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"));
  auto* newBox = f.program->editor().findChild<QComboBox*>(QStringLiteral("ComboBoxEx4"));
  if (!oldBox || !newBox || !live.active()) {
    state.SkipWithError("editor without new names");
    return;
  }
  oldBox->setText(QStringLiteral("IMG"));
  qint64 longest = 0;
  int round = 0;
  for (auto _ : state) {
    newBox->setEditText(QStringLiteral("pic") + QString::number(++round));
    QElapsedTimer busy;
    while (!live.upToDate()) {
      busy.start();
      QApplication::processEvents(QEventLoop::AllEvents, 5);
      longest = std::max(longest, busy.elapsed());
    }
    if (live.columnText(kEntries - 1) != QStringLiteral("pic%1_199999.jpg").arg(round))
      state.SkipWithError("last row not planned");
  }
  state.counters["longest_ui_ms"] = static_cast<double>(longest);
  f.program->editor().selectClicked();
}

BENCHMARK(BM_ListFolderOf100kFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Add100kHandPickedPaths)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LiveNamesOf100kFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  // A private home: the "Files" button writes "LastDir" to the settings.
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_fixture.reset();
  return 0;
}
