// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli: every operation without a window, on the same core as the desktop program.

#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <climits>
#include <ctime>
#include <fstream>
#include <iostream>
#include <functional>
#include <optional>
#include <nlohmann/json.hpp>

#include "batch/batch_run.h"
#include "batch/name_history.h"
#include "batch/ok_checks.h"
#include "batch/presets.h"
#include "batch/program_files.h"
#include "batch/program_info.h"
#include "batch/record_fields.h"
#include "batch/rollback_log.h"
#include "batch/run_pipeline.h"
#include "batch/undo.h"
#include "batch/undo_history.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/fields_command.h"
#include "cli/meta_command.h"
#include "cli/list_command.h"
#include "cli/path_list.h"
#include "cli/progress_line.h"
#include "cli/terminal_prompt.h"
#include "engine/extension_rules.h"
#include "engine/name_model.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/snapshot_file_system.h"
#include "platform/user_dirs.h"

namespace velmora::cli {

namespace {

using batch::Answer;
using batch::Buttons;
using engine::OperationKind;
using nlohmann::json;

struct GlobalOptions {
  std::string folder;
  int scope = 0;
  std::vector<std::string> paths;
  std::vector<std::string> fromFiles;  ///< lists of paths ("-": stdin)
  bool nulSeparated = false;
  std::vector<std::string> sets;
  std::string recordFile;
  std::string preset;
  std::string order = "name";
  std::optional<std::string> include, exclude;
  bool preview = false;
  std::string previewCount = "20";
  std::string stateDir;
  int historyMax = 20;
  int keptRuns = batch::kKeptRunsDefault;
  int undoCount = 1;
  bool undoAll = false;
  bool yes = false;
  std::string codePage;
  bool json = false;
  bool hidden = false;
  bool quiet = false;
  bool verbose = false;
};

/// The rows of --preview-count: a number from 1, or "all".
int PreviewRows(const std::string& text) {
  if (text == "all") return INT_MAX;
  return std::stoi(text);
}

/// What every command that touches the program's files takes (undo takes only these).
void AddStateOptions(CLI::App& cmd, GlobalOptions& o) {
  cmd.add_option("--state-dir", o.stateDir, "Folder of the program's own files (rollback.rbk, Newname.txt)");
  cmd.add_flag("-y,--yes", o.yes, "Answer OK (or Yes) to every question without asking");
  cmd.add_flag("--json", o.json, "Print one JSON object on stdout");
  cmd.add_flag("-q,--quiet", o.quiet, "Print no messages on stderr but errors and questions");
}

void AddCommonOptions(CLI::App& cmd, GlobalOptions& o) {
  cmd.add_option("--folder", o.folder, "Target folder (folder mode)");
  cmd.add_option("--scope", o.scope, "Folder scope: 0 ONE layer, 1 ALL layers, 2 only subfolders, 3 the folder itself")
      ->check(CLI::Range(0, 3));
  cmd.add_flag("-n,--preview", o.preview, "Show the preview rows instead of renaming");
  cmd.add_flag("-v,--verbose", o.verbose, "Print a summary line of what became of the items on stderr");
  cmd.add_option("--preview-count", o.previewCount, "Rows a preview computes: a number from 1, or all (default 20)")
      ->check([](const std::string& v) -> std::string {
        if (v == "all") return {};
        int n = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
        if (v.empty() || ec != std::errc() || end != v.data() + v.size() || n < 1) return "give a number from 1, or all";
        return {};
      });
  cmd.add_option("--history-max", o.historyMax, "New-name history maximum (0 to 100)")->check(CLI::Range(0, 100));
  cmd.add_option("--keep-runs", o.keptRuns,
                 "Earlier runs kept for undo besides this one (0 to 100, default 10; 0: the last run only)")
      ->check(CLI::Range(0, batch::kKeptRunsLimit));
  cmd.add_option("--code-page", o.codePage, "Code page for names: utf-8, 1252 or 932");
  AddStateOptions(cmd, o);
  cmd.add_flag("--hidden", o.hidden, kHiddenHelp);
  cmd.add_option("PATH", o.paths, "Hand-picked files and folders; - reads a list of them from stdin");
  cmd.add_option("--from-file", o.fromFiles, "Read hand-picked paths from FILE, one a line (- for stdin)");
  cmd.add_flag("-0,--null", o.nulSeparated, "Paths in a list are separated by NUL (find -print0), not by lines");
}

void AddRecordOptions(CLI::App& cmd, GlobalOptions& o) {
  cmd.add_option("--set", o.sets, "FIELD=VALUE: set one field of the operation")->allow_extra_args(false);
  cmd.add_option("--record", o.recordFile, "JSON file with the operation's fields");
  cmd.add_option("--preset", o.preset, "A saved preset: its fields first, then --record, then --set");
  cmd.add_option("--order", o.order, kOrderHelp);
  cmd.add_option("--include", o.include,
                 "Folder mode: only items whose names match these globs (\"*.jpg;*.jpeg\", any case), or this "
                 "pattern with --set regex=true");
  cmd.add_option("--exclude", o.exclude, "Folder mode: no items whose names match these globs (or this pattern)");
}

/// The command's state: settings, target, state folder, code page, messages.
class Session {
 public:
  Session(GlobalOptions& options, std::ostream& out, std::ostream& err)
      : o_(options), out_(out), err_(err), messages_(err, options.json, options.yes, options.quiet),
        progress_(err, !options.json && !options.quiet && IsTerminal(2) && !(options.preview && IsTerminal(1))) {}

  void prepare() {
    if (!o_.folder.empty() && (!o_.paths.empty() || !o_.fromFiles.empty()))
      throw UsageError("give either --folder or PATHs, not both");
    if (o_.codePage.empty()) {
      codePage_ = &platform::SystemCodePage();
    } else if (!(codePage_ = platform::CodePageByName(o_.codePage))) {
      throw UsageError("unknown code page '" + o_.codePage + "' (utf-8, 1252 or 932)");
    }
    stateDir_ = o_.stateDir.empty() ? platform::DefaultProgramFolder() : Absolute(o_.stateDir);
    // Without its folder a run could not be undone: refuse before anything is renamed.
    if (!fs_.makeFolders(stateDir_))
      throw std::runtime_error("the program folder '" + stateDir_ + "' cannot be created");
    batch::RecoverJournal(fs_, stateDir_);
    // Walks and probes leave out hidden items (unless asked for) and the program's own folder.
    fs_.setListingRules({o_.hidden, stateDir_});
  }

  void requireTarget() {
    if (o_.folder.empty() && o_.paths.empty() && o_.fromFiles.empty())
      throw UsageError("give --folder DIR or at least one PATH");
    order_ = ParseOrderOption(o_.order);
    // Relative targets are made absolute and normalised first, so rows, the log, the
    // folder-name placeholder and the checks see the same path as for the absolute one. A
    // folder that does not exist is the target check's to refuse, as in the desktop program.
    const std::string here = platform::CurrentFolder();
    target_.scope = static_cast<batch::FolderScope>(o_.scope);
    if (!o_.folder.empty()) {
      target_.folder = platform::NormalPath(o_.folder, here);
    } else {
      for (const auto& p : o_.paths) {
        if (p == "-")
          readPathList("-", here);
        else
          target_.picked.push_back(platform::NormalPath(p, here));
      }
      for (const auto& file : o_.fromFiles) readPathList(file, here);
    }
  }

  /// The paths of a list, normalised like the others; those that do not exist are kept to be
  /// named, and the run is refused as for a missing target.
  void readPathList(const std::string& file, const std::string& here) {
    std::ifstream in;
    if (file != "-") {
      in.open(file, std::ios::binary);
      if (!in) throw UsageError("cannot read the list of paths '" + file + "'");
    }
    for (const std::string& path : ReadPathList(file == "-" ? std::cin : in, o_.nulSeparated)) {
      target_.picked.push_back(platform::NormalPath(path, here));
      if (fs_.kind(target_.picked.back()) == platform::EntryKind::Missing) missing_.push_back(target_.picked.back());
    }
  }

  void loadRecord(OperationKind kind) {
    settings_.record.kind = kind;
    if (!o_.preset.empty()) {
      if (auto error = batch::PresetNameError(o_.preset)) throw UsageError(*error);
      const std::string path = batch::PresetPath(batch::PresetsFolder(), o_.preset);
      if (!fs_.exists(path)) throw UsageError("no preset '" + o_.preset + "' (velmora-cli presets lists them)");
      loadRecordFile(path, "--preset");
    }
    if (!o_.recordFile.empty()) loadRecordFile(o_.recordFile, "--record");
    for (const auto& assignment : o_.sets) {
      const auto eq = assignment.find('=');
      if (eq == std::string::npos) throw UsageError("--set needs FIELD=VALUE, got '" + assignment + "'");
      setField(assignment.substr(0, eq), assignment.substr(eq + 1));
    }
    if (o_.include) settings_.record.includeFilter = *o_.include;
    if (o_.exclude) settings_.record.excludeFilter = *o_.exclude;
    if (!settings_.special.randomUpper && !settings_.special.randomLower && !settings_.special.randomNumbers)
      throw UsageError("at least one of randomUpper, randomLower, randomNumbers must be true");
    settings_.special.enabled = settings_.record.specialStringsEnabled =
        settings_.special.enabled && settings_.record.specialStringsEnabled;
    fillSample();
  }

  /// Sets the fields of a JSON record file (a --record file or a preset).
  void loadRecordFile(const std::string& path, const std::string& option) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UsageError("cannot read " + option + " file '" + path + "'");
    json j;
    try {
      j = json::parse(in);
    } catch (const json::exception& e) {
      throw UsageError(option + " file is not JSON: " + std::string(e.what()));
    }
    if (!j.is_object()) throw UsageError(option + " file must hold one JSON object");
    for (const auto& [key, value] : j.items()) {
      std::string text;
      if (value.is_string()) text = value.get<std::string>();
      else if (value.is_boolean()) text = value.get<bool>() ? "true" : "false";
      else if (value.is_number_integer()) text = std::to_string(value.get<long long>());
      else throw UsageError("invalid value for field '" + key + "' in " + option + " file");
      setField(key, text);
    }
  }

  void setField(const std::string& name, const std::string& value) {
    const batch::FieldInfo* field = batch::FindField(name);
    if (!field) throw UsageError(UnknownFieldText(name));
    if (batch::SetField(settings_, name, value))
      throw UsageError("invalid value '" + value + "' for field '" + name + "' (" + batch::AllowedValues(*field) + ")");
  }

  /// The sample as the desktop program takes it: the first target item's base name (the
  /// whole name for extension), without showing anything.
  void fillSample() {
    std::string first;
    if (target_.isFolderMode()) {
      if (target_.scope == batch::FolderScope::ThisFolder) {
        first = target_.folder;
      } else {
        const auto probe = batch::Probe(fs_, target_.folder);
        const std::string& name =
            (target_.scope == batch::FolderScope::SubfoldersOnly ||
             (target_.scope == batch::FolderScope::AllLayers && probe.firstFile.empty()))
                ? probe.firstFolder
                : probe.firstFile;
        if (!name.empty()) first = platform::JoinPath(target_.folder, name);
      }
    } else if (!target_.picked.empty()) {
      first = target_.picked.front();
    }
    const bool isDir = !first.empty() && fs_.isDirectory(first);
    auto& record = settings_.record;
    if (!settings_.sampleNameSet) {
      record.sample.sampleName = record.kind == OperationKind::Extension ? engine::FileNamePart(first)
                                                                          : engine::BaseName(first, isDir);
    }
    if (record.kind == OperationKind::Extension && !settings_.oldExtensionSet && !isDir) {
      std::string ext = engine::Extension(record.sample.sampleName, false);
      record.oldExtension = ext.empty() ? ext : ext.substr(1);
    }
  }

  int runOperation() {
    const batch::RunMode mode = o_.preview ? batch::RunMode::Preview : batch::RunMode::Rename;
    // The editor never lets "Only this folder name" stand on a root; neither does the CLI.
    if (target_.isFolderMode() && target_.scope == batch::FolderScope::ThisFolder &&
        platform::IsRootPath(target_.folder)) {
      messages_.information("Can not rename root directory !");
      return finish(kRefused);
    }
    if (!missing_.empty()) {
      for (const std::string& path : missing_) messages_.show("Error", "'" + Printable(path) + "' does not exist");
      return finish(kRefused);
    }
    batch::OkRequest request{settings_.record, target_, mode, false, selectedText(), {}, codePage_};
    const batch::OkResult ok = batch::RunOkChecks(fs_, request, messages_);
    if (!ok.run) {
      // The field the editor would put the focus in: named.
      if (!ok.field.empty() && !messages_.questionDeclined) {
        field_ = ok.field;
        if (!o_.json) err_ << "Field: " << ok.field << " (--set " << ok.field << "=...)\n";
      }
      return finish(kRefused);
    }
    std::optional<batch::NameHistory> history;
    if (mode == batch::RunMode::Rename) loadHistory(history);

    batch::StopFlag stop;
    StopOnSignals stopOnSignals(stop);
    PreviewPrinter hooks(*this);
    engine::SpecialStringExpander expander(fs_, settings_.special, static_cast<std::uint32_t>(std::time(nullptr)));
    batch::PipelineRequest pipeline{{settings_.record, target_, mode, settings_.special.startNumber,
                                    PreviewRows(o_.previewCount), false, order_},
                                   stateDir_, history ? &*history : nullptr, &expander, std::nullopt};
    pipeline.keptRuns = o_.keptRuns;
    const batch::RunReport report =
        batch::RunPipeline({fs_, platform::RealFileSystem(), *codePage_, messages_, hooks, stop}, pipeline);
    progress_.finish();
    if (o_.verbose) summarise(report);

    reportSkipped(report);
    if (mode == batch::RunMode::Preview) {
      // The rows went out as they came; the filler rows come at the end.
      for (std::size_t i = hooks.printed; i < report.rows.size(); ++i) printPreviewRow(report.rows[i]);
      flushLines();
      if (StopOnSignals::interrupted()) {
        messages_.show("Interrupted", "the preview was stopped.");
        return finish(kRefused);
      }
      return finish(kDone);
    }
    if (report.journalFailed && report.log.empty()) return finish(kFailure);

    report.log.forEachPair([&](std::string_view newPath, std::string_view oldPath) { printRenamed(oldPath, newPath); });
    flushLines();
    if (report.nothingRenamed()) {
      if (StopOnSignals::interrupted()) {
        messages_.show("Interrupted", "nothing was renamed.");
        return finish(kRefused);
      }
      messages_.information(batch::kNothingRenamedMessage);
      return finish(report.skipped.empty() ? kNothingRenamed : kFailure);
    }
    if (const std::string notSaved = batch::LogNotSavedMessage(report, stateDir_); !notSaved.empty()) {
      messages_.show("Warning", notSaved);
      return finish(kFailure);
    }
    if (StopOnSignals::interrupted()) {
      messages_.show("Interrupted", std::to_string(report.log.pairCount()) +
                                        " items were renamed before the stop; 'velmora-cli undo' reverses them.");
      return finish(kRefused);
    }
    return finish(report.journalFailed || !report.skipped.empty() ? kFailure : kDone);
  }

  /// What became of the items, on one line.
  void summarise(const batch::RunReport& report) {
    const batch::StatusCounts& c = report.counts;
    messages_.show("Summary", std::to_string(c.renamed) + (report.mode == batch::RunMode::Preview ? " to rename, " : " renamed, ") +
                                  std::to_string(c.numbered) + " numbered, " + std::to_string(c.unchanged) +
                                  " unchanged, " + std::to_string(c.leftAlone + c.refused) + " left alone");
  }

  /// Every item whose tags lacked what a text asked for is named, then every item the run
  /// (or the preview) left alone with the reason, one line each.
  void reportSkipped(const batch::RunReport& report) {
    // What the tags of an item lacked: the name was still made, with the stated fallback.
    for (const auto& note : report.notes) messages_.show("Note", "'" + Printable(note.path) + "': " + note.text);
    const char* const verb = report.mode == batch::RunMode::Preview ? "' would not be renamed to '" : "' was not renamed to '";
    for (const auto& item : report.skipped) {
      const std::string reason = item.reason.empty() ? batch::kSystemRefusedReason : item.reason;
      // An item that never got a new name (an unreadable folder) is named alone.
      if (item.newPath.empty() && item.reason.rfind(batch::kUnreadableFolderReason, 0) == 0)
        messages_.show("Error", "'" + Printable(item.oldPath) + "': " + reason);
      else
        messages_.show("Error", "'" + Printable(item.oldPath) + verb + Printable(item.newPath) + "': " + reason);
    }
  }

  /// The new-name history a real run records its texts in before it renames anything
  /// (remove and extension runs have none); one that cannot be read stops the run first.
  void loadHistory(std::optional<batch::NameHistory>& history) {
    if (batch::NewNameTexts(settings_.record).empty()) return;
    history.emplace(platform::RealFileSystem(), stateDir_, o_.historyMax);
    const std::string path = batch::ProgramFolderWithSeparator(stateDir_) + batch::kHistoryName;
    if (!history->load() && fs_.exists(path))
      throw std::runtime_error("the history file '" + path +
                               "' is not a regular file of a readable size: nothing was renamed");
  }

  int runUndo() {
    batch::StopFlag stop;
    StopOnSignals stopOnSignals(stop);
    batch::NoHooks hooks;
    RenamedPrinter printer(*this);
    const batch::UndoOutcome outcome = batch::RunUndo({fs_, fs_, *codePage_, messages_, hooks, stop}, stateDir_,
                                                      &printer, o_.undoAll ? 0 : o_.undoCount);
    flushLines();
    switch (outcome.kind) {
      case batch::UndoOutcome::Kind::NoLog:
        messages_.information("There is no rename operation to undo.");
        return finish(kNothingRenamed);
      case batch::UndoOutcome::Kind::UnreadableLog:
        return failure(batch::UnreadableLogMessage(stateDir_));
      case batch::UndoOutcome::Kind::Declined:
        return finish(kRefused);
      case batch::UndoOutcome::Kind::Replayed:
        break;
    }
    const batch::UndoReport& report = outcome.replay;
    if (!report.refusal.empty()) return finish(kFailure);
    if (StopOnSignals::interrupted()) return finish(kRefused);
    if (report.kept > 0 || outcome.runsUndone < outcome.runsAsked) return finish(kFailure);
    return finish(report.restored == 0 && outcome.runsUndone <= 1 ? kNothingRenamed : kDone);
  }

  /// The runs undo can reverse, newest first: number, time, items, operation, folder.
  int runHistory() {
    json runs = json::array();
    int index = 0;
    for (const batch::HistoryEntry& run : batch::ListUndoHistory(platform::RealFileSystem(), stateDir_)) {
      ++index;
      const std::string when = batch::FormatTime(run.when);
      if (o_.json) {
        json entry{{"index", index}, {"time", when}, {"items", run.items}, {"folder", JsonText(run.folder)},
                   {"log", JsonText(run.logPath)}};
        if (!run.operation.empty()) entry["operation"] = run.operation;
        runs.push_back(std::move(entry));
        continue;
      }
      lines_ += std::to_string(index) + "\t" + when + "\t" + std::to_string(run.items) + "\t" +
                (run.operation.empty() ? "-" : run.operation) + "\t";
      lines_.append(run.folder).push_back('\n');
    }
    if (!o_.json) {
      flushLines();
      return finish(kDone);
    }
    out_ << json{{"history", runs}, {"exit", kDone}}.dump() << "\n";
    out_.flush();
    return out_ ? kDone : kFailure;
  }

  /// One renamed (or restored) item: a line, or a pair in the JSON output.
  void printRenamed(std::string_view oldPath, std::string_view newPath) {
    if (!out_) return;  // stdout is gone: finish() says so once
    if (o_.json) {
      renamed_.push_back(json::array({JsonText(std::string(oldPath)), JsonText(std::string(newPath))}));
      return;
    }
    lines_.append(oldPath);
    lines_.push_back('\t');
    lines_.append(newPath);
    lines_.push_back('\n');
    if (lines_.size() >= 65536) flushLines();
  }

  void printPreviewRow(const batch::PreviewRow& row) {
    if (!out_) return;
    if (row.filler) {
      preview_.push_back(json::array({JsonText(row.oldName)}));
      if (!o_.json) lines_.append(row.oldName).append(1, '\n');
    } else {
      // A new name numbered because its name was taken is marked: a third column, and its row's
      // index in "numbered".
      if (row.numbered) numbered_.push_back(preview_.size());
      preview_.push_back(json::array({JsonText(row.oldName), JsonText(row.newName)}));
      if (!o_.json) {
        lines_.append(row.oldName).append(1, '\t').append(row.newName);
        if (row.numbered) lines_.append("\t(numbered)");
        lines_.append(1, '\n');
      }
    }
    if (lines_.size() >= 65536) flushLines();
  }

  void flushLines() {
    out_.write(lines_.data(), static_cast<std::streamsize>(lines_.size()));
    out_.flush();
    lines_.clear();
  }

  int finish(int code) {
    if (o_.json && out_) {
      json j;
      if (!field_.empty()) j["field"] = field_;
      if (!renamed_.empty()) j["renamed"] = renamed_;
      if (!preview_.empty()) j["preview"] = preview_;
      if (!numbered_.empty()) j["numbered"] = numbered_;
      if (!messages_.shown.empty()) j["messages"] = messages_.shown;
      j["exit"] = code;
      out_ << j.dump() << "\n";
    }
    out_.flush();
    if (!out_) {
      // A closed stdout (a reader that quit, `| head -1`) never stopped the command: it went to
      // its end and sealed its log; only what it printed is lost.
      err_ << "Error: the output could not be written (stdout is closed or full); the command itself went to its "
              "end.\n";
      return kFailure;
    }
    return code;
  }

  int failure(const std::string& text, int code = kFailure) {
    messages_.show("Error", text);
    return finish(code);
  }

 private:
  std::string selectedText() const {
    const auto& s = settings_.record.sample;
    return engine::Substring(s.sampleName, std::int64_t{s.selectionStart} + 1, s.selectionLength);
  }

  /// Prints each preview row as the run computes it, so a long preview streams.
  struct PreviewPrinter final : batch::RunHooks {
    explicit PreviewPrinter(Session& session) : session(session) {}
    void previewRow(const batch::PreviewRow& row) override {
      session.printPreviewRow(row);
      ++printed;
    }
    void itemDone(const batch::ItemResult& result) override { session.progress_.item(result.oldPath); }
    Session& session;
    std::size_t printed = 0;
  };

  /// Prints each item as the undo restores it, so a long undo streams.
  struct RenamedPrinter final : batch::UndoListener {
    explicit RenamedPrinter(Session& session) : session(session) {}
    void entryRestored(std::string_view from, std::string_view to) override { session.printRenamed(from, to); }
    Session& session;
  };

  GlobalOptions& o_;
  std::ostream& out_;
  std::ostream& err_;
  CliMessages messages_;
  std::string lines_;  ///< output written in blocks: 100,000 lines print quickly
  std::string field_;  ///< the field a refused check names
  // The checks and the walk's first listing share one read of the target folder.
  platform::SnapshotFileSystem snapshot_{platform::RealFileSystem()};
  platform::FileSystem& fs_ = snapshot_;
  const platform::CodePage* codePage_ = nullptr;
  std::string stateDir_;
  batch::TargetSet target_;
  batch::ItemOrder order_;
  batch::RecordSettings settings_;
  json renamed_ = json::array();
  json preview_ = json::array();
  json numbered_ = json::array();           ///< indexes of the preview rows that were numbered
  std::vector<std::string> missing_;        ///< listed paths that do not exist
  ProgressLine progress_;
};

/// velmora-cli's command line: every command with its options, bound to the values a run reads.
struct CommandLine {
  /// With a command word, the operation commands but that one come without their options:
  /// a line parses only the options of the command it names, and making those of every
  /// command was most of a short run's own work.
  explicit CommandLine(std::string_view word = {}) {
    app.set_version_flag("--version", std::string("velmora-cli ") + VELMORA_VERSION + "\n" + batch::kLicenceNotice);
    app.set_help_all_flag("--help-all", "Print every command's options and exit");
    app.require_subcommand(1);
    for (const OperationCommand& c : kOperationCommands) {
      CLI::App* cmd = app.add_subcommand(c.name, c.help);
      if (word.empty() || word == c.name) {
        AddCommonOptions(*cmd, options);
        AddRecordOptions(*cmd, options);
      }
      cmd->footer(ExampleFooter(c.example));
      commands.emplace_back(&c, cmd);
    }
    undo = app.add_subcommand("undo", "Reverse the last run recorded in rollback.rbk");
    AddStateOptions(*undo, options);
    undo->add_option("--count", options.undoCount, "Undo the last N runs, newest first (default 1)")
        ->check(CLI::Range(1, batch::kKeptRunsLimit + 1));
    undo->add_flag("--all", options.undoAll, "Undo every run of the history, newest first")->excludes("--count");
    undo->footer(ExampleFooter(kUndoExample));
    history = app.add_subcommand("history", "List the runs undo can reverse, newest first");
    AddStateOptions(*history, options);
    history->footer(ExampleFooter(kHistoryExample));
    list.emplace(app);
    presets = app.add_subcommand("presets", "List the saved presets (--preset NAME runs one)");
    presets->add_flag("--json", presetsJson, "Print one JSON object on stdout");
    presets->footer(ExampleFooter(kPresetsExample));
    fields.emplace(app);
    meta.emplace(app);
  }

  CLI::App app{"velmora-cli: rename many files and folders in one go"};
  GlobalOptions options;
  std::vector<std::pair<const OperationCommand*, CLI::App*>> commands;
  CLI::App* undo = nullptr;
  CLI::App* history = nullptr;
  std::optional<ListCommand> list;
  CLI::App* presets = nullptr;
  bool presetsJson = false;
  std::optional<FieldsCommand> fields;
  std::optional<MetaCommand> meta;
};

/// " (did you mean 'x' or 'y'?)" for the names close to a mistyped one, "" for none.
std::string DidYouMean(const std::string& word, const std::vector<std::string>& known) {
  const auto near = batch::NearestNames(word, known);
  if (near.empty()) return {};
  std::string text = " (did you mean '";
  for (std::size_t i = 0; i < near.size(); ++i) text += (i ? "' or '" : "") + near[i];
  return text + "'?)";
}

std::string UnknownCommandText(const CLI::App& app, const std::string& word) {
  std::vector<std::string> names;
  for (const CLI::App* c : app.get_subcommands([](const CLI::App*) { return true; })) names.push_back(c->get_name());
  return "unknown command '" + word + "'" + DidYouMean(word, names);
}

/// Arguments the command line did not take: a mistyped option gets the command's options
/// that are close to it.
std::string ExtrasText(const CLI::App& app, const CLI::ExtrasError& e) {
  std::string text = e.what();
  const CLI::App* command = &app;
  for (const CLI::App* c : app.get_subcommands()) command = c;
  std::vector<std::string> options;
  for (const CLI::Option* option : command->get_options())
    for (const std::string& name : option->get_lnames()) options.push_back("--" + name);
  for (const std::string& extra : command->remaining()) {
    if (extra.rfind("--", 0) != 0) continue;
    const std::string word = extra.substr(0, extra.find('='));
    text += "; '" + word + "'" + (DidYouMean(word, options).empty() ? " is no option" : DidYouMean(word, options));
  }
  return text;
}

}  // namespace

void WithCommandLine(const std::function<void(const CLI::App&)>& use) {
  const CommandLine line;
  use(line.app);
}

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  // A line that starts with an option (--help-all among them) gets every command whole.
  CommandLine line(argc > 1 && argv[1][0] != '-' ? std::string_view(argv[1]) : std::string_view());
  CLI::App& app = line.app;

  // With --json anywhere on the line, even a usage error prints its one JSON object.
  bool jsonWanted = false;
  for (int i = 1; i < argc; ++i) jsonWanted = jsonWanted || std::string_view(argv[i]) == "--json";
  const auto usage = [&](const std::string& text) { return ReportUsage(out, err, jsonWanted, text); };

  // CLI11 alone would only say that a command is missing; name the word it did not know.
  if (argc > 1 && argv[1][0] != '-' &&
      app.get_subcommands([&](const CLI::App* c) { return c->get_name() == argv[1]; }).empty())
    return usage(UnknownCommandText(app, argv[1]));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ExtrasError& e) {
    return usage(ExtrasText(app, e));
  } catch (const CLI::ParseError& e) {
    return usage(e.what());
  }

  if (line.list->parsed()) return line.list->run(out, err);
  if (line.fields->parsed()) return line.fields->run(out, err);
  if (line.meta->parsed()) return line.meta->run(out, err);
  if (line.presets->parsed()) {
    const std::vector<std::string> names = batch::ListPresets(platform::RealFileSystem(), batch::PresetsFolder());
    if (line.presetsJson) {
      out << json{{"presets", names}, {"exit", 0}}.dump() << "\n";
    } else {
      for (const std::string& name : names) out << name << "\n";
    }
    return kDone;
  }
  Session session(line.options, out, err);
  try {
    session.prepare();
    if (line.undo->parsed()) return session.runUndo();
    if (line.history->parsed()) return session.runHistory();
    for (const auto& [command, cmd] : line.commands) {
      if (!cmd->parsed()) continue;
      session.requireTarget();
      session.loadRecord(command->kind);
      return session.runOperation();
    }
  } catch (const UsageError& e) {
    return usage(e.what());
  } catch (const std::exception& e) {
    return session.failure(e.what());
  }
  return kUsage;
}

}  // namespace velmora::cli
