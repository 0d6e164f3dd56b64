// SPDX-License-Identifier: GPL-3.0-or-later
// The Options window: the coupling of its two exclusive options, the number fields' checks
// and messages, "Default", "Ok" (settings, file-manager entries, a shorter history), a close
// without "Ok" reading the stored values back, and its keys.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "app/file_manager_integration.h"
#include "batch/program_files.h"
#include "support/temp_tree.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;

namespace {

using S = QString;

template <typename T = QWidget>
T* Control(ui::Desktop& p, const QString& name) {
  T* w = p.options().findChild<T*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

QCheckBox* Check(ui::Desktop& p, const char* name) { return Control<QCheckBox>(p, QString::fromLatin1(name)); }

/// The check boxes by their settings names, in the reading order.
const std::pair<const char*, const char*> kChecks[] = {
    {"Options1", "CheckBox1"}, {"Options2", "CheckBox2"}, {"Options3", "CheckBox3"}, {"Autocopy", "CheckBox4"},
    {"Capevery", "CheckBox5"}, {"Confirm", "CheckBox6"},  {"Contextmenu", "CheckBox7"},
};

/// What the user sees: each check box by its settings name, then the two numbers.
QStringList Controls(ui::Desktop& p) {
  QStringList out;
  for (const auto& [value, name] : kChecks) out << S("%1=%2").arg(value).arg(Check(p, name)->isChecked() ? 1 : 0);
  out << S("Prenum=%1").arg(Control<QLineEdit>(p, S("Edit1"))->text());
  out << S("Listnum=%1").arg(Control<QLineEdit>(p, S("Edit2"))->text());
  return out;
}

/// The stored values, in the same form.
QStringList Stored() {
  QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
  QStringList out;
  for (const auto& [value, name] : kChecks) out << S("%1=%2").arg(value, settings.value(value).toString());
  for (const char* value : {"Prenum", "Listnum"}) out << S("%1=%2").arg(value, settings.value(value).toString());
  return out;
}

QStringList Shown(const testing::RecordingMessages& m) {
  QStringList out;
  for (const auto& s : m.shown) out << S::fromStdString(s.title + ": " + s.text);
  return out;
}

/// Every file below the test's data and config homes, where the file-manager entries go.
QStringList FilesInXdgHomes() {
  QStringList out;
  for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
    QDirIterator it(qEnvironmentVariable(variable), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString file = it.next();
      if (!file.contains(QLatin1String("/velmora/")) && !file.endsWith(QLatin1String("Dir.conf"))) out << file;
    }
  }
  out.sort();
  return out;
}

}  // namespace

class OptionsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { app::RemoveFileManagerActions(); }
  void cleanup() { app::RemoveFileManagerActions(); }
  void pagesFollowCtrlTabAndCtrlPageKeys();

  void pagesControlsAndDefaults();
  void exitAndDisplayResultAreNeverBothOn_data();
  void exitAndDisplayResultAreNeverBothOn();
  void numberFields_data();
  void numberFields();
  void arrowsMoveWithinTheRange();
  void defaultSetsTheFirstStatesWithoutWriting();
  void okWritesEveryValue();
  void okInstallsAndRemovesTheFileManagerEntries();
  void okReportsEntriesThatCannotBeWritten();
  void closingWithoutOkReadsTheStoredValues_data();
  void closingWithoutOkReadsTheStoredValues();
  void enterActsAsOk_data();
  void enterActsAsOk();
  void lowerMaximumShortensTheHistory_data();
  void lowerMaximumShortensTheHistory();
};

void OptionsWindowTest::pagesControlsAndDefaults() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::OptionsWindow& w = p.options();
  QCOMPARE(w.windowTitle(), S("Options"));
  QCOMPARE(w.size(), QSize(401, 394));
  auto* pages = Control<QTabWidget>(p, S("PageControl1"));
  QCOMPARE(pages->count(), 3);
  QCOMPARE(pages->currentIndex(), 0);
  QCOMPARE((QStringList{pages->tabText(0), pages->tabText(1), pages->tabText(2)}),
           (QStringList{"General", "Rename", "New name list"}));

  struct Row {
    int page;
    const char* name;
    const char* caption;
    bool checked;
  };
  const Row rows[] = {
      {0, "CheckBox1", "Exit automatically after one operation", false},
      {0, "CheckBox3", "Display result after rename files", true},
      {0, "CheckBox6", " Display OK confirmation box when begin rename", false},
      {0, "CheckBox7", " Integrate with the file manager's context menu", true},
      {0, "CheckBoxHidden", "Include hidden files and folders", false},
      {1, "CheckBox4", "Automatically copy to input box when use mouse select", true},
      {1, "CheckBox5", "Exclude 'a,and,of' etc. when Capitalize every words", true},
      {1, "CheckBox2", "Don't open file after save filenames ", false},
  };
  for (const Row& r : rows) {
    QCheckBox* c = Check(p, r.name);
    QCOMPARE(c->text().remove(QLatin1Char('&')), S(r.caption));  // "&": the Alt mnemonic
    QCOMPARE(c->isChecked(), r.checked);
    QVERIFY2(pages->widget(r.page)->isAncestorOf(c), r.name);
  }
  QCOMPARE(Check(p, "CheckBox4")->toolTip(), S("when select part of one old filename"));
  QCOMPARE(Control<QLabel>(p, S("Label1"))->text(), S("Preview files number: "));
  QCOMPARE(Control<QLabel>(p, S("Label2"))->text(), S("Max Number:"));
  QCOMPARE(Control<QLineEdit>(p, S("Edit1"))->text(), S("20"));
  QCOMPARE(Control<QLineEdit>(p, S("Edit2"))->text(), S("20"));
  QVERIFY(pages->widget(1)->isAncestorOf(Control(p, S("Edit1"))));
  QVERIFY(pages->widget(2)->isAncestorOf(Control(p, S("Edit2"))));
  QCOMPARE(Control<QPushButton>(p, S("Button5"))->text().remove(QLatin1Char('&')), S("Edit"));
  QCOMPARE(Control<QPushButton>(p, S("Button6"))->text().remove(QLatin1Char('&')), S("Clear"));
  QStringList buttons;
  for (const char* name : {"Button4", "Button1", "Button2", "Button3"})
    buttons << Control<QPushButton>(p, S(name))->text().remove(QLatin1Char('&'));
  QCOMPARE(buttons, (QStringList{"Default", "Ok", "Cancel", "Help"}));
  // Every check box and button has an Alt letter, none shared on a page or with the bar.
  for (int page = 0; page < pages->count(); ++page) {
    QString used;
    QList<QAbstractButton*> shown = pages->widget(page)->findChildren<QAbstractButton*>();
    for (const char* name : {"Button4", "Button1", "Button2", "Button3"}) shown << Control<QPushButton>(p, S(name));
    for (QAbstractButton* b : shown) {
      if (b->text().isEmpty()) continue;  // the number fields' arrows
      const qsizetype at = b->text().indexOf(QLatin1Char('&'));
      QVERIFY2(at >= 0, qPrintable(b->objectName()));
      const QChar letter = b->text().at(at + 1).toUpper();
      QVERIFY2(!used.contains(letter), qPrintable(b->objectName()));
      used += letter;
    }
  }
  QVERIFY(Control<QPushButton>(p, S("Button1"))->isDefault());
  const batch::RunOptions o = w.runOptions();
  QCOMPARE(o.previewCount, 20);
  QCOMPARE(o.historyMax, 20);
  auto* order = Control<QComboBox>(p, S("ComboBoxOrder"));
  QVERIFY(pages->widget(1)->isAncestorOf(order));
  QCOMPARE(order->count(), 4);
  QCOMPARE(order->currentText(), S("Name"));
  QVERIFY(!Check(p, "CheckBoxOrderDescending")->isChecked());
  QVERIFY(o.order == batch::ItemOrder{});
}

void OptionsWindowTest::exitAndDisplayResultAreNeverBothOn_data() {
  QTest::addColumn<QStringList>("clicks");  // "1": click "Exit automatically...", "3": "Display result..."
  QTest::addColumn<bool>("exit");
  QTest::addColumn<bool>("display");
  QTest::newRow("checking exit unchecks display") << QStringList{"1"} << true << false;
  QTest::newRow("unchecking exit checks display") << QStringList{"3", "1", "1"} << false << true;
  QTest::newRow("checking display unchecks exit") << QStringList{"1", "3"} << false << true;
  QTest::newRow("unchecking display leaves exit") << QStringList{"3"} << false << false;
}

void OptionsWindowTest::exitAndDisplayResultAreNeverBothOn() {
  QFETCH(QStringList, clicks);
  QFETCH(bool, exit);
  QFETCH(bool, display);
  Harness h;
  ui::Desktop& p = h.program();
  for (const QString& c : clicks) Check(p, c == QLatin1String("1") ? "CheckBox1" : "CheckBox3")->click();
  QCOMPARE(p.options().runOptions().exitAfterRun, exit);
  QCOMPARE(p.options().runOptions().displayResult, display);
  // What the other windows read: the program's copy, published on every change.
  QCOMPARE(p.program().runOptions().exitAfterRun, exit);
  QCOMPARE(p.program().runOptions().displayResult, display);
}

void OptionsWindowTest::numberFields_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");  // typed over the whole text; "<empty>" deletes it
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("position");
  QTest::addColumn<QStringList>("messages");

  const QStringList none;
  const S notANumber("Error: Please input a number!");
  QTest::newRow("preview 500") << S("Edit1") << S("500") << S("500") << 500 << none;
  QTest::newRow("preview 1000") << S("Edit1") << S("1000") << S("1000") << 1000 << none;
  QTest::newRow("preview 5000 is clipped") << S("Edit1") << S("5000") << S("1000") << 1000
                                           << QStringList{"Information: Should not more than 1000."};
  QTest::newRow("preview 0 becomes 1") << S("Edit1") << S("0") << S("1") << 1 << none;
  QTest::newRow("preview letter is undone") << S("Edit1") << S("x") << S("20") << 20 << QStringList{notANumber};
  QTest::newRow("preview 3 then a letter") << S("Edit1") << S("3x") << S("20") << 20 << QStringList{notANumber};
  QTest::newRow("preview emptied is undone") << S("Edit1") << S("<empty>") << S("20") << 20 << QStringList{notANumber};
  QTest::newRow("history 0 switches it off") << S("Edit2") << S("0") << S("0") << 0 << none;
  QTest::newRow("history 100") << S("Edit2") << S("100") << S("100") << 100 << none;
  QTest::newRow("history 150 is clipped") << S("Edit2") << S("150") << S("100") << 100
                                          << QStringList{"Information: Should not more than 100."};
  QTest::newRow("history minus sign is undone") << S("Edit2") << S("-") << S("20") << 20 << QStringList{notANumber};
  QTest::newRow("history blank is undone") << S("Edit2") << S(" ") << S("20") << 20 << QStringList{notANumber};
  QTest::newRow("undo runs 0 keeps the last run only") << S("EditUndoKeep") << S("0") << S("0") << 0 << none;
  QTest::newRow("undo runs 150 is clipped") << S("EditUndoKeep") << S("150") << S("100") << 100
                                            << QStringList{"Information: Should not more than 100."};
  QTest::newRow("undo runs letter is undone") << S("EditUndoKeep") << S("x") << S("10") << 10 << QStringList{notANumber};
}

void OptionsWindowTest::numberFields() {
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, text);
  QFETCH(int, position);
  QFETCH(QStringList, messages);
  Harness h;
  ui::Desktop& p = h.program();
  p.options().show();
  auto* edit = Control<QLineEdit>(p, field);
  edit->setFocus();
  edit->selectAll();
  if (typed == QLatin1String("<empty>")) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, typed);
  }
  QCOMPARE(edit->text(), text);
  QCOMPARE(Shown(h.messages), messages);
  const batch::RunOptions o = p.options().runOptions();
  // The number the field sets, in the window's options and in the program's copy.
  const auto number = [&](const batch::RunOptions& r) {
    return field == QLatin1String("Edit1") ? r.previewCount : field == QLatin1String("Edit2") ? r.historyMax : r.keptRuns;
  };
  QCOMPARE(number(o), position);
  QCOMPARE(number(p.program().runOptions()), position);
  if (!messages.isEmpty() && messages.front().startsWith(QLatin1String("Error"))) QCOMPARE(p.options().focusWidget(), edit);
  p.options().reject();
}

void OptionsWindowTest::arrowsMoveWithinTheRange() {
  Harness h;
  ui::Desktop& p = h.program();
  auto* preview = Control<QLineEdit>(p, S("Edit1"));
  auto* history = Control<QLineEdit>(p, S("Edit2"));
  Control<QToolButton>(p, S("Edit1Up"))->click();
  QCOMPARE(preview->text(), S("21"));
  preview->setText(S("1"));
  Control<QToolButton>(p, S("Edit1Down"))->click();
  QCOMPARE(preview->text(), S("1"));
  QTest::keyClick(preview, Qt::Key_Up);
  QCOMPARE(p.options().runOptions().previewCount, 2);
  history->setText(S("100"));
  Control<QToolButton>(p, S("Edit2Up"))->click();
  QCOMPARE(history->text(), S("100"));
  history->setText(S("0"));
  QTest::keyClick(history, Qt::Key_Down);
  QCOMPARE(p.options().historyMaximum(), 0);
  QVERIFY(h.messages.shown.empty());
}

void OptionsWindowTest::defaultSetsTheFirstStatesWithoutWriting() {
  Harness h;
  ui::Desktop& p = h.program();
  for (const auto& [value, name] : kChecks) Check(p, name)->setChecked(!Check(p, name)->isChecked());
  Control<QLineEdit>(p, S("Edit1"))->setText(S("7"));
  Control<QLineEdit>(p, S("Edit2"))->setText(S("3"));
  Control<QComboBox>(p, S("ComboBoxOrder"))->setCurrentIndex(3);
  Check(p, "CheckBoxOrderDescending")->setChecked(true);
  Control<QPushButton>(p, S("Button4"))->click();
  QVERIFY(p.options().runOptions().order == batch::ItemOrder{});
  QVERIFY(p.program().runOptions().order == batch::ItemOrder{});
  QCOMPARE(p.program().runOptions().previewCount, 20);
  QCOMPARE(Controls(p), (QStringList{"Options1=0", "Options2=0", "Options3=1", "Autocopy=1", "Capevery=1", "Confirm=0",
                                     "Contextmenu=1", "Prenum=20", "Listnum=20"}));
  QVERIFY(QSettings(QStringLiteral("Tessaro"), QStringLiteral("Dir")).allKeys().isEmpty());
}

void OptionsWindowTest::okWritesEveryValue() {
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setLauncherPath(S(VELMORA_LAUNCHER_PATH));
  p.options().show();
  Check(p, "CheckBox1")->click();  // exit on, display result off
  Check(p, "CheckBox2")->click();
  Check(p, "CheckBox4")->click();
  Check(p, "CheckBox6")->click();
  Check(p, "CheckBox7")->click();
  Control<QLineEdit>(p, S("Edit1"))->setText(S("345"));
  Control<QLineEdit>(p, S("Edit2"))->setText(S("67"));
  Control<QComboBox>(p, S("ComboBoxOrder"))->setCurrentIndex(1);
  Check(p, "CheckBoxOrderDescending")->click();
  Control<QPushButton>(p, S("Button1"))->click();
  QVERIFY(!p.options().isVisible());
  QCOMPARE(QSettings(QStringLiteral("Tessaro"), QStringLiteral("Dir")).value(S("Order")).toString(), S("natural:desc"));
  QVERIFY((p.options().runOptions().order == batch::ItemOrder{batch::OrderKey::Natural, true}));
  QCOMPARE(Stored(), (QStringList{"Options1=1", "Options2=1", "Options3=0", "Autocopy=0", "Capevery=1", "Confirm=1",
                                  "Contextmenu=0", "Prenum=345", "Listnum=67"}));
  // The window keeps what "Ok" wrote: no reading back over it.
  QCOMPARE(Controls(p), Stored());
  QVERIFY(h.messages.shown.empty());
}

void OptionsWindowTest::okInstallsAndRemovesTheFileManagerEntries() {
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setLauncherPath(S(VELMORA_LAUNCHER_PATH));
  const QString thunarFolder = qEnvironmentVariable("XDG_CONFIG_HOME") + S("/Thunar");
  QDir(thunarFolder).removeRecursively();
  const QStringList before = FilesInXdgHomes();

  p.options().OkClick();  // checked: installed
  const auto where = app::FileManagerLocations::FromEnvironment();
  QVERIFY(app::FileManagerActionsInstalled(where));
  QVERIFY(QFileInfo::exists(where.dolphinServiceMenu));
  for (const auto& op : app::kFileManagerOperations)
    QVERIFY2(QFileInfo(app::NautilusScriptPath(where, op)).isExecutable(), op.menuText);
  QCOMPARE(Control<QLabel>(p, S("FileManagerState"))->text(), S("The file manager entries are installed now."));
  QFile dolphin(where.dolphinServiceMenu);
  QVERIFY(dolphin.open(QIODevice::ReadOnly));
  QVERIFY(dolphin.readAll().contains(QByteArray(VELMORA_LAUNCHER_PATH)));

  p.options().OkClick();  // again, unchanged: still one set of entries
  QFile thunar(where.thunarActions);
  QVERIFY(thunar.open(QIODevice::ReadOnly));
  QCOMPARE(thunar.readAll().count("<unique-id>velmora-remove</unique-id>"), 1);
  thunar.close();

  Check(p, "CheckBox7")->click();
  p.options().OkClick();  // unchecked: removed
  QVERIFY(!app::FileManagerActionsInstalled(where));
  QVERIFY(!QFileInfo::exists(where.dolphinServiceMenu));
  QVERIFY(!QFileInfo::exists(where.nautilusScripts));
  QCOMPARE(Control<QLabel>(p, S("FileManagerState"))->text(), S("The file manager entries are not installed now."));

  // Unchecked with nothing installed: nothing appears.
  QDir(thunarFolder).removeRecursively();  // the user's actions file that the install began
  p.options().OkClick();
  QCOMPARE(FilesInXdgHomes(), before);
  QVERIFY(h.messages.shown.empty());
}

void OptionsWindowTest::okReportsEntriesThatCannotBeWritten() {
  testing::TempTree tree;
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setLauncherPath(ui::FromPath(tree.path("no launcher here")));
  Control<QLineEdit>(p, S("Edit1"))->setText(S("33"));
  p.options().OkClick();
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].title, std::string("Warning"));
  QVERIFY(QString::fromStdString(h.messages.shown[0].text).contains(QLatin1String("no launcher here")));
  QVERIFY(!app::FileManagerActionsInstalled());
  // The options were stored before the entries were tried.
  QCOMPARE(QSettings(QStringLiteral("Tessaro"), QStringLiteral("Dir")).value(S("Prenum")).toInt(), 33);
}

void OptionsWindowTest::closingWithoutOkReadsTheStoredValues_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("complete");  // every value stored, or "Options3" missing
  QTest::addColumn<QStringList>("after");

  // All stored: the window shows exactly the stored values, not those it had before.
  const QStringList stored{"Options1=0", "Options2=1", "Options3=0", "Autocopy=0", "Capevery=1", "Confirm=0",
                           "Contextmenu=0", "Prenum=444", "Listnum=9"};
  // "Options3" missing: "Options1" (off, so "Display result..." goes on, as unchecking it
  // does) and "Options2" are read; from "Options3" on the window keeps its state; the
  // preview count falls back to 20; "Listnum" is read.
  const QStringList partial{"Options1=0", "Options2=1", "Options3=1", "Autocopy=1", "Capevery=0", "Confirm=1",
                            "Contextmenu=1", "Prenum=20", "Listnum=9"};
  for (const char* how : {"Cancel", "Esc", "close box"}) {
    QTest::addRow("%s, all stored", how) << S(how) << true << stored;
    QTest::addRow("%s, Options3 missing", how) << S(how) << false << partial;
  }
}

void OptionsWindowTest::closingWithoutOkReadsTheStoredValues() {
  QFETCH(QString, how);
  QFETCH(bool, complete);
  QFETCH(QStringList, after);
  Harness h;
  ui::Desktop& p = h.program();
  {
    QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
    settings.setValue(S("Options1"), 0);
    settings.setValue(S("Options2"), 1);
    if (complete) settings.setValue(S("Options3"), 0);
    for (const char* name : {"Autocopy", "Contextmenu", "Confirm"}) settings.setValue(S(name), 0);
    settings.setValue(S("Capevery"), 7);  // any number but 0 is on
    settings.setValue(S("Prenum"), 444);
    settings.setValue(S("Listnum"), 9);
  }
  // The window holds other values than the stored ones before it is shown.
  Check(p, "CheckBox6")->setChecked(true);
  Control<QLineEdit>(p, S("Edit1"))->setText(S("77"));
  p.options().show();
  Check(p, "CheckBox1")->click();
  Check(p, "CheckBox5")->click();
  Control<QLineEdit>(p, S("Edit2"))->setText(S("50"));

  if (how == QLatin1String("Cancel")) {
    Control<QPushButton>(p, S("Button2"))->click();
  } else if (how == QLatin1String("Esc")) {
    QTest::keyClick(Check(p, "CheckBox5"), Qt::Key_Escape);
  } else {
    p.options().close();
  }
  QVERIFY(!p.options().isVisible());
  QCOMPARE(Controls(p), after);
  QCOMPARE(QSettings(QStringLiteral("Tessaro"), QStringLiteral("Dir")).value(S("Prenum")).toInt(), 444);
}

void OptionsWindowTest::enterActsAsOk_data() {
  QTest::addColumn<QString>("control");
  for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "Edit1", "Edit2"})
    QTest::newRow(name) << S(name);
}

void OptionsWindowTest::enterActsAsOk() {
  QFETCH(QString, control);
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setLauncherPath(S(VELMORA_LAUNCHER_PATH));
  p.options().show();
  auto* pages = Control<QTabWidget>(p, S("PageControl1"));
  QWidget* w = Control(p, control);
  for (int i = 0; i < pages->count(); ++i)
    if (pages->widget(i)->isAncestorOf(w)) pages->setCurrentIndex(i);
  w->setFocus();
  QTest::keyClick(w, Qt::Key_Return);
  QVERIFY(!p.options().isVisible());
  QCOMPARE(p.options().result(), int(QDialog::Accepted));
  QCOMPARE(QSettings(QStringLiteral("Tessaro"), QStringLiteral("Dir")).value(S("Prenum")).toInt(), 20);
}

void OptionsWindowTest::pagesFollowCtrlTabAndCtrlPageKeys() {
  Harness h;
  ui::Desktop& p = h.program();
  p.options().show();
  QVERIFY(QTest::qWaitForWindowExposed(&p.options()));
  auto* pages = Control<QTabWidget>(p, S("PageControl1"));
  pages->setCurrentIndex(0);
  QWidget* ok = Control(p, S("Button1"));  // the focus on the button bar, outside the pages
  ok->setFocus();
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int page;
  } steps[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
               {Qt::Key_PageDown, Qt::ControlModifier, 2},
               {Qt::Key_Tab, Qt::ControlModifier, 0},  // round to the first
               {Qt::Key_PageUp, Qt::ControlModifier, 2},
               {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1}};
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : ok, static_cast<Qt::Key>(step.key),
                    step.modifiers);
    QCOMPARE(pages->currentIndex(), step.page);
  }
  p.options().reject();
}

void OptionsWindowTest::lowerMaximumShortensTheHistory_data() {
  QTest::addColumn<bool>("editorOpenedBefore");
  QTest::addColumn<QString>("maximum");
  QTest::addColumn<int>("kept");
  QTest::addColumn<int>("copies");  // entries of the five lists other than the master list
  QTest::newRow("lowered to 5") << true << S("5") << 5 << 5;
  // The history is off: the master list is empty, the other five keep their entries for
  // as long as the program runs, also when the editor opens again.
  QTest::newRow("lowered to 0 leaves an empty file") << true << S("0") << 0 << 8;
  QTest::newRow("raised shortens nothing") << true << S("30") << 8 << 8;
  // The list in memory is loaded when the editor opens; lowering before that must not
  // write an empty list over the file.
  QTest::newRow("lowered before the editor ever opened") << false << S("5") << 5 << 5;
}

void OptionsWindowTest::lowerMaximumShortensTheHistory() {
  QFETCH(bool, editorOpenedBefore);
  QFETCH(QString, maximum);
  QFETCH(int, kept);
  QFETCH(int, copies);
  testing::TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setLauncherPath(S(VELMORA_LAUNCHER_PATH));
  std::vector<std::string> entries;
  std::string file;
  for (int i = 1; i <= 8; ++i) {
    entries.push_back("name " + std::to_string(i));
    file += entries.back() + "\r\n";
  }
  const std::string history = p.state().installDir + batch::kHistoryName;
  testing::WriteFile(history, file);
  if (editorOpenedBefore) {
    p.state().operationKind = "Replapart";
    p.state().target.picked = {tree.path("a.txt")};
    p.state().samplePath = tree.path("a.txt");
    p.editor().openModal();
    p.editor().selectClicked();
  }

  p.options().show();
  Control<QLineEdit>(p, S("Edit2"))->setText(maximum);
  Control<QPushButton>(p, S("Button1"))->click();

  const std::vector<std::string> expected(entries.begin(), entries.begin() + kept);
  QCOMPARE(testing::ReadLines(history), expected);
  QVERIFY(QFileInfo::exists(QString::fromStdString(history)));
  auto* master = p.editor().findChild<QComboBox*>(S("ComboBoxEx1"));
  auto* list = p.editor().findChild<QComboBox*>(S("ComboBoxEx4"));
  if (!editorOpenedBefore) return;
  QCOMPARE(master->count(), kept);
  QCOMPARE(list->count(), copies);
  p.editor().openModal();
  QCOMPARE(master->count(), kept);
  QCOMPARE(list->count(), copies);
  p.editor().selectClicked();
}

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
