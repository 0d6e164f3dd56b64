// SPDX-License-Identifier: GPL-3.0-or-later
// The program in German, as the start-up loads it for a German desktop: every window, page,
// dialog, hint and menu speaks German, and the core's messages come translated too.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QtTest>

#include "batch/undo.h"
#include "support/media_samples.h"
#include "support/temp_tree.h"
#include "ui/desktop.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/editor/operation_editor.h"
#include "ui/translations.h"
#include "ui_harness.h"

using namespace velmora;

namespace {

/// Words that are English and no German word: a text holding one was left untranslated.
const QStringList kEnglishWords = QStringLiteral(
    "the to of and or is are you your will can not please this that with without from by each when after "
    "file files filename filenames folder folders subfolder subfolders select selected remove replace insert "
    "change save cancel close help options preview string strings case new old all only head before behind "
    "between upper lower number numbers date size delete clear copy exit back forward contents about rename "
    "extension extention part type types other show order descending hidden include general default edit "
    "target content keep clean symbols left right erase space today disordered begin use choose add more "
    "refresh sort inverse open names list progress searching wait").split(QLatin1Char(' '));

/// Texts that stay as they are in every language: names, examples, formats.
const QStringList kAllowed = {QStringLiteral("velmora-cli"), QStringLiteral("GPL-3.0-or-later"), QStringLiteral("a, and, of")};

QStringList EnglishWordsIn(const QString& text) {
  QString plain = QTextDocumentFragment::fromHtml(text).toPlainText();
  plain.remove(QLatin1Char('&'));
  for (const QString& allowed : kAllowed) plain.remove(allowed);
  // The test's own folder has a random name, which may hold "by" or "to".
  static const QRegularExpression testFolder(QStringLiteral("velmora-test-[A-Za-z0-9]+"));
  plain.remove(testFolder);
  QStringList found;
  static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
  for (auto it = word.globalMatch(plain); it.hasNext();) {
    const QString w = it.next().captured().toLower();
    if (kEnglishWords.contains(w)) found << w;
  }
  return found;
}

/// The texts a person reads on a window's shown widgets (caption, title, hint, placeholder,
/// items, headers, actions) that hold English words, each with the widget it is on.
QStringList EnglishTexts(QWidget* window) {
  QStringList out;
  auto add = [&out](const QObject* where, const QString& text) {
    if (const QStringList words = EnglishWordsIn(text); !words.isEmpty())
      out << where->objectName() + QStringLiteral(": ") + text + QStringLiteral("  [") + words.join(QLatin1Char(',')) +
                 QLatin1Char(']');
  };
  add(window, window->windowTitle());
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    add(w, w->toolTip());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(w, b->text());
    if (auto* l = qobject_cast<QLabel*>(w)) add(w, l->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add(w, g->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) add(w, e->placeholderText());
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) add(w, t->tabText(i));
    if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable())
      for (int i = 0; i < c->count(); ++i) add(w, c->itemText(i));
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
      for (int i = 0; i < v->model()->columnCount(); ++i) add(w, v->model()->headerData(i, Qt::Horizontal).toString());
    if (auto* l = qobject_cast<QListWidget*>(w))
      for (int i = 0; i < l->count(); ++i) add(w, l->item(i)->text());
    for (const QAction* a : w->actions()) add(w, a->text());
    if (auto* m = qobject_cast<QMenu*>(w))
      for (const QAction* a : m->actions()) add(w, a->text());
  }
  return out;
}

}  // namespace

class GermanTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(ui::InstallTranslations(QLocale(QLocale::German, QLocale::Germany))); }

  void everyWindowSpeaksGerman() {
    testing::TempTree tree;
    tree.make({"Bild 1.jpg"});
    // A real photo: the special string dialog's example reads it (a damaged one would quote
    // the tag library's English reason).
    testing::WriteFile(tree.path("Bild 1.jpg"), testing::JpegBytes({"Kamera", "Modell 7", "2026:12:07 14:30:15"}));
    testing::Harness h;
    ui::Desktop& p = h.program();
    p.start("");
    QStringList english;
    // VELMORA_SCREENSHOTS=FOLDER keeps a picture of each window as checked, to look at.
    const QString pictures = qEnvironmentVariable("VELMORA_SCREENSHOTS");
    int shot = 0;
    testing::VisitEveryWindow(p, tree.path("Bild 1.jpg"), [&](QWidget* window) {
      english << EnglishTexts(window);
      if (!pictures.isEmpty() && QTest::qWaitForWindowExposed(window))
        window->grab().save(QStringLiteral("%1/%2-%3.png").arg(pictures).arg(++shot).arg(window->objectName()));
    });
    english.removeDuplicates();
    for (const QString& text : english) qWarning("English left: %s", qPrintable(text));
    QVERIFY2(english.isEmpty(), "texts in English (listed above)");
  }

  void coreMessagesSpeakGerman() {
    QCOMPARE(ui::CoreText(batch::kUndoTitle), QStringLiteral("Rückgängig bestätigen"));
    // A text the core fills in is translated before the name goes in.
    batch::UndoReport report;
    report.kept = 2;
    report.keptSaved = true;
    QVERIFY(QString::fromStdString(batch::UndoKeptMessage(report)).startsWith(QStringLiteral("2 Umbenennungen")));
    // Qt's own translation, for the standard buttons of the message boxes.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
  }
};

QTEST_MAIN(GermanTest)
#include "german_test.moc"
