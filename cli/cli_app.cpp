// velmora-cli: every operation without a window, on the same core as the desktop program.

#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <ctime>
#include <fstream>
#include <nlohmann/json.hpp>

#include "batch/batch_run.h"
#include "batch/name_history.h"
#include "batch/ok_checks.h"
#include "batch/presets.h"
#include "batch/program_files.h"
#include "batch/record_fields.h"
#include "batch/rollback_log.h"
#include "batch/undo.h"
#include "cli/list_command.h"
#include "cli/cli_support.h"
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
  std::vector<std::string> sets;
  std::string recordFile;
  std::string preset;
  std::string order = "name";
  bool preview = false;
  int previewCount = 20;
  std::string stateDir;
  int historyMax = 20;
  bool yes = false;
  std::string codePage;
  bool json = false;
};

void AddCommonOptions(CLI::App& cmd, GlobalOptions& o) {
  cmd.add_option("--folder", o.folder, "Target folder (folder mode)");
  cmd.add_option("--scope", o.scope, "Folder scope: 0 ONE layer, 1 ALL layers, 2 only subfolders, 3 the folder itself")
      ->check(CLI::Range(0, 3));
  cmd.add_flag("--preview", o.preview, "Show the preview rows instead of renaming");
  cmd.add_option("--preview-count", o.previewCount, "Rows a preview computes (1 to 1000)")->check(CLI::Range(1, 1000));
  cmd.add_option("--state-dir", o.stateDir, "Folder of the program's own files (rollback.rbk, Newname.txt)");
  cmd.add_option("--history-max", o.historyMax, "New-name history maximum (0 to 100)")->check(CLI::Range(0, 100));
  cmd.add_flag("--yes", o.yes, "Answer OK (or Yes) to every question");
  cmd.add_option("--code-page", o.codePage, "Code page for names: utf-8, 1252 or 932");
  cmd.add_flag("--json", o.json, "Print one JSON object on stdout");
  cmd.add_option("PATH", o.paths, "Hand-picked files and folders");
}

void AddRecordOptions(CLI::App& cmd, GlobalOptions& o) {
  cmd.add_option("--set", o.sets, "FIELD=VALUE: set one field of the operation")->allow_extra_args(false);
  cmd.add_option("--record", o.recordFile, "JSON file with the operation's fields");
  cmd.add_option("--preset", o.preset, "A saved preset: its fields first, then --record, then --set");
  cmd.add_option("--order", o.order, kOrderHelp);
}

/// The command's state: settings, target, state folder, code page, messages.
class Session {
 public:
  Session(GlobalOptions& options, std::ostream& out, std::ostream& err)
      : o_(options), out_(out), messages_(err, options.json, options.yes) {}

  void prepare() {
    if (!o_.folder.empty() && !o_.paths.empty()) throw UsageError("give either --folder or PATHs, not both");
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
  }

  void requireTarget() {
    if (o_.folder.empty() && o_.paths.empty()) throw UsageError("give --folder DIR or at least one PATH");
    order_ = ParseOrderOption(o_.order);
    if (!o_.folder.empty()) {
      target_.folder = WithoutTrailingSeparator(Absolute(o_.folder));
      target_.scope = static_cast<batch::FolderScope>(o_.scope);
    } else {
      target_.scope = static_cast<batch::FolderScope>(o_.scope);
      for (const auto& p : o_.paths) target_.picked.push_back(Absolute(p));
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
      if (auto error = batch::SetField(settings_, assignment.substr(0, eq), assignment.substr(eq + 1)))
        throw UsageError(*error);
    }
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
      if (auto error = batch::SetField(settings_, key, text)) throw UsageError(*error);
    }
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
    first = WithoutTrailingSeparator(first);
    const bool isDir = !first.empty() && fs_.isDirectory(first);
    auto& record = settings_.record;
    if (!settings_.sampleNameSet) {
      record.sample.sampleName = record.kind == OperationKind::Changexten ? engine::FileNamePart(first)
                                                                          : engine::BaseName(first, isDir);
    }
    if (record.kind == OperationKind::Changexten && !settings_.oldExtensionSet && !isDir) {
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
    batch::OkRequest request{settings_.record, target_, mode, false, selectedText(), {}};
    const batch::OkResult ok = batch::RunOkChecks(fs_, request, messages_);
    if (!ok.run) return finish(kRefused);
    if (mode == batch::RunMode::Rename) recordNewNames();

    batch::StopFlag stop;
    StopOnSignals stopOnSignals(stop);
    batch::NoHooks hooks;
    engine::SpecialStringExpander expander(fs_, settings_.special, static_cast<std::uint32_t>(std::time(nullptr)));
    batch::BatchRun run(fs_, *codePage_, messages_, hooks, stop, expander);
    batch::RunJournal journal(fs_, stateDir_);
    batch::RunRequest runRequest{settings_.record, target_, mode, settings_.special.startNumber, o_.previewCount,
                                 false, order_};
    if (mode == batch::RunMode::Rename) run.setJournal(&journal);
    run.execute(runRequest);

    if (mode == batch::RunMode::Preview) {
      for (const auto& row : run.previewRows()) {
        if (row.filler) {
          preview_.push_back({row.oldName});
          if (!o_.json) out_ << row.oldName << "\n";
        } else {
          preview_.push_back({row.oldName, row.newName});
          if (!o_.json) out_ << row.oldName << "\t" << row.newName << "\n";
        }
      }
      return finish(kDone);
    }

    const auto& entries = run.log().entries();
    std::string lines;  // written in blocks: 100,000 renames print quickly
    auto flush = [&] {
      out_.write(lines.data(), static_cast<std::streamsize>(lines.size()));
      lines.clear();
    };
    for (std::size_t i = 0; i + 1 < entries.size(); i += 2) {
      if (o_.json) {
        renamed_.push_back({entries[i + 1], entries[i]});
        continue;
      }
      lines.append(entries[i + 1]).append(1, '\t').append(entries[i]).append(1, '\n');
      if (lines.size() >= 65536) flush();
    }
    flush();
    if (run.log().empty()) {
      journal.discard();
      messages_.information(batch::kNothingRenamedMessage);
      return finish(kNothingRenamed);
    }
    if (!batch::SaveRollbackLog(fs_, stateDir_, run.log())) {
      messages_.show("Warning", journal.active()
                                    ? "The rollback log could not be written; the renames are kept in " +
                                          batch::ProgramFolderWithSeparator(stateDir_) + batch::kJournalName + "."
                                    : std::string("The rollback log could not be written; this run cannot be undone."));
      return finish(kFailure);
    }
    journal.discard();
    return finish(kDone);
  }

  /// A real run records the texts entered for it before it renames anything, as the
  /// desktop program does; remove and extension runs have none.
  void recordNewNames() {
    const OperationKind kind = settings_.record.kind;
    if (kind == OperationKind::Removpart || kind == OperationKind::Changexten) return;
    batch::NameHistory history(fs_, stateDir_, o_.historyMax);
    history.load();
    batch::RecordNewNames(history, settings_.record);
  }

  int runUndo() {
    auto entries = batch::ReadRollbackEntries(fs_, stateDir_);
    if (!entries) {
      messages_.information("There is no rename operation to undo.");
      return finish(kNothingRenamed);
    }
    if (messages_.confirm(batch::kUndoTitle, batch::kUndoQuestion, Buttons::YesNo) != Answer::Yes)
      return finish(kRefused);
    batch::StopFlag stop;
    StopOnSignals stopOnSignals(stop);
    batch::NoHooks hooks;
    const auto report = batch::ReplayUndo(fs_, stateDir_, *entries, stop, hooks, false);
    for (const auto& pair : report.restored) {
      renamed_.push_back({pair.oldPath, pair.newPath});
      if (!o_.json) out_ << pair.oldPath << "\t" << pair.newPath << "\n";
    }
    return finish(report.restored.empty() ? kNothingRenamed : kDone);
  }

  int finish(int code) {
    if (o_.json) {
      json j;
      if (!renamed_.empty()) j["renamed"] = renamed_;
      if (!preview_.empty()) j["preview"] = preview_;
      if (!messages_.shown.empty()) j["messages"] = messages_.shown;
      j["exit"] = code;
      out_ << j.dump() << "\n";
    }
    return code;
  }

  int failure(const std::string& text) {
    messages_.show("Error", text);
    return finish(kFailure);
  }

 private:
  std::string selectedText() const {
    const auto& s = settings_.record.sample;
    return engine::Substring(s.sampleName, s.selectionStart + 1, s.selectionLength);
  }

  GlobalOptions& o_;
  std::ostream& out_;
  CliMessages messages_;
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
};

struct Command {
  const char* name;
  OperationKind kind;
  const char* help;
  bool available;
};

constexpr Command kCommands[] = {
    {"remove", OperationKind::Removpart, "Remove, keep or clean (mode from removeMode)", true},
    {"replace", OperationKind::Replapart, "Replace a string or the selected part", true},
    {"insert", OperationKind::Addnewnum, "Insert at positions or next to a string", true},
    {"change", OperationKind::Changnew, "Change the whole name or convert its case", true},
    {"extension", OperationKind::Changexten, "Change, add, remove the extension, or convert its case", true},
};

}  // namespace

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"velmora-cli: rename many files and folders in one go"};
  app.set_version_flag("--version", std::string("velmora-cli ") + "1.0.0");
  app.require_subcommand(1);
  GlobalOptions options;
  std::vector<std::pair<const Command*, CLI::App*>> commands;
  for (const Command& c : kCommands) {
    CLI::App* cmd = app.add_subcommand(c.name, c.help);
    AddCommonOptions(*cmd, options);
    AddRecordOptions(*cmd, options);
    commands.emplace_back(&c, cmd);
  }
  CLI::App* undo = app.add_subcommand("undo", "Reverse the last run recorded in rollback.rbk");
  AddCommonOptions(*undo, options);
  ListCommand list(app);
  bool presetsJson = false;
  CLI::App* presets = app.add_subcommand("presets", "List the saved presets (--preset NAME runs one)");
  presets->add_flag("--json", presetsJson, "Print one JSON object on stdout");

  // CLI11 alone would only say that a command is missing; name the word it did not know.
  if (argc > 1 && argv[1][0] != '-' &&
      app.get_subcommands([&](const CLI::App* c) { return c->get_name() == argv[1]; }).empty()) {
    err << "Usage: unknown command '" << argv[1] << "'\n";
    return kUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << "Usage: " << e.what() << "\n";
    return kUsage;
  }

  if (list.parsed()) return list.run(out, err);
  if (presets->parsed()) {
    const std::vector<std::string> names = batch::ListPresets(platform::RealFileSystem(), batch::PresetsFolder());
    if (presetsJson) {
      out << json{{"presets", names}, {"exit", 0}}.dump() << "\n";
    } else {
      for (const std::string& name : names) out << name << "\n";
    }
    return kDone;
  }
  Session session(options, out, err);
  try {
    session.prepare();
    if (undo->parsed()) return session.runUndo();
    for (const auto& [command, cmd] : commands) {
      if (!cmd->parsed()) continue;
      if (!command->available) {
        err << "Error: the command '" << command->name << "' is not available yet.\n";
        return kFailure;
      }
      session.requireTarget();
      session.loadRecord(command->kind);
      return session.runOperation();
    }
  } catch (const UsageError& e) {
    err << "Usage: " << e.what() << "\n";
    return kUsage;
  } catch (const std::exception& e) {
    return session.failure(e.what());
  }
  return kUsage;
}

}  // namespace velmora::cli
