// SPDX-License-Identifier: GPL-3.0-or-later
// The operation editor's OK: the core's checks, then the batch run (or its preview) or the
// listing export, and the close steps that write the rollback log.
#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QLocale>
#include <QTime>
#include <QUrl>

#include "batch/item_notes.h"
#include "batch/name_history.h"
#include "batch/ok_checks.h"
#include "engine/name_model.h"
#include "batch/program_files.h"
#include "batch/run_pipeline.h"
#include "platform/code_page.h"
#include "platform/snapshot_file_system.h"
#include "ui/dialogs.h"
#include "ui/editor/operation_editor.h"
#include "ui/program.h"
#include "ui/qt_text.h"
#include "ui/run_summary.h"
#include "ui/translations.h"
#include "ui_operation_editor.h"

namespace velmora::ui {

using engine::OperationKind;

namespace {

/// Runs of at most this many items (hand-picked, or files in the folder) go without the
/// progress window, unless they take every layer.
constexpr int kSmallRunItems = 18;

/// The run's view of the windows: the progress window and events, and what the editor tells
/// the main list.
class EditorRunHooks final : public ProgressRunHooks {
 public:
  EditorRunHooks(OperationEditor& editor, ProgressPort* progress, batch::StopFlag* stop = nullptr,
                 std::function<void()> beforeWindow = {})
      : ProgressRunHooks(progress, stop, std::move(beforeWindow)), editor_(editor) {}
  void addEntry(const std::string& text) override { emit editor_.entryAdded(FromPath(text)); }
  void clearList() override { emit editor_.listCleared(); }

 private:
  OperationEditor& editor_;
};

}  // namespace

void OperationEditor::okClicked() { OK(); }

void OperationEditor::previewClicked() {
  runMode_ = batch::RunMode::Preview;
  program_.preview().clearRows();
  // "Preview" and the editor's caption after the product name, at most 35 characters.
  const QString caption = windowTitle();
  const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
  previewCaption_ = (tr("Preview") + (dash >= 0 ? caption.mid(dash) : QString())).left(35);
  OK();
  runMode_ = batch::RunMode::Rename;
}

void OperationEditor::focusField(const std::string& field) {
  if (field.empty()) return;
  // The save page's "Other" text is a listing choice, not a field of the record.
  const batch::FieldInfo* info = batch::FindField(field);
  const QString control = info ? QString::fromStdString(info->control) : field == "otherText" ? QStringLiteral("Edit3") : QString();
  if (QWidget* w = control.isEmpty() ? nullptr : findChild<QWidget*>(control)) w->setFocus();
}

void OperationEditor::OK() {
  if (running_) return;  // a click that arrives while a run processes events
  app::AppState& state = program_.state();
  const OperationKind kind = state.kind();
  const batch::RunOptions options = program_.runOptions();
  engine::OperationRecord record = buildRecord();
  batch::OkRequest request{record,       state.target, runMode_, options.confirm, ui_->RichEdit2->keptPath(),
                           batch::ToOkChoices(listingSettings())};
  request.tags = &program_.tags();
  // The checks and the run's walk share one read of the target folder, as on the command
  // line: a folder of 100,000 files is not read twice.
  platform::SnapshotFileSystem snapshot(program_.fs());
  const batch::OkResult result = batch::RunOkChecks(snapshot, request, program_.messages());
  // The new extension keeps its clean-up, and both boxes their dots once the run starts.
  if (kind == OperationKind::Extension) ui_->ExtensionPage->showCleanedExtensions(record);
  if (result.targetChecked) state.topLayerFileCount = result.topLayerFileCount;
  focusField(result.field);
  if (!result.run) return;
  if (kind == OperationKind::ListFolder || kind == OperationKind::ListPicked) {
    runMode_ = batch::RunMode::Rename;
    exportListing(kind);
    return;
  }
  startRun(record, snapshot);
}

// The run goes through the one run pipeline: history, journal, walk, renames, the sealed log
// and the report. The journal and the rollback log are written through the program's own
// file system: they outlive the run's snapshot.
void OperationEditor::startRun(const engine::OperationRecord& record, platform::FileSystem& fs) {
  app::AppState& state = program_.state();
  const batch::RunOptions options = program_.runOptions();
  const engine::SpecialStringSettings special = program_.specialStringSettings();
  batch::StopFlag& stop = program_.stopFlag();
  stop.clear();
  running_ = true;
  emit runStarting();
  const bool preview = runMode_ == batch::RunMode::Preview;
  const bool small = state.target.picked.size() <= static_cast<std::size_t>(kSmallRunItems) &&
                     state.topLayerFileCount <= kSmallRunItems && state.target.scope != batch::FolderScope::AllLayers;

  engine::SpecialStringExpander expander(fs, special, state.randomSeedCounter);
  expander.useMetadataReader(program_.tags());
  batch::PipelineRequest request{{record, state.target, runMode_, special.startNumber, options.previewCount,
                                  !preview && !small, options.order},
                                 state.installDir, nullptr, &expander, std::nullopt};
  request.keptRuns = options.keptRuns;
  const bool recordsHistory = !preview && !batch::NewNameTexts(record).empty();
  if (recordsHistory) {
    program_.nameHistory().setMaximum(options.historyMax);
    request.history = &program_.nameHistory();
  }
  // A long run is shown in the progress window, the editor hidden meanwhile (unless the
  // program was started for this one operation).
  EditorRunHooks hooks(*this, request.run.withProgress ? &program_.progress() : nullptr, &stop,
                       [this, &state] {
                         if (!state.handOffSession) hide();
                       });
  const batch::RunReport report = batch::RunPipeline(
      {fs, program_.fs(), platform::SystemCodePage(), program_.messages(), hooks, stop}, request);
  state.randomSeedCounter = expander.randomSeedCounter();
  if (preview) {
    program_.preview().showRows(previewCaption_, report.rows);
    stop.clear();
    running_ = false;
    return;
  }
  if (recordsHistory) refreshHistoryLists();
  QCoreApplication::processEvents();
  running_ = false;
  endRun(report);
  stop.clear();
}

void OperationEditor::endRun(const batch::RunReport& report) {
  emit runReported(RunSummary::OfRun(report.counts));
  // Every item the run left alone is named with its reason, as on the command line; the items
  // the system refused are named in one message after the run.
  std::vector<batch::SkippedItem> leftAlone;
  for (const batch::SkippedItem& item : report.skipped)
    if (item.status != batch::ItemStatus::Refused) leftAlone.push_back(item);
  if (const std::string text = batch::LeftAloneMessage(leftAlone); !text.empty()) program_.messages().warning(text);
  const QString refused = RunSummary::RefusedItems(report.skipped);
  if (report.nothingRenamed()) {
    if (!isVisible()) show();
    // A journal that refused the run has said why nothing was renamed.
    if (report.journalFailed) return;
    if (refused.isEmpty()) {
      program_.messages().information(batch::kNothingRenamedMessage);
    } else {
      program_.messages().information(ToText(CoreText(batch::kNothingRenamedMessage) + QStringLiteral("\n\n") + refused));
    }
    return;
  }
  // The log is sealed; where it could not be written the journal keeps the renames.
  if (const std::string notSaved = batch::LogNotSavedMessage(report, program_.state().installDir); !notSaved.empty())
    program_.messages().warning(notSaved);
  // Names made with the file's date or an empty text for a missing tag: named once, at the end.
  if (const std::string notes = batch::ItemNotesMessage(report.notes); !notes.empty())
    program_.messages().information(notes);
  if (!refused.isEmpty()) program_.messages().warning(ToText(refused));
  hide();
  QCoreApplication::processEvents();
  if (program_.runOptions().exitAfterRun) {
    program_.playEndSound();
    emit programEndRequested();
    return;
  }
  logPending_ = true;
  closeEditor();
  program_.playEndSound();
}

// ---- the listing export ----

void OperationEditor::exportPickedList() { exportListing(OperationKind::ListPicked); }

void OperationEditor::exportListing(OperationKind kind) {
  app::AppState& state = program_.state();
  // The save chooser starts in the folder worked on.
  const std::string working = state.target.isFolderMode() ? state.target.folder
                              : state.target.picked.empty()
                                  ? std::string()
                                  : state.target.picked.front().substr(0, engine::NameStart(state.target.picked.front()));
  if (!working.empty()) program_.dialogs().setWorkingFolder(FromPath(working));
  const auto chosen = program_.dialogs().saveListingFile(this, [this](const QString& path) {
    if (!batch::ListingReplaceQuestionApplies(program_.fs(), ToPath(path))) return true;
    return program_.messages().confirm(batch::kReplaceListingTitle, batch::kReplaceListingQuestion,
                                       batch::Buttons::OkCancel) == batch::Answer::Ok;
  });
  if (!chosen) return;
  const batch::RunOptions options = program_.runOptions();
  batch::ListingRequest request;
  request.kind = kind;
  request.target = state.target;
  request.settings = listingSettings();
  request.settings.order = options.order;
  request.chosenPath = ToPath(*chosen);
  const QLocale locale;
  request.stampLine = ToText(QStringLiteral("[") + locale.toString(QDate::currentDate(), QLocale::ShortFormat) +
                             QLatin1Char(' ') + locale.toString(QTime::currentTime(), QLocale::LongFormat) +
                             QLatin1Char(']'));
  const QString point = locale.decimalPoint();
  request.decimalSeparator = point.size() == 1 && point.front().unicode() < 128 ? point.front().toLatin1() : '.';

  batch::StopFlag& stop = program_.stopFlag();
  batch::ListingOutcome outcome;
  const bool withProgress =
      kind == OperationKind::ListFolder && request.settings.content == batch::ListingContent::AllLayers;
  if (withProgress) {
    ProgressPort& progress = program_.progress();
    EditorRunHooks hooks(*this, &progress);
    progress.run(
        [&] {
          progress.setSearching(true);
          outcome = batch::ExportListing(program_.fs(), request, options, program_.messages(), hooks, stop);
          progress.setSearching(false);
        },
        stop);
  } else {
    batch::NoHooks hooks;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    outcome = batch::ExportListing(program_.fs(), request, options, program_.messages(), hooks, stop);
    QApplication::restoreOverrideCursor();
  }
  stop.clear();
  if (outcome.openFile && outcome.write.written)
    QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(outcome.write.path)));
  if (options.exitAfterRun) {
    emit programEndRequested();
    return;
  }
  logPending_ = true;
  closeEditor();
}

// ---- closing ----

void OperationEditor::closeEditor() {
  app::AppState& state = program_.state();
  EditorClosed closing{logPending_, state.handOffSession, state.target.folder, state.target.picked};
  open_ = false;
  focusTimer_.stop();

  emit leaving(closing.handOff);
  hide();
  QCoreApplication::processEvents();
  logPending_ = false;

  state.handOffSession = false;
  state.target.picked.clear();
  state.operationKind = app::kBrowsefile;
  ui_->RichEdit2->clear();
  ui_->RichEdit2->clearCursor();
  ui_->Label2->setText(tr("Target folder,"));
  state.topLayerFileCount = 0;
  program_.preview().closePreview();
  emit closed(closing);
}

}  // namespace velmora::ui
