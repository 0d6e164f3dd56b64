// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/list_command.h"

#include <CLI/CLI.hpp>
#include <clocale>
#include <nlohmann/json.hpp>

#include "batch/listing_export.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "batch/ok_checks.h"
#include "batch/rollback_log.h"
#include "platform/file_system.h"
#include "platform/user_dirs.h"

namespace velmora::cli {

namespace {

using nlohmann::json;


/// The type boxes named by --types: "music,document,film,picture,program", any case.
void CheckTypeBoxes(const std::string& list, batch::ListingSettings& settings) {
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    std::string name = list.substr(start, end - start);
    for (char& c : name)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (name == "music") settings.music = true;
    else if (name == "document") settings.document = true;
    else if (name == "film") settings.film = true;
    else if (name == "picture") settings.picture = true;
    else if (name == "program") settings.program = true;
    else if (!name.empty())
      throw UsageError("unknown type '" + name + "' in --types (music, document, film, picture, program)");
    start = end + 1;
  }
}

}  // namespace

ListCommand::ListCommand(CLI::App& app) {
  command_ = app.add_subcommand("list", "Write a listing file of a folder (--folder) or of PATHs");
  CLI::App& c = *command_;
  c.add_option("--output", output_, "The listing file (\".txt\" is added when the name does not end in it)")
      ->required();
  c.add_option("--content", content_,
               "one: subfolders and filenames (default); folders: only subfolders name; all: all filenames in "
               "subfolders")
      ->check(CLI::IsMember(std::vector<std::string>(std::begin(kListContentNames), std::end(kListContentNames))));
  c.add_flag("--webpage", webpage_, "With --content all: list and enter webpage folders too");
  c.add_option("--types", types_, "Special types with these boxes: music,document,film,picture,program");
  c.add_option("--other", other_, "Special types with \"Other\" and this list (commas, no spaces)");
  c.add_option("--order", order_, kOrderHelp);
  c.add_flag("--size", size_, "Add the file size to every file line");
  c.add_flag("--time", time_, "Add the file's modified date and time to every file line");
  c.add_option("--folder", folder_, "Target folder (\"Savealls\")");
  c.add_option("--scope", scope_, "Folder scope of the target check (0 to 3)")->check(CLI::Range(0, 3));
  c.add_flag("--yes", yes_, "Replace an existing listing file without asking");
  c.add_flag("--json", json_, "Print one JSON object on stdout");
  c.add_option("--state-dir", stateDir_, "Folder of the program's own files");
  c.add_flag("--lf", lf_, "End lines with LF alone (default: CR LF)");
  c.add_flag("--hidden", hidden_, kHiddenHelp);
  c.add_option("PATH", paths_, "Hand-picked files and folders (\"Savesomes\")");
  c.footer(ExampleFooter(kListExample));
}

bool ListCommand::parsed() const { return command_ && command_->parsed(); }

int ListCommand::run(std::ostream& out, std::ostream& err) {
  try {
    return execute(out, err);
  } catch (const UsageError& e) {
    return ReportUsage(out, err, json_, e.what());
  } catch (const std::exception& e) {
    err << "Error: " << e.what() << "\n";
    return kFailure;
  }
}

int ListCommand::execute(std::ostream& out, std::ostream& err) {
  const bool folderMode = !folder_.empty();
  if (folderMode == !paths_.empty()) throw UsageError("give either --folder DIR or at least one PATH");
  const auto given = [&](const char* name) { return command_->get_option(name)->count() > 0; };
  if (!folderMode) {
    for (const char* name : {"--content", "--webpage", "--types", "--other", "--size", "--time"})
      if (given(name)) throw UsageError(std::string(name) + " applies to a folder listing (--folder) only");
  }

  batch::ListingSettings settings;
  settings.content = content_ == "all"       ? batch::ListingContent::AllLayers
                     : content_ == "folders" ? batch::ListingContent::OnlySubfolders
                                             : batch::ListingContent::SubfoldersAndFiles;
  if (webpage_ && settings.content != batch::ListingContent::AllLayers)
    throw UsageError("--webpage applies with --content all only");
  settings.includeWebpageFolders = webpage_;
  if (given("--types")) {
    settings.specialTypes = true;
    CheckTypeBoxes(types_, settings);
  }
  if (given("--other")) {
    settings.specialTypes = true;
    settings.other = true;
    settings.otherText = other_;
  }
  settings.fileSize = size_;
  settings.fileTime = time_;
  settings.order = ParseOrderOption(order_);

  platform::FileSystem& fs = platform::RealFileSystem();
  CliMessages messages(err, json_, yes_);
  std::string written;
  const auto finish = [&](int code) {
    if (json_) {
      json j;
      if (!written.empty()) j["listing"] = JsonText(written);
      if (!messages.shown.empty()) j["messages"] = messages.shown;
      j["exit"] = code;
      out << j.dump() << "\n";
    } else if (!written.empty()) {
      out << written << "\n";
    }
    return code;
  };

  // A journal left behind by a killed run becomes the log, as at every start.
  const std::string stateDir = stateDir_.empty() ? platform::DefaultProgramFolder() : Absolute(stateDir_);
  if (fs.makeFolders(stateDir)) batch::RecoverJournal(fs, stateDir);
  fs.setListingRules({hidden_, stateDir});

  batch::ListingRequest request;
  request.kind = folderMode ? engine::OperationKind::ListFolder : engine::OperationKind::ListPicked;
  request.settings = settings;
  request.lfLineEnds = lf_;
  if (folderMode) {
    request.target.folder = platform::NormalPath(folder_, platform::CurrentFolder());
    request.target.scope = static_cast<batch::FolderScope>(scope_);
  } else {
    for (const auto& p : paths_) request.target.picked.push_back(platform::NormalPath(p, platform::CurrentFolder()));
  }

  engine::OperationRecord record;
  record.kind = request.kind;
  batch::OkRequest ok{record, request.target, batch::RunMode::Rename, false, "", batch::ToOkChoices(settings)};
  if (!batch::RunOkChecks(fs, ok, messages).run) return finish(kRefused);

  batch::StopFlag stop;
  StopOnSignals stopOnSignals(stop);
  batch::NoHooks hooks;
  if (output_ == "-") {
    // The listing itself on stdout, for a pipe: no file, no question, no stamp of a file.
    if (json_) throw UsageError("--output - writes the listing to stdout, which --json needs for its object");
    std::setlocale(LC_TIME, "");
    request.stampLine = batch::CurrentStampLine();
    const char* end = lf_ ? "\n" : "\r\n";
    for (const std::string& line : batch::CollectListingLines(fs, request, hooks, stop)) out << line << end;
    out.flush();
    return StopOnSignals::interrupted() ? kRefused : kDone;
  }
  request.chosenPath = Absolute(output_);
  if (batch::ListingReplaceQuestionApplies(fs, request.chosenPath) &&
      messages.confirm(batch::kReplaceListingTitle, batch::kReplaceListingQuestion, batch::Buttons::OkCancel) !=
          batch::Answer::Ok)
    return finish(kRefused);

  // The stamp in the system's date and time formats, as the desktop program writes it.
  std::setlocale(LC_TIME, "");
  request.stampLine = batch::CurrentStampLine();

  batch::RunOptions options;
  options.dontOpenListing = true;
  const batch::ListingOutcome outcome = batch::ExportListing(fs, request, options, messages, hooks, stop);
  if (!outcome.write.written) return finish(kFailure);
  written = outcome.write.path;
  return finish(kDone);
}

}  // namespace velmora::cli
