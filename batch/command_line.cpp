// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/command_line.h"

namespace velmora::batch {

namespace {
bool SafeBare(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '/' || c == ',' || c == ':' || c == '=' || c == '+' || c == '@';
}
}  // namespace

std::string ShellQuote(std::string_view word) {
  bool bare = !word.empty();
  for (const char c : word) bare = bare && SafeBare(c);
  if (bare) return std::string(word);
  std::string out = "'";
  for (const char c : word) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

const char* CommandName(engine::OperationKind kind) {
  switch (kind) {
    case engine::OperationKind::Remove: return "remove";
    case engine::OperationKind::Replace: return "replace";
    case engine::OperationKind::Insert: return "insert";
    case engine::OperationKind::Change: return "change";
    case engine::OperationKind::Extension: return "extension";
    default: return "";
  }
}

std::string OperationCommandLine(const RecordSettings& settings, const TargetSet& target, const ItemOrder& order,
                                 const std::string& program) {
  std::string line = ShellQuote(program) + " " + CommandName(settings.record.kind);
  if (target.isFolderMode())
    line += " --folder " + ShellQuote(target.folder) + " --scope " + std::to_string(static_cast<int>(target.scope));
  if (!(order == ItemOrder{})) line += " --order " + ItemOrderText(order);
  for (const FieldInfo& field : RecordFields()) {
    if (!UsedBy(field, settings.record.kind)) continue;
    const std::optional<std::string> value = FieldValue(settings, field.name);
    if (!value || *value == field.defaultValue) continue;
    line += " --set " + ShellQuote(field.name + "=" + *value);
  }
  line += " --yes";
  if (!target.isFolderMode()) {
    // "--" keeps a path that begins with "-" a path.
    line += " --";
    for (const std::string& path : target.picked) line += " " + ShellQuote(path);
  }
  return line;
}

}  // namespace velmora::batch
