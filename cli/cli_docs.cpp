// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_docs.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "batch/record_fields.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/manual.h"

namespace velmora::cli {

namespace {

struct OptionDoc {
  std::string name;  ///< "--folder", or the positional's name ("PATH")
  std::string description;
  bool takesValue = false;
  bool repeatable = false;
  bool positional = false;
};

struct CommandDoc {
  std::string name;
  std::string description;
  std::string footer;
  std::vector<OptionDoc> options;
  std::vector<std::string> fields;  ///< the fields its --set suggests
};

std::vector<CommandDoc> Commands(const CLI::App& app) {
  std::vector<CommandDoc> commands;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    CommandDoc c{sub->get_name(), sub->get_description(), sub->get_footer(), {}, {}};
    for (const CLI::Option* opt : sub->get_options()) {
      OptionDoc o;
      o.positional = !opt->nonpositional();
      o.name = o.positional ? opt->get_name() : "--" + opt->get_lnames().front();
      o.description = opt->get_description();
      o.takesValue = opt->get_expected_max() > 0;
      o.repeatable = opt->get_expected_max() > 1;
      c.options.push_back(o);
    }
    if (const OperationCommand* op = FindOperationCommand(c.name)) {
      for (const auto& f : batch::RecordFields())
        if (batch::UsedBy(f, op->kind)) c.fields.push_back(f.name);
    }
    commands.push_back(std::move(c));
  }
  return commands;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

/// Text for roff: backslashes and minus signs escaped, a leading dot or quote made harmless.
std::string Roff(const std::string& text) {
  std::string out = Replaced(Replaced(text, "\\", "\\e"), "-", "\\-");
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

/// Inside single quotes of a shell word.
std::string Quoted(const std::string& text) { return "'" + Replaced(text, "'", "'\\''") + "'"; }

std::string Words(const std::vector<std::string>& words, const std::string& suffix = "") {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + w + suffix;
  return out;
}

std::vector<std::string> Choices(const batch::FieldInfo& f) {
  if (f.type == batch::FieldType::Choice) return f.choices;
  if (f.type == batch::FieldType::Boolean) return {"true", "false"};
  return {};
}

const std::pair<int, const char*> kExitCodes[] = {
    {kDone, "done: something renamed, a preview shown, a listing written, an undo replayed"},
    {kNothingRenamed, "ran, but nothing was renamed"},
    {kRefused, "refused: an input check or a target check failed, a question was answered No, or the run was "
               "stopped (Ctrl\\-C, SIGTERM, SIGHUP: what it renamed is kept and recorded, and a line says that "
               "undo reverses it)"},
    {kUsage, "usage error: unknown command, field or value, a bad combination of options, or no such folder"},
    {kFailure, "a failure: an item that the file system refused or that was left alone (each named on standard "
               "error with its reason), undo pairs that could not be restored (kept in rollback.rbk), a journal "
               "that could not be written or is held by another run (a run or an undo), or standard output that "
               "could not be written (closed or full: the command still went to its end and sealed its log)"},
};

void ManHeader(const char* name, const std::string& version, const char* what, std::ostream& out) {
  out << ".\\\" Generated at build time; edit the generator, not this file.\n"
      << ".TH " << name << " 1 \"December 2026\" \"Velmora " << version << "\" \"User Commands\"\n"
      << ".SH NAME\n" << what << "\n";
}

/// Which page a table row belongs on.
enum class Page { Cli, Desktop };

void ManSpecialStrings(Page page, std::ostream& out) {
  out << ".SH SPECIAL STRINGS\n"
      << (page == Page::Cli ? "The texts of new names (\\fBnewText\\fR, \\fBheadText\\fR, \\fBendText\\fR, "
                              "\\fBcursorText\\fR, \\fBinsertText\\fR, \\fBnewName\\fR) "
                            : "The texts of new names (Replace, Insert and Change) ")
      << "may hold placeholders that become something else for every item, unless special strings are switched off"
      << (page == Page::Cli ? " (\\fB\\-\\-set SpecialStringsEnabled=false\\fR)" : " (the Special dialog)")
      << ". Numbers count from the first number"
      << (page == Page::Cli ? " (\\fBstartNumber\\fR, 0 to 10000, default 1)" : " (\\(lqBegin with\\(rq)")
      << " in the numbering order, start again in every folder when all layers are renamed, and an item that "
         "cannot be renamed uses none up. A random string of more than 100 characters, or a token between two "
         "% that is not a number, is refused before the run. In the examples, each item is renamed as the whole "
         "name (" << (page == Page::Cli ? "\\fBchange\\fR" : "Change") << "), its extension kept.\n";
  for (const SpecialStringDoc& s : kSpecialStrings) {
    out << ".TP\n.B " << Roff(s.token) << "\n" << Roff(s.becomes) << ". Example: \\fB" << Roff(s.text) << "\\fR";
    if (s.start != 1) out << " (item number " << s.start << ")";
    out << " turns \\fI" << Roff(s.item) << "\\fR";
    if (s.size != 0) out << " (" << s.size << " bytes)";
    if (*s.date) {
      const std::string d = s.date;
      out << " (modified on " << d.substr(0, 4) << "\\-" << d.substr(4, 2) << "\\-" << d.substr(6) << ")";
    }
    out << " in folder \\fI" << Roff(s.folder) << "\\fR into \\fI" << Roff(s.result) << "\\fR"
        << (s.random ? " (other letters each time)" : "") << ".\n";
  }
  out << ".PP\n" << Roff(kTagPlaceholdersText) << "\n";
  for (const TagPlaceholderDoc& t : kTagPlaceholders) out << ".TP\n.B " << Roff(t.token) << "\n" << Roff(t.becomes) << ".\n";
  if (page == Page::Cli) {
    out << ".PP\nIn a shell, quote texts with \\fB$\\fR in single quotes: \\fB\\-\\-set 'newName=trip_$$'\\fR.\n";
  }
}

void ManEnvironment(Page page, std::ostream& out) {
  out << ".SH ENVIRONMENT\n";
  for (const EnvironmentDoc& e : kEnvironment)
    if (page == Page::Cli ? e.cli : e.desktop) out << ".TP\n.B " << Roff(e.name) << "\n" << e.what << "\n";
}

void ManFiles(Page page, std::ostream& out) {
  out << ".SH FILES\n";
  for (const FileDoc& f : kFiles)
    if (page == Page::Cli ? f.cli : f.desktop) out << ".TP\n.I " << Roff(f.path) << "\n" << f.what << "\n";
}

/// Example lines, each with what it does, as an indented block after its sentence.
void ManExamples(const std::vector<std::pair<std::string, std::string>>& examples, std::ostream& out) {
  out << ".SH EXAMPLES\n";
  for (const auto& [what, line] : examples)
    out << ".PP\n" << Roff(what) << ":\n.RS\n.nf\n" << Roff(line) << "\n.fi\n.RE\n";
}

void ManJsonOutput(std::ostream& out) {
  out << ".SH JSON OUTPUT\n"
         "With \\fB\\-\\-json\\fR a command prints exactly one JSON value on one line of standard output and "
         "nothing else there; the messages go into it instead of onto standard error (a question asked on a "
         "terminal is still asked there). Its keys are written in sorted order, and only the keys that apply are "
         "present. The JSON Schema of every form is \\fI"
      << Roff(kSchemaFile)
      << "\\fR.\n"
         ".PP\n"
         "A name or text is a JSON string when it is valid UTF\\-8. Any other byte string (a name in code page "
         "1252 or 932, bytes that are not UTF\\-8 on disk) is the object \\fB{\"bytes\": \"\\fIBASE64\\fB\"}\\fR: "
         "its exact bytes in standard base64 (RFC 4648, with \\(lq=\\(rq padding).\n"
         ".PP\n"
         "The rename commands, \\fBundo\\fR, \\fBhistory\\fR, \\fBlist\\fR, \\fBpresets\\fR and every usage error print an object "
         "with these keys:\n"
         ".TP\n.B exit\nThe exit status, as a number (always present).\n"
         ".TP\n.B renamed\nThe renamed items in the order of the renames: [\\fIold path\\fR, \\fInew path\\fR] "
         "pairs (\\fBundo\\fR: [\\fIcurrent path\\fR, \\fIrestored path\\fR]).\n"
         ".TP\n.B preview\n\\fB\\-\\-preview\\fR: the rows, [\\fIold\\fR, \\fInew\\fR] (names alone in scope 0, "
         "full paths otherwise), or a filler row of one element, [\"(No filename will be renamed)\"] or "
         "[\"(Others not shown...)\"].\n"
         ".TP\n.B messages\nWhat was shown, in order: objects {\"title\": \\fITITLE\\fR, \"text\": \\fITEXT\\fR}; "
         "TITLE is \"Information\", \"Warning\", \"Error\", \"Usage\", \"Interrupted\", \"Note\" (an item "
         "whose tags lacked what its text asked for) or a question's title.\n"
         ".TP\n.B field\nThe field that a refused input check points at (exit 2).\n"
         ".TP\n.B listing\n\\fBlist\\fR: the path of the listing file written.\n"
         ".TP\n.B presets\n\\fBpresets\\fR: the saved preset names, sorted.\n"
         ".TP\n.B history\n\\fBhistory\\fR: the runs undo can reverse, newest first: objects with \\fBindex\\fR "
         "(1 for the last run), \\fBtime\\fR, \\fBitems\\fR, \\fBfolder\\fR, \\fBlog\\fR and, when recorded, "
         "\\fBoperation\\fR (its keyword).\n"
         ".TP\n.B files\n\\fBmeta\\fR: per path an object with \\fBpath\\fR, \\fBtags\\fR (objects with \\fBtag\\fR, "
         "\\fBvalue\\fR and \\fBsource\\fR: Exif, XMP, IPTC, image header, the song's tag format, or file date) "
         "and \\fBerror\\fR when the file could not be read as a photo or a song.\n"
         ".PP\n"
         "\\fBfields \\-\\-json\\fR prints an array instead: one object per field with \\fBname\\fR, \\fBtype\\fR "
         "(text, boolean, choice or integer), \\fBdefault\\fR, \\fBcommands\\fR (the commands that read it), "
         "\\fBdescription\\fR, and \\fBvalues\\fR (choices) or \\fBminimum\\fR and \\fBmaximum\\fR (integers).\n"
         ".PP\nFor example:\n.RS\n.nf\n"
         "{\"exit\":0,\"preview\":[[\"IMG_1.jpg\",\"trip_1.jpg\"],[\"IMG_2.jpg\",\"trip_2.jpg\"]]}\n"
         "{\"exit\":0,\"renamed\":[[{\"bytes\":\"L2hvbWUvbWUvY2Fm6S50eHQ=\"},\"/home/me/cafe.txt\"]]}\n"
         "{\"exit\":2,\"field\":\"oldText\",\"messages\":[{\"text\":\"...\",\"title\":\"Information\"}]}\n"
         "{\"exit\":3,\"messages\":[{\"text\":\"unknown command 'frob'\",\"title\":\"Usage\"}]}\n"
         ".fi\n.RE\n";
}

}  // namespace

void WriteCliManPage(const CLI::App& app, const std::string& version, std::ostream& out) {
  ManHeader("VELMORA-CLI", version, "velmora\\-cli \\- rename many files and folders in one go", out);
  out << ".SH SYNOPSIS\n.B velmora\\-cli\n.I COMMAND\n[\\fIOPTIONS\\fR] [\\fIPATH\\fR...]\n"
      << ".br\n.B velmora\\-cli\n.B \\-\\-help\n|\n.B \\-\\-version\n"
      << ".SH DESCRIPTION\n"
         "\\fBvelmora\\-cli\\fR runs every operation of Velmora, the desktop program \\fBvelmora\\fR(1), without a "
         "window: the same rules, checks, messages, rollback log and undo. The target is a folder "
         "(\\fB\\-\\-folder\\fR with \\fB\\-\\-scope\\fR) or the PATHs given, in their order. The operation's "
         "parameters are fields set with \\fB\\-\\-set\\fR \\fIFIELD\\fR=\\fIVALUE\\fR or read from a JSON "
         "object with \\fB\\-\\-record\\fR \\fIFILE\\fR; \\fBvelmora\\-cli fields\\fR lists them.\n"
         ".PP\n"
         "Without \\fB\\-\\-preview\\fR a command renames for real and prints one line per renamed item: the old "
         "path, a TAB, the new path. Messages go to standard error as \\fITITLE\\fR: \\fITEXT\\fR.\n"
         ".PP\n"
         "A question (a confirmation, the undo question, replacing a listing file) is answered Yes by "
         "\\fB\\-\\-yes\\fR. Without it the question is asked when standard input and standard error are a "
         "terminal; otherwise it is answered No and the command exits with 2.\n"
      << ".SH COMMANDS\n";
  for (const CommandDoc& c : Commands(app)) {
    out << ".SS " << c.name << "\n" << Roff(c.description) << ".\n";
    for (const OptionDoc& o : c.options) {
      out << ".TP\n.B " << Roff(o.name);
      if (o.takesValue && !o.positional) out << " \\fIVALUE\\fR";
      out << "\n" << Roff(o.description) << "\n";
    }
    if (!c.footer.empty()) {
      const auto example = c.footer.substr(c.footer.find('\n') + 1);
      out << ".PP\nExample:\n.RS\n.nf\n" << Roff(example.substr(example.find_first_not_of(' '))) << "\n.fi\n.RE\n";
    }
  }
  out << ".SH FIELDS\n"
         "Each field with its values and default, and the commands that read it (the others ignore it). "
         "Booleans also take 1/0 and on/off.\n";
  for (const auto& f : batch::RecordFields()) {
    std::string commands;
    for (const auto& c : kOperationCommands)
      if (batch::UsedBy(f, c.kind)) commands += (commands.empty() ? "" : ", ") + std::string(c.name);
    // "\\:" lets a long list of values break after each "|".
    out << ".TP\n\\fB" << Roff(f.name) << "\\fR=\\fI" << Replaced(Roff(batch::AllowedValues(f)), "|", "|\\:") << "\\fR\n"
        << Roff(f.summary) << "; default \\(lq" << Roff(f.defaultValue) << "\\(rq; " << Roff(commands) << ".\n";
  }
  ManSpecialStrings(Page::Cli, out);
  ManJsonOutput(out);
  out << ".SH EXIT STATUS\n";
  for (const auto& [code, meaning] : kExitCodes) out << ".TP\n.B " << code << "\n" << meaning << "\n";
  ManEnvironment(Page::Cli, out);
  ManFiles(Page::Cli, out);
  std::vector<std::pair<std::string, std::string>> examples;
  for (const auto& c : kOperationCommands) examples.emplace_back(c.help, c.example);
  for (const auto& e : kCliExamples) examples.emplace_back(e.what, e.line);
  ManExamples(examples, out);
  out << ".SH SEE ALSO\n.BR velmora (1),\n.BR velmora\\-launch (1)\n";
}

void WriteDesktopManPage(const std::string& version, std::ostream& out) {
  ManHeader("VELMORA", version, "velmora \\- rename many files and folders in one go", out);
  out << ".SH SYNOPSIS\n.B velmora\n[\\fIFOLDER\\fR | \\fIFILE\\fR... | \\fIKEYWORD\\fR]\n"
         ".br\n.B velmora\n.B \\-\\-help\n|\n.B \\-\\-version\n"
         ".SH DESCRIPTION\n"
         "\\fBvelmora\\fR is a desktop program that renames many files and folders in one go: it removes, keeps "
         "or cleans parts of names, replaces text, inserts text or ordered numbers, changes whole names or "
         "their letter case, and changes extensions. Every operation can be previewed, and the last run can be "
         "undone, also after a crash.\n"
         ".PP\n"
         "Started with a folder, the main window lists it; started with files, they are the hand-picked list. "
         "The Options window can add entries to the context menus of the file managers (Dolphin, Nautilus, "
         "Thunar): \\(lqRename with Velmora\\(rq and \\(lqSave a listing with Velmora\\(rq. They call "
         "\\fBvelmora\\-launch\\fR, which hands the selected items to the program.\n"
         ".SH OPTIONS\n"
         ".TP\n.I FOLDER\nOpen the main window listing this folder.\n"
         ".TP\n.I FILE...\nOpen the main window with these files hand\\-picked.\n"
         ".TP\n.I KEYWORD\nAn operation keyword (\\fBRemovpart\\fR, \\fBReplapart\\fR, \\fBAddnewnum\\fR, "
         "\\fBChangnew\\fR, \\fBChangexten\\fR, \\fBSavealls\\fR, \\fBSavesomes\\fR), as "
         "\\fBvelmora\\-launch\\fR(1) passes it: that operation opens on the items listed in \\fIfn000.tmp\\fR.\n"
         ".TP\n.B \\-\\-help\nShow the usage and exit.\n"
         ".TP\n.B \\-\\-version\nShow the version and the licence and exit.\n"
         ".PP\nQt's own options (\\fB\\-platform\\fR, \\fB\\-style\\fR, ...) are taken too.\n";
  ManSpecialStrings(Page::Desktop, out);
  out << ".SH EXIT STATUS\n"
         ".TP\n.B 0\nThe program was closed, or \\fB\\-\\-help\\fR or \\fB\\-\\-version\\fR answered.\n"
         ".TP\n.B 3\nAn unknown option.\n";
  ManEnvironment(Page::Desktop, out);
  ManFiles(Page::Desktop, out);
  ManExamples({{"Open a folder", "velmora ~/Photos"},
               {"Pick the files to rename", "velmora ~/Photos/*.jpg"},
               {"The version, on a machine without a display", "QT_QPA_PLATFORM=offscreen velmora --version"}},
              out);
  out << ".SH SEE ALSO\n.BR velmora\\-cli (1),\n.BR velmora\\-launch (1)\n";
}

void WriteLaunchManPage(const std::string& version, std::ostream& out) {
  ManHeader("VELMORA-LAUNCH", version, "velmora\\-launch \\- hand the items selected in a file manager to Velmora",
            out);
  std::string operations;
  for (const auto& o : kLaunchOperations) operations += (operations.empty() ? "" : "|") + std::string(o.name);
  out << ".SH SYNOPSIS\n.B velmora\\-launch\n.I " << operations << "\n\\fIPATH\\fR...\n"
      << ".SH DESCRIPTION\n"
         "\\fBvelmora\\-launch\\fR is what the file-manager entries of \\fBvelmora\\fR(1) call (the Options "
         "window installs them for Dolphin, Nautilus and Thunar). It writes the PATHs, made absolute, to "
         "\\fIfn000.tmp\\fR in the program's folder, one a line, each line ended by CR LF (written beside its "
         "place and moved there, so the program never reads half a list), then starts \\fBvelmora\\fR with the "
         "operation's keyword as its only argument: the program opens the operation's editor on those items. A "
         "path with a line break in its name is left out, with a warning.\n"
         ".PP\nThe program started is the \\fBvelmora\\fR beside the launcher, else the one found on "
         "\\fBPATH\\fR.\n"
         ".SH OPERATIONS\n"
         "The operation is one of these names, in any case, or the keyword itself:\n";
  for (const auto& o : kLaunchOperations)
    out << ".TP\n.B " << o.name << "\n" << Roff(o.what) << " (keyword \\fB" << o.keyword << "\\fR).\n";
  out << ".SH EXIT STATUS\n"
         ".TP\n.B 1\nThe list could not be written.\n"
         ".TP\n.B 2\nAn unknown operation, or no usable PATH.\n"
         ".TP\n.B 127\nNo \\fBvelmora\\fR program was found.\n"
         ".PP\nOtherwise the launcher becomes \\fBvelmora\\fR, and its status is the program's.\n"
         ".SH ENVIRONMENT\n"
         ".TP\n.B XDG_CONFIG_HOME\nThe settings file \\fB$XDG_CONFIG_HOME/Tessaro/Dir.conf\\fR is read for its "
         "\\fBInstallDir\\fR (default \\fB~/.config\\fR).\n"
         ".TP\n.B XDG_DATA_HOME\nThe program's folder is \\fB$XDG_DATA_HOME/velmora\\fR when no absolute "
         "\\fBInstallDir\\fR is set (default \\fB~/.local/share\\fR).\n"
         ".TP\n.B PATH\nWhere \\fBvelmora\\fR is looked for when it is not beside the launcher.\n"
         ".SH FILES\n"
         ".TP\n.I ~/.local/share/velmora/fn000.tmp\nThe list handed over (in the folder that \\fBInstallDir\\fR "
         "names, when set).\n"
         ".TP\n.I ~/.config/Tessaro/Dir.conf\nThe desktop program's options.\n";
  ManExamples({{"Rename the selected photos with the Insert editor", "velmora-launch insert ~/Photos/a.jpg ~/Photos/b.jpg"},
               {"Save a listing of a folder", "velmora-launch save ~/Music"}},
              out);
  out << ".SH SEE ALSO\n.BR velmora (1),\n.BR velmora\\-cli (1)\n";
}

void WriteBashCompletion(const CLI::App& app, std::ostream& out) {
  const auto commands = Commands(app);
  std::vector<std::string> names;
  for (const auto& c : commands) names.push_back(c.name);
  out << "# bash completion for velmora-cli; generated at build time from its own definition.\n"
         "\n"
         "# The current word as typed, without its opening quote and backslashes.\n"
         "_velmora_cli_dequoted() {\n"
         "  local word=${cur#[\\\"\\']}\n"
         "  printf '%s' \"${word//\\\\/}\"\n"
         "}\n"
         "\n"
         "# Folders (-d) or files (-f), one a reply, so names with blanks stay whole and are quoted.\n"
         "_velmora_cli_paths() {\n"
         "  local IFS=$'\\n'\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  COMPREPLY=($(compgen \"$1\" -- \"$(_velmora_cli_dequoted)\"))\n"
         "}\n"
         "\n"
         "# The saved presets' names, as `velmora-cli presets` lists them (never expanded as words).\n"
         "_velmora_cli_presets() {\n"
         "  local word name quoted\n"
         "  word=$(_velmora_cli_dequoted)\n"
         "  COMPREPLY=()\n"
         "  while IFS= read -r name; do\n"
         "    [[ $name == \"$word\"* ]] || continue\n"
         "    if [[ $cur == [\\\"\\']* ]]; then quoted=$name; else printf -v quoted '%q' \"$name\"; fi\n"
         "    COMPREPLY+=(\"$quoted\")\n"
         "  done < <(command velmora-cli presets 2>/dev/null)\n"
         "}\n"
         "\n"
         "# Values of a list; readline replaces only what follows the word's last \":\".\n"
         "_velmora_cli_values() {\n"
         "  COMPREPLY=($(compgen -W \"$1\" -- \"$cur\"))\n"
         "  if [[ $cur == *:* ]]; then COMPREPLY=(\"${COMPREPLY[@]#\"${cur%\"${cur##*:}\"}\"}\"); fi\n"
         "}\n"
         "\n"
         "_velmora_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         "  if [[ $COMP_CWORD -eq 1 ]]; then\n"
         "    COMPREPLY=($(compgen -W " << Quoted(Words(names) + " --help --version") << " -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  local command=${COMP_WORDS[1]} options= fields=\n"
         "  case $command in\n";
  for (const auto& c : commands) {
    std::vector<std::string> options;
    for (const auto& o : c.options)
      if (!o.positional) options.push_back(o.name);
    out << "    " << c.name << ") options=" << Quoted(Words(options)) << " fields=" << Quoted(Words(c.fields, "="))
        << " ;;\n";
  }
  out << "    *) return ;;\n"
         "  esac\n"
         // "=" breaks words: after "--set NAME=" the value is the current word and "=" the previous one.
         "  if [[ $prev == = && ${COMP_WORDS[COMP_CWORD-3]} == --set ]]; then\n"
         "    case ${COMP_WORDS[COMP_CWORD-2]} in\n";
  for (const auto& f : batch::RecordFields()) {
    const auto choices = Choices(f);
    if (!choices.empty())
      out << "      " << f.name << ") COMPREPLY=($(compgen -W " << Quoted(Words(choices)) << " -- \"$cur\")) ;;\n";
  }
  out << "    esac\n"
         "    return\n"
         "  fi\n"
         // ":" breaks words too: "--order natural:d" comes as "natural" ":" "d". The value is glued
         // back and completed whole.
         "  local i=$COMP_CWORD\n"
         "  while (( i > 2 )) && [[ ${COMP_WORDS[i]} == : || ${COMP_WORDS[i-1]} == : ]]; do (( i-- )); done\n"
         "  if (( i < COMP_CWORD )); then\n"
         "    printf -v cur '%s' \"${COMP_WORDS[@]:i:COMP_CWORD-i+1}\"\n"
         "    prev=${COMP_WORDS[i-1]}\n"
         "  fi\n"
         "  case $prev in\n"
         "    --set) compopt -o nospace 2>/dev/null; COMPREPLY=($(compgen -W \"$fields\" -- \"$cur\")); "
         "return ;;\n"
         "    --preset) _velmora_cli_presets; return ;;\n";
  std::vector<std::string> folders, files, valued, free;
  for (const auto& c : commands) {
    for (const auto& o : c.options) {
      if (o.positional || !o.takesValue || o.name == "--set" || o.name == "--preset") continue;
      const auto values = OptionValues(o.name);
      const auto add = [&](std::vector<std::string>& list) {
        if (std::find(list.begin(), list.end(), o.name) == list.end()) list.push_back(o.name);
      };
      if (!values.empty()) add(valued);
      else if (OptionValueKind(o.name) == ValueKind::Folder) add(folders);
      else if (OptionValueKind(o.name) == ValueKind::File) add(files);
      else add(free);
    }
  }
  for (const auto& o : valued)
    out << "    " << o << ") _velmora_cli_values " << Quoted(Words(OptionValues(o))) << "; return ;;\n";
  const auto joined = [](const std::vector<std::string>& list) {
    std::string out;
    for (const auto& o : list) out += (out.empty() ? "" : "|") + o;
    return out;
  };
  if (!folders.empty()) out << "    " << joined(folders) << ") _velmora_cli_paths -d; return ;;\n";
  if (!files.empty()) out << "    " << joined(files) << ") _velmora_cli_paths -f; return ;;\n";
  if (!free.empty()) out << "    " << joined(free) << ") return ;;\n";
  out << "  esac\n"
         "  if [[ $command == fields ]]; then\n"
         "    COMPREPLY=($(compgen -W " << Quoted(Words([] {
           std::vector<std::string> ops;
           for (const auto& c : kOperationCommands) ops.emplace_back(c.name);
           return ops;
         }()) + " --json --help") << " -- \"$cur\"))\n"
         "  elif [[ $cur == -* ]]; then\n"
         "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
         "  else\n"
         "    _velmora_cli_paths -f\n"
         "  fi\n"
         "}\n"
         "complete -F _velmora_cli velmora-cli\n";
}

void WriteZshCompletion(const CLI::App& app, std::ostream& out) {
  const auto commands = Commands(app);
  // Brackets, colons and quotes would end an _arguments option description early.
  const auto zshDescription = [](const std::string& text) {
    return Replaced(Replaced(Replaced(Replaced(text, "'", "'\\''"), "[", "\\["), "]", "\\]"), ":", "\\:");
  };
  out << "#compdef velmora-cli\n"
         "# zsh completion for velmora-cli; generated at build time from its own definition.\n\n";
  for (const auto& c : commands) {
    if (c.fields.empty()) continue;
    out << "_velmora_cli_fields_" << c.name << "() {\n  compadd -S '' -- " << Words(c.fields, "=") << "\n}\n";
  }
  out << "\n# The saved presets' names, as `velmora-cli presets` lists them.\n"
         "_velmora_cli_presets() {\n"
         "  local -a names\n"
         "  names=(${(f)\"$(command velmora-cli presets 2>/dev/null)\"})\n"
         "  compadd -a names\n"
         "}\n"
         "\n_velmora_cli() {\n"
         "  local -a commands\n"
         "  commands=(\n";
  for (const auto& c : commands) out << "    " << Quoted(c.name + ":" + c.description) << "\n";
  out << "  )\n"
         "  if (( CURRENT == 2 )); then\n"
         "    _describe -t commands command commands\n"
         "    _arguments '--help[Print the help and exit]' '--version[Print the version and exit]'\n"
         "    return\n"
         "  fi\n"
         "  local command=$words[2]\n"
         "  shift words\n"
         "  (( CURRENT-- ))\n"
         "  case $command in\n";
  for (const auto& c : commands) {
    out << "    " << c.name << ")\n      _arguments -s";
    for (const auto& o : c.options) {
      std::string action;
      if (o.name == "--set") {
        action = ":field:_velmora_cli_fields_" + c.name;
      } else if (o.positional) {
        action = OptionValueKind(o.name) == ValueKind::File ? ":path:_files" : "";
        if (o.name == "COMMAND") {
          std::vector<std::string> ops;
          for (const auto& op : kOperationCommands) ops.emplace_back(op.name);
          action = ":command:(" + Words(ops) + ")";
        }
        out << " \\\n        '" << (o.repeatable ? "*" : "") << action << "'";
        continue;
      } else if (o.takesValue) {
        const auto values = OptionValues(o.name);
        // A colon inside the list would end the action: "name:desc" is written "name\\:desc".
        if (!values.empty()) action = ":value:(" + Replaced(Words(values), ":", "\\:") + ")";
        else if (o.name == "--preset") action = ":preset:_velmora_cli_presets";
        else if (OptionValueKind(o.name) == ValueKind::Folder) action = ":folder:_directories";
        else if (OptionValueKind(o.name) == ValueKind::File) action = ":file:_files";
        else action = ":value: ";
      }
      out << " \\\n        '" << (o.repeatable ? "*" : "") << o.name << "[" << zshDescription(o.description) << "]" << action
          << "'";
    }
    out << "\n      ;;\n";
  }
  out << "  esac\n"
         "}\n\n"
         "_velmora_cli \"$@\"\n";
}

void WriteFishCompletion(const CLI::App& app, std::ostream& out) {
  const auto commands = Commands(app);
  out << "# fish completion for velmora-cli; generated at build time from its own definition.\n"
         "complete -c velmora-cli -f\n"
         "complete -c velmora-cli -n __fish_use_subcommand -l help -d 'Print the help and exit'\n"
         "complete -c velmora-cli -n __fish_use_subcommand -l version -d 'Print the version and exit'\n";
  for (const auto& c : commands) {
    out << "complete -c velmora-cli -n __fish_use_subcommand -a " << c.name << " -d " << Quoted(c.description)
        << "\n";
  }
  for (const auto& c : commands) {
    const std::string when = "-n " + Quoted("__fish_seen_subcommand_from " + c.name);
    for (const auto& o : c.options) {
      if (o.positional) {
        if (o.name == "COMMAND") {
          std::vector<std::string> ops;
          for (const auto& op : kOperationCommands) ops.emplace_back(op.name);
          out << "complete -c velmora-cli " << when << " -a " << Quoted(Words(ops)) << "\n";
        } else if (OptionValueKind(o.name) == ValueKind::File) {
          out << "complete -c velmora-cli " << when << " -F\n";
        }
        continue;
      }
      out << "complete -c velmora-cli " << when << " -l " << o.name.substr(2) << " -d " << Quoted(o.description);
      if (o.name == "--set") {
        out << " -x -a " << Quoted(Words(c.fields, "="));
      } else if (o.name == "--preset") {
        out << " -x -a '(command velmora-cli presets 2>/dev/null)'";
      } else if (o.takesValue) {
        const auto values = OptionValues(o.name);
        if (!values.empty()) out << " -x -a " << Quoted(Words(values));
        else if (OptionValueKind(o.name) == ValueKind::Folder) out << " -x -a '(__fish_complete_directories)'";
        else if (OptionValueKind(o.name) == ValueKind::File) out << " -r -F";
        else out << " -x";
      }
      out << "\n";
    }
  }
}

}  // namespace velmora::cli
