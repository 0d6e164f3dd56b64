// SPDX-License-Identifier: GPL-3.0-or-later
// Help, About and the save page's dialog: the topic each window opens in the help window,
// the help window staying usable over a modal window, a topic found nowhere; the About
// panel's pictures, home page, "Back" and "Close"; the question before a listing replaces a
// file, with the save dialog staying open after its Cancel.

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <deque>

#include "batch/program_files.h"
#include "support/temp_tree.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/options_window.h"
#include "ui/preview_window.h"
#include "ui/desktop.h"
#include "ui/qt_text.h"
#include "ui/special_string_dialog.h"
#include "ui/translations.h"
#include "ui_harness.h"

using namespace velmora;
using testing::Harness;
using testing::TempTree;

namespace {

using S = QString;

template <typename T = QWidget>
T* EditorControl(ui::Desktop& p, const char* name) {
  T* w = p.editor().findChild<T*>(QString::fromLatin1(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

/// Opens the editor from the main window on one file.
void OpenEditor(ui::Desktop& p, const std::string& keyword, const std::string& file) {
  p.state().operationKind = keyword;
  p.state().target.folder.clear();
  p.state().target.picked = {file};
  p.state().samplePath = file;
  p.editor().openModal();
}

/// Counts the times a window is blocked by a modal window.
class BlockedCounter final : public QObject {
 public:
  int blocked = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) ++blocked;
    if (event->type() == QEvent::WindowUnblocked) --blocked;
    return false;
  }
};

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT

 public slots:
  /// Stands in for the web browser.
  void openUrl(const QUrl& url) { opened << url; }

 private slots:
  void helpWindowIsNoneOfTheNineAndComesOnRequest();
  void mainHelpEntryPoints_data();
  void mainHelpEntryPoints();
  void editorHelpByOperation_data();
  void editorHelpByOperation();
  void helpWindowStaysUsableOverAModalWindow();
  void topicsOfTheProgramFolderComeFirst();
  void topicFoundNowhereIsSaidInTheHelpWindow();
  void germanHelpUnderGerman();
  void aboutPicturesAndHomePage();
  void aboutBackAndClose_data();
  void aboutBackAndClose();
  void listingAsksBeforeReplacing_data();
  void listingAsksBeforeReplacing();
  void saveDialogStaysOpenAfterCancel();

 private:
  QList<QUrl> opened;
};

void HelpAboutTest::helpWindowIsNoneOfTheNineAndComesOnRequest() {
  Harness h;
  ui::Desktop& p = h.program();
  QCOMPARE(p.windows().size(), std::size_t{9});
  QVERIFY(!p.program().findChild<ui::HelpWindow*>());
  for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<ui::HelpWindow*>(w));
  p.showMainHelp();
  ui::HelpWindow& help = p.helpWindow();
  QVERIFY(help.isVisible());
  p.showHelpTopic(S("Save.htm"));
  QCOMPARE(&p.helpWindow(), &help);  // created once, then reused
  QCOMPARE(p.windows().size(), std::size_t{9});
  QCOMPARE(help.currentTopic(), S("Save.htm"));
  QCOMPARE(help.findChild<QListWidget*>(S("HelpTopics"))->currentItem()->text(), S("Save"));
  // A link of the page leads on to another topic (the browser resolves it, as here).
  help.browser()->setSource(help.browser()->source().resolved(QUrl(S("Special%20string.htm"))));
  QCOMPARE(help.currentTopic(), S("Special string.htm"));
  QCOMPARE(help.windowTitle(), S("Velmora Help - Special strings"));
  QCOMPARE(help.findChild<QListWidget*>(S("HelpTopics"))->currentItem()->text(), S("Special strings"));
  QVERIFY(help.findChild<QToolButton*>(S("HelpBack"))->isEnabled());
  help.findChild<QToolButton*>(S("HelpBack"))->click();
  QCOMPARE(help.currentTopic(), S("Save.htm"));
  QTest::keyClick(help.browser(), Qt::Key_Escape);
  QVERIFY(!help.isVisible());
}

void HelpAboutTest::mainHelpEntryPoints_data() {
  QTest::addColumn<QString>("shown");  // windows shown before: "options", "preview", "special"
  QTest::addColumn<QString>("entry");
  QTest::addColumn<QString>("topic");
  QTest::addColumn<QString>("title");
  QTest::newRow("main Help button") << S("") << S("main button") << S("How to use.htm") << S("How to use Velmora");
  QTest::newRow("main F1") << S("") << S("main F1") << S("How to use.htm") << S("How to use Velmora");
  QTest::newRow("Options Help button") << S("options") << S("options button") << S("Options.htm") << S("Options");
  QTest::newRow("Options F1") << S("options") << S("options F1") << S("Options.htm") << S("Options");
  QTest::newRow("preview F1") << S("preview") << S("preview F1") << S("Preview.htm") << S("Preview");
  QTest::newRow("Options over the preview") << S("preview options") << S("options F1") << S("Preview.htm")
                                            << S("Preview");
  QTest::newRow("special string dialog Help button")
      << S("options special") << S("special button") << S("Special string.htm") << S("Special strings");
  QTest::newRow("special string dialog F1") << S("options special") << S("special F1") << S("Special string.htm")
                                            << S("Special strings");
}

void HelpAboutTest::mainHelpEntryPoints() {
  QFETCH(QString, shown);
  QFETCH(QString, entry);
  QFETCH(QString, topic);
  QFETCH(QString, title);
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  QWidget* focus = &p.mainWindow();
  if (shown.contains(QLatin1String("preview"))) {
    p.preview().show();
    focus = &p.preview();
  }
  if (shown.contains(QLatin1String("options"))) {
    p.options().show();
    focus = &p.options();
  }
  if (shown.contains(QLatin1String("special"))) {
    p.specialStrings().show();
    focus = &p.specialStrings();
  }
  focus->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(focus));

  if (entry == QLatin1String("main button")) {
    p.mainWindow().button(S("HelpButton"))->click();
  } else if (entry == QLatin1String("options button")) {
    p.options().findChild<QPushButton*>(S("Button3"))->click();
  } else if (entry == QLatin1String("special button")) {
    for (QPushButton* b : p.specialStrings().findChildren<QPushButton*>())
      if (b->text().remove(QLatin1Char('&')) == QLatin1String("Help")) b->click();
  } else {
    QTest::keyClick(focus, Qt::Key_F1);
  }
  QVERIFY(p.helpWindow().isVisible());
  QCOMPARE(p.helpWindow().currentTopic(), topic);
  QVERIFY(p.helpWindow().topicFound());
  QCOMPARE(p.helpWindow().browser()->documentTitle(), title);
  QCOMPARE(p.helpWindow().windowTitle(), S("Velmora Help - ") + title);
  QVERIFY(h.messages.shown.empty());
  p.options().hide();
  p.specialStrings().hide();
  p.preview().hide();
}

void HelpAboutTest::editorHelpByOperation_data() {
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<QString>("topic");
  const std::pair<const char*, const char*> rows[] = {
      {"Removpart", "Remove.htm"},   {"Replapart", "Replace.htm"}, {"Addnewnum", "Insert.htm"},
      {"Changnew", "Change.htm"},    {"Changexten", "Change ext.htm"}, {"Savealls", "Save.htm"},
      {"Savesomes", "How to use.htm"},
  };
  for (const auto& [keyword, topic] : rows) QTest::newRow(keyword) << S(keyword) << S(topic);
}

void HelpAboutTest::editorHelpByOperation() {
  QFETCH(QString, keyword);
  QFETCH(QString, topic);
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  OpenEditor(p, keyword.toStdString(), tree.path("a.txt"));
  auto* help = EditorControl<QPushButton>(p, "SpeedButton19");
  QCOMPARE(help->text().remove(QLatin1Char('&')), S(" Help"));  // "&": the Alt mnemonic
  QCOMPARE(help->toolTip(), S("Read help "));
  help->click();
  QCOMPARE(p.helpWindow().currentTopic(), topic);
  QVERIFY(p.helpWindow().topicFound());
  QVERIFY(p.helpWindow().isVisible());
  QVERIFY(p.editor().isVisible());  // help does not wait and closes nothing
  p.editor().selectClicked();
}

void HelpAboutTest::helpWindowStaysUsableOverAModalWindow() {
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  p.showMainHelp();  // opened from the main window first
  ui::HelpWindow& help = p.helpWindow();
  BlockedCounter counter;
  help.windowHandle()->installEventFilter(&counter);

  p.options().show();  // modal: every other window is blocked
  QCOMPARE(counter.blocked, 1);
  p.options().HelpClick();
  QCOMPARE(help.currentTopic(), S("Options.htm"));
  QCOMPARE(help.windowHandle()->transientParent(), p.options().windowHandle());
  QCOMPARE(counter.blocked, 0);
  // The topic list answers while the Options window waits.
  help.findChild<QListWidget*>(S("HelpTopics"))->setCurrentRow(1);
  emit help.findChild<QListWidget*>(S("HelpTopics"))->itemClicked(help.findChild<QListWidget*>(S("HelpTopics"))->item(1));
  QCOMPARE(help.currentTopic(), S("Remove.htm"));

  p.options().reject();
  QVERIFY(help.isVisible());  // the help stays when the window it was asked from closes
  QCOMPARE(counter.blocked, 0);
  p.showMainHelp();
  QCOMPARE(help.windowHandle()->transientParent(), nullptr);
}

void HelpAboutTest::topicsOfTheProgramFolderComeFirst() {
  Harness h;
  ui::Desktop& p = h.program();
  const std::string own = p.state().installDir + "help/";
  QDir().mkpath(ui::FromPath(own));
  testing::WriteFile(own + "Options.htm", "<html><head><title>Own options</title></head><body>x</body></html>");
  p.showHelpTopic(S("Options.htm"));
  QCOMPARE(p.helpWindow().browser()->documentTitle(), S("Own options"));
  p.showHelpTopic(S("Remove.htm"));  // not in the own folder: the shipped one
  QCOMPARE(p.helpWindow().browser()->documentTitle(), S("Remove"));
  QCOMPARE(ui::HelpWindow::TopicFile(p.state().installDir, S("Options.htm")), ui::FromPath(own + "Options.htm"));
}

void HelpAboutTest::germanHelpUnderGerman() {
  QVERIFY(ui::InstallTranslations(QLocale(QLocale::German, QLocale::Germany)));
  {
    Harness h;
    ui::HelpWindow& help = h.program().helpWindow();
    h.program().showHelpTopic(S("Options.htm"));
    QCOMPARE(help.windowTitle(), S("Velmora-Hilfe - Optionen"));
    QVERIFY(help.browser()->source().path().endsWith(S("/help/de/Options.htm")));
    help.browser()->setSource(help.browser()->source().resolved(QUrl(S("Special%20string.htm"))));  // a link
    QCOMPARE(help.browser()->documentTitle(), S("Sonderzeichenfolgen"));
    QCOMPARE(help.findChild<QListWidget*>(S("HelpTopics"))->currentItem()->text(), S("Sonderzeichenfolgen"));
  }
  QVERIFY(!ui::InstallTranslations(QLocale(QLocale::English, QLocale::UnitedStates)));  // English again
  Harness h;
  h.program().showHelpTopic(S("Options.htm"));
  QCOMPARE(h.program().helpWindow().browser()->documentTitle(), S("Options"));
  QVERIFY(!h.program().helpWindow().browser()->source().path().contains(S("/de/")));
}

void HelpAboutTest::topicFoundNowhereIsSaidInTheHelpWindow() {
  Harness h;
  ui::Desktop& p = h.program();
  p.showHelpTopic(S("No such topic.htm"));
  QVERIFY(p.helpWindow().isVisible());
  QVERIFY(!p.helpWindow().topicFound());
  QCOMPARE(p.helpWindow().currentTopic(), S("No such topic.htm"));
  QVERIFY(p.helpWindow().browser()->toPlainText().contains(QLatin1String("No such topic.htm")));
  QVERIFY(h.messages.shown.empty());
  p.showHelpTopic(S("Save.htm"));  // and the next topic shows as usual
  QVERIFY(p.helpWindow().topicFound());
  QCOMPARE(p.helpWindow().browser()->documentTitle(), S("Save"));
}

void HelpAboutTest::aboutPicturesAndHomePage() {
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  p.mainWindow().button(S("AboutButton"))->click();
  QVERIFY(p.editor().aboutShown());
  QApplication::processEvents();

  struct Row {
    const char* group;
    const char* title;
    const char* picture;
    const char* hint;
  };
  const Row rows[] = {
      {"GroupBoxContact", " Contact info ", "Image1", "Visit homepage now"},
      {"GroupBoxVersion", " Version info ", "Image2", "download the latest version now"},
  };
  const auto checkPlaces = [&] {
    for (const Row& r : rows) {
      auto* group = EditorControl<QGroupBox>(p, r.group);
      auto* picture = EditorControl<QLabel>(p, r.picture);
      QCOMPARE(picture->parentWidget(), group);
      QCOMPARE(picture->x(), (group->width() - picture->width()) / 2);
      QCOMPARE(picture->y(), (group->height() - picture->height()) * 2 / 3);
      QVERIFY(picture->y() > group->height() - picture->height() - picture->y());  // below the middle
    }
  };
  for (const Row& r : rows) {
    QCOMPARE(EditorControl<QGroupBox>(p, r.group)->title(), S(r.title));
    auto* picture = EditorControl<QLabel>(p, r.picture);
    QCOMPARE(picture->toolTip(), S(r.hint));
    QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
  }
  QVERIFY(EditorControl<QLabel>(p, "Image1")->text().contains(QLatin1String("@")));  // the e-mail address
  QVERIFY(EditorControl<QLabel>(p, "Image2")->text().contains(QLatin1String("GPL-3.0-or-later")));  // the licence
  checkPlaces();
  p.editor().resize(p.editor().width() + 240, p.editor().height() + 160);
  QApplication::processEvents();
  checkPlaces();

  opened.clear();
  QDesktopServices::setUrlHandler(S("https"), this, "openUrl");
  QTest::mouseClick(EditorControl<QLabel>(p, "Image1"), Qt::LeftButton);
  QTest::mouseClick(EditorControl<QLabel>(p, "Image2"), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler(S("https"));
  QCOMPARE(opened.size(), 2);
  QCOMPARE(opened[0], opened[1]);
  QVERIFY(EditorControl<QLabel>(p, "Image1")->text().contains(opened[0].toString()));
  QVERIFY(p.editor().aboutShown());  // the panel stays
}

void HelpAboutTest::aboutBackAndClose_data() {
  QTest::addColumn<bool>("fromMainWindow");
  QTest::addColumn<QString>("how");
  for (const char* how : {"Back", "Close", "Esc"}) {
    QTest::addRow("main window, %s", how) << true << S(how);
    QTest::addRow("editor, %s", how) << false << S(how);
  }
}

void HelpAboutTest::aboutBackAndClose() {
  QFETCH(bool, fromMainWindow);
  QFETCH(QString, how);
  TempTree tree;
  tree.make({"a.txt"});
  Harness h;
  ui::Desktop& p = h.program();
  p.start("");
  if (fromMainWindow) {
    p.mainWindow().button(S("AboutButton"))->click();
    QCOMPARE(p.editor().windowModality(), Qt::ApplicationModal);
  } else {
    OpenEditor(p, "Replapart", tree.path("a.txt"));
    EditorControl<QLineEdit>(p, "LabeledEdit1")->setText(S("typed"));
    EditorControl<QPushButton>(p, "SpeedButton16")->click();
  }
  QVERIFY(p.editor().isVisible());
  QVERIFY(p.editor().aboutShown());
  QCOMPARE(p.editor().windowTitle(), S("Velmora - About"));
  QVERIFY(!p.mainWindow().housekeepingActive());
  auto* back = EditorControl<QPushButton>(p, "BackButton");
  auto* close = EditorControl<QPushButton>(p, "CloseButton");
  QCOMPARE(back->text().remove(QLatin1Char('&')), S("Back"));
  QCOMPARE(back->toolTip(), S("Back to last window"));
  QCOMPARE(close->text().remove(QLatin1Char('&')), S("Close"));
  QCOMPARE(close->toolTip(), S("Close the window"));

  if (how == QLatin1String("Back")) {
    back->click();
  } else if (how == QLatin1String("Close")) {
    close->click();
  } else {
    QTest::keyClick(&p.editor(), Qt::Key_Escape);
  }

  QVERIFY(!p.editor().aboutShown());
  if (fromMainWindow) {
    QVERIFY(!p.editor().isVisible());
    QCOMPARE(p.state().operationKind, std::string("Browsefile"));
    QVERIFY(p.mainWindow().housekeepingActive());
    // The next operation opens on its page, not on the About panel.
    OpenEditor(p, "Removpart", tree.path("a.txt"));
    QVERIFY(!p.editor().aboutShown());
    QCOMPARE(p.editor().windowTitle(), S("Velmora - Remove string"));
  } else {
    QVERIFY(p.editor().isVisible());
    QCOMPARE(p.editor().windowTitle(), S("Velmora - Replace string"));
    QCOMPARE(EditorControl<QLineEdit>(p, "LabeledEdit1")->text(), S("typed"));
    QCOMPARE(p.state().operationKind, std::string("Replapart"));
  }
  p.editor().selectClicked();
}

void HelpAboutTest::listingAsksBeforeReplacing_data() {
  QTest::addColumn<QString>("existing");  // a file in the tree before the export, or ""
  QTest::addColumn<QString>("chosen");
  QTest::addColumn<QString>("written");
  QTest::addColumn<bool>("asked");
  QTest::newRow("the chosen file exists") << S("list.txt") << S("list.txt") << S("list.txt") << true;
  QTest::newRow("the chosen name with .txt exists") << S("list.csv.txt") << S("list.csv") << S("list.csv.txt") << true;
  QTest::newRow("a new name") << S("") << S("new.txt") << S("new.txt") << false;
}

void HelpAboutTest::listingAsksBeforeReplacing() {
  QFETCH(QString, existing);
  QFETCH(QString, chosen);
  QFETCH(QString, written);
  QFETCH(bool, asked);
  TempTree tree;
  tree.make({"w/a.txt", "out/"});
  if (!existing.isEmpty()) tree.writeFile("out/" + existing.toStdString(), "old\r\n");
  Harness h;
  ui::Desktop& p = h.program();
  p.options().findChild<QCheckBox*>(S("CheckBox2"))->setChecked(true);  // do not open the listing
  p.state().operationKind = "Savealls";
  p.state().target.folder = tree.path("w");
  p.state().target.picked.clear();
  p.state().samplePath = tree.path("w/a.txt");
  p.editor().openModal();
  const QString path = ui::FromPath(tree.path("out/" + chosen.toStdString()));
  h.dialogs.saves = {path, path};
  h.messages.answers = {batch::Answer::Cancel, batch::Answer::Ok};  // Cancel keeps the dialog open
  EditorControl<QPushButton>(p, "SpeedButton15")->click();

  std::vector<std::string> questions;
  for (const auto& m : h.messages.shown)
    if (m.kind == "confirm") questions.push_back(m.title + ": " + m.text);
  const std::vector<std::string> expected(asked ? 2 : 0, "Confirmation: The file is existing, replace it ?");
  QCOMPARE(questions, expected);
  const auto lines = testing::ReadLines(tree.path("out/" + written.toStdString()));
  QVERIFY(!lines.empty());
  QCOMPARE(lines.front(), "Files name(ONE layer) in folder, " + tree.path("w") + "/");
  QVERIFY(!p.editor().isVisible());
}

void HelpAboutTest::saveDialogStaysOpenAfterCancel() {
  TempTree tree;
  tree.make({"out/old.txt"});
  ui::QtDialogs dialogs;
  QStringList asked;
  std::deque<bool> answers{false, true};
  bool openAfterCancel = false;
  QString title;
  QStringList filters;
  int step = 0;
  QTimer driver;
  driver.setInterval(10);
  const QString old = ui::FromPath(tree.path("out/old.txt"));
  connect(&driver, &QTimer::timeout, this, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    if (step == 0) {
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      dialog->setDirectory(ui::FromPath(tree.path("out")));
      // Typed as the user types it; the default extension makes it old.txt.
      dialog->findChild<QLineEdit*>(S("fileNameEdit"))->setText(S("old"));
      step = 1;
    } else if (step == 1) {
      if (dialog->selectedFiles() != QStringList{old}) return;  // the dialog is still reading the folder
      static_cast<QDialog*>(dialog)->accept();  // the question is answered Cancel
      step = 2;
    } else if (step == 2) {
      openAfterCancel = dialog->isVisible();
      static_cast<QDialog*>(dialog)->accept();  // answered OK this time
      step = 3;
    }
  });
  driver.start();
  const auto result = dialogs.saveListingFile(nullptr, [&](const QString& path) {
    asked << path;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  });
  driver.stop();
  QCOMPARE(title, S("Select file to save filenames"));
  QCOMPARE(filters, QStringList{S("text file(*.txt)")});
  QVERIFY(openAfterCancel);
  QCOMPARE(asked, (QStringList{old, old}));
  QVERIFY(result.has_value());
  QCOMPARE(*result, old);
}

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
