// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QShowEvent>
#include <algorithm>

#include "app/file_manager_integration.h"
#include "app/settings_store.h"
#include "batch/name_history.h"
#include "batch/undo_history.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui_options_window.h"

namespace velmora::ui {

namespace {

constexpr int kPreviewCountDefault = 20;
constexpr int kHistoryMaximumDefault = 20;

}  // namespace

OptionsWindow::OptionsWindow(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), launcherPath_(app::DefaultLauncherPath()), ui_(new Ui::OptionsWindow) {
  ui_->setupUi(this);
#ifdef _WIN32
  ui_->CheckBox7->setText(tr(" Intergrate with Windows Explorer context menu"));
#endif
  exitAfterRun_ = ui_->CheckBox1;
  displayResult_ = ui_->CheckBox3;
  confirm_ = ui_->CheckBox6;
  contextMenu_ = ui_->CheckBox7;
  fileManagerState_ = ui_->FileManagerState;
  hidden_ = ui_->CheckBoxHidden;
  liveNames_ = ui_->CheckBoxLiveNames;
  autocopy_ = ui_->CheckBox4;
  excludeSmallWords_ = ui_->CheckBox5;
  dontOpenListing_ = ui_->CheckBox2;
  order_ = ui_->ComboBoxOrder;
  orderDescending_ = ui_->CheckBoxOrderDescending;
  previewCount_ = ui_->PreviewCountField;
  previewCount_->setup("Edit1", 1, 1000, QT_TRANSLATE_NOOP("Core", "Should not more than 1000."), program_.messages());
  previewCount_->setPosition(kPreviewCountDefault);
  ui_->Label1->setBuddy(previewCount_->edit());
  historyMax_ = ui_->HistoryMaxField;
  historyMax_->setup("Edit2", 0, batch::kHistoryMaximumLimit, QT_TRANSLATE_NOOP("Core", "Should not more than 100."),
                    program_.messages());
  historyMax_->setPosition(kHistoryMaximumDefault);
  ui_->Label2->setBuddy(historyMax_->edit());
  keptRuns_ = ui_->UndoKeepField;
  keptRuns_->setup("EditUndoKeep", 0, batch::kKeptRunsLimit, QT_TRANSLATE_NOOP("Core", "Should not more than 100."),
                   program_.messages());
  keptRuns_->setPosition(batch::kKeptRunsDefault);
  ui_->LabelUndoKeep->setBuddy(keptRuns_->edit());

  connect(ui_->Button5, &QPushButton::clicked, this, &OptionsWindow::editHistoryRequested);
  connect(ui_->Button6, &QPushButton::clicked, this, &OptionsWindow::clearHistoryRequested);
  // The two options are never both on, whoever changes them (a click, "Default", loading).
  connect(exitAfterRun_, &QCheckBox::toggled, this, [this](bool on) { displayResult_->setChecked(!on); });
  connect(displayResult_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) exitAfterRun_->setChecked(false);
  });
  connect(ui_->Button4, &QPushButton::clicked, this, &OptionsWindow::DefaultClick);
  connect(ui_->Button1, &QPushButton::clicked, this, &OptionsWindow::OkClick);
  connect(ui_->Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->Button3, &QPushButton::clicked, this, &OptionsWindow::HelpClick);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &OptionsWindow::HelpClick);
  // The pages follow Ctrl+Tab and Ctrl+PgDn (and back with Ctrl+Shift+Tab and Ctrl+PgUp)
  // wherever the focus is, the button bar included.
  const auto turn = [this](int step) {
    QTabWidget* pages = ui_->PageControl1;
    pages->setCurrentIndex((pages->currentIndex() + step + pages->count()) % pages->count());
  };
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(1); });
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
        QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(-1); });
  // Alt letters: the button bar's first, then each page's own around them (a hidden page's
  // letters never compete with the shown one's). Enter in the check boxes and number
  // fields reaches the dialog, which presses "Ok" (the form's default button).
  const QString barLetters = AddMnemonics({ui_->Button1, ui_->Button2, ui_->Button3, ui_->Button4}, QString());
  for (QWidget* page : {ui_->TabSheet1, ui_->TabSheet2, ui_->TabSheet3})
    AddMnemonics(page->findChildren<QAbstractButton*>(), barLetters);

  for (QCheckBox* c : findChildren<QCheckBox*>()) connect(c, &QCheckBox::toggled, this, &OptionsWindow::publish);
  connect(order_, &QComboBox::currentIndexChanged, this, &OptionsWindow::publish);
  // After the field's own check, which sets its position.
  for (NumberField* n : {previewCount_, historyMax_, keptRuns_})
    connect(n->edit(), &QLineEdit::textChanged, this, &OptionsWindow::publish);
  publish();
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::publish() { program_.setRunOptions(runOptions()); }

batch::RunOptions OptionsWindow::runOptions() const {
  batch::RunOptions o;
  o.exitAfterRun = exitAfterRun_->isChecked();
  o.dontOpenListing = dontOpenListing_->isChecked();
  o.displayResult = displayResult_->isChecked();
  o.autocopy = autocopy_->isChecked();
  o.excludeSmallWords = excludeSmallWords_->isChecked();
  o.confirm = confirm_->isChecked();
  o.previewCount = previewCount_->position();
  o.historyMax = historyMax_->position();
  o.keptRuns = keptRuns_->position();
  o.order = {static_cast<batch::OrderKey>(order_->currentIndex()), orderDescending_->isChecked()};
  o.includeHidden = hidden_->isChecked();
  o.showNewNames = liveNames_->isChecked();
  return o;
}

int OptionsWindow::historyMaximum() const { return historyMax_->position(); }

void OptionsWindow::setHistoryMaximum(int maximum) {
  historyMax_->setPosition(maximum);
  shownHistoryMaximum_ = historyMax_->position();
}

bool OptionsWindow::contextMenuIntegration() const { return contextMenu_->isChecked(); }
void OptionsWindow::setAutocopy(bool on) { autocopy_->setChecked(on); }

void OptionsWindow::setControls(const batch::RunOptions& o, bool contextMenu) {
  // In the reading order of the settings, so the coupling of the first and third option
  // leaves what was read last.
  exitAfterRun_->setChecked(o.exitAfterRun);
  dontOpenListing_->setChecked(o.dontOpenListing);
  displayResult_->setChecked(o.displayResult);
  autocopy_->setChecked(o.autocopy);
  excludeSmallWords_->setChecked(o.excludeSmallWords);
  confirm_->setChecked(o.confirm);
  contextMenu_->setChecked(contextMenu);
  hidden_->setChecked(o.includeHidden);
  liveNames_->setChecked(o.showNewNames);
  previewCount_->setPosition(o.previewCount);
  historyMax_->setPosition(o.historyMax);
  keptRuns_->setPosition(o.keptRuns);
  setOrder(o.order);
}

void OptionsWindow::setOrder(const batch::ItemOrder& order) {
  order_->setCurrentIndex(static_cast<int>(order.key));
  orderDescending_->setChecked(order.descending);
}

void OptionsWindow::loadSettings() {
  app::StoredOptions values{runOptions(), contextMenu_->isChecked()};
  const auto settings = app::OpenSettings();
  app::LoadStoredOptions(*settings, values);
  // Only the check boxes that were read change, one after the other in the reading order;
  // the others keep their state, including what the coupling of the first and the third
  // option gave them on the way.
  const batch::RunOptions& o = values.options;
  const std::pair<QCheckBox*, bool> read[] = {
      {exitAfterRun_, o.exitAfterRun}, {dontOpenListing_, o.dontOpenListing}, {displayResult_, o.displayResult},
      {autocopy_, o.autocopy},         {excludeSmallWords_, o.excludeSmallWords}, {confirm_, o.confirm},
      {contextMenu_, values.contextMenu},
  };
  for (int i = 0; i < values.booleansRead && i < static_cast<int>(std::size(read)); ++i)
    read[i].first->setChecked(read[i].second);
  previewCount_->setPosition(o.previewCount);
  historyMax_->setPosition(o.historyMax);
  keptRuns_->setPosition(o.keptRuns);
  setOrder(o.order);
  hidden_->setChecked(o.includeHidden);
  liveNames_->setChecked(o.showNewNames);
  applyListingRules();
}

void OptionsWindow::applyListingRules() {
  program_.fs().setListingRules({hidden_->isChecked(), program_.state().installDir});
}

void OptionsWindow::showFileManagerState() {
  fileManagerState_->setText(app::FileManagerActionsInstalled() ? tr("The file manager entries are installed now.")
                                                                : tr("The file manager entries are not installed now."));
}

void OptionsWindow::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    shownHistoryMaximum_ = historyMax_->position();
    shownKeptRuns_ = keptRuns_->position();
  }
  showFileManagerState();
  QDialog::showEvent(event);
}

void OptionsWindow::applyFileManagerIntegration() {
  const app::IntegrationResult result = contextMenu_->isChecked()
                                            ? app::InstallFileManagerActions(launcherPath_)
                                            : app::RemoveFileManagerActions();
  showFileManagerState();
  if (result.ok) return;
  // The options themselves are stored already; say which entries are not as asked.
  program_.messages().warning(
      ToText(tr("The file manager entries could not be changed:\n%1").arg(result.problems.join(QLatin1Char('\n')))),
      QT_TRANSLATE_NOOP("Core", "Warning"));
}

void OptionsWindow::OkClick() {
  {
    const auto settings = app::OpenSettings();
    app::SaveStoredOptions(*settings, {runOptions(), contextMenu_->isChecked()});
  }
  applyFileManagerIntegration();
  applyListingRules();

  const int maximum = historyMax_->position();
  if (maximum < shownHistoryMaximum_) {
    batch::NameHistory& history = program_.nameHistory();
    // The list in memory is read only when the editor first opens: take the file's entries
    // first, so that shortening never writes a list that was never loaded over them.
    history.load();
    history.shorten(maximum);
    program_.editor().refreshHistoryLists();
  }
  // Fewer runs kept: the oldest go now, as the shorter new-name history does (when a run
  // holds the folder, its own save drops them).
  if (keptRuns_->position() < shownKeptRuns_)
    batch::TrimUndoHistory(program_.fs(), program_.state().installDir, keptRuns_->position());
  accept();
}

void OptionsWindow::DefaultClick() {
  batch::RunOptions defaults;
  defaults.previewCount = kPreviewCountDefault;
  defaults.historyMax = kHistoryMaximumDefault;
  setControls(defaults, true);
}

void OptionsWindow::HelpClick() { program_.showMainHelp(); }

void OptionsWindow::done(int result) {
  // Any close but "Ok" undoes the changes made in the window.
  if (result != QDialog::Accepted) loadSettings();
  QDialog::done(result);
}

}  // namespace velmora::ui
