// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_harness.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/rollback_log.h"
#include "ui/editor/operation_editor.h"
#include "batch/target_walk.h"
#include "platform/user_dirs.h"
#include "ui/folder_add_dialog.h"
#include "ui/help_window.h"
#include "ui/live_names.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

// The program's icon is compiled into the windows' static library; the program registers it
// in main(), the tests here (the About panel shows it).
static void InitProgramResources() { Q_INIT_RESOURCE(velmora); }

namespace velmora::testing {

std::optional<QString> FakeDialogs::browseFolder(QWidget*, const QString& title) {
  titles << title;
  workingFolders << workingFolder();
  if (folders.empty()) return std::nullopt;
  const QString answer = folders.front();
  folders.pop_front();
  if (answer.isEmpty()) return std::nullopt;
  return answer;
}

QStringList FakeDialogs::openFiles(QWidget*, const QString& title, const QString& startFolder) {
  titles << title;
  fileDialogStarts << startFolder;
  if (files.empty()) return {};
  QStringList answer = files.front();
  files.pop_front();
  return answer;
}

std::optional<QString> FakeDialogs::saveListingFile(QWidget*, const std::function<bool(const QString&)>& mayReplace) {
  titles << QStringLiteral("Select file to save filenames");
  workingFolders << workingFolder();
  while (!saves.empty()) {
    const QString answer = saves.front();
    saves.pop_front();
    if (answer.isEmpty()) return std::nullopt;
    if (mayReplace(answer)) return answer;
  }
  return std::nullopt;
}

std::string DefaultInstallDir() { return platform::DefaultProgramFolder() + "/"; }

void ResetProgramState() {
  // The state below is wiped for every test: only ever in the private folders that ctest
  // sets up, never in a real user's settings and program folder.
  if (qEnvironmentVariable("VELMORA_TEST_SANDBOX") != QStringLiteral("1"))
    qFatal("The window tests clear the program's settings and files: run them through ctest, "
           "which gives them private XDG and home folders.");
  QSettings settings(QStringLiteral("Tessaro"), QStringLiteral("Dir"));
  settings.clear();
  settings.sync();
  QDir(QString::fromStdString(platform::DefaultProgramFolder())).removeRecursively();
}

Harness::Harness(media::MetadataReader* tags) {
  InitProgramResources();
  ResetProgramState();
  program_ = std::make_unique<ui::Desktop>(ui::Services{&messages, &dialogs, &launcher, nullptr, tags});
}

Harness::~Harness() {
  program_.reset();
  QApplication::processEvents();
}

void OpenEditor(ui::Desktop& program, engine::OperationKind kind, const std::vector<std::string>& picked,
                const std::string& folder) {
  app::AppState& state = program.state();
  state.operationKind = engine::KeywordOf(kind);
  state.target.folder = folder;
  state.target.picked = picked;
  state.samplePath = picked.empty() ? std::string() : picked.front();
  if (!folder.empty()) {
    const auto probe = batch::Probe(platform::RealFileSystem(), folder);
    if (!probe.firstFile.empty()) state.samplePath = platform::JoinPath(folder, probe.firstFile);
  }
  program.editor().openModal();
}

void OpenFolderEditor(ui::Desktop& program, const std::string& folder, engine::OperationKind kind) {
  program.start("");
  program.mainWindow().setFolderBox(ui::FromPath(folder));
  program.mainWindow().ListFolder();
  program.mainWindow().StartOperation(kind);
}

std::vector<std::string> NumberedFiles(const std::string& prefix, int first, int count, const std::string& extension) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(prefix + std::to_string(first + i) + extension);
  return out;
}

QPalette DarkPalette() {
  const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), disabled(128, 128, 128);
  QPalette p(text, window, window.lighter(160), window.darker(160), window.lighter(120), text, Qt::white, base,
             window);
  p.setColor(QPalette::AlternateBase, QColor(55, 55, 60));
  p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(61, 174, 233));
  p.setColor(QPalette::HighlightedText, QColor(20, 20, 20));
  p.setColor(QPalette::Link, QColor(100, 180, 255));
  p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  return p;
}

void VisitEveryWindow(ui::Desktop& p, const std::string& sample, const std::function<void(QWidget*)>& look) {
  // Each look waits for the layouts to take the change that came before it.
  auto settled = [&look](QWidget* window) {
    QApplication::processEvents();
    look(window);
  };
  auto visit = [&settled](QWidget* window) {
    settled(window);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
      for (int i = 1; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settled(window);
      }
    for (QRadioButton* choice : window->findChildren<QRadioButton*>())
      if (choice->isVisibleTo(window) && !choice->isChecked()) {
        choice->click();
        settled(window);
      }
  };
  // First the main list of the sample's folder with the new names beside it, while a replace
  // is typed in the editor (before the visits below leave the pages' last choices on).
  p.mainWindow().setFolderBox(ui::FromPath(std::filesystem::path(sample).parent_path().string()));
  p.mainWindow().ListFolder();
  p.mainWindow().StartOperation(engine::OperationKind::Replace);
  QWidget* page = p.editor().findChild<QStackedWidget*>(QStringLiteral("Pages"))->currentWidget();
  QTest::keyClicks(page->findChild<QLineEdit*>(QStringLiteral("LabeledEdit1")), QStringLiteral("1"));
  QTest::keyClicks(page->findChild<QComboBox*>(QStringLiteral("ComboBoxEx4"))->lineEdit(), QStringLiteral("2"));
  QElapsedTimer waited;
  waited.start();
  while (!p.liveNames().upToDate() && waited.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  settled(&p.mainWindow());
  p.editor().selectClicked();
  p.state().target.folder.clear();  // the editor below opens on the sample alone
  for (const char* kind : {"Removpart", "Replapart", "Addnewnum", "Changnew", "Changexten", "Savealls"}) {
    p.state().operationKind = kind;
    p.state().target.picked = {sample};
    p.state().samplePath = sample;
    p.editor().openModal();
    visit(&p.editor());
    p.editor().hide();
  }
  p.editor().showAbout();
  visit(&p.editor());
  p.editor().hide();
  for (QWidget* window : p.windows()) {
    if (window == &p.editor()) continue;
    window->show();
    visit(window);
    if (window != &p.mainWindow()) window->hide();
  }
  p.showHelpTopic(QStringLiteral("Remove.htm"));
  visit(&p.helpWindow());
  p.helpWindow().hide();
}

QStringList CutCaptions(QWidget* window) {
  QStringList out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      if (l->wordWrap()) continue;
      text = l->text();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      text = b->text();
    } else if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable()) {
      text = c->currentText();
    }
    if (text.isEmpty()) continue;
    const QSize wanted = w->sizeHint();
    if (wanted.width() > w->width() || wanted.height() > w->height())
      out << QStringLiteral("%1: %2 (%3x%4 > %5x%6)")
                 .arg(w->objectName(), text)
                 .arg(wanted.width())
                 .arg(wanted.height())
                 .arg(w->width())
                 .arg(w->height());
  }
  return out;
}

namespace {

double Luminance(QRgb rgb) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

/// The colour a widget's text is drawn on: boxes and lists fill with the base colour, buttons
/// with the button colour, everything else shows the window colour of the nearest widget
/// that fills its background (or of its window).
QColor BackgroundOf(const QWidget* w) {
  const QPalette& own = w->palette();
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return own.color(QPalette::Base);
  if (auto* area = qobject_cast<const QAbstractScrollArea*>(w)) return area->viewport()->palette().color(QPalette::Base);
  if (auto* c = qobject_cast<const QComboBox*>(w))
    return own.color(c->isEditable() ? QPalette::Base : QPalette::Button);
  if (qobject_cast<const QPushButton*>(w)) return own.color(QPalette::Button);
  if (auto* t = qobject_cast<const QToolButton*>(w); t && !t->autoRaise()) return own.color(QPalette::Button);
  const QWidget* painter = w;
  while (!painter->autoFillBackground() && !painter->isWindow()) painter = painter->parentWidget();
  return painter->palette().color(painter->backgroundRole());
}

QColor TextColourOf(const QWidget* w) {
  const QPalette& own = w->palette();
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return own.color(QPalette::Text);
  if (auto* area = qobject_cast<const QAbstractScrollArea*>(w)) return area->viewport()->palette().color(QPalette::Text);
  if (auto* c = qobject_cast<const QComboBox*>(w))
    return own.color(c->isEditable() ? QPalette::Text : QPalette::ButtonText);
  if (qobject_cast<const QPushButton*>(w)) return own.color(QPalette::ButtonText);
  if (auto* t = qobject_cast<const QToolButton*>(w); t && !t->autoRaise()) return own.color(QPalette::ButtonText);
  return own.color(w->foregroundRole());
}

}  // namespace

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QStringList PoorlyReadTexts(QWidget* window) {
  const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
  QStringList out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    // Disabled texts are meant to recede; pictures carry their own colours.
    if (!w->isVisible() || !w->isEnabled()) continue;
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) {
      text = l->text();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      text = b->text();
    } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
               qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)) {
      text = w->objectName();
    }
    if (text.isEmpty()) continue;
    const QColor fg = TextColourOf(w), bg = BackgroundOf(w);
    const double ratio = Contrast(fg.rgb(), bg.rgb());
    if (ratio < 4.5 || (bg.lightness() < 128) != dark)
      out << QStringLiteral("%1: %2 on %3 (%4:1) %5").arg(w->objectName(), fg.name(), bg.name()).arg(ratio, 0, 'f', 1).arg(text);
  }
  return out;
}

void WhenShown(QWidget* window, std::function<void()> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, window, action] {
    if (!window->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action();
  });
  timer->start();
}

void AnswerFolderAdd(ui::Desktop& program, int choice) {
  ui::FolderAddDialog& dialog = program.folderAdd();
  WhenShown(&dialog, [&dialog, choice] {
    if (choice == 0) {
      dialog.reject();
      return;
    }
    dialog.findChild<QRadioButton*>(choice == 1 ? QStringLiteral("RadioButton1") : QStringLiteral("RadioButton2"))
        ->setChecked(true);
    dialog.accept();
  });
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return batch::SplitLines(buffer.str());
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

}  // namespace velmora::testing
