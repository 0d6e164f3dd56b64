// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_docs.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "batch/record_fields.h"
#include "cli/cli_support.h"
#include "cli/commands.h"

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
    {kRefused, "refused: an input check or a target check failed, or a question was answered No"},
    {kUsage, "usage error: unknown command, field or value, a bad combination of options, or no such folder"},
    {kFailure, "an unexpected failure (the message says what)"},
};

void ManHeader(const char* name, const std::string& version, const char* what, std::ostream& out) {
  out << ".\\\" Generated at build time; edit the generator, not this file.\n"
      << ".TH " << name << " 1 \"December 2026\" \"Velmora " << version << "\" \"User Commands\"\n"
      << ".SH NAME\n" << what << "\n";
}

void ManFiles(std::ostream& out) {
  out << ".SH FILES\n"
         ".TP\n.I ~/.config/Tessaro/Dir.conf\n"
         "The options of the desktop program; its \\fBInstallDir\\fR value, when set, names the program's folder.\n"
         ".TP\n.I ~/.local/share/velmora/\n"
         "The program's folder (\\fB$XDG_DATA_HOME/velmora\\fR): \\fIrollback.rbk\\fR, the log of the last run that "
         "undo reverses, \\fIrollback.rbk.journal\\fR while a run renames, and \\fINewname.txt\\fR, the new-name "
         "history.\n";
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
    out << ".TP\n\\fB" << Roff(f.name) << "\\fR=\\fI" << Roff(batch::AllowedValues(f)) << "\\fR\n"
        << Roff(f.summary) << "; default \\(lq" << Roff(f.defaultValue) << "\\(rq; " << Roff(commands) << ".\n";
  }
  out << ".SH EXIT STATUS\n";
  for (const auto& [code, meaning] : kExitCodes) out << ".TP\n.B " << code << "\n" << meaning << "\n";
  ManFiles(out);
  out << ".SH SEE ALSO\n.BR velmora (1)\n";
}

void WriteDesktopManPage(const std::string& version, std::ostream& out) {
  ManHeader("VELMORA", version, "velmora \\- rename many files and folders in one go", out);
  out << ".SH SYNOPSIS\n.B velmora\n[\\fIFOLDER\\fR | \\fIFILE\\fR...]\n"
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
         ".TP\n.B \\-\\-help\nShow the usage and exit.\n"
         ".TP\n.B \\-\\-version\nShow the version and the licence and exit.\n";
  ManFiles(out);
  out << ".SH SEE ALSO\n.BR velmora\\-cli (1)\n";
}

void WriteBashCompletion(const CLI::App& app, std::ostream& out) {
  const auto commands = Commands(app);
  std::vector<std::string> names;
  for (const auto& c : commands) names.push_back(c.name);
  out << "# bash completion for velmora-cli; generated at build time from its own definition.\n"
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
         "  case $prev in\n"
         "    --set) compopt -o nospace 2>/dev/null; COMPREPLY=($(compgen -W \"$fields\" -- \"$cur\")); "
         "return ;;\n";
  std::vector<std::string> folders, files, valued, free;
  for (const auto& c : commands) {
    for (const auto& o : c.options) {
      if (o.positional || !o.takesValue || o.name == "--set") continue;
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
    out << "    " << o << ") COMPREPLY=($(compgen -W " << Quoted(Words(OptionValues(o))) << " -- \"$cur\")); return ;;\n";
  const auto joined = [](const std::vector<std::string>& list) {
    std::string out;
    for (const auto& o : list) out += (out.empty() ? "" : "|") + o;
    return out;
  };
  if (!folders.empty()) out << "    " << joined(folders) << ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n";
  if (!files.empty()) out << "    " << joined(files) << ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
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
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
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
  out << "\n_velmora_cli() {\n"
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
        if (!values.empty()) action = ":value:(" + Words(values) + ")";
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
