// SPDX-License-Identifier: GPL-3.0-or-later
// The operation editor: each page's defaults and visibility rules, the target line, the
// captions, the scope list's fall-backs, OK's messages with the focus they leave, the
// sample box (CursorPos, automatic copy, its menu), and values kept between openings.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>
#include <QTreeWidget>
#include <QTranslator>
#include <QtTest>

#include "batch/presets.h"
#include "batch/command_line.h"
#include "batch/record_fields.h"
#include "batch/target_walk.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/desktop_look.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/preview_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::OpenEditor;
using testing::TempTree;
using ui::FromPath;

namespace {

using S = QString;


/// A click as the user makes it; the layout settles first, as it would between two clicks.
void Click(ui::Desktop& p, const QString& name) {
  QCoreApplication::processEvents();
  QWidget* w = p.editor().findChild<QWidget*>(name);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->click();
  } else {
    QTest::mouseClick(w, Qt::LeftButton);
  }
}

template <typename T = QWidget>
T* W(ui::Desktop& p, const QString& name) {
  T* w = p.editor().findChild<T*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

QStringList Shown(const testing::RecordingMessages& m) {
  QStringList out;
  for (const auto& s : m.shown) out << QString::fromStdString(s.text);
  return out;
}

/// The x coordinate in the sample box in front of character `position`.
int XOfPosition(QLineEdit* box, int position) {
  for (int x = 0; x < box->width(); ++x)
    if (box->cursorPositionAt(QPoint(x, box->height() / 2)) == position) return x;
  qFatal("position %d not found", position);
  return 0;
}

void Drag(QLineEdit* box, int from, int to) {
  const int y = box->height() / 2;
  QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(XOfPosition(box, from), y));
  QMouseEvent move(QEvent::MouseMove, QPointF(XOfPosition(box, to), y), box->mapToGlobal(QPointF(XOfPosition(box, to), y)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &move);
  QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(XOfPosition(box, to), y));
}

}  // namespace

class EditorTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultsOfEveryPage();
  void sampleBoxHasItsOwnLetter();
  void visibilityRules_data();
  void visibilityRules();
  void checkedRadioIsBold();
  void captionsAndPages_data();
  void captionsAndPages();
  void targetLine_data();
  void targetLine();
  void scopeFallBacks_data();
  void scopeFallBacks();
  void okMessagesAndFocus_data();
  void okMessagesAndFocus();
  void extensionBoxesKeepTheirCleanUp();
  void cursorPosFromAClick();
  void automaticCopyFollowsTheDrag();
  void mouseSelectionOutlivesTheFocus();
  void aSecondPreviewKeepsTheMouseSelection();
  void sampleMenuItems();
  void valuesAreKeptBetweenOpenings();
  void previewShowsRowsAndRenamesNothing();
  void previewTakesARealClick();
  void enterRunsOkAndEscapeCloses_data();
  void enterRunsOkAndEscapeCloses();
  void aboutPanelFromTheEditorAndFromTheMainWindow();
  void keyboardMnemonicsAndTabOrder();
  void oneHeightAcrossPages();
  void longerTranslationsAreNotClipped();
  void everyPageControlRoundTripsThroughAPreset_data();
  void everyPageControlRoundTripsThroughAPreset();
  void regexBoxesAndFiltersFillTheRecord();
  void sidecarsBoxWhereTheFlagApplies_data();
  void sidecarsBoxWhereTheFlagApplies();
};

void EditorTest::defaultsOfEveryPage() {
  Harness h;
  ui::Desktop& p = h.program();
  const QStringList checked{"RadioButton6",  "RadioButton12", "RadioButton10", "CheckBox18",    "CheckBox22",
                            "RadioButton30", "RadioButton27", "RadioButton18", "RadioButton20", "RadioButton9",
                            "RadioButton33", "RadioButton14", "RadioButton16", "CheckBox16",    "CheckBox19",
                            "RadioButton24", "RadioButton31", "RadioButton8",  "RadioButton1"};
  QStringList actual;
  for (QAbstractButton* b : p.editor().findChildren<QAbstractButton*>())
    if (b->isCheckable() && b->isChecked()) actual << b->objectName();
  actual.sort();
  QStringList expected = checked;
  expected.sort();
  QCOMPARE(actual, expected);
  for (QLineEdit* e : p.editor().findChildren<QLineEdit*>()) QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
  QCOMPARE(W<QComboBox>(p, "ComboBox2")->currentIndex(), 0);
  QCOMPARE(W<QComboBox>(p, "ComboBox1")->count(), 4);
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit4")->maxLength(), 253);
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit3")->maxLength(), 253);
  QCOMPARE(W<QLabel>(p, "LabeledEdit1Label")->text(), QStringLiteral("Old string:   "));
  QCOMPARE(W<QRadioButton>(p, "RadioButton9")->text().remove(QLatin1Char('&')),  // "&": the Alt mnemonic
           QStringLiteral("Insert to position      "));
  QCOMPARE(W<QPushButton>(p, "SpeedButton15")->toolTip(), QStringLiteral("Finish edit and execute operations."));
  QCOMPARE(W<QPushButton>(p, "Button4")->toolTip(), QStringLiteral("Numbers, date and disordered string"));
  QCOMPARE(p.editor().focusedInput(), 1);
}

void EditorTest::visibilityRules_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("actions");  // objectNames clicked in order; "ComboBox2=2" sets an index
  QTest::addColumn<QStringList>("visible");
  QTest::addColumn<QStringList>("hidden");
  const int remove = static_cast<int>(engine::OperationKind::Remove);
  const int replace = static_cast<int>(engine::OperationKind::Replace);
  const int insert = static_cast<int>(engine::OperationKind::Insert);
  const int change = static_cast<int>(engine::OperationKind::Change);
  const int extension = static_cast<int>(engine::OperationKind::Extension);
  const int save = static_cast<int>(engine::OperationKind::ListFolder);

  QTest::newRow("remove strings") << remove << QStringList{}
                                  << QStringList{"RemovePage", "GroupBoxRemoveString", "Edit1", "Edit2", "Edit10"}
                                  << QStringList{"GroupBoxRemoveAnything", "GroupBoxClean", "GroupBoxKeep",
                                                 "ReplacePage", "InsertPage", "ChangePage", "ExtensionPage", "SavePage"};
  QTest::newRow("remove anything") << remove << QStringList{"RadioButton7"}
                                   << QStringList{"GroupBoxRemoveAnything", "RadioButton10", "RadioButton11"}
                                   << QStringList{"GroupBoxRemoveString", "Edit11", "Edit12", "CheckBox5"};
  QTest::newRow("remove between two strings") << remove << QStringList{"RadioButton7", "RadioButton13"}
                                              << QStringList{"Edit11", "Edit12", "CheckBox5", "Edit11Label"}
                                              << QStringList{"RadioButton10", "RadioButton11"};
  QTest::newRow("clean symbols") << remove << QStringList{"RadioButton23"} << QStringList{"GroupBoxClean", "Edit13"}
                                 << QStringList{"GroupBoxRemoveString", "GroupBoxRemoveAnything", "GroupBoxKeep"};
  QTest::newRow("keep the selected part") << remove << QStringList{"RadioButton25"}
                                          << QStringList{"GroupBoxKeep", "RadioButton27", "RadioButton28"}
                                          << QStringList{"Edit14", "Edit16", "GroupBoxClean"};
  QTest::newRow("keep strings") << remove << QStringList{"RadioButton25", "RadioButton29"}
                                << QStringList{"Edit14", "Edit16"} << QStringList{"RadioButton27", "RadioButton28"};
  QTest::newRow("back to remove strings") << remove << QStringList{"RadioButton23", "RadioButton6"}
                                          << QStringList{"GroupBoxRemoveString"} << QStringList{"GroupBoxClean"};
  QTest::newRow("replace string") << replace << QStringList{}
                                  << QStringList{"ReplacePage", "LabeledEdit1", "LabeledEdit1Label", "CheckBox7",
                                                 "ComboBoxEx4"}
                                  << QStringList{"RadioButton20", "RadioButton21", "RemovePage"};
  QTest::newRow("replace the selected length") << replace << QStringList{"RadioButton19"}
                                               << QStringList{"RadioButton20", "RadioButton21"}
                                               << QStringList{"LabeledEdit1", "LabeledEdit1Label", "CheckBox7"};
  QTest::newRow("insert to position") << insert << QStringList{} << QStringList{"GroupBoxPosition", "ComboBoxEx1"}
                                      << QStringList{"GroupBoxInsertString", "RadioButton33", "RadioButton34"};
  QTest::newRow("insert at the cursor") << insert << QStringList{"CheckBox4"}
                                        << QStringList{"RadioButton33", "RadioButton34"} << QStringList{};
  QTest::newRow("cursor unchecked again") << insert << QStringList{"CheckBox4", "CheckBox4"} << QStringList{}
                                          << QStringList{"RadioButton33", "RadioButton34"};
  QTest::newRow("insert to string") << insert << QStringList{"RadioButton3"}
                                    << QStringList{"GroupBoxInsertString", "LabeledEdit2", "ComboBoxEx6"}
                                    << QStringList{"GroupBoxPosition", "LabeledEdit5", "LabeledEdit5Label"};
  QTest::newRow("insert between two strings") << insert << QStringList{"RadioButton3", "ComboBox2=2"}
                                              << QStringList{"LabeledEdit5", "LabeledEdit5Label"} << QStringList{};
  QTest::newRow("change full name") << change << QStringList{} << QStringList{"ComboBoxEx5", "Button8"}
                                    << QStringList{"RadioButton16", "CheckBox16", "RadioButton17", "RadioButton22",
                                                   "RadioButtonAccents", "RadioButtonWindowsSafe", "CheckBox19"};
  QTest::newRow("convert case") << change << QStringList{"RadioButton15"}
                                << QStringList{"RadioButton16", "CheckBox16", "RadioButton17", "RadioButton22",
                                               "RadioButtonAccents", "RadioButtonWindowsSafe", "CheckBox19"}
                                << QStringList{"ComboBoxEx5", "ComboBoxEx5Label", "Button8"};
  QTest::newRow("upper case hides capitalize first") << change << QStringList{"RadioButton15", "RadioButton17"}
                                                     << QStringList{"CheckBox19"} << QStringList{"CheckBox16"};
  QTest::newRow("remove accents hides capitalize first")
      << change << QStringList{"RadioButton15", "RadioButtonAccents"} << QStringList{"CheckBox19"}
      << QStringList{"CheckBox16"};
  QTest::newRow("change extension") << extension << QStringList{}
                                    << QStringList{"GroupBoxChangeExtension", "LabeledEdit4", "LabeledEdit3"}
                                    << QStringList{"GroupBoxConvertExtension"};
  QTest::newRow("replace all types hides the old extension")
      << extension << QStringList{"CheckBox1"} << QStringList{"LabeledEdit4"}
      << QStringList{"LabeledEdit3", "LabeledEdit3Label"};
  QTest::newRow("unchecked again shows it") << extension << QStringList{"CheckBox1", "CheckBox1"}
                                            << QStringList{"LabeledEdit3"} << QStringList{};
  QTest::newRow("convert extension case") << extension << QStringList{"RadioButton26"}
                                          << QStringList{"GroupBoxConvertExtension"}
                                          << QStringList{"GroupBoxChangeExtension"};
  QTest::newRow("save one layer") << save << QStringList{}
                                  << QStringList{"GroupBoxFileTypes", "CheckBox14", "CheckBox15", "RadioButton1"}
                                  << QStringList{"CheckBox17", "CheckBox8", "CheckBox12", "Edit3"};
  QTest::newRow("save all layers") << save << QStringList{"RadioButton5"}
                                   << QStringList{"CheckBox17", "GroupBoxFileTypes"} << QStringList{};
  QTest::newRow("save only folder names") << save << QStringList{"RadioButton4"} << QStringList{}
                                          << QStringList{"GroupBoxFileTypes", "CheckBox14", "CheckBox15", "CheckBox17"};
  QTest::newRow("special types") << save << QStringList{"RadioButton2"}
                                 << QStringList{"CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox13",
                                                "CheckBox12"}
                                 << QStringList{"Edit3"};
  QTest::newRow("other type") << save << QStringList{"RadioButton2", "CheckBox12"} << QStringList{"Edit3"}
                              << QStringList{};
}

void EditorTest::visibilityRules() {
  QFETCH(int, kind);
  QFETCH(QStringList, actions);
  QFETCH(QStringList, visible);
  QFETCH(QStringList, hidden);
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, static_cast<engine::OperationKind>(kind), {tree.path("a.txt")});
  for (const QString& action : actions) {
    if (action.contains(QLatin1Char('='))) {
      W<QComboBox>(p, action.section(QLatin1Char('='), 0, 0))->setCurrentIndex(action.section(QLatin1Char('='), 1).toInt());
    } else {
      Click(p, action);
    }
  }
  for (const QString& name : visible) QVERIFY2(W(p, name)->isVisibleTo(&p.editor()), qPrintable(name + " shown"));
  for (const QString& name : hidden) QVERIFY2(!W(p, name)->isVisibleTo(&p.editor()), qPrintable(name + " hidden"));
}

// Alt and the sample label's letter reaches the sample box; no button of the bar shares it.
void EditorTest::sampleBoxHasItsOwnLetter() {
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  auto* label = W<QLabel>(p, "Label4");
  QCOMPARE(label->buddy(), W(p, "RichEdit2"));
  const QString caption = label->text();
  const qsizetype marked = caption.indexOf(QLatin1Char('&'));
  QVERIFY2(marked >= 0 && marked + 1 < caption.size(), qPrintable(caption));
  QCOMPARE(QString(caption).remove(QLatin1Char('&')), QStringLiteral("One old filename:"));
  const QChar letter = caption.at(marked + 1).toUpper();
  for (QAbstractButton* b : W(p, "OperationArea")->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
    const qsizetype m = b->text().indexOf(QLatin1Char('&'));
    if (m >= 0 && m + 1 < b->text().size())
      QVERIFY2(b->text().at(m + 1).toUpper() != letter, qPrintable(b->objectName()));
  }
}

void EditorTest::checkedRadioIsBold() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Remove, {tree.path("a.txt")});
  QVERIFY(W(p, "RadioButton6")->font().bold());
  Click(p, "RadioButton25");
  QVERIFY(W(p, "RadioButton25")->font().bold());
  QVERIFY(!W(p, "RadioButton6")->font().bold());
  Click(p, "RadioButton28");
  QVERIFY(W(p, "RadioButton28")->font().bold());
  QVERIFY(!W(p, "RadioButton27")->font().bold());
}

void EditorTest::captionsAndPages_data() {
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("sample");
  QTest::addColumn<QString>("focus");
  QTest::newRow("remove") << S("Removpart") << S("Velmora - Remove string") << S("RemovePage") << S("photo.2007")
                          << S("Edit1");
  QTest::newRow("replace") << S("Replapart") << S("Velmora - Replace string") << S("ReplacePage") << S("photo.2007")
                           << S("LabeledEdit1");
  QTest::newRow("insert") << S("Addnewnum") << S("Velmora - Insert string") << S("InsertPage") << S("photo.2007")
                          << S("ComboBoxEx1");
  QTest::newRow("change") << S("Changnew") << S("Velmora - Change to new name") << S("ChangePage") << S("photo.2007")
                          << S("ComboBoxEx5");
  QTest::newRow("extension") << S("Changexten") << S("Velmora - Edit Extention part") << S("ExtensionPage")
                             << S("photo.2007.jpg") << S("LabeledEdit4");
  QTest::newRow("listing") << S("Savealls") << S("Velmora - Save filenames") << S("SavePage") << S("photo.2007.jpg")
                           << S("");
}

void EditorTest::captionsAndPages() {
  QFETCH(QString, keyword);
  QFETCH(QString, caption);
  QFETCH(QString, page);
  QFETCH(QString, sample);
  QFETCH(QString, focus);
  TempTree tree;
  tree.make({"w/photo.2007.jpg"});
  Harness h;
  ui::Desktop& p = h.program();
  p.state().operationKind = keyword.toStdString();
  p.state().target.folder = tree.path("w");
  p.state().samplePath = tree.path("w/photo.2007.jpg");
  p.editor().openModal();
  QCOMPARE(p.editor().windowTitle(), caption);
  QStringList pages;
  for (const char* name : {"RemovePage", "ReplacePage", "InsertPage", "ChangePage", "ExtensionPage", "SavePage"})
    if (W(p, QString::fromLatin1(name))->isVisibleTo(&p.editor())) pages << QString::fromLatin1(name);
  QCOMPARE(pages, QStringList{page});
  QCOMPARE(p.editor().sampleBox()->text(), sample);
  QCOMPARE(p.editor().sampleBox()->toolTip(), FromPath(tree.path("w/photo.2007.jpg")));
  QVERIFY(p.editor().focusTimer().isActive());
  QTRY_VERIFY(!p.editor().focusTimer().isActive());
  if (!focus.isEmpty()) QCOMPARE(p.editor().focusWidget()->objectName(), focus);
  if (keyword == QLatin1String("Changexten")) QCOMPARE(W<QLineEdit>(p, "LabeledEdit3")->text(), QStringLiteral("jpg"));
  QCOMPARE(W(p, "SpeedButton21")->isEnabled(), keyword != QLatin1String("Savealls"));
}

void EditorTest::targetLine_data() {
  QTest::addColumn<int>("length");  // of the folder path with its trailing separator; 0: hand-picked
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("shortened");
  QTest::newRow("53 characters are shown whole") << 53 << S("Target folder, ") << false;
  QTest::newRow("54 characters are shortened") << 54 << S("Target folder, ") << true;
  QTest::newRow("three hand-picked files") << 0 << S("Target file(s),") << false;
}

void EditorTest::targetLine() {
  QFETCH(int, length);
  QFETCH(QString, caption);
  QFETCH(bool, shortened);
  TempTree tree;
  Harness h;
  ui::Desktop& p = h.program();
  if (length == 0) {
    tree.make({"a.txt", "b.txt", "c.txt"});
    OpenEditor(p, engine::OperationKind::Replace, {tree.path("a.txt"), tree.path("b.txt"), tree.path("c.txt")});
    QCOMPARE(W<QLabel>(p, "Label1")->text(), QStringLiteral("total 3 file(s)"));
    QVERIFY(!W(p, "Panel12")->isVisibleTo(&p.editor()));
  } else {
    const int padding = length - static_cast<int>(tree.root().size()) - 2;
    QVERIFY(padding > 0);
    const std::string name(static_cast<std::size_t>(padding), 'd');
    tree.make({name + "/x.txt"});
    OpenEditor(p, engine::OperationKind::Replace, {}, tree.path(name));
    const QString path = FromPath(tree.path(name) + "/");
    QCOMPARE(path.size(), length);
    const QString shown = W<QLabel>(p, "Label1")->text();
    QCOMPARE(shown, shortened ? path.left(18) + QStringLiteral(" ... ") + path.right(26) : path);
    QVERIFY(shown.size() <= 53);
    QCOMPARE(W<QLabel>(p, "Label1")->toolTip(), path);
    QVERIFY(W(p, "Panel12")->isVisibleTo(&p.editor()));
  }
  QCOMPARE(W<QLabel>(p, "Label2")->text(), caption);
}

void EditorTest::scopeFallBacks_data() {
  QTest::addColumn<QStringList>("entries");
  QTest::addColumn<QString>("folder");  // relative; "/" for the root
  QTest::addColumn<int>("chosen");
  QTest::addColumn<int>("shown");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QString>("sample");  // "*" leaves the sample box as it was
  QTest::newRow("files: one layer stays") << QStringList{"t/b.txt", "t/a.txt"} << S("t") << 0 << 0 << QStringList{}
                                          << S("a");
  QTest::newRow("subfolders only: all layers") << QStringList{"t/sub/"} << S("t") << 0 << 1
                                               << QStringList{"There is no file(one layer) now!"} << S("*");
  QTest::newRow("empty: this folder name") << QStringList{"t/"} << S("t") << 0 << 3
                                           << QStringList{"There is no file(one layer) now!",
                                                          "There is no subfolder now!"}
                                           << S("t");
  QTest::newRow("no subfolder: this folder name") << QStringList{"t/a.txt"} << S("t") << 2 << 3
                                                  << QStringList{"There is no subfolder now!"} << S("t");
  QTest::newRow("subfolders") << QStringList{"t/y.dir/", "t/x.dir/"} << S("t") << 2 << 2 << QStringList{}
                              << S("x.dir");
  QTest::newRow("the root cannot be renamed") << QStringList{} << S("/") << 3 << 2
                                              << QStringList{"Can not rename root directory !"} << S("");
}

void EditorTest::scopeFallBacks() {
  QFETCH(QStringList, entries);
  QFETCH(QString, folder);
  QFETCH(int, chosen);
  QFETCH(int, shown);
  QFETCH(QStringList, messages);
  QFETCH(QString, sample);
  TempTree tree;
  std::vector<std::string> paths;
  for (const QString& e : entries) paths.push_back(e.toStdString());
  tree.make(paths);
  Harness h;
  ui::Desktop& p = h.program();
  const std::string target = folder == QLatin1String("/") ? std::string("/") : tree.path(folder.toStdString());
  OpenEditor(p, engine::OperationKind::Change, {}, target);
  p.editor().sampleBox()->setText(QStringLiteral("before"));
  auto* scope = W<QComboBox>(p, "ComboBox1");
  scope->setCurrentIndex(chosen == 0 ? 1 : 0);  // start elsewhere, then choose
  h.messages.shown.clear();
  p.editor().sampleBox()->setText(QStringLiteral("before"));
  scope->setCurrentIndex(chosen);
  QCOMPARE(scope->currentIndex(), shown);
  QCOMPARE(static_cast<int>(p.state().target.scope), shown);
  QCOMPARE(Shown(h.messages), messages);
  QCOMPARE(p.editor().sampleBox()->text(), sample == QLatin1String("*") ? QStringLiteral("before") : sample);
}

void EditorTest::okMessagesAndFocus_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("setup");  // "Name=text" for a text, a bare name is clicked
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QString>("focus");
  const int remove = static_cast<int>(engine::OperationKind::Remove);
  const int replace = static_cast<int>(engine::OperationKind::Replace);
  const int insert = static_cast<int>(engine::OperationKind::Insert);
  const int change = static_cast<int>(engine::OperationKind::Change);
  QTest::newRow("nothing to remove") << remove << QStringList{}
                                     << QStringList{"Please select or input string to be removed."} << S("Edit1");
  QTest::newRow("right limit missing") << remove << QStringList{"RadioButton7", "RadioButton13", "Edit11=a"}
                                       << QStringList{"Please select or input strings to define limition."}
                                       << S("Edit12");
  QTest::newRow("no old string") << replace << QStringList{} << QStringList{"Please input the old part of file name"}
                                 << S("LabeledEdit1");
  QTest::newRow("empty new string is asked about")
      << replace << QStringList{"LabeledEdit1=a"}
      << QStringList{"The new part is empty, it will REMOVE old part 'a'(case insensitive) from original "
                     "filenames,\nEdit content is (Filenames in this folder(ONE layer)),continue ?"}
      << S("ComboBoxEx4");
  QTest::newRow("two empty insert texts, in order")
      << insert << QStringList{"CheckBox2", "CheckBox3"}
      << QStringList{"You have not inputted text of HEAD string to insert.",
                     "You have not inputted text of END string to insert."}
      << S("ComboBoxEx2");
  QTest::newRow("cursor without a position")
      << insert << QStringList{"CheckBox4", "ComboBoxEx3=x"}
      << QStringList{"You selected CURSOR position, so you should use mouse point the position(in old filename) you "
                     "want to insert."}
      << S("");
  QTest::newRow("prohibited character")
      << change << QStringList{"ComboBoxEx5=a:b"}
      << QStringList{"You should remove one of following nine characters from input text, because they are "
                     "prohibited in Windows filenames:  \\ / : * ? \" < > |"}
      << S("");
}

void EditorTest::okMessagesAndFocus() {
  QFETCH(int, kind);
  QFETCH(QStringList, setup);
  QFETCH(QStringList, messages);
  QFETCH(QString, focus);
  TempTree tree;
  tree.make({"w/a.txt", "w/b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  h.messages.answers.push_back(batch::Answer::Cancel);
  OpenEditor(p, static_cast<engine::OperationKind>(kind), {}, tree.path("w"));
  QTRY_VERIFY(!p.editor().focusTimer().isActive());
  W(p, "SpeedButton17")->setFocus();
  for (const QString& step : setup) {
    const QString name = step.section(QLatin1Char('='), 0, 0);
    if (!step.contains(QLatin1Char('='))) {
      Click(p, name);
    } else if (auto* combo = qobject_cast<QComboBox*>(W(p, name))) {
      combo->setEditText(step.section(QLatin1Char('='), 1));
    } else {
      W<QLineEdit>(p, name)->setText(step.section(QLatin1Char('='), 1));
    }
  }
  W(p, "SpeedButton17")->setFocus();
  p.editor().okClicked();
  QCOMPARE(Shown(h.messages), messages);
  QCOMPARE(p.editor().focusWidget()->objectName(), focus.isEmpty() ? QStringLiteral("SpeedButton17") : focus);
  QVERIFY(p.editor().isVisible());
  QVERIFY(tree.exists("w/a.txt") && tree.exists("w/b.txt"));
}

void EditorTest::extensionBoxesKeepTheirCleanUp() {
  TempTree tree;
  tree.make({"w/a.doc", "w/b.doc"});
  Harness h;
  ui::Desktop& p = h.program();
  p.options().findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->setChecked(true);  // confirmations on
  OpenEditor(p, engine::OperationKind::Extension, {}, tree.path("w"));
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit3")->text(), QStringLiteral("doc"));
  W<QLineEdit>(p, "LabeledEdit4")->setText(QStringLiteral("..txt."));
  h.messages.answers.push_back(batch::Answer::Cancel);
  p.editor().okClicked();
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit4")->text(), QStringLiteral("txt"));
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit3")->text(), QStringLiteral("doc"));
  QCOMPARE(Shown(h.messages),
           QStringList{"It will change filenames extention part, from 'doc' to 'txt',\nEdit content is (Filenames in "
                       "this folder(ONE layer)),continue ?"});
  QCOMPARE(p.editor().focusWidget()->objectName(), QStringLiteral("LabeledEdit4"));
  QVERIFY(tree.exists("w/a.doc"));

  // A folder target whose scope takes folder names has no extension to change.
  W<QComboBox>(p, "ComboBox1")->setCurrentIndex(3);
  h.messages.shown.clear();
  p.editor().okClicked();
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].kind, std::string("warning"));
  QCOMPARE(h.messages.shown[0].text, std::string("Folder or subfolder name have no extension part."));
}

void EditorTest::cursorPosFromAClick() {
  TempTree tree;
  tree.make({"abcdef.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Insert, {tree.path("abcdef.txt")});
  QLineEdit* sample = p.editor().sampleBox();
  QCOMPARE(sample->text(), QStringLiteral("abcdef"));
  QCOMPARE(p.editor().cursorPos(), 0);
  QTest::mouseClick(sample, Qt::LeftButton, Qt::NoModifier, QPoint(XOfPosition(sample, 2), sample->height() / 2));
  QCOMPARE(p.editor().cursorPos(), 3);
  QCOMPARE(p.editor().buildRecord().sample.cursorPos, 3);
  // Not while "Insert to string" is chosen.
  Click(p, "RadioButton3");
  QTest::mouseClick(sample, Qt::LeftButton, Qt::NoModifier, QPoint(XOfPosition(sample, 5), sample->height() / 2));
  QCOMPARE(p.editor().cursorPos(), 3);
  p.editor().selectClicked();
  QCOMPARE(p.editor().cursorPos(), 0);
}

void EditorTest::automaticCopyFollowsTheDrag() {
  TempTree tree;
  tree.make({"xabcy.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Remove, {tree.path("xabcy.txt")});
  QLineEdit* sample = p.editor().sampleBox();
  QTest::mouseClick(W(p, "Edit2"), Qt::LeftButton);
  QCOMPARE(p.editor().focusedInput(), 2);
  Drag(sample, 1, 4);
  QCOMPARE(W<QLineEdit>(p, "Edit2")->text(), QStringLiteral("abc"));
  QCOMPARE(W<QLineEdit>(p, "Edit1")->text(), QString());
  const engine::OperationRecord record = p.editor().buildRecord();
  QCOMPARE(record.sample.selectionStart, 1);
  QCOMPARE(record.sample.selectionLength, 3);
  // A press in an input box clears the selection; with automatic copy off nothing is copied.
  QTest::mouseClick(W(p, "Edit10"), Qt::LeftButton);
  QVERIFY(!sample->hasSelectedText());
  p.options().setAutocopy(false);
  Drag(sample, 0, 2);
  QVERIFY(sample->hasSelectedText());
  QCOMPARE(W<QLineEdit>(p, "Edit10")->text(), QString());
}

void EditorTest::mouseSelectionOutlivesTheFocus() {
  TempTree tree;
  tree.make({"xabcy.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Remove, {tree.path("xabcy.txt")});
  QVERIFY(QTest::qWaitForWindowActive(&p.editor()));
  ui::SampleBox* sample = p.editor().sampleBox();
  // A click on a radio's indicator, which takes the focus as the user's click does.
  const auto clickRadio = [&p](const char* name) {
    QWidget* radio = W(p, QString::fromLatin1(name));
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
  };
  clickRadio("RadioButton7");  // "Remove anything", the part selected by mouse
  // The radio changes that clear the selection do.
  Drag(sample, 1, 4);
  clickRadio("RadioButton13");
  QCOMPARE(p.editor().buildRecord().sample.selectionLength, 0);
  clickRadio("RadioButton12");
  // A direction radio, Tab back into the box and a click on OK leave it as it was.
  Drag(sample, 1, 4);
  clickRadio("RadioButton11");
  QVERIFY(!sample->hasFocus());
  QCOMPARE(sample->selectedText(), QStringLiteral("abc"));  // still shown
  sample->setFocus(Qt::TabFocusReason);
  QCOMPARE(sample->selectedText(), QStringLiteral("abc"));
  QTest::mouseClick(W(p, "SpeedButton15"), Qt::LeftButton);
  QCOMPARE(Shown(h.messages), QStringList());
  QVERIFY(tree.exists("xy.txt"));
}

void EditorTest::aSecondPreviewKeepsTheMouseSelection() {
  TempTree tree;
  tree.make({"w/001_a.txt", "w/001_b.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  QVERIFY(QTest::qWaitForWindowActive(&p.editor()));
  QWidget* remove = W(p, "RadioButton7");  // "Remove anything", the part selected by mouse
  QTest::mouseClick(remove, Qt::LeftButton, Qt::NoModifier, QPoint(8, remove->height() / 2));
  Drag(p.editor().sampleBox(), 0, 4);
  // Preview, Close and Preview again: the selection is the editor's until the user changes it.
  for (int i = 0; i < 2; ++i) {
    QTest::mouseClick(W(p, "SpeedButton21"), Qt::LeftButton);
    QCOMPARE(Shown(h.messages), QStringList());
    QTRY_VERIFY(p.preview().isVisible());
    QCOMPARE(p.preview().list()->topLevelItem(0)->text(1), QStringLiteral("a.txt"));
    QTest::mouseClick(p.preview().findChild<QPushButton*>(QStringLiteral("Button3")), Qt::LeftButton);
    QTRY_VERIFY(!p.preview().isVisible());
    QTest::qWait(300);  // the events the closing posts are handled before the next click
  }
}

void EditorTest::sampleMenuItems() {
  TempTree tree;
  tree.make({"name.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Remove, {tree.path("name.txt")});
  QLineEdit* sample = p.editor().sampleBox();
  sample->deselect();
  QList<QAction*> items = p.editor().sampleMenu()->actions();
  QVERIFY(!items[0]->isEnabled());
  QVERIFY(items[1]->isEnabled());
  QCOMPARE(items[2]->text(), QStringLiteral("Disable auto copy"));
  items[1]->trigger();
  QCOMPARE(sample->selectedText(), QStringLiteral("name"));
  items = p.editor().sampleMenu()->actions();
  QVERIFY(items[0]->isEnabled());
  QVERIFY(!items[1]->isEnabled());
  items[2]->trigger();
  QVERIFY(!p.options().runOptions().autocopy);
  QCOMPARE(p.editor().sampleMenu()->actions()[2]->text(), QStringLiteral("Enable auto copy"));
}

void EditorTest::valuesAreKeptBetweenOpenings() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Replace, {tree.path("a.txt")});
  W<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("old"));
  Click(p, "CheckBox7");
  p.editor().selectClicked();
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));
  QCOMPARE(p.editor().sampleBox()->text(), QString());
  QCOMPARE(W<QLabel>(p, "Label2")->text(), QStringLiteral("Target folder,"));
  OpenEditor(p, engine::OperationKind::Replace, {tree.path("a.txt")});
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit1")->text(), QStringLiteral("old"));
  QVERIFY(W<QCheckBox>(p, "CheckBox7")->isChecked());
  QCOMPARE(p.editor().sampleBox()->text(), QStringLiteral("a"));
}

void EditorTest::previewShowsRowsAndRenamesNothing() {
  TempTree tree;
  tree.make({"w/old one.txt", "w/old two.txt", "w/keep.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Replace, {}, tree.path("w"));
  W<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("old"));
  W<QComboBox>(p, "ComboBoxEx4")->setEditText(QStringLiteral("new"));
  p.editor().previewClicked();
  ui::PreviewWindow& preview = p.preview();
  QVERIFY(preview.isVisible());
  QCOMPARE(preview.windowTitle(), QStringLiteral("Preview - Replace string"));
  QCOMPARE(preview.rowCount(), 2);
  QCOMPARE(preview.list()->topLevelItem(0)->text(0), QStringLiteral("old one.txt"));
  QCOMPARE(preview.list()->topLevelItem(0)->text(1), QStringLiteral("new one.txt"));
  QVERIFY(tree.exists("w/old one.txt"));
  QCOMPARE(p.editor().runMode(), batch::RunMode::Rename);
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + "Newname.txt"));
  p.editor().selectClicked();
  QVERIFY(!preview.isVisible());
}

// The editor opened from the main window is modal; the preview beside it must still take
// the user's clicks. Only an X server shows that: the click goes through it (xdotool), so
// the window manager side of Qt decides whether the window is blocked.
void EditorTest::previewTakesARealClick() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (runs under xvfb-run)");
  TempTree tree;
  tree.make({"w/a1.txt", "w/keep.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  testing::OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Replace);
  QVERIFY(QTest::qWaitForWindowExposed(&p.editor()));
  QCOMPARE(p.editor().windowModality(), Qt::ApplicationModal);
  W<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("a"));
  W<QComboBox>(p, "ComboBoxEx4")->setEditText(QStringLiteral("b"));
  p.editor().previewClicked();
  ui::PreviewWindow& preview = p.preview();
  QVERIFY(QTest::qWaitForWindowExposed(&preview));
  auto* rename = preview.findChild<QPushButton*>(QStringLiteral("Button1"));
  const QPoint at = rename->mapToGlobal(rename->rect().center());
  QTRY_COMPARE(QApplication::widgetAt(at), rename);  // in front of the editor
  QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                                         QString::number(at.x()), QString::number(at.y()),
                                                         QStringLiteral("click"), QStringLiteral("1")}),
           0);
  QTRY_VERIFY(tree.exists("w/b1.txt"));
  QVERIFY(!preview.isVisible());
  QVERIFY(tree.exists("w/keep.txt"));
}

void EditorTest::enterRunsOkAndEscapeCloses_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<bool>("runsOk");
  QTest::newRow("remove string 3") << S("Edit10") << true;
  QTest::newRow("the sample box") << S("RichEdit2") << true;
  QTest::newRow("also-erase symbols") << S("Edit13") << false;
}

void EditorTest::enterRunsOkAndEscapeCloses() {
  QFETCH(QString, box);
  QFETCH(bool, runsOk);
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Remove, {tree.path("a.txt")});
  if (box == QLatin1String("Edit13")) p.editor().findChild<QAbstractButton*>(QStringLiteral("RadioButton23"))->click();
  QTest::keyClick(W(p, box), Qt::Key_Return);
  QCOMPARE(h.messages.shown.size(), std::size_t{runsOk ? 1u : 0u});
  QVERIFY(p.editor().isVisible());
  QTest::keyClick(W(p, box), Qt::Key_Escape);
  QVERIFY(!p.editor().isVisible());
  QCOMPARE(p.state().operationKind, std::string("Browsefile"));
}

void EditorTest::aboutPanelFromTheEditorAndFromTheMainWindow() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, engine::OperationKind::Replace, {tree.path("a.txt")});
  W<QLineEdit>(p, "LabeledEdit1")->setText(QStringLiteral("kept"));
  p.editor().aboutClicked();
  QVERIFY(p.editor().aboutShown());
  QCOMPARE(p.editor().windowTitle(), QStringLiteral("Velmora - About"));
  QTest::keyClick(&p.editor(), Qt::Key_Escape);  // Esc is the panel's "Back" here
  QVERIFY(p.editor().isVisible());
  QVERIFY(!p.editor().aboutShown());
  QCOMPARE(p.editor().windowTitle(), QStringLiteral("Velmora - Replace string"));
  QCOMPARE(W<QLineEdit>(p, "LabeledEdit1")->text(), QStringLiteral("kept"));
  p.editor().selectClicked();

  p.mainWindow().button(QStringLiteral("AboutButton"))->click();
  QVERIFY(p.editor().isVisible());
  QVERIFY(p.editor().aboutShown());
  QCOMPARE(p.editor().windowTitle(), QStringLiteral("Velmora - About"));
  W<QPushButton>(p, "BackButton")->click();  // opened from the main window: "Back" closes
  QVERIFY(!p.editor().isVisible());
}

// No two captions shown in a window share an Alt letter (Alt would then only move between
// them), and Tab goes in reading order.
void EditorTest::keyboardMnemonicsAndTabOrder() {
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  const auto letters = [](QWidget& window) {
    QStringList problems;
    QString used;
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
      if (!b->isVisibleTo(&window) || b->text().trimmed().isEmpty() || b->property(ui::kSharedCaption).toBool())
        continue;
      const qsizetype at = b->text().indexOf(QLatin1Char('&'));
      if (at < 0) continue;  // no free letter left in its caption
      const QChar letter = b->text().at(at + 1).toUpper();
      if (used.contains(letter)) problems << b->objectName() + QStringLiteral(" repeats ") + letter;
      used += letter;
    }
    return problems;
  };
  testing::OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  p.editor().selectClicked();
  QCOMPARE(letters(p.mainWindow()), QStringList());
  for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace,
                          engine::OperationKind::Insert, engine::OperationKind::Change,
                          engine::OperationKind::Extension, engine::OperationKind::ListFolder}) {
    p.mainWindow().StartOperation(kind);
    QCOMPARE(letters(p.editor()).join(QLatin1Char(';')), QString());
    p.editor().selectClicked();
  }
  // Tab follows the reading order: on the Replace page the old string comes right after its
  // radio, the button bar after the page.
  const auto tabChain = [](QWidget& window) {
    QStringList names;
    QWidget* w = &window;
    do {
      w = w->nextInFocusChain();
      if (w->isVisibleTo(&window) && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
        names << w->objectName();
    } while (w != &window);
    return names.join(QLatin1Char(' '));
  };
  QCOMPARE(tabChain(p.mainWindow()),
           QStringLiteral("FolderButton InsertButton ReplaceButton RemoveButton ChangeButton ExtensionButton SaveButton "
                          "UndoButton ExitButton FilesButton UpperDirectoryButton FolderBox FileList DeleteButton "
                          "OptionsButton HelpButton AboutButton"));
  p.mainWindow().StartOperation(engine::OperationKind::Replace);
  QCOMPARE(tabChain(p.editor()),
           QStringLiteral("ComboBox1 IncludeEdit ExcludeEdit RichEdit2 ComboBoxPresets ButtonPresetSave ButtonPresetDelete ButtonCopyCommand "
                          "ComboBoxEx4 Button4 RadioButton18 LabeledEdit1 CheckBox7 RegexBox RadioButton19 SidecarsBox "
                          "SpeedButton15 SpeedButton21 SpeedButton20 SpeedButton28 SpeedButton19 SpeedButton16 SpeedButton17"));
}

// The editor keeps one size on every page, so the button bar stays where it is, and every
// page fits in it.
void EditorTest::oneHeightAcrossPages() {
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  QSet<int> heights, barPositions;
  for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace,
                          engine::OperationKind::Insert, engine::OperationKind::Change,
                          engine::OperationKind::Extension, engine::OperationKind::ListFolder}) {
    testing::OpenFolderEditor(p, tree.path("w"), kind);
    QCoreApplication::processEvents();
    heights << p.editor().height();
    barPositions << W(p, "SpeedButton15")->mapTo(&p.editor(), QPoint()).y();
    for (QWidget* page : W(p, "Pages")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (page->isVisibleTo(&p.editor())) QVERIFY2(page->height() >= page->minimumSizeHint().height(), qPrintable(page->objectName()));
    p.editor().selectClicked();
  }
  QCOMPARE(heights.size(), 1);
  QCOMPARE(barPositions.size(), 1);
}

namespace {
/// A translation whose every text runs a third longer than the English, as German does.
class LongerTexts final : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char*, const char* source, const char*, int n) const override {
    QString text = QString::fromUtf8(source).replace(QStringLiteral("%n"), QString::number(n));
    return text.trimmed().isEmpty() ? QString() : text + QString(text.size() / 3, QLatin1Char('m'));
  }
};
}  // namespace

// Under a longer translation no check box or radio button of a page is narrower than its
// caption, also once the checked radio turns bold.
void EditorTest::longerTranslationsAreNotClipped() {
  LongerTexts longer;
  QCoreApplication::installTranslator(&longer);
  TempTree tree;
  tree.make({"w/a.txt"});
  {
    Harness h;
    ui::Desktop& p = h.program();
    for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace,
                            engine::OperationKind::Insert, engine::OperationKind::Change,
                            engine::OperationKind::Extension, engine::OperationKind::ListFolder}) {
      testing::OpenFolderEditor(p, tree.path("w"), kind);
      for (QRadioButton* radio : p.editor().findChildren<QRadioButton*>())
        if (radio->isVisibleTo(&p.editor())) radio->click();
      QCoreApplication::processEvents();
      for (QAbstractButton* b : p.editor().findChildren<QAbstractButton*>())
        if (b->isCheckable() && b->isVisibleTo(&p.editor()))
          QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName() + QLatin1Char(' ') + b->text()));
      p.editor().selectClicked();
    }
  }
  QCoreApplication::removeTranslator(&longer);
}

// Each field that a page's control or radio choice shows, set alone to a value other than its default, comes
// back from a saved preset into the control and out of it into the record again.
void EditorTest::everyPageControlRoundTripsThroughAPreset_data() {
  QTest::addColumn<int>("kind");
  for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace,
                          engine::OperationKind::Insert, engine::OperationKind::Change,
                          engine::OperationKind::Extension})
    QTest::newRow(batch::CommandName(kind)) << static_cast<int>(kind);
}

void EditorTest::everyPageControlRoundTripsThroughAPreset() {
  QFETCH(int, kind);
  TempTree tree;
  tree.make({"w/a.txt", "presets/"});
  Harness h;
  ui::Desktop& p = h.program();
  p.editor().setPresetsFolder(tree.path("presets"));
  testing::OpenFolderEditor(p, tree.path("w"), static_cast<engine::OperationKind>(kind));
  platform::FileSystem& fs = p.fs();
  int checked = 0;
  for (const batch::FieldInfo& field : batch::RecordFields()) {
    // The page's controls, and its radio choices (fields without a control of their own).
    const bool onPage = field.control.empty() ? field.type == batch::FieldType::Choice
                                              : W(p, "Pages")->findChild<QWidget*>(QString::fromStdString(field.control)) != nullptr;
    if (!batch::UsedBy(field, static_cast<engine::OperationKind>(kind)) || !onPage) continue;
    const std::string value = field.type == batch::FieldType::Text      ? "x1"
                              : field.type == batch::FieldType::Boolean ? (field.defaultValue == "true" ? "false" : "true")
                              : field.type == batch::FieldType::Choice  ? field.choices.back()
                                                                        : std::to_string(field.maximum);
    batch::RecordSettings saved = p.editor().recordSettings();
    QVERIFY(!batch::SetField(saved, field.name, value));
    QVERIFY(batch::SavePreset(fs, tree.path("presets"), "one", saved));
    QVERIFY2(p.editor().loadPreset(QStringLiteral("one")), field.name.c_str());
    QCOMPARE(batch::FieldValue(p.editor().recordSettings(), field.name), batch::FieldValue(saved, field.name));
    ++checked;
  }
  QVERIFY(checked >= 4);
  QVERIFY(h.messages.shown.empty());
}

// Each page's "Regular expression" box sets the one record field for its own operation only, and
// the filter boxes beside the scope fill the filters; a preset sets them all back.
void EditorTest::regexBoxesAndFiltersFillTheRecord() {
  TempTree tree;
  tree.make({"w/a.txt", "presets/"});
  Harness h;
  ui::Desktop& p = h.program();
  p.editor().setPresetsFolder(tree.path("presets"));
  for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace}) {
    testing::OpenFolderEditor(p, tree.path("w"), kind);
    QWidget* page = W(p, kind == engine::OperationKind::Remove ? "RemovePage" : "ReplacePage");
    auto* box = page->findChild<QCheckBox*>(QStringLiteral("RegexBox"));
    QVERIFY(box && box->isVisibleTo(&p.editor()));
    QCOMPARE(box->text().remove(QLatin1Char('&')), QStringLiteral("Regular expression"));
    QVERIFY(!p.editor().recordSettings().record.regex);
    box->setChecked(true);
    QVERIFY(p.editor().recordSettings().record.regex);
    p.editor().selectClicked();
  }
  // The Replace box is checked, but the Remove page's own box is what a remove reads.
  W(p, "RemovePage")->findChild<QCheckBox*>(QStringLiteral("RegexBox"))->setChecked(false);
  testing::OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  QVERIFY(!p.editor().recordSettings().record.regex);
  W<QLineEdit>(p, "IncludeEdit")->setText(QStringLiteral("*.jpg;*.JPEG"));
  W<QLineEdit>(p, "ExcludeEdit")->setText(QStringLiteral("x*"));
  batch::RecordSettings s = p.editor().recordSettings();
  QCOMPARE(s.record.includeFilter, std::string("*.jpg;*.JPEG"));
  QCOMPARE(s.record.excludeFilter, std::string("x*"));
  s.record.includeFilter = "a*";
  s.record.regex = true;
  QVERIFY(batch::SavePreset(p.fs(), tree.path("presets"), "one", s));
  QVERIFY(p.editor().loadPreset(QStringLiteral("one")));
  QCOMPARE(p.editor().recordSettings().record.includeFilter, std::string("a*"));
  QVERIFY(p.editor().recordSettings().record.regex);
  p.editor().selectClicked();
}

// The sidecar box shows for the operations that read the flag; it fills the record, a preset
// sets it back, and OK's run takes it: the photo's .xmp gets the photo's number, not its own.
void EditorTest::sidecarsBoxWhereTheFlagApplies_data() {
  QTest::addColumn<int>("kind");
  for (const auto kind : {engine::OperationKind::Remove, engine::OperationKind::Replace, engine::OperationKind::Insert,
                          engine::OperationKind::Change, engine::OperationKind::Extension})
    QTest::newRow(batch::CommandName(kind)) << static_cast<int>(kind);
}

void EditorTest::sidecarsBoxWhereTheFlagApplies() {
  QFETCH(int, kind);
  TempTree tree;
  tree.make({"w/IMG_1.jpg", "w/IMG_1.xmp", "presets/"});
  Harness h;
  ui::Desktop& p = h.program();
  p.editor().setPresetsFolder(tree.path("presets"));
  testing::OpenFolderEditor(p, tree.path("w"), static_cast<engine::OperationKind>(kind));
  auto* box = W<QCheckBox>(p, "SidecarsBox");
  const bool applies = kind != static_cast<int>(engine::OperationKind::Extension);
  QCOMPARE(box->isVisibleTo(&p.editor()), applies);
  if (!applies) return;
  QVERIFY(!p.editor().recordSettings().record.sidecarsFollow);
  box->setChecked(true);
  QVERIFY(batch::SavePreset(p.fs(), tree.path("presets"), "one", p.editor().recordSettings()));
  box->setChecked(false);
  QVERIFY(!p.editor().recordSettings().record.sidecarsFollow);
  QVERIFY(p.editor().loadPreset(QStringLiteral("one")));
  QVERIFY(box->isChecked());
  if (kind != static_cast<int>(engine::OperationKind::Insert)) return;
  W<QCheckBox>(p, "CheckBox2")->setChecked(true);
  W<QComboBox>(p, "ComboBoxEx1")->setEditText(QStringLiteral("$$"));
  p.editor().okClicked();
  QVERIFY(tree.exists("w/01IMG_1.jpg"));
  QVERIFY(tree.exists("w/01IMG_1.xmp"));
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
