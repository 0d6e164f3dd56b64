// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <optional>

#include "app/file_manager_integration.h"
#include "app/settings_store.h"
#include "batch/name_history.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"

namespace velmora::ui {

namespace {

constexpr int kPreviewCountDefault = 20;
constexpr int kHistoryMaximumDefault = 20;
constexpr const char* kNotANumberMessage = "Please input a number!";
constexpr const char* kNotANumberTitle = "Error";
constexpr const char* kTooBigTitle = "Information";

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, bool checked) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  return c;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

/// A whole number in decimal with an optional sign; digits beyond the range of a long long
/// still make a number, one far out of the field's range.
std::optional<long long> WholeNumber(const QString& text) {
  qsizetype i = 0;
  if (!text.isEmpty() && (text.front() == QLatin1Char('+') || text.front() == QLatin1Char('-'))) ++i;
  if (i == text.size()) return std::nullopt;
  for (qsizetype j = i; j < text.size(); ++j)
    if (text.at(j) < QLatin1Char('0') || text.at(j) > QLatin1Char('9')) return std::nullopt;
  bool ok = false;
  const long long value = text.toLongLong(&ok);
  if (ok) return value;
  return text.front() == QLatin1Char('-') ? std::numeric_limits<long long>::min()
                                          : std::numeric_limits<long long>::max();
}

}  // namespace

// ---- number field ----

NumberField::NumberField(const char* name, int minimum, int maximum, const char* tooBigMessage,
                         batch::Messages& messages, QWidget* parent)
    : QWidget(parent),
      messages_(messages),
      minimum_(minimum),
      maximum_(maximum),
      tooBigMessage_(tooBigMessage),
      position_(minimum) {
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QString::fromLatin1(name));
  edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  const auto arrow = [this](Qt::ArrowType type, const char* suffix) {
    auto* b = new QToolButton(this);
    b->setObjectName(edit_->objectName() + QLatin1String(suffix));
    b->setArrowType(type);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    b->setFixedSize(16, (edit_->sizeHint().height() + 1) / 2);
    return b;
  };
  up_ = arrow(Qt::UpArrow, "Up");
  down_ = arrow(Qt::DownArrow, "Down");
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(edit_);
  layout->addLayout(arrows);

  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  connect(edit_, &QLineEdit::textChanged, this, &NumberField::textChanged);
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
  edit_->installEventFilter(this);
}

bool NumberField::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys move the position as the arrows do.
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void NumberField::setPosition(int value) {
  edit_->setText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void NumberField::step(int by) { setPosition(position_ + by); }

void NumberField::textChanged(const QString& text) {
  const std::optional<long long> value = WholeNumber(text);
  if (!value) {
    messages_.warning(kNotANumberMessage, kNotANumberTitle);
    // Undoing the edit brings back the text before it, which was checked then; a text
    // set from outside has no edit to undo.
    QSignalBlocker quiet(edit_);
    if (edit_->isUndoAvailable()) edit_->undo();
    if (!WholeNumber(edit_->text())) edit_->setText(lastGood_);
    edit_->setFocus();
  } else if (*value > maximum_) {
    {
      QSignalBlocker quiet(edit_);
      edit_->setText(QString::number(maximum_));
    }
    messages_.warning(tooBigMessage_, kTooBigTitle);
  } else if (*value < minimum_) {
    QSignalBlocker quiet(edit_);
    edit_->setText(QString::number(minimum_));
  }
  lastGood_ = edit_->text();
  position_ = static_cast<int>(std::clamp(WholeNumber(lastGood_).value_or(position_), static_cast<long long>(minimum_),
                                          static_cast<long long>(maximum_)));
}

// ---- the window ----

OptionsWindow::OptionsWindow(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), launcherPath_(app::DefaultLauncherPath()) {
  setObjectName(QStringLiteral("TForm7"));
  setWindowTitle(QStringLiteral("Options"));
  setWindowModality(Qt::ApplicationModal);

  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("PageControl1"));

  auto* general = new QWidget;
  general->setObjectName(QStringLiteral("TabSheet1"));
  exitAfterRun_ = MakeCheck(general, "CheckBox1", QStringLiteral("Exit automatically after one operation"), false);
  displayResult_ = MakeCheck(general, "CheckBox3", QStringLiteral("Display result after rename files"), true);
  confirm_ = MakeCheck(general, "CheckBox6", QStringLiteral(" Display OK confirmation box when begin rename"), false);
#ifdef _WIN32
  contextMenu_ = MakeCheck(general, "CheckBox7", QStringLiteral(" Intergrate with Windows Explorer context menu"), true);
#else
  contextMenu_ = MakeCheck(general, "CheckBox7", tr(" Integrate with the file manager's context menu"), true);
#endif
  // Whether the entries are in place now, which the check box alone does not tell.
  fileManagerState_ = new QLabel(general);
  fileManagerState_->setObjectName(QStringLiteral("FileManagerState"));
  fileManagerState_->setIndent(22);
  hidden_ = MakeCheck(general, "CheckBoxHidden", tr("Include hidden files and folders"), false);
  auto* g = new QVBoxLayout(general);
  g->setContentsMargins(10, 12, 8, 10);
  g->setSpacing(12);
  for (QCheckBox* c : {exitAfterRun_, displayResult_, confirm_, contextMenu_}) g->addWidget(c);
  g->addWidget(fileManagerState_);
  g->addWidget(hidden_);
  g->addStretch();
  tabs->addTab(general, QStringLiteral("General"));

  auto* rename = new QWidget;
  rename->setObjectName(QStringLiteral("TabSheet2"));
  autocopy_ = MakeCheck(rename, "CheckBox4", QStringLiteral("Automatically copy to input box when use mouse select"), true);
  autocopy_->setToolTip(QStringLiteral("when select part of one old filename"));
  excludeSmallWords_ =
      MakeCheck(rename, "CheckBox5", QStringLiteral("Exclude 'a,and,of' etc. when Capitalize every words"), true);
  dontOpenListing_ = MakeCheck(rename, "CheckBox2", QStringLiteral("Don't open file after save filenames "), false);
  previewCount_ = new NumberField("Edit1", 1, 1000, "Should not more than 1000.", program_.messages(), rename);
  previewCount_->setPosition(kPreviewCountDefault);
  auto* previewLabel = new QLabel(QStringLiteral("Preview files number: "), rename);
  previewLabel->setObjectName(QStringLiteral("Label1"));
  previewLabel->setBuddy(previewCount_->edit());
  auto* r = new QVBoxLayout(rename);
  r->setContentsMargins(10, 12, 8, 10);
  r->setSpacing(12);
  for (QCheckBox* c : {autocopy_, excludeSmallWords_, dontOpenListing_}) r->addWidget(c);
  auto* previewRow = new QHBoxLayout;
  previewRow->addWidget(previewLabel);
  previewRow->addWidget(previewCount_);
  previewRow->addStretch();
  r->addSpacing(6);
  r->addLayout(previewRow);
  // The order of the items that ordered numbers follow; the entries in OrderKey's order.
  order_ = new QComboBox(rename);
  order_->setObjectName(QStringLiteral("ComboBoxOrder"));
  order_->addItems({tr("Name"), tr("Natural (IMG_9 before IMG_10)"), tr("Date modified"), tr("Size")});
  auto* orderLabel = new QLabel(tr("Numbering order:"), rename);
  orderLabel->setObjectName(QStringLiteral("LabelOrder"));
  orderLabel->setBuddy(order_);
  orderDescending_ = MakeCheck(rename, "CheckBoxOrderDescending", tr("Descending"), false);
  auto* orderRow = new QHBoxLayout;
  orderRow->addWidget(orderLabel);
  orderRow->addWidget(order_);
  orderRow->addWidget(orderDescending_);
  orderRow->addStretch();
  r->addLayout(orderRow);
  r->addStretch();
  tabs->addTab(rename, QStringLiteral("Rename"));

  auto* history = new QWidget;
  history->setObjectName(QStringLiteral("TabSheet3"));
  historyMax_ = new NumberField("Edit2", 0, batch::kHistoryMaximumLimit, "Should not more than 100.",
                                program_.messages(), history);
  historyMax_->setPosition(kHistoryMaximumDefault);
  auto* maxLabel = new QLabel(QStringLiteral("Max Number:"), history);
  maxLabel->setObjectName(QStringLiteral("Label2"));
  maxLabel->setBuddy(historyMax_->edit());
  QPushButton* edit = MakeButton(history, "Button5", QStringLiteral("Edit"));
  QPushButton* clear = MakeButton(history, "Button6", QStringLiteral("Clear"));
  connect(edit, &QPushButton::clicked, this, &OptionsWindow::editHistoryRequested);
  connect(clear, &QPushButton::clicked, this, &OptionsWindow::clearHistoryRequested);
  auto* h = new QVBoxLayout(history);
  h->setContentsMargins(10, 12, 8, 10);
  h->setSpacing(12);
  auto* maxRow = new QHBoxLayout;
  maxRow->addWidget(maxLabel);
  maxRow->addWidget(historyMax_);
  maxRow->addStretch();
  h->addLayout(maxRow);
  auto* historyButtons = new QHBoxLayout;
  historyButtons->addWidget(edit);
  historyButtons->addWidget(clear);
  historyButtons->addStretch();
  h->addLayout(historyButtons);
  h->addStretch();
  tabs->addTab(history, QStringLiteral("New name list"));

  // The two options are never both on, whoever changes them (a click, "Default", loading).
  connect(exitAfterRun_, &QCheckBox::toggled, this, [this](bool on) { displayResult_->setChecked(!on); });
  connect(displayResult_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) exitAfterRun_->setChecked(false);
  });

  QPushButton* defaults = MakeButton(this, "Button4", QStringLiteral("Default"));
  QPushButton* ok = MakeButton(this, "Button1", QStringLiteral("Ok"));
  QPushButton* cancel = MakeButton(this, "Button2", QStringLiteral("Cancel"));
  QPushButton* help = MakeButton(this, "Button3", QStringLiteral("Help"));
  // Enter in the check boxes and number fields reaches the dialog, which presses "Ok".
  ok->setDefault(true);
  connect(defaults, &QPushButton::clicked, this, &OptionsWindow::DefaultClick);
  connect(ok, &QPushButton::clicked, this, &OptionsWindow::OkClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &OptionsWindow::HelpClick);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &OptionsWindow::HelpClick);
  // Alt letters: the button bar's first, then each page's own around them (a hidden page's
  // letters never compete with the shown one's).
  const QString barLetters = AddMnemonics({ok, cancel, help, defaults}, QString());
  for (QWidget* page : {general, rename, history}) AddMnemonics(page->findChildren<QAbstractButton*>(), barLetters);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(defaults);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  setFixedSize(401, 394);

  for (QCheckBox* c : findChildren<QCheckBox*>()) connect(c, &QCheckBox::toggled, this, &OptionsWindow::publish);
  connect(order_, &QComboBox::currentIndexChanged, this, &OptionsWindow::publish);
  // After the field's own check, which sets its position.
  for (NumberField* n : {previewCount_, historyMax_})
    connect(n->edit(), &QLineEdit::textChanged, this, &OptionsWindow::publish);
  publish();
}

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
  o.order = {static_cast<batch::OrderKey>(order_->currentIndex()), orderDescending_->isChecked()};
  o.includeHidden = hidden_->isChecked();
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
  previewCount_->setPosition(o.previewCount);
  historyMax_->setPosition(o.historyMax);
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
  setOrder(o.order);
  hidden_->setChecked(o.includeHidden);
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
  if (!event->spontaneous()) shownHistoryMaximum_ = historyMax_->position();
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
      ToText(QStringLiteral("The file manager entries could not be changed:\n") + result.problems.join(QLatin1Char('\n'))),
      "Warning");
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
