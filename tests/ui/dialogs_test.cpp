// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs around the operation editor: the special string dialog and its "Special"
// buttons, the preview window against the real run, the single-item rename, and the six
// new-name lists with the new name list editor.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QAbstractTextDocumentLayout>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>
#include <QStyleFactory>
#include <cmath>
#include <filesystem>

#include "batch/program_files.h"
#include "batch/rollback_log.h"
#include "batch/target_walk.h"
#include "engine/name_model.h"
#include "media/metadata.h"
#include "platform/file_system.h"
#include "support/temp_tree.h"
#include "ui/file_list_model.h"
#include "ui/help_window.h"
#include "ui/history_editor.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/preview_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/single_rename_dialog.h"
#include "ui/special_string_dialog.h"
#include "ui/translations.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::OpenFolderEditor;
using testing::NumberedFiles;
using testing::OpenEditor;
using testing::TempTree;
using ui::FromPath;

namespace {

using S = QString;
using Pairs = std::vector<std::pair<std::string, std::string>>;

template <typename T = QWidget>
T* W(QWidget& window, const QString& name) {
  T* w = window.findChild<T*>(name);
  if (!w) qFatal("no control %s", qPrintable(name));
  return w;
}

/// Opens the editor and lets it settle on screen.
void Open(ui::Desktop& p, engine::OperationKind kind, const std::vector<std::string>& picked,
          const std::string& folder = {}) {
  OpenEditor(p, kind, picked, folder);
  QCoreApplication::processEvents();
}

/// Answers the special string dialog once it shows: picks an option by its objectName
/// (none: leaves it), then Ok or Cancel.
void AnswerSpecial(ui::Desktop& p, const QString& option, bool ok, std::function<void()> before = {}) {
  ui::SpecialStringDialog& d = p.specialStrings();
  testing::WhenShown(&d, [&d, option, ok, before] {
    if (before) before();
    if (!option.isEmpty()) W<QRadioButton>(d, option)->setChecked(true);
    W<QPushButton>(d, ok ? S("Button2") : S("Button3"))->click();
  });
}

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }

std::vector<std::string> Fake(int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back("/nowhere/f" + std::to_string(i) + ".txt");
  return out;
}

/// Rows of the preview list as (old, new).
Pairs PreviewRows(ui::PreviewWindow& preview) {
  Pairs out;
  for (int i = 0; i < preview.rowCount(); ++i) {
    QTreeWidgetItem* row = preview.list()->topLevelItem(i);
    out.emplace_back(ui::ToPath(row->text(0)), ui::ToPath(row->text(1)));
  }
  return out;
}

/// The renames in "rollback.rbk" as (old name, new name), without folders.
Pairs LoggedRenames(ui::Desktop& p) {
  const auto lines = testing::ReadLines(p.state().installDir + batch::kRollbackLogName);
  Pairs out;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
    out.emplace_back(engine::FileNamePart(lines[i + 1]), engine::FileNamePart(lines[i]));
  return out;
}

bool IsReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  return (fs::status(path).permissions() & fs::perms::owner_write) == fs::perms::none;
}

QStringList Items(QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

/// The contrast of the text in a picture: the background is its most frequent colour, the
/// text the pixel that stands out most from it.
double TextContrast(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  QRgb background = 0;
  int most = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > most) most = it.value(), background = it.key();
  double best = 1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) best = std::max(best, testing::Contrast(it.key(), background));
  return best;
}

const QStringList kHistoryBoxes{"ComboBoxEx1", "ComboBoxEx2", "ComboBoxEx3",
                                "ComboBoxEx6", "ComboBoxEx4", "ComboBoxEx5"};

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWindowOpensOnTheScreen();
  // special string dialog
  void orderedNumberWidthFollowsTheTarget_data();
  void orderedNumberWidthFollowsTheTarget();
  void placeholderReplacesTheSelectionOrGoesToTheCaret_data();
  void placeholderReplacesTheSelectionOrGoesToTheCaret();
  void cancelRestoresSwitchAndStartNumber();
  void okWithSpecialStringsOffInsertsNothing();
  void todayWritesTheDateAndOptionsAreHighlighted();
  void startNumberAboveTheMaximumWarns();
  void atLeastOneRandomKindStaysOn();
  void fromTheFileInsertsATagPlaceholder_data();
  void fromTheFileInsertsATagPlaceholder();
  // preview
  void previewRowsEqualTheRealRun_data();
  void previewRowsEqualTheRealRun();
  void previewFillerRows_data();
  void previewFillerRows();
  void previewMenuShowAndCopy();
  void previewButtons();
  // single-item rename
  void singleRenameRefusals_data();
  void singleRenameRefusals();
  void singleRenameReplacesTheLogAndIsUndone();
  void singleRenameOfAHandPickedFolder();
  // new-name history
  void historyListsAfterAnInsertRun();
  void historyListsReloadedWhenTheEditorShows();
  void historySwitchedOffEmptiesOnlyTheMasterList();
  void historyEditorSaveDropsEmptyLinesAndRaisesTheMaximum();
  void historyEditorSaveOfNothingDeletesTheFile();
  void historyEditorCloseQuestion_data();
  void historyEditorCloseQuestion();
  // looks
  void textIsReadableInLightAndDarkThemes_data();
  void textIsReadableInLightAndDarkThemes();
  void everyWindowShowsWholeReadableTexts_data();
  void everyWindowShowsWholeReadableTexts();
  void fixedColoursFollowAThemeChange();
};

// ---- special string dialog ----

void DialogsTest::orderedNumberWidthFollowsTheTarget_data() {
  QTest::addColumn<int>("picked");  // -1: a folder target
  QTest::addColumn<QString>("token");
  QTest::newRow("folder, no item list yet") << -1 << S("$$$");
  QTest::newRow("5 files") << 5 << S("$$");
  QTest::newRow("99 files") << 99 << S("$$");
  QTest::newRow("100 files") << 100 << S("$$$");
  QTest::newRow("150 files") << 150 << S("$$$");
  QTest::newRow("1500 files") << 1500 << S("$$$$");
}

void DialogsTest::orderedNumberWidthFollowsTheTarget() {
  QFETCH(int, picked);
  QFETCH(QString, token);
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  if (picked < 0) {
    Open(p, engine::OperationKind::Change, {}, tree.path("w"));
  } else {
    Open(p, engine::OperationKind::Change, Fake(picked));
  }
  auto* box = W<QComboBox>(p.editor(), "ComboBoxEx5");
  box->setEditText(S("pic"));
  AnswerSpecial(p, "RadioButton1", true);
  QTest::mouseClick(W(p.editor(), "Button8"), Qt::LeftButton);
  QCOMPARE(box->currentText(), S("pic") + token);
  QCOMPARE(p.specialStrings().choice(), engine::SpecialChoice::OrderedNumbers);
}

void DialogsTest::placeholderReplacesTheSelectionOrGoesToTheCaret_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("option");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("length");
  QTest::addColumn<QString>("expected");
  QTest::newRow("HEAD, selection replaced") << S("Button9") << S("ComboBoxEx1") << S("RadioButton4") << 2 << 2
                                           << S("ab##ef");
  QTest::newRow("END, at the caret") << S("Button6") << S("ComboBoxEx2") << S("RadioButton3") << 1 << 0
                                     << S("a@@bcdef");
  QTest::newRow("CURSOR, whole text selected") << S("Button7") << S("ComboBoxEx3") << S("RadioButton5") << 0 << 6
                                               << S("%%");
}

void DialogsTest::placeholderReplacesTheSelectionOrGoesToTheCaret() {
  QFETCH(QString, button);
  QFETCH(QString, box);
  QFETCH(QString, option);
  QFETCH(int, start);
  QFETCH(int, length);
  QFETCH(QString, expected);
  Harness h;
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Insert, Fake(3));
  for (const char* check : {"CheckBox2", "CheckBox3", "CheckBox4"}) W<QCheckBox>(p.editor(), check)->setChecked(true);
  QApplication::setActiveWindow(&p.editor());
  auto* edit = W<QComboBox>(p.editor(), box)->lineEdit();
  edit->setText(S("abcdef"));
  edit->setFocus();
  QTRY_VERIFY(edit->hasFocus());
  if (length > 0) {
    edit->setSelection(start, length);
  } else {
    edit->setCursorPosition(start);
  }
  AnswerSpecial(p, option, true);
  QTest::mouseClick(W(p.editor(), button), Qt::LeftButton);
  QCOMPARE(edit->text(), expected);
}

void DialogsTest::cancelRestoresSwitchAndStartNumber() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::SpecialStringDialog& d = p.specialStrings();
  // Cancel: the switch and the start number go back; the date format and kinds stay.
  testing::WhenShown(&d, [&] {
    W<QCheckBox>(d, "CheckBox1")->setChecked(false);
    W<QSpinBox>(d, "Edit1")->setValue(50);
    W<QRadioButton>(d, "RadioButton9")->setChecked(true);
    W<QCheckBox>(d, "CheckBox2")->setChecked(false);
    d.reject();
  });
  QCOMPARE(d.chooseToken(5), S(""));
  QCOMPARE(d.choice(), engine::SpecialChoice::None);
  engine::SpecialStringSettings s = d.settings();
  QVERIFY(s.enabled);
  QCOMPARE(s.startNumber, 1);
  QVERIFY(!s.randomUpper);
  QVERIFY(W<QRadioButton>(d, "RadioButton9")->isChecked());

  // Ok keeps a new start number; a later Cancel returns to it, not to the first value.
  testing::WhenShown(&d, [&] {
    W<QSpinBox>(d, "Edit1")->setValue(7);
    d.accept();
  });
  QCOMPARE(d.chooseToken(5), S("$$"));
  testing::WhenShown(&d, [&] {
    W<QSpinBox>(d, "Edit1")->setValue(900);
    d.close();  // the close box counts as Cancel
  });
  QCOMPARE(d.chooseToken(5), S(""));
  QCOMPARE(d.settings().startNumber, 7);
  QCOMPARE(p.program().specialStringSettings().startNumber, 7);  // the copy the run reads
}

void DialogsTest::okWithSpecialStringsOffInsertsNothing() {
  Harness h;
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Replace, Fake(2));
  auto* box = W<QComboBox>(p.editor(), "ComboBoxEx4");
  box->setEditText(S("new"));
  ui::SpecialStringDialog& d = p.specialStrings();
  // The label is the check box's caption: clicking it switches special strings off.
  AnswerSpecial(p, "RadioButton6", true, [&] { QTest::mouseClick(W(d, "Label1"), Qt::LeftButton); });
  QTest::mouseClick(W(p.editor(), "Button4"), Qt::LeftButton);
  QCOMPARE(box->currentText(), S("new"));
  QCOMPARE(d.choice(), engine::SpecialChoice::Disabled);
  QVERIFY(!d.settings().enabled);
  QVERIFY(!p.program().specialStringSettings().enabled);
  QVERIFY(!p.editor().buildRecord().specialStringsEnabled);
}

void DialogsTest::todayWritesTheDateAndOptionsAreHighlighted() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::SpecialStringDialog& d = p.specialStrings();
  // Until the dialog first opens, the captions hold the example date.
  QCOMPARE(W<QRadioButton>(d, "RadioButton8")->text(), S("2007-05-01"));
  const QColor green(192, 220, 192), sky(166, 202, 240);
  QColor todayColour, panelColour, orderedColour, randomPanelColour;
  testing::WhenShown(&d, [&] {
    W<QRadioButton>(d, "RadioButton2")->click();
    W<QRadioButton>(d, "RadioButton8")->click();
    todayColour = Background(W(d, "RadioButton2"));
    panelColour = Background(W(d, "Panel1"));
    orderedColour = Background(W(d, "RadioButton1"));
    randomPanelColour = Background(W(d, "Panel2"));
    QTest::keyClick(W(d, "RadioButton8"), Qt::Key_Return);  // Enter acts as Ok
  });
  const QString token = d.chooseToken(5);
  QCOMPARE(token, QDate::currentDate().toString(S("yyyy-MM-dd")));
  QCOMPARE(W<QRadioButton>(d, "RadioButton11")->text(), QDate::currentDate().toString(S("MM-dd-yyyy")));
  QCOMPARE(todayColour, green);
  QCOMPARE(panelColour, green);
  QCOMPARE(orderedColour, sky);
  QCOMPARE(randomPanelColour, sky);
}

void DialogsTest::startNumberAboveTheMaximumWarns() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::SpecialStringDialog& d = p.specialStrings();
  auto* number = W<QSpinBox>(d, "Edit1");
  number->selectAll();
  QTest::keyClicks(number, S("20000"));
  QCOMPARE(number->value(), 10000);
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(h.messages.shown[0].kind, std::string("warning"));
  QCOMPARE(h.messages.shown[0].title, std::string("Information"));
  QCOMPARE(h.messages.shown[0].text, std::string("Should not more than 10000."));
  // The arrows stop at the maximum without a word.
  number->stepUp();
  QCOMPARE(number->value(), 10000);
  number->setValue(0);
  number->stepDown();
  QCOMPARE(number->value(), 0);
  QCOMPARE(h.messages.shown.size(), std::size_t{1});
  QCOMPARE(d.settings().startNumber, 0);
}

void DialogsTest::atLeastOneRandomKindStaysOn() {
  Harness h;
  ui::Desktop& p = h.program();
  ui::SpecialStringDialog& d = p.specialStrings();
  W<QCheckBox>(d, "CheckBox2")->click();
  W<QCheckBox>(d, "CheckBox4")->click();
  QVERIFY(h.messages.shown.empty());
  W<QCheckBox>(d, "CheckBox3")->click();
  QVERIFY(W<QCheckBox>(d, "CheckBox3")->isChecked());
  QCOMPARE(h.messages.texts(), std::vector<std::string>{"You have to select at least one choice."});
  const engine::SpecialStringSettings s = d.settings();
  QVERIFY(!s.randomUpper && s.randomLower && !s.randomNumbers);
}

// "From the file": the chosen tag's placeholder goes to the box, its example is what a run
// writes for the sample (read through the program's tag reader), the own date pattern keeps
// out what a name may not hold, Enter in the section inserts; a build without tag readers
// cannot insert. The dialog fits a 1366x768 screen scaled by 1.25.
void DialogsTest::fromTheFileInsertsATagPlaceholder_data() {
  QTest::addColumn<bool>("readable");
  QTest::addColumn<int>("tag");       // its row in the list
  QTest::addColumn<int>("format");    // Down presses in the list of date formats
  QTest::addColumn<QString>("typed");  // the own pattern ("": as the list left it)
  QTest::addColumn<QString>("example");
  QTest::addColumn<QString>("note");
  QTest::addColumn<QString>("token");
  const QString from = S("From IMG_1.jpg");
  QTest::newRow("date taken") << true << 0 << 0 << S("") << S("20261207_143015") << from << S("{taken}");
  QTest::newRow("listed format") << true << 0 << 1 << S("") << S("2026-12-07 14.30.15") << from
                                 << S("{taken=YYYY-MM-DD hh.mm.ss}");
  QTest::newRow("own pattern") << true << 0 << 0 << S("YY:MM/DD{}") << S("261207") << from << S("{taken=YYMMDD}");
  QTest::newRow("track number") << true << 11 << 0 << S("") << S("03") << from << S("{track}");
  QTest::newRow("album lacking") << true << 9 << 0 << S("") << S("") << from + S(": no album tag: left empty")
                                 << S("{album}");
  QTest::newRow("no tag reader") << false << 7 << 0 << S("") << S("")
                                 << S("This version of Velmora cannot read photo and music tags: these placeholders "
                                      "are unavailable.")
                                 << S("");
}

void DialogsTest::fromTheFileInsertsATagPlaceholder() {
  QFETCH(bool, readable);
  QFETCH(int, tag);
  QFETCH(int, format);
  QFETCH(QString, typed);
  QFETCH(QString, example);
  QFETCH(QString, note);
  QFETCH(QString, token);
  TempTree tree;
  tree.make({"IMG_1.jpg"});
  media::FakeMetadataReader tags(readable);
  media::MediaInfo info;
  info.taken = media::DateTime{2026, 12, 7, 14, 30, 15};
  info.track = 3;
  tags.set(tree.path("IMG_1.jpg"), info);
  Harness h(&tags);
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Insert, {tree.path("IMG_1.jpg")});
  auto* box = W<QComboBox>(p.editor(), "ComboBoxEx1");
  box->setEditText(S("x"));
  ui::SpecialStringDialog& d = p.specialStrings();
  QCOMPARE(W<QComboBox>(d, "TagBox")->count(), static_cast<int>(std::size(media::kAllTags)));
  const QSize room(qRound(1366 / 1.25) - 16, qRound(768 / 1.25) - 72);  // the keeper's room for a frame
  QVERIFY2(d.sizeHint().width() <= room.width() && d.sizeHint().height() <= room.height(),
           qPrintable(S("%1x%2").arg(d.sizeHint().width()).arg(d.sizeHint().height())));
  QString shownExample, shownNote;
  bool insertable = false;
  testing::WhenShown(&d, [&] {
    W<QComboBox>(d, "TagBox")->setCurrentIndex(tag);
    for (int i = 0; i < format; ++i) QTest::keyClick(W(d, "DateFormatBox"), Qt::Key_Down);
    if (!typed.isEmpty()) {
      W<QLineEdit>(d, "DatePatternEdit")->clear();
      QTest::keyClicks(W(d, "DatePatternEdit"), typed);
    }
    shownExample = W<QLineEdit>(d, "ExampleEdit")->text();
    shownNote = W<QLabel>(d, "NoteLabel")->text();
    insertable = W(d, "InsertButton")->isEnabled();
    W(d, "TagBox")->setFocus();
    QTest::keyClick(W(d, "TagBox"), Qt::Key_Return);  // Enter in the section: Insert
    if (d.isVisible()) d.reject();
  });
  QTest::mouseClick(W(p.editor(), "Button9"), Qt::LeftButton);
  QCOMPARE(shownExample, example);
  QCOMPARE(shownNote, note);
  QCOMPARE(insertable, readable);
  QCOMPARE(box->currentText(), S("x") + token);
  QCOMPARE(d.choice(), readable ? engine::SpecialChoice::FileTag : engine::SpecialChoice::None);
}

// ---- preview ----

void DialogsTest::previewRowsEqualTheRealRun_data() {
  QTest::addColumn<QString>("newName");
  QTest::addColumn<QStringList>("expected");  // "old>new" in run order
  // "same.txt" is taken on disk and, with the plain text, also by the earlier rows.
  QTest::newRow("coinciding names") << S("same")
                                    << QStringList{"a.txt>same(1).txt", "b.txt>same(2).txt", "c.txt>same(3).txt",
                                                   "d.doc>same.doc", "same02.txt>same(4).txt"};
  QTest::newRow("ordered numbers") << S("same$$")
                                   << QStringList{"a.txt>same01.txt", "b.txt>same02(1).txt", "c.txt>same03.txt",
                                                  "d.doc>same04.doc", "same.txt>same05.txt", "same02.txt>same06.txt"};
}

void DialogsTest::previewRowsEqualTheRealRun() {
  QFETCH(QString, newName);
  QFETCH(QStringList, expected);
  TempTree tree;
  tree.make({"w/a.txt", "w/b.txt", "w/c.txt", "w/d.doc", "w/same.txt", "w/same02.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Change);
  W<QComboBox>(p.editor(), "ComboBoxEx5")->setEditText(newName);

  p.editor().previewClicked();
  const Pairs preview = PreviewRows(p.preview());
  QVERIFY(h.messages.shown.empty());
  QCOMPARE(tree.list().size(), std::size_t{7});  // nothing renamed by the preview

  // "Rename" in the preview window runs the same operation for real.
  W<QPushButton>(p.preview(), "Button1")->click();
  QVERIFY(!p.preview().isVisible());
  const Pairs run = LoggedRenames(p);
  QCOMPARE(preview, run);
  QStringList shown;
  for (const auto& [from, to] : run) shown << FromPath(from + ">" + to);
  QCOMPARE(shown, expected);
}

void DialogsTest::previewFillerRows_data() {
  QTest::addColumn<int>("files");
  QTest::addColumn<QString>("oldText");
  QTest::addColumn<int>("rows");
  QTest::addColumn<QString>("filler");
  QTest::newRow("nothing changes") << 3 << S("zzz") << 1 << S("(No filename will be renamed)");
  QTest::newRow("exactly the preview count") << 20 << S("f") << 20 << S("");
  QTest::newRow("one more than the preview count") << 21 << S("f") << 21 << S("(Others not shown...)");
}

void DialogsTest::previewFillerRows() {
  QFETCH(int, files);
  QFETCH(QString, oldText);
  QFETCH(int, rows);
  QFETCH(QString, filler);
  TempTree tree;
  tree.make(NumberedFiles("w/f", 100, files, ".txt"));
  Harness h;
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Replace, {}, tree.path("w"));
  W<QLineEdit>(p.editor(), "LabeledEdit1")->setText(oldText);
  W<QComboBox>(p.editor(), "ComboBoxEx4")->setEditText(S("g"));
  p.editor().previewClicked();
  ui::PreviewWindow& preview = p.preview();
  QCOMPARE(preview.rowCount(), rows);
  QTreeWidgetItem* last = preview.list()->topLevelItem(rows - 1);
  if (filler.isEmpty()) {
    QCOMPARE(last->text(0), S("f119.txt"));
    QCOMPARE(last->text(1), S("g119.txt"));
  } else {
    QCOMPARE(last->text(0), filler);
    QCOMPARE(last->text(1), S(""));
  }
  QVERIFY(!p.stopFlag().isSet());
}

void DialogsTest::previewMenuShowAndCopy() {
  TempTree tree;
  tree.make({"w/holiday.v2.jpg", "w/zz1.txt", "w/my.folder/photo.png"});
  Harness h;
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Remove, {}, tree.path("w"));
  ui::PreviewWindow& preview = p.preview();
  const auto show = [&](const std::vector<int>& selected) {
    for (int row : selected) preview.list()->topLevelItem(row)->setSelected(true);
    QMenu* menu = preview.listMenu();
    if (!menu->actions()[0]->isEnabled() || !menu->actions()[1]->isEnabled()) return S("(disabled)");
    preview.ShowClick();
    preview.CopyClick();
    return p.editor().sampleBox()->text() + S(" | ") + QGuiApplication::clipboard()->text();
  };

  // One layer: the rows hold names.
  W<QLineEdit>(p.editor(), "Edit1")->setText(S("z"));
  p.editor().previewClicked();
  QCOMPARE(PreviewRows(preview), (Pairs{{"zz1.txt", "1.txt"}}));
  QCOMPARE(show({}), S("(disabled)"));
  QCOMPARE(show({0}), S("zz1 | zz1.txt"));

  // Subfolders: full paths; a folder's name is kept whole.
  W<QLineEdit>(p.editor(), "Edit1")->setText(S("o"));
  W<QComboBox>(p.editor(), "ComboBox1")->setCurrentIndex(2);
  p.editor().previewClicked();
  QCOMPARE(PreviewRows(preview), (Pairs{{tree.path("w/my.folder"), tree.path("w/my.flder")}}));
  QCOMPARE(show({0}), S("my.folder | my.folder"));

  // All layers: the first selected row is the upper one, whatever the order of selection.
  W<QComboBox>(p.editor(), "ComboBox1")->setCurrentIndex(1);
  p.editor().previewClicked();
  QCOMPARE(PreviewRows(preview), (Pairs{{tree.path("w/my.folder/photo.png"), tree.path("w/my.folder/pht.png")},
                                        {tree.path("w/holiday.v2.jpg"), tree.path("w/hliday.v2.jpg")}}));
  QCOMPARE(show({1, 0}), S("photo | photo.png"));
}

void DialogsTest::previewButtons() {
  TempTree tree;
  tree.make({"w/a1.txt", "w/a2.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  Open(p, engine::OperationKind::Replace, {}, tree.path("w"));
  W<QLineEdit>(p.editor(), "LabeledEdit1")->setText(S("a"));
  W<QComboBox>(p.editor(), "ComboBoxEx4")->setEditText(S("b"));
  p.editor().previewClicked();
  ui::PreviewWindow& preview = p.preview();
  QCOMPARE(preview.windowTitle(), S("Preview - Replace string"));
  QCOMPARE(W<QPushButton>(preview, "Button1")->toolTip(), S("Finish edit and execute operations"));
  QCOMPARE(W<QPushButton>(preview, "Button2")->toolTip(), S("Set options"));
  QCOMPARE(W<QPushButton>(preview, "Button3")->toolTip(), S("Close preview"));

  // Layout: "Close" at the right edge, "Options" in the middle, at any width.
  for (int width : {500, 900}) {
    preview.resize(width, 400);
    QCoreApplication::processEvents();
    auto* options = W<QPushButton>(preview, "Button2");
    auto* close = W<QPushButton>(preview, "Button3");
    const int middle = options->geometry().center().x();
    QVERIFY2(std::abs(middle - preview.width() / 2) <= 2, qPrintable(QString::number(middle)));
    QVERIFY(preview.width() - close->geometry().right() < 20);
  }

  // Escape closes and empties the list; the files stay as they were.
  QTest::keyClick(&preview, Qt::Key_Escape);
  QVERIFY(!preview.isVisible());
  QCOMPARE(preview.rowCount(), 0);
  QVERIFY(tree.exists("w/a1.txt"));
}

// ---- single-item rename ----

void DialogsTest::singleRenameRefusals_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("extension");
  QTest::addColumn<bool>("vanish");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("nameAfter");
  QTest::addColumn<QString>("extensionAfter");
  const QString exists = S("The new name is already exist.");
  QTest::newRow("taken by another file") << S("b") << S("txt") << false << exists << S("b") << S("txt");
  QTest::newRow("no change at all") << S(" report") << S(".txt") << false << exists << S("report") << S(".txt");
  QTest::newRow("taken by a folder") << S("sub") << S("") << false << exists << S("sub") << S("");
  QTest::newRow("prohibited character") << S("a|b") << S(".txt") << false
                                        << S("You should remove one of following nine characters from input "
                                             "text, because they are prohibited in Windows filenames:  \\ / : * ? "
                                             "\" < > |")
                                        << S("a|b") << S(".txt");
  QTest::newRow("random digits not a number") << S("x%ab%") << S(".txt") << false
                                              << S("The random string digits(ab) is not an integer.") << S("x%ab%")
                                              << S(".txt");
  QTest::newRow("the entry vanished") << S("new") << S(".md") << true
                                      << S("Can not rename, the file is on CD or is using.") << S("report")
                                      << S(".txt");
  // The one rename is journalled like a run's: a journal that cannot be written refuses it.
  QTest::newRow("the journal cannot be written") << S("new") << S(".md") << false << S("@journal") << S("report")
                                                 << S(".txt");
}

void DialogsTest::singleRenameRefusals() {
  QFETCH(QString, name);
  QFETCH(QString, extension);
  QFETCH(bool, vanish);
  QFETCH(QString, message);
  QFETCH(QString, nameAfter);
  QFETCH(QString, extensionAfter);
  TempTree tree;
  tree.make({"d/b.txt", "d/report.txt", "d/sub/"});
  Harness h;
  ui::Desktop& p = h.program();
  ui::MainWindow& main = p.mainWindow();
  main.setFolderBox(FromPath(tree.path("d")));
  main.ListFolder();
  const int row = static_cast<int>(main.model().texts().indexOf(S("report.txt")));
  main.list()->selectionModel()->select(main.model().index(row), QItemSelectionModel::ClearAndSelect);
  if (vanish) std::filesystem::remove(tree.path("d/report.txt"));
  const std::string journal = p.state().installDir + batch::kJournalName;
  if (message == S("@journal")) {
    std::filesystem::create_directories(journal);
    message = QString::fromStdString(batch::JournalRefusal(batch::JournalState::Unusable, journal));
  }

  ui::SingleRenameDialog& dialog = p.singleRename();
  bool stillOpen = false;
  QString nameShown, extensionShown;
  testing::WhenShown(&dialog, [&] {
    W<QLineEdit>(dialog, "Edit1")->setText(name);
    W<QLineEdit>(dialog, "Edit2")->setText(extension);
    W<QPushButton>(dialog, "Button1")->click();
    stillOpen = dialog.isVisible();
    nameShown = W<QLineEdit>(dialog, "Edit1")->text();
    extensionShown = W<QLineEdit>(dialog, "Edit2")->text();
    W<QPushButton>(dialog, "Button2")->click();  // Cancel
  });
  main.RenameClick();
  QVERIFY(stillOpen);
  QCOMPARE(h.messages.texts(), std::vector<std::string>{message.toStdString()});
  QCOMPARE(nameShown, nameAfter);
  QCOMPARE(extensionShown, extensionAfter);
  QCOMPARE(main.model().text(row), S("report.txt"));
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kRollbackLogName));
  QCOMPARE(tree.exists("d/report.txt"), !vanish);
}

void DialogsTest::singleRenameReplacesTheLogAndIsUndone() {
  TempTree tree;
  tree.make({"d/report.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  ui::MainWindow& main = p.mainWindow();
  // The log of an earlier batch run, left read-only as every log.
  const std::string log = p.state().installDir + batch::kRollbackLogName;
  std::filesystem::create_directories(p.state().installDir);
  testing::WriteFile(log, "/x/b.txt\r\n/x/a.txt\r\n/x/d.txt\r\n/x/c.txt\r\n");
  std::filesystem::permissions(log, std::filesystem::perms::owner_read);

  main.setFolderBox(FromPath(tree.path("d")));
  main.ListFolder();
  main.list()->selectionModel()->select(main.model().index(0), QItemSelectionModel::ClearAndSelect);
  ui::SingleRenameDialog& dialog = p.singleRename();
  QString caption;
  bool extensionShown = false;
  testing::WhenShown(&dialog, [&] {
    caption = dialog.windowTitle();
    extensionShown = W(dialog, "Edit2")->isVisible();
    W<QLineEdit>(dialog, "Edit1")->setText(S("  summary 2024"));
    W<QLineEdit>(dialog, "Edit2")->setText(S(""));
    QTest::keyClick(W(dialog, "Edit1"), Qt::Key_Return);  // Enter acts as OK
  });
  main.RenameClick();
  QCOMPARE(caption, S("Rename a file"));
  QVERIFY(extensionShown);
  QVERIFY(h.messages.shown.empty());
  QCOMPARE(tree.list(), (std::vector<std::string>{"d/", "d/summary 2024"}));
  QCOMPARE(main.model().text(0), S("summary 2024"));
  QCOMPARE(testing::ReadLines(log), (std::vector<std::string>{tree.path("d/summary 2024"), tree.path("d/report.txt")}));
  QVERIFY(IsReadOnly(log));

  h.messages.answers.push_back(batch::Answer::Yes);
  main.UndoButtonClick();
  QCOMPARE(tree.list(), (std::vector<std::string>{"d/", "d/report.txt"}));
  // The earlier batch run was kept: it is the last run again, for the next undo.
  QCOMPARE(testing::ReadLines(log), (std::vector<std::string>{"/x/b.txt", "/x/a.txt", "/x/d.txt", "/x/c.txt"}));
}

void DialogsTest::singleRenameOfAHandPickedFolder() {
  TempTree tree;
  tree.make({"d/old.v1/", "d/x.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  ui::MainWindow& main = p.mainWindow();
  main.showHandPicked({tree.path("d/x.txt"), tree.path("d/old.v1")}, false);
  main.list()->selectionModel()->select(main.model().index(1), QItemSelectionModel::ClearAndSelect);
  ui::SingleRenameDialog& dialog = p.singleRename();
  QString caption, name;
  bool extensionShown = true;
  testing::WhenShown(&dialog, [&] {
    caption = dialog.windowTitle();
    name = W<QLineEdit>(dialog, "Edit1")->text();
    extensionShown = W(dialog, "Edit2")->isVisible();
    W<QLineEdit>(dialog, "Edit1")->setText(S("new.v2"));
    W<QPushButton>(dialog, "Button1")->click();
  });
  main.RenameClick();
  QCOMPARE(caption, S("Rename a folder"));
  QCOMPARE(name, S("old.v1"));
  QVERIFY(!extensionShown);
  QVERIFY(tree.exists("d/new.v2/"));
  QCOMPARE(main.model().text(1), FromPath(tree.path("d/new.v2")));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kRollbackLogName),
           (std::vector<std::string>{tree.path("d/new.v2"), tree.path("d/old.v1")}));
}

// ---- new-name history ----

void DialogsTest::historyListsAfterAnInsertRun() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  ui::MainWindow& main = p.mainWindow();
  main.showHandPicked({tree.path("a.txt")}, false);
  main.StartOperation(engine::OperationKind::Insert);
  W<QCheckBox>(p.editor(), "CheckBox2")->setChecked(true);
  W<QCheckBox>(p.editor(), "CheckBox3")->setChecked(true);
  W<QComboBox>(p.editor(), "ComboBoxEx1")->setEditText(S("x"));
  W<QComboBox>(p.editor(), "ComboBoxEx2")->setEditText(S("y"));
  p.editor().okClicked();
  QVERIFY(tree.exists("xay.txt"));
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kHistoryName), (std::vector<std::string>{"y", "x"}));
  for (const QString& name : kHistoryBoxes)
    QCOMPARE(Items(W<QComboBox>(p.editor(), name)), (QStringList{"y", "x"}));
}

void DialogsTest::historyListsReloadedWhenTheEditorShows() {
  Harness h;
  ui::Desktop& p = h.program();
  const std::string file = p.state().installDir + batch::kHistoryName;
  std::filesystem::create_directories(p.state().installDir);
  testing::WriteFile(file, "one\r\ntwo\r\n");
  Open(p, engine::OperationKind::Change, Fake(1));
  QCOMPARE(Items(W<QComboBox>(p.editor(), "ComboBoxEx5")), (QStringList{"one", "two"}));
  p.editor().selectClicked();
  // Another instance rewrote the file: the next showing picks it up.
  testing::WriteFile(file, "three\n");
  Open(p, engine::OperationKind::Replace, Fake(1));
  for (const QString& name : kHistoryBoxes) QCOMPARE(Items(W<QComboBox>(p.editor(), name)), QStringList{"three"});
}

void DialogsTest::historySwitchedOffEmptiesOnlyTheMasterList() {
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  p.nameHistory().add("kept");
  p.options().setHistoryMaximum(0);
  ui::MainWindow& main = p.mainWindow();
  main.showHandPicked({tree.path("a.txt")}, false);
  main.StartOperation(engine::OperationKind::Insert);
  W<QCheckBox>(p.editor(), "CheckBox2")->setChecked(true);
  W<QComboBox>(p.editor(), "ComboBoxEx1")->setEditText(S("x"));
  p.editor().okClicked();
  QVERIFY(tree.exists("xa.txt"));
  QVERIFY(!platform::RealFileSystem().exists(p.state().installDir + batch::kHistoryName));
  QCOMPARE(W<QComboBox>(p.editor(), "ComboBoxEx1")->count(), 0);
  for (const QString& name : kHistoryBoxes.mid(1)) QCOMPARE(Items(W<QComboBox>(p.editor(), name)), QStringList{"kept"});
}

void DialogsTest::historyEditorSaveDropsEmptyLinesAndRaisesTheMaximum() {
  Harness h;
  ui::Desktop& p = h.program();
  p.options().setHistoryMaximum(3);
  ui::HistoryEditor& editor = p.historyEditor();
  testing::WhenShown(&editor, [&] {
    editor.textArea()->setPlainText(S("a\n\nb\nc\n\nd\ne\n"));
    W<QPushButton>(editor, "Button1")->click();
    W<QPushButton>(editor, "Button2")->click();  // saved: closes without a question
  });
  W<QPushButton>(p.options(), "Button5")->click();  // the Options window's "Edit"
  QVERIFY(h.messages.shown.empty());
  QVERIFY(!editor.isVisible());
  QCOMPARE(testing::ReadLines(p.state().installDir + batch::kHistoryName),
           (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  QCOMPARE(editor.textArea()->toPlainText(), S("a\nb\nc\nd\ne"));
  QCOMPARE(p.options().historyMaximum(), 5);
  QCOMPARE(p.program().runOptions().historyMax, 5);  // what the next run records with
  QCOMPARE(QSettings(S("Tessaro"), S("Dir")).value(S("Listnum")).toInt(), 5);
  for (const QString& name : kHistoryBoxes) QCOMPARE(W<QComboBox>(p.editor(), name)->count(), 5);
}

void DialogsTest::historyEditorSaveOfNothingDeletesTheFile() {
  Harness h;
  ui::Desktop& p = h.program();
  const std::string file = p.state().installDir + batch::kHistoryName;
  p.nameHistory().add("kept");
  p.editor().refreshHistoryLists();
  QVERIFY(platform::RealFileSystem().exists(file));
  ui::HistoryEditor& editor = p.historyEditor();
  testing::WhenShown(&editor, [&] {
    editor.textArea()->setPlainText(S("\n\n"));
    W<QPushButton>(editor, "Button1")->click();
    editor.close();
  });
  editor.editHistory();
  QVERIFY(!platform::RealFileSystem().exists(file));
  for (const QString& name : kHistoryBoxes) QCOMPARE(W<QComboBox>(p.editor(), name)->count(), 0);
}

void DialogsTest::historyEditorCloseQuestion_data() {
  QTest::addColumn<int>("answer");
  QTest::addColumn<bool>("closes");
  QTest::addColumn<QStringList>("fileAfter");
  QTest::addColumn<QString>("textAfter");
  QTest::newRow("Yes saves and closes") << static_cast<int>(batch::Answer::Yes) << true << QStringList{"new", "old"}
                                        << S("new\nold");
  QTest::newRow("No closes and empties the text") << static_cast<int>(batch::Answer::No) << true
                                                  << QStringList{"old"} << S("");
  QTest::newRow("Cancel stays open") << static_cast<int>(batch::Answer::Cancel) << false << QStringList{"old"}
                                     << S("new\nold");
}

void DialogsTest::historyEditorCloseQuestion() {
  QFETCH(int, answer);
  QFETCH(bool, closes);
  QFETCH(QStringList, fileAfter);
  QFETCH(QString, textAfter);
  Harness h;
  ui::Desktop& p = h.program();
  const std::string file = p.state().installDir + batch::kHistoryName;
  p.nameHistory().add("old");
  ui::HistoryEditor& editor = p.historyEditor();
  bool visibleAfterClose = true;
  QString text;
  testing::WhenShown(&editor, [&] {
    QCOMPARE(editor.textArea()->toPlainText(), S("old"));
    editor.textArea()->setPlainText(S("new\nold"));
    h.messages.answers.push_back(static_cast<batch::Answer>(answer));
    W<QPushButton>(editor, "Button2")->click();
    visibleAfterClose = editor.isVisible();
    text = editor.textArea()->toPlainText();
    if (editor.isVisible()) {
      h.messages.answers.push_back(batch::Answer::No);
      editor.close();
    }
  });
  editor.editHistory();
  QCOMPARE(visibleAfterClose, !closes);
  QCOMPARE(h.messages.shown.front().title, std::string("Save Confirmation"));
  QCOMPARE(h.messages.shown.front().text, std::string("The content changed, do you want to save ?"));
  QCOMPARE(h.messages.shown.front().buttons, batch::Buttons::YesNoCancel);
  QCOMPARE(text, textAfter);
  std::vector<std::string> expected;
  for (const QString& line : fileAfter) expected.push_back(line.toStdString());
  QCOMPARE(testing::ReadLines(file), expected);
}

// ---- looks ----

void DialogsTest::textIsReadableInLightAndDarkThemes_data() {
  QTest::addColumn<bool>("dark");
  QTest::addColumn<QString>("part");
  for (const bool dark : {false, true}) {
    for (const char* part : {"file name", "selected file name", "sample name", "about picture", "special string option",
                             "listing note", "help page"})
      QTest::addRow("%s, %s", dark ? "dark" : "light", part) << dark << S(part);
  }
}

// Every text stands out from its background by at least 4.5:1 in a light and in a dark
// desktop theme, also where the window fixes a background colour.
void DialogsTest::textIsReadableInLightAndDarkThemes() {
  QFETCH(bool, dark);
  QFETCH(QString, part);
  QApplication::setStyle(QStyleFactory::create(S("Fusion")));
  const QPalette light = QApplication::style()->standardPalette();
  QApplication::setPalette(dark ? testing::DarkPalette() : light);
  TempTree tree;
  tree.make({"w/Holiday 0001.txt", "w/Holiday 0002.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  QImage picture;
  if (part.contains(S("file name"))) {
    OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
    p.editor().selectClicked();
    ui::MainWindow& main = p.mainWindow();
    const int row = part.startsWith(S("selected")) ? 1 : 0;
    main.list()->selectionModel()->select(main.model().index(1), QItemSelectionModel::ClearAndSelect);
    // The text only: the icon in front of it is drawn in its own colours.
    picture = main.list()->viewport()->grab(main.list()->visualRect(main.model().index(row)).adjusted(22, 0, 0, 0)).toImage();
  } else if (part == S("sample name") || part == S("listing note")) {
    OpenFolderEditor(p, tree.path("w"), part == S("sample name") ? engine::OperationKind::Remove
                                                                 : engine::OperationKind::ListFolder);
    QWidget* w = W(p.editor(), part == S("sample name") ? S("RichEdit2") : S("Label8"));
    picture = w->grab(w->rect().adjusted(3, 3, -3, -3)).toImage();
  } else if (part == S("about picture")) {
    p.editor().showAbout();
    QWidget* w = W(p.editor(), S("Image1"));
    picture = w->grab(w->rect().adjusted(3, 3, -3, -3)).toImage();
  } else if (part == S("special string option")) {
    p.specialStrings().show();
    auto* radio = W<QRadioButton>(p.specialStrings(), S("RadioButton4"));
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    picture = radio->grab(radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio)).toImage();
    p.specialStrings().hide();
  } else {
    p.showHelpTopic(S("Remove.htm"));
    // The topic's heading, coloured by the topics' style sheet.
    QTextBrowser* browser = p.helpWindow().browser();
    QTextBlock heading = browser->document()->begin();
    while (heading.isValid() && heading.blockFormat().headingLevel() != 1) heading = heading.next();
    QVERIFY(heading.isValid());
    const QRect at = browser->document()->documentLayout()->blockBoundingRect(heading).toRect();
    picture = browser->viewport()->grab(at).toImage();
  }
  const double contrast = TextContrast(picture);
  QApplication::setPalette(light);
  QVERIFY2(contrast >= 4.5, qPrintable(S("contrast %1").arg(contrast)));
}

void DialogsTest::everyWindowShowsWholeReadableTexts_data() {
  QTest::addColumn<bool>("german");
  QTest::addColumn<bool>("dark");
  QTest::addColumn<int>("points");  // 0: the default font
  for (const bool german : {false, true})
    for (const bool dark : {false, true})
      for (const int points : {0, 13})
        QTest::addRow("%s-%s-%s", german ? "de" : "en", dark ? "dark" : "light", points ? "13pt" : "font")
            << german << dark << points;
}

// Every caption of every window is whole and every text stands out from its background,
// which follows the theme's lightness: in English and German, in a light and a dark theme,
// with the default and a larger desktop font. VELMORA_SCREENSHOTS=FOLDER keeps a picture of
// each window as checked, in a folder for each case.
void DialogsTest::everyWindowShowsWholeReadableTexts() {
  QFETCH(bool, german);
  QFETCH(bool, dark);
  QFETCH(int, points);
  QApplication::setStyle(QStyleFactory::create(S("Fusion")));
  const QPalette light = QApplication::style()->standardPalette();
  const QFont font = QApplication::font();
  QApplication::setPalette(dark ? testing::DarkPalette() : light);
  if (points) {
    QFont larger = font;
    larger.setPointSize(points);
    QApplication::setFont(larger);
  }
  ui::InstallTranslations(QLocale(german ? QLocale::German : QLocale::English));
  QStringList cut, poor;
  {
    TempTree tree;
    tree.make({"Bild 1.jpg"});
    Harness h;
    ui::Desktop& p = h.program();
    p.start("");
    const QString pictures = qEnvironmentVariable("VELMORA_SCREENSHOTS");
    const QString folder = S("%1/%2").arg(pictures, S(QTest::currentDataTag()));
    if (!pictures.isEmpty()) QDir().mkpath(folder);
    int shot = 0;
    // On a real screen each window also opens wholly on it, the editor's first opening first.
    const bool realScreen = QGuiApplication::platformName() == S("xcb");
    testing::VisitEveryWindow(p, tree.path("Bild 1.jpg"), [&](QWidget* window) {
      if (realScreen && !window->screen()->availableGeometry().contains(window->geometry()))
        cut << S("%1 off the screen").arg(window->objectName());
      cut << testing::CutCaptions(window);
      poor << testing::PoorlyReadTexts(window);
      if (!pictures.isEmpty() && QTest::qWaitForWindowExposed(window))
        window->grab().save(S("%1/%2-%3.png").arg(folder).arg(++shot, 2, 10, QLatin1Char('0')).arg(window->objectName()));
    });
  }
  ui::InstallTranslations(QLocale(QLocale::English));
  QApplication::setFont(font);
  QApplication::setPalette(light);
  cut.removeDuplicates();
  poor.removeDuplicates();
  for (const QString& text : cut) qWarning("cut: %s", qPrintable(text));
  for (const QString& text : poor) qWarning("hard to read: %s", qPrintable(text));
  QVERIFY2(cut.isEmpty(), "captions cut (listed above)");
  QVERIFY2(poor.isEmpty(), "texts hard to read (listed above)");
}

// The desktop turns dark (and light again) while the program runs: the windows with fixed
// colours take the other variant at once.
void DialogsTest::fixedColoursFollowAThemeChange() {
  QApplication::setStyle(QStyleFactory::create(S("Fusion")));
  const QPalette light = QApplication::style()->standardPalette();
  QApplication::setPalette(light);
  TempTree tree;
  tree.make({"w/a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  p.specialStrings().show();
  p.showHelpTopic(S("Remove.htm"));
  for (const QPalette& theme : {testing::DarkPalette(), light}) {
    QApplication::setPalette(theme);
    QTest::qWait(20);  // the windows hear of the new palette through the event loop
    QStringList poor;
    for (QWidget* w : {static_cast<QWidget*>(&p.editor()), static_cast<QWidget*>(&p.specialStrings()),
                       static_cast<QWidget*>(&p.helpWindow())})
      poor << testing::PoorlyReadTexts(w);
    p.editor().showAbout();
    poor << testing::PoorlyReadTexts(&p.editor());
    QVERIFY2(poor.isEmpty(), qPrintable(poor.join(QLatin1Char('\n'))));
    p.editor().hide();
    OpenFolderEditor(p, tree.path("w"), engine::OperationKind::Remove);
  }
  p.specialStrings().hide();
  p.helpWindow().hide();
  p.editor().selectClicked();
}

QTEST_MAIN(DialogsTest)
// Each window placed partly off the screen (as a window manager may place a tall window on
// a small screen) comes up wholly on it, with room for its frame; dialogs but the editor
// ask for a close button only.
void DialogsTest::everyWindowOpensOnTheScreen() {
  Harness h;
  ui::Desktop& p = h.program();
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  QVector<QWidget*> windows(p.windows().begin(), p.windows().end());
  windows << &p.helpWindow();
  for (QWidget* w : windows) {
    for (const QPoint at : {QPoint(room.right() - 40, room.bottom() - 40), QPoint(room.left() - 500, room.top() - 500)}) {
      w->move(at);
      w->show();
      QVERIFY2(room.contains(w->geometry()), qPrintable(w->objectName() + QStringLiteral(" %1,%2 %3x%4 min %5x%6").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height()).arg(w->minimumSizeHint().width()).arg(w->minimumSizeHint().height())));
      QVERIFY2(w->geometry().top() > room.top(), qPrintable(w->objectName()));  // the title bar's room
      w->hide();
    }
    if (qobject_cast<QDialog*>(w) && w != &p.editor()) {
      QVERIFY2(w->windowFlags() & Qt::CustomizeWindowHint, qPrintable(w->objectName()));
      QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
      QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    }
  }
}

#include "dialogs_test.moc"
