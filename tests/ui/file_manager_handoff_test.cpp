// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-off from a file manager, end to end: the entries that "Ok" of the Options window
// installs are run as the file manager runs them (a Nautilus script in the shown folder with
// the selected names, the Dolphin and Thunar commands with %F expanded), with a fake
// "velmora" beside the launcher that records its arguments; then the program starts with
// those arguments and the hand-off list the launcher wrote, and the editor opens on the
// selected files or folder.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/file_manager_integration.h"
#include "batch/program_files.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::TempTree;

namespace {

using S = QString;

QString ShellQuoted(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

/// The Exec line of a Dolphin service-menu action, as Dolphin runs it: the string value
/// unescaped, %F replaced by the selected paths.
QString DolphinCommand(const QString& serviceMenu, const QString& action, const QStringList& paths) {
  QFile file(serviceMenu);
  if (!file.open(QIODevice::ReadOnly)) return {};
  bool inAction = false;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1Char('['))) inAction = line == S("[Desktop Action velmora-%1]").arg(action);
    if (inAction && line.startsWith(QLatin1String("Exec="))) {
      QString exec = line.mid(5);
      exec.replace(QLatin1String("\\\\"), QLatin1String("\\"));
      QStringList quoted;
      for (const QString& p : paths) quoted << ShellQuoted(p);
      exec.replace(QLatin1String("%F"), quoted.join(QLatin1Char(' ')));
      exec.replace(QLatin1String("%%"), QLatin1String("%"));
      return exec;
    }
  }
  return {};
}

/// The command of a Thunar custom action, %F replaced by the selected paths.
QString ThunarCommand(const QString& actionsFile, const QString& action, const QStringList& paths) {
  QFile file(actionsFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader r(&file);
  QString id, command;
  while (!r.atEnd()) {
    r.readNext();
    if (r.isStartElement() && r.name() == QLatin1String("unique-id")) id = r.readElementText();
    if (r.isStartElement() && r.name() == QLatin1String("command")) command = r.readElementText();
    if (r.isEndElement() && r.name() == QLatin1String("action")) {
      if (id == S("velmora-") + action) {
        QStringList quoted;
        for (const QString& p : paths) quoted << ShellQuoted(p);
        command.replace(QLatin1String("%F"), quoted.join(QLatin1Char(' ')));
        command.replace(QLatin1String("%%"), QLatin1String("%"));
        return command;
      }
      id.clear();
      command.clear();
    }
  }
  return {};
}

}  // namespace

class FileManagerHandOffTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { app::RemoveFileManagerActions(); }
  void entryOpensTheEditor_data();
  void entryOpensTheEditor();
};

void FileManagerHandOffTest::entryOpensTheEditor_data() {
  QTest::addColumn<QString>("manager");
  QTest::addColumn<QString>("action");    // the launcher's name of the operation
  QTest::addColumn<QString>("folder");    // where the file manager stands (relative to work/)
  QTest::addColumn<QStringList>("selected");  // as the file manager passes them
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("target");    // Label1: "total N file(s)" or the folder
  QTest::addColumn<QString>("sample");

  QTest::newRow("Nautilus, two files") << S("nautilus") << S("replace") << S("Photos") << QStringList{"a b.jpg", "c.jpg"}
                                       << S("Replapart") << S("Velmora - Replace string") << S("total 2 file(s)")
                                       << S("a b");
  QTest::newRow("Nautilus, one folder") << S("nautilus") << S("remove") << S("") << QStringList{"Photos"}
                                        << S("Removpart") << S("Velmora - Remove string") << S("<folder>Photos/")
                                        << S("a b");
  QTest::newRow("Dolphin, two files") << S("dolphin") << S("insert") << S("") << QStringList{"<abs>Photos/c.jpg", "<abs>Photos/a b.jpg"}
                                      << S("Addnewnum") << S("Velmora - Insert string") << S("total 2 file(s)") << S("c");
  QTest::newRow("Dolphin, one folder to save") << S("dolphin") << S("save") << S("") << QStringList{"<abs>Photos"}
                                               << S("Savealls") << S("Velmora - Save filenames") << S("<folder>Photos/")
                                               << S("a b.jpg");
  QTest::newRow("Thunar, two files") << S("thunar") << S("extension") << S("") << QStringList{"<abs>Photos/a b.jpg", "<abs>Photos/c.jpg"}
                                     << S("Changexten") << S("Velmora - Edit Extention part") << S("total 2 file(s)")
                                     << S("a b.jpg");
}

void FileManagerHandOffTest::entryOpensTheEditor() {
  QFETCH(QString, manager);
  QFETCH(QString, action);
  QFETCH(QString, folder);
  QFETCH(QStringList, selected);
  QFETCH(QString, keyword);
  QFETCH(QString, caption);
  QFETCH(QString, target);
  QFETCH(QString, sample);

  TempTree tree;
  tree.make({"bin/", "work/Photos/a b.jpg", "work/Photos/c.jpg", "work/Photos/Sub/"});
  const QString args = ui::FromPath(tree.path("args"));
  tree.writeFile("bin/velmora", "#!/bin/sh\nprintf '%s\\n' \"$@\" >" + ShellQuoted(args).toStdString() + "\n");
  QFile::setPermissions(ui::FromPath(tree.path("bin/velmora")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString launcher = ui::FromPath(tree.path("bin/velmora-launch"));
  QVERIFY(QFile::copy(S(VELMORA_LAUNCHER_PATH), launcher));

  Harness h;
  ui::Desktop& p = h.program();
  // The entries as the Options window's "Ok" installs them.
  p.options().setLauncherPath(launcher);
  p.options().OkClick();
  QVERIFY(h.messages.shown.empty());
  const auto where = app::FileManagerLocations::FromEnvironment();

  const QString work = ui::FromPath(tree.path("work"));
  QStringList paths;
  for (const QString& s : selected) paths << (s.startsWith(QLatin1String("<abs>")) ? work + QLatin1Char('/') + s.mid(5) : s);
  QProcess run;
  run.setWorkingDirectory(folder.isEmpty() ? work : work + QLatin1Char('/') + folder);
  if (manager == QLatin1String("nautilus")) {
    // Nautilus runs the script named after the menu item, in the shown folder.
    QString script;
    for (const auto& op : app::kFileManagerOperations)
      if (action == QLatin1String(op.launcherName)) script = app::NautilusScriptPath(where, op);
    QVERIFY2(QFileInfo(script).isExecutable(), qPrintable(script));
    run.start(script, paths);
  } else {
    QString serviceMenu;
    for (const auto& op : app::kFileManagerOperations)
      if (action == QLatin1String(op.launcherName)) serviceMenu = app::DolphinServiceMenuPath(where, op);
    const QString command = manager == QLatin1String("dolphin") ? DolphinCommand(serviceMenu, action, paths)
                                                                : ThunarCommand(where.thunarActions, action, paths);
    QVERIFY(!command.isEmpty());
    run.start(S("/bin/sh"), {S("-c"), command});
  }
  QVERIFY(run.waitForFinished(20000));
  QCOMPARE(run.exitCode(), 0);
  QFile recorded(args);
  QVERIFY(recorded.open(QIODevice::ReadOnly));
  QCOMPARE(QString::fromUtf8(recorded.readAll()), keyword + QLatin1Char('\n'));
  QVERIFY(platform::RealFileSystem().exists(p.state().installDir + batch::kHandOffName));

  // The program's start with what the launcher handed over.
  p.start(keyword.toStdString());
  QTRY_VERIFY(p.editor().isVisible());
  QVERIFY(!p.mainWindow().isVisible());
  QVERIFY(p.state().handOffSession);
  QCOMPARE(p.editor().windowTitle(), caption);
  const QString label1 = p.editor().findChild<QLabel*>(S("Label1"))->text();
  if (target.startsWith(QLatin1String("<folder>"))) {
    QCOMPARE(label1, work + QLatin1Char('/') + target.mid(8));
    QCOMPARE(p.mainWindow().folderBoxText(), work + QLatin1Char('/') + target.mid(8));
    QVERIFY(p.state().target.picked.empty());
  } else {
    QCOMPARE(label1, target);
    std::vector<std::string> expected;
    for (const QString& s : selected)
      expected.push_back(ui::ToPath(work + QLatin1String("/Photos/") + QFileInfo(s).fileName()));
    QCOMPARE(p.state().target.picked, expected);
  }
  QCOMPARE(p.editor().sampleBox()->text(), sample);
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kHandOffName));
  p.editor().selectClicked();
  QVERIFY(p.mainWindow().isVisible());
}

QTEST_MAIN(FileManagerHandOffTest)
#include "file_manager_handoff_test.moc"
