// SPDX-License-Identifier: GPL-3.0-or-later
// The new names beside the main list while the editor is open: they follow the typing,
// mark numbered and unchanged rows, say why an item is left alone, equal what OK then does,
// go when the editor closes, and stay away with the option off.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QtTest>

#include "media/metadata.h"
#include "support/temp_tree.h"
#include "ui/desktop.h"
#include "ui/editor/operation_editor.h"
#include "ui/file_list_model.h"
#include "ui/live_names.h"
#include "ui/main_window.h"
#include "ui/options_window.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::TempTree;
using Status = batch::ItemStatus;

namespace {

QLineEdit* Box(ui::Desktop& p, const QString& name) {
  if (auto* combo = p.editor().findChild<QComboBox*>(name)) return combo->lineEdit();
  auto* box = p.editor().findChild<QLineEdit*>(name);
  if (!box) qFatal("no box %s", qPrintable(name));
  return box;
}

/// Types into a box as the user does, one key at a time.
void Type(ui::Desktop& p, const QString& name, const QString& text) {
  QLineEdit* box = Box(p, name);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

int RowOf(ui::Desktop& p, const QString& text) {
  const ui::FileListModel& model = p.mainWindow().model();
  for (int row = 0; row < model.size(); ++row)
    if (model.text(row) == text) return row;
  qFatal("no row %s", qPrintable(text));
  return -1;
}

/// "name=new name/status" for every row, in the list's order.
QStringList Column(ui::Desktop& p) {
  QStringList out;
  ui::LiveNames& live = p.liveNames();
  for (int row = 0; row < p.mainWindow().model().size(); ++row) {
    const ui::LiveNames::Entry* e = live.entryOfRow(row);
    out << p.mainWindow().model().text(row) + QLatin1Char('=') + live.columnText(row) + QLatin1Char('/') +
               QString::number(e ? static_cast<int>(e->status) : -1);
  }
  return out;
}

}  // namespace

class LiveNamesTest : public QObject {
  Q_OBJECT

 private slots:
  void columnFollowsTypingAndEqualsTheRun_data();
  void columnFollowsTypingAndEqualsTheRun();
  void columnGoesWithTheEditorAndTheOption();
  void newKeystrokeStopsStaleWork();
  void hundredThousandEntriesKeepTheWindowAnswering();
};

void LiveNamesTest::columnFollowsTypingAndEqualsTheRun_data() {
  QTest::addColumn<QString>("oldText");
  QTest::addColumn<QString>("newText");
  QTest::addColumn<QStringList>("column");
  QTest::addColumn<QString>("sample");
  const int renamed = static_cast<int>(Status::Renamed), numbered = static_cast<int>(Status::Numbered),
            unchanged = static_cast<int>(Status::Unchanged), leftAlone = static_cast<int>(Status::LeftAlone);
  const auto row = [](const char* name, const QString& to, int status) {
    return QString::fromUtf8(name) + QLatin1Char('=') + to + QLatin1Char('/') + QString::number(status);
  };
  // The folder: sub/, a.txt, a1.txt, b.txt, b1.txt (a folder is not in a files-only run).
  QTest::newRow("plain") << "1" << "2"
                         << QStringList{row("sub", {}, -1), row("a.txt", "a.txt", unchanged),
                                        row("a1.txt", "a2.txt", renamed), row("b.txt", "b.txt", unchanged),
                                        row("b1.txt", "b2.txt", renamed)}
                         << "-> (unchanged)";
  QTest::newRow("collision numbered") << "a" << "b"
                                      << QStringList{row("sub", {}, -1), row("a.txt", "b(1).txt", numbered),
                                                     row("a1.txt", "b1(1).txt", numbered),
                                                     row("b.txt", "b.txt", unchanged),
                                                     row("b1.txt", "b1.txt", unchanged)}
                                      << "-> b(1).txt";
  QTest::newRow("nothing left") << "a" << ""
                                << QStringList{row("sub", {}, -1), row("a.txt", "(left alone)", leftAlone),
                                               row("a1.txt", "1.txt", renamed), row("b.txt", "b.txt", unchanged),
                                               row("b1.txt", "b1.txt", unchanged)}
                                << "-> (left alone: the rules leave no name)";
  // Tags come from the program's reader, as the run reads them.
  QTest::newRow("tag") << "a1" << "{track}"
                       << QStringList{row("sub", {}, -1), row("a.txt", "a.txt", unchanged),
                                      row("a1.txt", "03.txt", renamed), row("b.txt", "b.txt", unchanged),
                                      row("b1.txt", "b1.txt", unchanged)}
                       << "-> (unchanged)";
}

void LiveNamesTest::columnFollowsTypingAndEqualsTheRun() {
  QFETCH(QString, oldText);
  QFETCH(QString, newText);
  QFETCH(QStringList, column);
  QFETCH(QString, sample);
  TempTree tree;
  tree.make({"sub/", "a.txt", "a1.txt", "b.txt", "b1.txt"});
  media::FakeMetadataReader tags(true);
  media::MediaInfo info;
  info.track = 3;
  for (const char* name : {"a.txt", "a1.txt", "b.txt", "b1.txt"}) tags.set(tree.path(name), info);
  Harness h(&tags);
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.root(), engine::OperationKind::Replace);
  ui::LiveNames& live = p.liveNames();
  QVERIFY(live.active());
  QVERIFY(!qobject_cast<ui::FileRowDelegate*>(p.mainWindow().list()->itemDelegate()));
  Type(p, QStringLiteral("LabeledEdit1"), oldText);
  Type(p, QStringLiteral("ComboBoxEx4"), newText);
  QVERIFY(!live.upToDate());  // the pause after the last key runs
  QTRY_VERIFY(live.upToDate());
  // A numbered row's name is really numbered; the unchanged ones keep theirs.
  QCOMPARE(Column(p).join(QLatin1Char('\n')), column.join(QLatin1Char('\n')));
  QVERIFY(live.sampleLine() && live.sampleLine()->isVisibleTo(&p.editor()));
  QCOMPARE(live.sampleLine()->text(), sample);
  QVERIFY(live.toolTipOfRow(RowOf(p, QStringLiteral("sub"))).contains(QStringLiteral("Not renamed")));
  if (!newText.isEmpty()) {
    // What the column shows is what OK does.
    p.editor().okClicked();
    QTRY_VERIFY(!p.editor().isOpen());
    for (const QString& r : column) {
      const QString to = r.section(QLatin1Char('='), 1).section(QLatin1Char('/'), 0, 0);
      if (!to.isEmpty()) QVERIFY2(tree.exists(to.toStdString()), qPrintable(to));
    }
  }
}

void LiveNamesTest::columnGoesWithTheEditorAndTheOption() {
  TempTree tree;
  tree.make({"a.txt", "b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  QListView* list = p.mainWindow().list();
  testing::OpenFolderEditor(p, tree.root(), engine::OperationKind::Insert);
  QTRY_VERIFY(p.liveNames().upToDate());
  QVERIFY(!qobject_cast<ui::FileRowDelegate*>(list->itemDelegate()));  // the two-column painter
  QVERIFY(p.liveNames().sampleLine()->isVisibleTo(&p.editor()));
  p.editor().selectClicked();
  QVERIFY(!p.liveNames().active());
  QVERIFY(qobject_cast<ui::FileRowDelegate*>(list->itemDelegate()));  // the list's own painter is back
  QVERIFY(!p.liveNames().sampleLine()->isVisibleTo(&p.editor()));

  // The option off: no column at the next opening, and the setting is kept.
  p.options().findChild<QCheckBox*>(QStringLiteral("CheckBoxLiveNames"))->setChecked(false);
  QVERIFY(!p.program().runOptions().showNewNames);
  p.mainWindow().StartOperation(engine::OperationKind::Insert);
  QVERIFY(p.editor().isOpen());
  QVERIFY(!p.liveNames().active());
  QVERIFY(qobject_cast<ui::FileRowDelegate*>(list->itemDelegate()));
  QVERIFY(!p.liveNames().sampleLine()->isVisibleTo(&p.editor()));
  p.editor().selectClicked();
}

void LiveNamesTest::newKeystrokeStopsStaleWork() {
  TempTree tree;
  tree.make(testing::NumberedFiles("IMG_", 1000, 3000, ".jpg"));
  Harness h;
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.root(), engine::OperationKind::Replace);
  ui::LiveNames& live = p.liveNames();
  QTRY_VERIFY(live.upToDate());
  // Each key comes before the pause is over: only the last text is planned and shown.
  Type(p, QStringLiteral("LabeledEdit1"), QStringLiteral("IMG"));
  QTest::keyClicks(Box(p, QStringLiteral("ComboBoxEx4")), QStringLiteral("pic"));
  QTRY_VERIFY(live.upToDate());
  QCOMPARE(live.columnText(0), QStringLiteral("pic_1000.jpg"));
  QCOMPARE(live.columnText(2999), QStringLiteral("pic_3999.jpg"));
  QTRY_COMPARE(live.runningWorkers(), 0);
}

// A folder of 100,000 files: while the names are planned and shown after each key, the
// window's loop never stalls for 100 ms or more (a timer every 10 ms measures the longest gap).
void LiveNamesTest::hundredThousandEntriesKeepTheWindowAnswering() {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) QSKIP("measured on a real X server only");
  TempTree tree;
  tree.make(testing::NumberedFiles("IMG_", 100000, 100000, ".jpg"));
  Harness h;
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.root(), engine::OperationKind::Replace);
  ui::LiveNames& live = p.liveNames();
  QTRY_VERIFY_WITH_TIMEOUT(live.upToDate(), 20000);
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  QTimer beat;
  beat.setInterval(10);
  QObject::connect(&beat, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  });
  clock.start();
  beat.start();
  Type(p, QStringLiteral("LabeledEdit1"), QStringLiteral("IMG"));
  Type(p, QStringLiteral("ComboBoxEx4"), QStringLiteral("pic"));
  QTRY_VERIFY_WITH_TIMEOUT(live.upToDate(), 20000);
  QTest::qWait(50);
  beat.stop();
  QCOMPARE(live.columnText(0), QStringLiteral("pic_100000.jpg"));
  QCOMPARE(live.columnText(99999), QStringLiteral("pic_199999.jpg"));
  qInfo("longest gap %lld ms", longest);
  QVERIFY2(longest < 100, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(longest)));
  p.editor().selectClicked();
}

QTEST_MAIN(LiveNamesTest)
#include "live_names_test.moc"
