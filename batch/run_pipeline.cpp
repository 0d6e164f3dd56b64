// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/run_pipeline.h"

#include "batch/name_history.h"
#include "batch/program_files.h"
#include "batch/rollback_log.h"

#include <algorithm>

namespace velmora::batch {

RunReport RunPipeline(const RunServices& services, const PipelineRequest& request) {
  const bool renaming = request.run.mode == RunMode::Rename;
  RunReport report;
  report.mode = request.run.mode;

  // 1. The history: a real run records the texts entered for it before anything is renamed.
  if (renaming && request.history) RecordNewNames(*request.history, request.run.record);
  if (renaming) services.hooks.clearList();

  // 2. The lock and the journal: no rename happens before its pair is in the journal, and a
  //    journal another run holds refuses this one (the run says so when it opens it).
  std::optional<RunJournal> journal;
  if (renaming) {
    journal.emplace(services.programFs, request.programFolder);
    journal->syncWhenSaved();  // sealed as the log below: synced once there
  }

  // 3. The walk and the plan, and 4. the renames.
  std::optional<engine::SpecialStringExpander> ownExpander;
  engine::SpecialStringExpander* expander = request.expander;
  if (!expander) expander = &ownExpander.emplace(services.fs, engine::SpecialStringSettings{}, 0);
  BatchRun run(services.fs, services.codePage, services.messages, services.hooks, services.stop, *expander);
  if (journal) run.setJournal(&*journal);
  services.hooks.carryOut(request.run.withProgress, [&] {
    if (request.pairs)
      run.executePairs(request.run, *request.pairs);
    else
      run.execute(request.run);
  });

  report.counts = run.counts();
  report.skipped = std::move(run.skipped());
  report.rows = std::move(run.previewRows());
  report.journalFailed = run.journalFailed();
  report.notes = expander->takeNotes();
  report.log = std::move(run.log());
  if (!journal) return report;

  // 5. The seal: the journal becomes the log (or the log is written beside it); with nothing
  //    renamed the journal holds nothing to recover and goes.
  //    The log it replaces is kept as the newest earlier run first.
  if (report.log.empty()) {
    journal->discard();
    return report;
  }
  KeepCurrentLog(services.programFs, request.programFolder, request.keptRuns);
  if (SaveRollbackLog(services.programFs, request.programFolder, report.log, &*journal)) {
    WriteRunInfo(services.programFs, request.programFolder, request.run.record.kind);
    journal->discard();
    report.logOutcome = LogOutcome::Saved;
  } else {
    report.logOutcome = LogOutcome::InJournal;
  }
  return report;
}

std::string LogNotSavedMessage(const RunReport& report, const std::string& programFolder) {
  if (report.logOutcome != LogOutcome::InJournal) return {};
  return engine::FillText(VELMORA_TEXT("Core", "The rollback log could not be written; the renames are kept in %1."),
                          {ProgramFolderWithSeparator(programFolder) + kJournalName});
}

std::string LeftAloneMessage(const std::vector<SkippedItem>& skipped) {
  if (skipped.empty()) return {};
  std::string text = skipped.size() == 1 ? std::string(VELMORA_TEXT("Core", "1 item was left alone:"))
                                         : engine::FillText(VELMORA_TEXT("Core", "%1 items were left alone:"),
                                                            {std::to_string(skipped.size())});
  for (std::size_t i = 0; i < skipped.size() && i < kLeftAloneShown; ++i) {
    // The run's own reasons are translated; one may carry the system's text after it.
    std::string reason = skipped[i].reason.empty() ? kSystemRefusedReason : skipped[i].reason;
    for (const char* own : {kLineBreakReason, kReservedNameReason, kTooLongReason, kEmptyNameReason,
                            kTargetExistsReason, kSystemRefusedReason, kUnreadableFolderReason,
                            kInRenamedFolderReason}) {
      if (reason.rfind(own, 0) != 0) continue;
      reason.replace(0, std::string_view(own).size(), engine::TranslatedText("Core", own));
      break;
    }
    text.append("\n'").append(skipped[i].oldPath).append("': ").append(reason);
  }
  if (skipped.size() > kLeftAloneShown)
    text.append("\n").append(
        engine::FillText(VELMORA_TEXT("Core", "... and %1 more"), {std::to_string(skipped.size() - kLeftAloneShown)}));
  return text;
}

UndoOutcome RunUndo(const RunServices& services, const std::string& programFolder, UndoListener* listener,
                    int runs) {
  UndoOutcome outcome;
  // The lock before the log: while a run holds the folder its log is not yet written, and one
  // that ended while the question waited would have replaced the log the question was about.
  // Held from here, the log read is the one asked about and replayed, and no run starts
  // until the replay is over.
  RunJournal lock(services.programFs, programFolder);
  const JournalState state = lock.open();
  struct Release {
    RunJournal& lock;
    ~Release() { lock.discard(); }
  } release{lock};
  // A journal of a run that could not be taken over holds the newest renames: the log is
  // not the last run's.
  if (state == JournalState::Busy || state == JournalState::Kept) {
    outcome.kind = UndoOutcome::Kind::Replayed;
    outcome.replay.refusal = JournalRefusal(state, lock.path(), true);
    services.stop.clear();
    services.messages.warning(outcome.replay.refusal, VELMORA_TEXT("Core", "Error"));
    return outcome;
  }
  auto log = ReadRollbackLog(services.programFs, programFolder);
  if (!log) {
    outcome.kind = services.programFs.exists(ProgramFolderWithSeparator(programFolder) + kRollbackLogName)
                       ? UndoOutcome::Kind::UnreadableLog
                       : UndoOutcome::Kind::NoLog;
    return outcome;
  }
  const int available = static_cast<int>(CountUndoHistory(services.programFs, programFolder));
  outcome.runsAsked = runs <= 0 ? available : std::clamp(runs, 1, std::max(available, 1));
  const std::string question =
      outcome.runsAsked == 1
          ? std::string(kUndoQuestion)
          : engine::FillText(VELMORA_TEXT("Core", "Do you want to UNDO the last %1 rename operations ?"),
                             {std::to_string(outcome.runsAsked)});
  if (services.messages.confirm(kUndoTitle, question, Buttons::YesNo) != Answer::Yes) {
    outcome.kind = UndoOutcome::Kind::Declined;
    return outcome;
  }
  outcome.kind = UndoOutcome::Kind::Replayed;
  for (;;) {
    const bool withProgress = CountRollbackEntries(*log) > kUndoLinesWithoutProgress;
    services.hooks.carryOut(withProgress, [&] {
      outcome.replay = ReplayUndo(services.programFs, programFolder, *log, services.stop, services.hooks,
                                  withProgress, listener, &lock);
    });
    if (!outcome.replay.logDeleted) break;
    ++outcome.runsUndone;
    // The run before becomes the last one, so the next undo reverses it.
    if (!PromoteKeptLog(services.programFs, programFolder) || outcome.runsUndone >= outcome.runsAsked) break;
    log = ReadRollbackLog(services.programFs, programFolder);
    if (!log) {
      outcome.replay.refusal = UnreadableLogMessage(programFolder);
      break;
    }
  }
  // What could not be restored stays in the log: say so, and why nothing ran when refused.
  if (!outcome.replay.refusal.empty()) services.messages.warning(outcome.replay.refusal, VELMORA_TEXT("Core", "Error"));
  if (const std::string kept = UndoKeptMessage(outcome.replay); !kept.empty())
    services.messages.warning(kept, VELMORA_TEXT("Core", "Warning"));
  if (const std::string stopped = UndoStoppedMessage(outcome); !stopped.empty())
    services.messages.warning(stopped, VELMORA_TEXT("Core", "Warning"));
  return outcome;
}

std::string UndoStoppedMessage(const UndoOutcome& outcome) {
  if (outcome.runsAsked <= 1 || outcome.runsUndone >= outcome.runsAsked) return {};
  return engine::FillText(VELMORA_TEXT("Core", "%1 of the %2 runs asked for were undone; the undo stopped at the run "
                                               "that could not be undone completely, and the runs before it are "
                                               "kept."),
                          {std::to_string(outcome.runsUndone), std::to_string(outcome.runsAsked)});
}

}  // namespace velmora::batch
