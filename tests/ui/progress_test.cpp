// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window: which runs open it, Cancel during a run of every layer (what was
// renamed stays and is undone), Cancel answered No, the undo's bar, the listing export's
// panel, and the paced updates that keep long runs fast.

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

#include "batch/program_files.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/file_list_model.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/desktop.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::NumberedFiles;
using testing::OpenFolderEditor;
using testing::TempTree;
using ui::FromPath;

namespace {

template <typename T = QWidget>
T* W(QWidget& window, const char* name) {
  T* w = window.findChild<T*>(QString::fromLatin1(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

/// Runs `action` from inside the work, at its first processing of events.
void WhenWorking(ui::ProgressWindow& window, std::function<void()> action) {
  auto* timer = new QTimer(&window);
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, [timer, &window, action] {
    if (!window.isWorking()) return;
    timer->stop();
    timer->deleteLater();
    action();
  });
  timer->start();
}

/// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

/// Runs an action each time a window is shown.
class OnShow final : public QObject {
 public:
  OnShow(QWidget* w, std::function<void()> action) : action_(std::move(action)) { w->installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

/// Files "w/dK/fNNN.doc" in the order the walk of every layer reaches them.
std::vector<std::string> LayeredFiles(int folders, int perFolder) {
  std::vector<std::string> out;
  for (int d = 0; d < folders; ++d)
    for (auto& name : NumberedFiles("w/d" + std::to_string(d) + "/f", 100, perFolder, ".doc")) out.push_back(std::move(name));
  return out;
}

}  // namespace

class ProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void smallRunsGoWithoutTheWindow_data();
  void smallRunsGoWithoutTheWindow();
  void cancelDuringARunOfEveryLayer();
  void cancelAnsweredNoLetsTheRunFinish();
  void undoWithProgressAdvancesByTwo();
  void listingExportShowsTheSearchingPanel();
  void updatesArePacedButKeepComing();
};

void ProgressTest::smallRunsGoWithoutTheWindow_data() {
  QTest::addColumn<int>("files");
  QTest::addColumn<bool>("handPicked");
  QTest::addColumn<int>("scope");
  QTest::addColumn<bool>("window");
  QTest::newRow("18 hand-picked") << 18 << true << 0 << false;
  QTest::newRow("19 hand-picked") << 19 << true << 0 << true;
  QTest::newRow("18 in one layer") << 18 << false << 0 << false;
  QTest::newRow("19 in one layer") << 19 << false << 0 << true;
  QTest::newRow("2 in every layer") << 2 << false << 1 << true;
}

void ProgressTest::smallRunsGoWithoutTheWindow() {
  QFETCH(int, files);
  QFETCH(bool, handPicked);
  QFETCH(int, scope);
  QFETCH(bool, window);
  TempTree tree;
  const std::vector<std::string> names = NumberedFiles("w/f", 100, files, ".doc");
  tree.make(names);
  Harness h;
  ui::Desktop& p = h.program();
  QSignalSpy shown(&p.progress(), &QDialog::finished);
  if (handPicked) {
    p.start("");
    std::vector<std::string> paths;
    for (const std::string& n : names) paths.push_back(tree.path(n));
    p.mainWindow().showHandPicked(paths, false);
    p.mainWindow().StartOperation(engine::OperationKind::Extension);
  } else {
    OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Extension);
    W<QComboBox>(p.editor(), "ComboBox1")->setCurrentIndex(scope);
  }
  W<QLineEdit>(p.editor(), "LabeledEdit4")->setText(QStringLiteral("txt"));
  p.editor().okClicked();
  QCOMPARE(shown.count(), window ? 1 : 0);
  QVERIFY(tree.exists("w/f100.txt"));
  QVERIFY(h.messages.shown.empty());
}

void ProgressTest::cancelDuringARunOfEveryLayer() {
  TempTree tree;
  const std::vector<std::string> files = LayeredFiles(10, 400);
  tree.make(files);
  const std::vector<std::string> before = tree.list();
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Extension);
  W<QComboBox>(p.editor(), "ComboBox1")->setCurrentIndex(1);
  QCOMPARE(p.state().target.scope, batch::FolderScope::AllLayers);
  // The top folder holds no file, so the old extension comes from no sample: give it.
  W<QLineEdit>(p.editor(), "LabeledEdit3")->setText(QStringLiteral("doc"));
  W<QLineEdit>(p.editor(), "LabeledEdit4")->setText(QStringLiteral("bak"));
  ui::ProgressWindow& progress = p.progress();
  h.messages.answers.push_back(batch::Answer::Yes);
  WhenWorking(progress, [&] { W<QPushButton>(progress, "Button1")->click(); });
  p.editor().okClicked();

  QCOMPARE(h.messages.shown.back().text, std::string("Will you cancel this operation?"));
  QCOMPARE(h.messages.shown.back().buttons, batch::Buttons::YesNo);
  // What was renamed is a prefix of the walk: the rest of the folder and every later
  // folder were left alone.
  std::size_t renamed = 0;
  while (renamed < files.size() && tree.exists(files[renamed].substr(0, files[renamed].size() - 3) + "bak")) ++renamed;
  QVERIFY2(renamed > 0 && renamed < files.size(), qPrintable(QString::number(renamed)));
  for (std::size_t i = renamed; i < files.size(); ++i) QVERIFY2(tree.exists(files[i]), files[i].c_str());
  const std::string log = p.state().installDir + batch::kRollbackLogName;
  const auto lines = testing::ReadLines(log);
  QCOMPARE(lines.size(), renamed * 2);
  QCOMPARE(lines.back(), tree.path(files[renamed - 1]));
  QVERIFY(!p.editor().isVisible());
  QVERIFY(!p.stopFlag().isSet());

  // The cancelled run is undone like a finished one.
  h.messages.answers.push_back(batch::Answer::Yes);
  p.mainWindow().UndoButtonClick();
  QCOMPARE(tree.list(), before);
  QVERIFY(!platform::RealFileSystem().exists(log));
}

void ProgressTest::cancelAnsweredNoLetsTheRunFinish() {
  TempTree tree;
  const std::vector<std::string> files = LayeredFiles(3, 1500);
  tree.make(files);
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Extension);
  W<QComboBox>(p.editor(), "ComboBox1")->setCurrentIndex(1);
  // The top folder holds no file, so the old extension comes from no sample: give it.
  W<QLineEdit>(p.editor(), "LabeledEdit3")->setText(QStringLiteral("doc"));
  W<QLineEdit>(p.editor(), "LabeledEdit4")->setText(QStringLiteral("bak"));
  ui::ProgressWindow& progress = p.progress();
  h.messages.answers.push_back(batch::Answer::No);
  WhenWorking(progress, [&] { W<QPushButton>(progress, "Button1")->click(); });
  p.editor().okClicked();
  QCOMPARE(h.messages.texts().back(), std::string("Will you cancel this operation?"));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kRollbackLogName).size(), files.size() * 2);
  QVERIFY(tree.exists("w/d2/f1599.bak"));
}

void ProgressTest::undoWithProgressAdvancesByTwo() {
  TempTree tree;
  const std::vector<std::string> names = NumberedFiles("f", 100, 31, ".doc");
  tree.make(names);
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  std::vector<std::string> paths;
  for (const std::string& n : names) paths.push_back(tree.path(n));
  p.mainWindow().showHandPicked(paths, false);
  p.mainWindow().StartOperation(engine::OperationKind::Extension);
  W<QLineEdit>(p.editor(), "LabeledEdit4")->setText(QStringLiteral("txt"));
  p.editor().okClicked();
  ui::ProgressWindow& progress = p.progress();
  QCOMPARE(progress.barMaximum(), 31);
  QCOMPARE(progress.barValue(), 31);

  QSignalSpy shown(&progress, &QDialog::finished);
  QString firstOld, firstNew;
  OnShow probe(&progress, [&] {
    firstOld = W<QLabel>(progress, "Label3")->text();
    firstNew = W<QLabel>(progress, "Label4")->text();
  });
  h.messages.answers.push_back(batch::Answer::Yes);
  p.mainWindow().UndoButtonClick();
  QCOMPARE(shown.count(), 1);
  QCOMPARE(progress.barMaximum(), 62);
  QCOMPARE(progress.barValue(), 62);
  QVERIFY(tree.exists("f100.doc") && tree.exists("f130.doc"));
  // The labels hold their initial texts until the first item is shown.
  QCOMPARE(firstOld, QStringLiteral("Old filename:"));
  QCOMPARE(firstNew, QStringLiteral("New filename:"));
}

void ProgressTest::listingExportShowsTheSearchingPanel() {
  TempTree tree;
  tree.make(LayeredFiles(3, 50));
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::ListFolder);
  W<QRadioButton>(p.editor(), "RadioButton5")->click();  // " All filenames in subfolders "
  const std::string listing = tree.path("list.txt");
  h.dialogs.saves.push_back(FromPath(listing));
  ui::ProgressWindow& progress = p.progress();
  bool panelShown = false;
  WhenWorking(progress, [&] { panelShown = W(progress, "Panel1")->isVisible(); });
  p.editor().okClicked();
  QVERIFY(panelShown);
  QCOMPARE(progress.barMaximum(), 600);
  QVERIFY(!W(progress, "Panel1")->isVisible());
  QVERIFY(platform::RealFileSystem().exists(listing));
}

void ProgressTest::updatesArePacedButKeepComing() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::ProgressWindow& progress = p.progress();
  auto* oldName = W<QLabel>(progress, "Label3");
  PaintCounter names(oldName);
  int calls = 0;
  qint64 elapsed = 0;
  int paintsInLoop = 0;
  int pumpsInLoop = 0;
  QTimer everyPass;  // fires once in each processing of events
  everyPass.setInterval(0);
  QObject::connect(&everyPass, &QTimer::timeout, [&pumpsInLoop] { ++pumpsInLoop; });
  QString shownAtTheEnd;
  batch::StopFlag stop;
  progress.run(
      [&] {
        progress.start(1 << 30);
        everyPass.start();
        pumpsInLoop = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300) {
          ++calls;
          progress.showItem("old" + std::to_string(calls), "new" + std::to_string(calls), 1);
          progress.processEvents();
        }
        elapsed = clock.elapsed();
        paintsInLoop = names.paints;
        everyPass.stop();
        QTest::qWait(ui::ProgressWindow::kViewIntervalMs + 5);
        progress.processEvents();
        shownAtTheEnd = oldName->text();
      },
      stop);
  // Far more items than updates, yet the names were painted again and again: at most once
  // per interval, besides the first item and the paint of the window's appearance.
  const int updatesAtMost = static_cast<int>(elapsed / ui::ProgressWindow::kViewIntervalMs) + 3;
  QVERIFY2(calls > 100 * updatesAtMost, qPrintable(QString::number(calls)));
  QVERIFY2(paintsInLoop >= 3 && paintsInLoop <= updatesAtMost, qPrintable(QString::number(paintsInLoop)));
  // Events were processed every few milliseconds all along: a Cancel click is seen at once.
  const qint64 pumps = elapsed / ui::ProgressWindow::kPumpIntervalMs;
  QVERIFY2(pumpsInLoop >= pumps / 2 && pumpsInLoop <= pumps + 2, qPrintable(QString::number(pumpsInLoop)));
  QCOMPARE(shownAtTheEnd, QStringLiteral("old%1").arg(calls));
  QCOMPARE(progress.barValue(), calls);
}

QTEST_MAIN(ProgressTest)
#include "progress_test.moc"
