// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// velmora-cli's rename commands with the operation each runs, its help line and one example;
// the parser, `fields`, the manual page and the completions all read them from here.

#include <iterator>
#include <string>
#include <vector>

#include "engine/operation_record.h"

namespace velmora::cli {

struct OperationCommand {
  const char* name;
  engine::OperationKind kind;
  const char* help;
  const char* example;
};

inline constexpr OperationCommand kOperationCommands[] = {
    {"remove", engine::OperationKind::Remove, "Remove, keep or clean (mode from removeMode)",
     "velmora-cli remove --folder ~/Photos --set removeText1=IMG_ --preview"},
    {"replace", engine::OperationKind::Replace, "Replace a string or the selected part",
     "velmora-cli replace --folder ~/Music --set oldText=_ --set 'newText= '"},
    {"insert", engine::OperationKind::Insert, "Insert at positions or next to a string",
     "velmora-cli insert --folder ~/Scans --set atHead=true --set 'headText=$$$ '"},
    {"change", engine::OperationKind::Change, "Change the whole name or convert its case",
     "velmora-cli change --folder ~/Books --set changeMode=ConvertCase --set caseStyle=CapitalizeWords"},
    {"extension", engine::OperationKind::Extension, "Change, add, remove the extension, or convert its case",
     "velmora-cli extension --folder ~/Pictures --set oldExtension=jpeg --set newExtension=jpg"},
};

inline constexpr const char* kListExample = "velmora-cli list --folder ~/Music --content all --output ~/music.txt";
inline constexpr const char* kUndoExample = "velmora-cli undo --yes";
inline constexpr const char* kHistoryExample = "velmora-cli history";
inline constexpr const char* kFieldsExample = "velmora-cli fields replace";
inline constexpr const char* kPresetsExample = "velmora-cli presets --json";

/// The names --code-page takes.
inline constexpr const char* kCodePageNames[] = {"utf-8", "1252", "932"};
/// The names --content of `list` takes.
inline constexpr const char* kListContentNames[] = {"one", "folders", "all"};
/// The boxes --types of `list` names.
inline constexpr const char* kListTypeNames[] = {"music", "document", "film", "picture", "program"};

/// The values an option takes, for the completions; empty when it takes any text.
inline std::vector<std::string> OptionValues(const std::string& option) {
  const auto all = [](const auto& names) { return std::vector<std::string>(std::begin(names), std::end(names)); };
  if (option == "--code-page") return all(kCodePageNames);
  if (option == "--content") return all(kListContentNames);
  if (option == "--types") return all(kListTypeNames);
  if (option == "--scope") return {"0", "1", "2", "3"};
  if (option == "--preview-count") return {"all"};
  if (option == "--order") return {"name", "natural", "mtime", "size", "name:desc", "natural:desc", "mtime:desc", "size:desc"};
  return {};
}

/// What an option's value names, for the completions.
enum class ValueKind { Text, Folder, File };
inline ValueKind OptionValueKind(const std::string& option) {
  if (option == "--folder" || option == "--state-dir") return ValueKind::Folder;
  if (option == "--record" || option == "--output" || option == "--from-file" || option == "PATH") return ValueKind::File;
  return ValueKind::Text;
}

/// The rename command of that name, nullptr for none.
inline const OperationCommand* FindOperationCommand(const std::string& name) {
  for (const auto& c : kOperationCommands)
    if (name == c.name) return &c;
  return nullptr;
}

/// The text a command's --help ends with.
inline std::string ExampleFooter(const char* example) { return std::string("Example:\n  ") + example; }

}  // namespace velmora::cli
