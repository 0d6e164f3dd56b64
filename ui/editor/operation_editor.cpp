// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/operation_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenu>
#include <algorithm>

#include "app/help_topics.h"
#include "batch/command_line.h"
#include "batch/name_history.h"
#include "batch/ok_checks.h"
#include "batch/program_files.h"
#include "engine/name_model.h"
#include "ui/desktop_look.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui/translations.h"
#include "ui_operation_editor.h"

namespace velmora::ui {

using engine::OperationKind;

namespace {
constexpr int kFocusDelayMs = 100;
constexpr int kTargetLineLength = 53;
}  // namespace

// ---- construction ----

OperationEditor::OperationEditor(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), ui_(std::make_unique<Ui::OperationEditor>()) {
  ui_->setupUi(this);
  setWindowTitle(tr("Velmora - About"));
  for (int scope = 0; scope <= 3; ++scope)
    ui_->ComboBox1->addItem(CoreText(batch::ScopeText(static_cast<batch::FolderScope>(scope))));
  connect(ui_->ComboBox1, &QComboBox::currentIndexChanged, this, &OperationEditor::ComboBox1Change);

  SampleBox* sample = ui_->RichEdit2;
  connect(sample, &SampleBox::pressed, this, &OperationEditor::sampleMousePress);
  connect(sample, &SampleBox::dragged, this, &OperationEditor::sampleMouseMove);
  connect(sample, &SampleBox::autocopyToggled, this,
          [this] { program_.options().setAutocopy(!program_.runOptions().autocopy); });
  connect(sample, &QLineEdit::returnPressed, this, &OperationEditor::okClicked);
  connect(sample, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { sampleMenu()->exec(ui_->RichEdit2->mapToGlobal(pos)); });

  ui_->PresetRow->attach(program_, [this] { return recordSettings(); });
  connect(ui_->PresetRow, &PresetRow::loaded, this, &OperationEditor::applyPreset);
  connect(ui_->PresetRow, &PresetRow::copyCommandRequested, this, &OperationEditor::CopyCommandClick);
  connect(ui_->AboutPanel, &AboutPanel::backRequested, this, &OperationEditor::AboutBackClick);
  ui_->AboutPanel->hide();

  // The sidecar box keeps its room where it is hidden: one height on every page.
  QSizePolicy keepRoom = ui_->SidecarsBox->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  ui_->SidecarsBox->setSizePolicy(keepRoom);
  wireButtonBar();
  wirePages();
  // Buttons never act on Enter: Enter in the marked boxes presses OK.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  TabOrderByLayout(this);
  focusedInput_ = 1;
  showPage();

  focusTimer_.setSingleShot(true);
  focusTimer_.setInterval(kFocusDelayMs);
  connect(&focusTimer_, &QTimer::timeout, this, &OperationEditor::focusTimerFired);
}

OperationEditor::~OperationEditor() = default;

void OperationEditor::wireButtonBar() {
  struct Bar {
    QPushButton* button;
    const char* themeIcon;
    QStyle::StandardPixmap icon;
    void (OperationEditor::*slot)();
  };
  const Bar bar[] = {
      {ui_->SpeedButton15, "dialog-ok", QStyle::SP_DialogApplyButton, &OperationEditor::okClicked},
      {ui_->SpeedButton21, "document-print-preview", QStyle::SP_FileDialogContentsView,
       &OperationEditor::previewClicked},
      {ui_->SpeedButton20, "folder-open", QStyle::SP_DirOpenIcon, &OperationEditor::selectClicked},
      {ui_->SpeedButton28, "preferences-system", QStyle::SP_FileDialogDetailedView, nullptr},
      {ui_->SpeedButton19, "help-contents", QStyle::SP_MessageBoxQuestion, nullptr},
      {ui_->SpeedButton16, "help-about", QStyle::SP_MessageBoxInformation, &OperationEditor::aboutClicked},
      {ui_->SpeedButton17, "application-exit", QStyle::SP_DialogCloseButton, &OperationEditor::exitClicked},
  };
  for (const Bar& b : bar) {
    // The caption beside the glyph keeps a gap from it.
    constexpr int kGlyph = 16, kGap = 4;
    b.button->setIcon(Glyph(this, b.themeIcon, b.icon, kGlyph, kGap));
    b.button->setIconSize(QSize(kGlyph + kGap, kGlyph));
    if (b.slot) connect(b.button, &QPushButton::clicked, this, b.slot);
  }
  connect(ui_->SpeedButton28, &QPushButton::clicked, this, [this] { program_.options().showModal(); });
  connect(ui_->SpeedButton19, &QPushButton::clicked, this,
          [this] { program_.showHelpTopic(app::EditorHelpTopic(program_.state().operationKind)); });
}

void OperationEditor::wirePages() {
  // Alt mnemonics for the controls of each page; the button bar has its own.
  QString barLetters;
  for (QPushButton* b : ui_->OperationArea->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    const qsizetype marked = b->text().indexOf(QLatin1Char('&'));
    if (marked >= 0) barLetters += b->text().at(marked + 1);
  }
  barLetters = AddMnemonics({ui_->SidecarsBox}, barLetters);
  for (OperationPage* page : ui_->Pages->findChildren<OperationPage*>(Qt::FindDirectChildrenOnly)) {
    AddMnemonics(page->findChildren<QAbstractButton*>(), barLetters);
    connect(page, &OperationPage::okRequested, this, &OperationEditor::okClicked);
    connect(page, &OperationPage::inputChosen, this, [this](int code) { focusedInput_ = code; });
    connect(page, &OperationPage::sampleSelectionCleared, this, &OperationEditor::clearSelection);
    connect(page, &OperationPage::specialRequested, this, &OperationEditor::specialButtonClick);
  }
  ui_->Label4->setBuddy(ui_->RichEdit2);
}

void OperationEditor::renameFromPreview() {
  runMode_ = batch::RunMode::Rename;
  OK();
}

void OperationEditor::showSampleOf(const QString& oldPath) {
  const std::string path = ToPath(oldPath);
  const bool isDir = !oldPath.isEmpty() && oldPath.startsWith(QLatin1Char('/')) && program_.fs().isDirectory(path);
  ui_->RichEdit2->setText(FromPath(engine::BaseName(path, isDir)));
}

SampleBox* OperationEditor::sampleBox() const { return ui_->RichEdit2; }

int OperationEditor::cursorPos() const { return ui_->RichEdit2->cursorPos(); }

void OperationEditor::clearSelection() { ui_->RichEdit2->clearKeptSelection(); }

// ---- set-up ----

void OperationEditor::openModal() { openOn(Qt::ApplicationModal); }

void OperationEditor::openNonModal() { openOn(Qt::NonModal); }

void OperationEditor::openOn(Qt::WindowModality modality) {
  setWindowModality(modality);
  showOperationArea(true);
  FormShow();
  show();
  raise();
  activateWindow();
}

void OperationEditor::showAbout() {
  setWindowModality(Qt::ApplicationModal);
  showOperationArea(false);
  FormShow();
  show();
  raise();
}

void OperationEditor::showOperationArea(bool shown) {
  ui_->OperationArea->setVisible(shown);
  ui_->AboutPanel->setVisible(!shown);
  adjustSize();
}

bool OperationEditor::aboutShown() const { return !ui_->AboutPanel->isHidden(); }

void OperationEditor::FormShow() {
  app::AppState& state = program_.state();
  open_ = true;
  emit opened();
  runMode_ = batch::RunMode::Rename;
  logPending_ = false;
  if (state.kind() == OperationKind::NoOperation) {
    setWindowTitle(tr("Velmora - About"));
    if (!aboutShown()) showOperationArea(false);
    return;
  }
  // A folder target ends in a separator (the root "/" is one); no folder is the
  // hand-picked mode.
  std::string& folder = state.target.folder;
  if (!folder.empty()) folder = batch::ProgramFolderWithSeparator(folder);
  if (state.handOffSession) {
    program_.options().loadSettings();
    if (!folder.empty()) emit handOffFolderShown(FromPath(folder));
  }
  refreshHistoryLists();
  setTargetLine();
  setSample();
  showPage();
  ui_->SpeedButton21->setEnabled(!state.isKind(OperationKind::ListFolder));
  focusTimer_.start();
  setCaptionForOperation();
  adjustSize();
}

void OperationEditor::setCaptionForOperation() {
  QString title;
  switch (program_.state().kind()) {
    case OperationKind::Remove: title = tr("Velmora - Remove string"); break;
    case OperationKind::Replace: title = tr("Velmora - Replace string"); break;
    case OperationKind::Insert: title = tr("Velmora - Insert string"); break;
    case OperationKind::Change: title = tr("Velmora - Change to new name"); break;
    case OperationKind::Extension: title = tr("Velmora - Edit Extention part"); break;
    default: title = tr("Velmora - Save filenames"); break;
  }
  setWindowTitle(title);
}

void OperationEditor::setTargetLine() {
  const app::AppState& state = program_.state();
  if (state.target.folder.empty()) {
    ui_->Label2->setText(tr("Target file(s),"));
    ui_->Label1->setText(tr("total %n file(s)", nullptr, static_cast<int>(state.target.picked.size())));
    ui_->Label1->setToolTip(QString());
    ui_->Panel12->hide();
    return;
  }
  const QString path = FromPath(state.target.folder);
  ui_->Label1->setText(path.size() <= kTargetLineLength ? path
                                                         : path.left(18) + QStringLiteral(" ... ") + path.right(26));
  ui_->Label1->setToolTip(path);
  ui_->Panel12->setVisible(!state.isKind(OperationKind::ListFolder));
  showScope(state.target.scope);
}

void OperationEditor::showScope(batch::FolderScope scope) {
  settingScope_ = true;
  ui_->ComboBox1->setCurrentIndex(static_cast<int>(scope));
  settingScope_ = false;
}

void OperationEditor::setSampleText(const QString& text, const QString& hint) {
  ui_->RichEdit2->setText(text);
  ui_->RichEdit2->setCursorPosition(0);
  ui_->RichEdit2->setToolTip(hint);
}

void OperationEditor::setSample() {
  const app::AppState& state = program_.state();
  platform::FileSystem& fs = program_.fs();
  std::string sample = state.samplePath;
  while (sample.size() > 1 && platform::IsSeparator(sample.back())) sample.pop_back();
  const bool isDir = !sample.empty() && fs.isDirectory(sample);
  const bool wholeName = state.isKind(OperationKind::Extension) || state.isKind(OperationKind::ListFolder);
  if (wholeName) {
    setSampleText(FromPath(engine::FileNamePart(sample)), FromPath(sample));
  } else if (!state.target.folder.empty() && state.target.scope == batch::FolderScope::ThisFolder) {
    setSampleText(FromPath(platform::LastComponent(state.target.folder)), FromPath(state.target.folder));
  } else {
    setSampleText(FromPath(engine::BaseName(sample, isDir)), FromPath(sample));
  }
  if (state.isKind(OperationKind::Extension)) {
    const std::string ext = engine::Extension(sample, isDir);
    ui_->ExtensionPage->setOldExtension(FromPath(ext.empty() ? ext : ext.substr(1)));
  }
}

OperationPage* OperationEditor::currentPage() const {
  switch (program_.state().kind()) {
    case OperationKind::Remove: return ui_->RemovePage;
    case OperationKind::Replace: return ui_->ReplacePage;
    case OperationKind::Insert: return ui_->InsertPage;
    case OperationKind::Change: return ui_->ChangePage;
    case OperationKind::Extension: return ui_->ExtensionPage;
    case OperationKind::ListFolder: return ui_->SavePage;
    default: return nullptr;
  }
}

void OperationEditor::showPage() {
  const OperationKind kind = program_.state().kind();
  OperationPage* page = currentPage();
  // Every page keeps its place in the stack, so the editor has one height across them.
  ui_->Pages->setVisible(page != nullptr);
  if (page) ui_->Pages->setCurrentWidget(page);
  ui_->PresetRow->setVisible(batch::CommandName(kind)[0] != '\0');
  static const batch::FieldInfo* const sidecars = batch::FindField("sidecarsFollow");
  ui_->SidecarsBox->setVisible(batch::UsedBy(*sidecars, kind));
  ui_->PresetRow->refresh();
  markSampleLetter(page);
}

void OperationEditor::markSampleLetter(OperationPage* page) {
  // Alt and a letter of the sample's label reaches the sample box: one that no button of the
  // bar, the presets row or this page takes (a hidden page's letters never compete), else
  // one that at least the bar and the presets row leave free (Alt then moves between the
  // controls that share it).
  const auto lettersOf = [](const QList<QAbstractButton*>& buttons) {
    QString taken;
    for (QAbstractButton* b : buttons) {
      const qsizetype marked = b->text().indexOf(QLatin1Char('&'));
      if (marked >= 0 && marked + 1 < b->text().size()) taken += b->text().at(marked + 1).toUpper();
    }
    return taken;
  };
  const QString bar = lettersOf(ui_->OperationArea->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly) +
                                ui_->PresetRow->findChildren<QAbstractButton*>());
  const QString all = bar + (page ? lettersOf(page->findChildren<QAbstractButton*>()) : QString());
  QString caption = ui_->Label4->text().remove(QLatin1Char('&'));
  for (const QString& taken : {all, bar}) {
    const auto free = std::find_if(caption.cbegin(), caption.cend(), [&](QChar c) {
      return c.isLetterOrNumber() && c.unicode() < 128 && !taken.contains(c.toUpper());
    });
    if (free == caption.cend()) continue;
    caption.insert(free - caption.cbegin(), QLatin1Char('&'));
    break;
  }
  ui_->Label4->setText(caption);
}

void OperationEditor::focusTimerFired() {
  if (OperationPage* page = currentPage()) page->focusFirstInput();
}

// ---- presets ----

batch::RecordSettings OperationEditor::recordSettings() const {
  batch::RecordSettings s;
  s.record = buildRecord();
  s.special = program_.specialStringSettings();
  return s;
}

std::string OperationEditor::commandLine() const {
  return batch::OperationCommandLine(recordSettings(), program_.state().target, program_.runOptions().order);
}

void OperationEditor::CopyCommandClick() { QApplication::clipboard()->setText(FromText(commandLine())); }

bool OperationEditor::loadPreset(const QString& name) { return ui_->PresetRow->load(name); }

void OperationEditor::setPresetsFolder(const std::string& folder) { ui_->PresetRow->setFolder(folder); }

void OperationEditor::applyPreset(const batch::RecordSettings& settings) {
  for (OperationPage* page : ui_->Pages->findChildren<OperationPage*>(Qt::FindDirectChildrenOnly))
    page->applyRecord(settings.record);
  ui_->IncludeEdit->setText(FromText(settings.record.includeFilter));
  ui_->ExcludeEdit->setText(FromText(settings.record.excludeFilter));
  ui_->SidecarsBox->setChecked(settings.record.sidecarsFollow);
  program_.specialStrings().setSettings(settings.special);
}

// ---- the new-name history ----

void OperationEditor::refreshHistoryLists() {
  batch::NameHistory& history = program_.nameHistory();
  history.setMaximum(program_.runOptions().historyMax);
  history.load();
  // With the history off the five copies are never emptied; the history file of another
  // instance may still bring them entries.
  fillHistoryLists(history.maximum() != 0 || !history.copies().empty());
}

void OperationEditor::showWholeHistory() { fillHistoryLists(true); }

void OperationEditor::fillHistoryLists(bool copiesToo) {
  const batch::NameHistory& history = program_.nameHistory();
  const auto fill = [](QComboBox* box, const std::vector<std::string>& entries) {
    const QString text = box->currentText();
    box->blockSignals(true);
    box->clear();
    for (const std::string& e : entries) box->addItem(FromText(e));
    box->setEditText(text);
    box->blockSignals(false);
  };
  fill(ui_->InsertPage->historyBox(), history.entries());
  if (!copiesToo) return;
  for (OperationPage* page : ui_->Pages->findChildren<OperationPage*>(Qt::FindDirectChildrenOnly))
    for (QComboBox* copy : page->historyCopies()) fill(copy, history.copies());
}

// ---- the sample box ----

void OperationEditor::sampleMousePress() {
  if (program_.state().isKind(OperationKind::Insert) && ui_->InsertPage->marksCursor())
    ui_->RichEdit2->markCursor();
}

void OperationEditor::sampleMouseMove() {
  SampleBox* sample = ui_->RichEdit2;
  if (!program_.runOptions().autocopy || sample->keptLength() == 0) return;
  OperationPage* page = currentPage();
  if (QLineEdit* target = page ? page->autocopyTarget(focusedInput_) : nullptr) target->setText(sample->keptText());
}

QMenu* OperationEditor::sampleMenu() { return ui_->RichEdit2->menu(program_.runOptions().autocopy); }

void OperationEditor::specialButtonClick(QComboBox* target) {
  const app::AppState& state = program_.state();
  const std::size_t items = state.target.folder.empty() ? state.target.picked.size() : 0;
  const QString token = program_.specialStrings().chooseToken(items);
  if (!token.isEmpty()) target->lineEdit()->insert(token);
  target->setFocus();
}

// ---- the record ----

engine::OperationRecord OperationEditor::buildRecord() const {
  engine::OperationRecord r;
  r.kind = program_.state().kind();
  for (OperationPage* page : ui_->Pages->findChildren<OperationPage*>(Qt::FindDirectChildrenOnly))
    page->fillRecord(r);
  r.includeFilter = ToText(ui_->IncludeEdit->text());
  r.excludeFilter = ToText(ui_->ExcludeEdit->text());
  r.sidecarsFollow = ui_->SidecarsBox->isChecked();
  r.specialStringsEnabled = program_.specialStringSettings().enabled;
  r.excludeSmallWords = program_.runOptions().excludeSmallWords;
  const SampleBox* sample = ui_->RichEdit2;
  r.sample.sampleName = ToPath(sample->text());
  r.sample.selectionStart = sample->keptStartBytes();
  r.sample.selectionLength = sample->keptLengthBytes();
  r.sample.cursorPos = sample->cursorPos();
  return r;
}

batch::ListingSettings OperationEditor::listingSettings() const { return ui_->SavePage->listingSettings(); }

// ---- the scope list ----

void OperationEditor::ComboBox1Change(int index) {
  if (settingScope_ || index < 0) return;
  app::AppState& state = program_.state();
  if (state.target.folder.empty()) return;
  batch::Messages& messages = program_.messages();
  platform::FileSystem& fs = program_.fs();
  using batch::FolderScope;
  FolderScope& scope = state.target.scope;
  scope = static_cast<FolderScope>(index);
  std::string answer = batch::FirstTargetItem(fs, state.target, state.kind(), messages, &state.topLayerFileCount);
  if (answer.empty()) {
    std::string second;
    if (scope == FolderScope::OneLayer) {
      scope = FolderScope::SubfoldersOnly;
      showScope(FolderScope::AllLayers);
      second = batch::FirstTargetItem(fs, state.target, state.kind(), messages);
      scope = FolderScope::AllLayers;
      answer = second;
    }
    if (scope == FolderScope::SubfoldersOnly || (scope == FolderScope::AllLayers && second.empty())) {
      scope = FolderScope::ThisFolder;
      showScope(FolderScope::ThisFolder);
    }
    if (scope == FolderScope::ThisFolder) answer = state.target.folder;
  }
  std::string folder = state.target.folder;
  while (folder.size() > 1 && platform::IsSeparator(folder.back())) folder.pop_back();
  if (scope == FolderScope::ThisFolder && platform::IsRootPath(folder)) {
    messages.information(ToText(tr("Can not rename root directory !")));
    scope = FolderScope::SubfoldersOnly;
    showScope(FolderScope::SubfoldersOnly);
  }
  SampleBox* sample = ui_->RichEdit2;
  switch (scope) {
    case FolderScope::OneLayer:
      sample->setText(FromPath(engine::BaseName(answer, false)));
      break;
    case FolderScope::AllLayers:
      if (fs.kind(platform::JoinPath(state.target.folder, answer)) == platform::EntryKind::File)
        sample->setText(FromPath(engine::BaseName(answer, false)));
      break;
    case FolderScope::SubfoldersOnly:
    case FolderScope::ThisFolder: {
      std::string name = answer;
      if (name.size() > 1 && platform::IsSeparator(name.back())) name.pop_back();
      sample->setText(FromPath(platform::LastComponent(name)));
      break;
    }
  }
}

// ---- closing ----

void OperationEditor::selectClicked() { closeEditor(); }

void OperationEditor::exitClicked() {
  if (program_.state().handOffSession) {
    emit programEndRequested();
    return;
  }
  closeEditor();
}

void OperationEditor::aboutClicked() {
  showOperationArea(false);
  setWindowTitle(tr("Velmora - About"));
}

void OperationEditor::AboutBackClick() {
  if (program_.state().kind() == OperationKind::NoOperation) {
    closeEditor();
    showOperationArea(true);
    return;
  }
  showOperationArea(true);
  setCaptionForOperation();
}

void OperationEditor::reject() {
  if (aboutShown()) {
    AboutBackClick();
    return;
  }
  closeEditor();
}

void OperationEditor::closeEvent(QCloseEvent* event) {
  event->accept();
  closeEditor();
}

}  // namespace velmora::ui
