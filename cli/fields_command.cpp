// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/fields_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>

#include "batch/record_fields.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/manual.h"

namespace velmora::cli {

namespace {

const char* TypeName(batch::FieldType type) {
  switch (type) {
    case batch::FieldType::Text: return "text";
    case batch::FieldType::Boolean: return "boolean";
    case batch::FieldType::Choice: return "choice";
    case batch::FieldType::Integer: return "integer";
  }
  return "";
}

std::vector<std::string> CommandsOf(const batch::FieldInfo& field) {
  std::vector<std::string> names;
  for (const auto& c : kOperationCommands)
    if (batch::UsedBy(field, c.kind)) names.emplace_back(c.name);
  return names;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : separator) + item;
  return out;
}

}  // namespace

FieldsCommand::FieldsCommand(CLI::App& app) {
  command_ = app.add_subcommand("fields", "List the fields that --set and --record take");
  std::vector<std::string> names;
  for (const auto& c : kOperationCommands) names.emplace_back(c.name);
  command_->add_option("COMMAND", operation_, "Only the fields this command reads")->check(CLI::IsMember(names));
  command_->add_flag("--json", json_, "Print one JSON array on stdout");
  command_->footer(ExampleFooter(kFieldsExample));
}

bool FieldsCommand::parsed() const { return command_ && command_->parsed(); }

int FieldsCommand::run(std::ostream& out, std::ostream&) const {
  const OperationCommand* only = FindOperationCommand(operation_);
  std::vector<const batch::FieldInfo*> fields;
  for (const auto& f : batch::RecordFields())
    if (!only || batch::UsedBy(f, only->kind)) fields.push_back(&f);

  if (json_) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto* f : fields) {
      nlohmann::json j{{"name", f->name},       {"type", TypeName(f->type)},   {"default", f->defaultValue},
                       {"commands", CommandsOf(*f)}, {"description", f->summary}};
      if (f->type == batch::FieldType::Choice) j["values"] = f->choices;
      if (f->type == batch::FieldType::Integer) {
        j["minimum"] = f->minimum;
        j["maximum"] = f->maximum;
      }
      list.push_back(j);
    }
    out << list.dump() << "\n";
    return kDone;
  }

  std::vector<std::vector<std::string>> rows{{"FIELD", "TYPE", "VALUES", "DEFAULT", "COMMANDS", "DESCRIPTION"}};
  for (const auto* f : fields) {
    rows.push_back({f->name, TypeName(f->type), batch::AllowedValues(*f),
                    f->type == batch::FieldType::Text ? "\"" + f->defaultValue + "\"" : f->defaultValue,
                    Joined(CommandsOf(*f), ","), f->summary});
  }
  std::vector<std::size_t> width(rows.front().size(), 0);
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], row[i].size());
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line.append(width[i] - row[i].size() + 2, ' ');
    }
    out << line << "\n";
  }
  // The texts where special strings expand take the tag placeholders too.
  if (!only || (only->kind != engine::OperationKind::Remove && only->kind != engine::OperationKind::Extension)) {
    std::string tags;
    for (const auto& t : kTagPlaceholders) tags += (tags.empty() ? "" : " ") + std::string(t.token);
    out << "\nWhere special strings expand, these tags of the file expand too: " << tags
        << " (velmora-cli meta FILE shows them)\n";
  }
  return kDone;
}

std::string UnknownFieldText(const std::string& name) {
  std::string text = "unknown field '" + name + "'";
  const auto near = batch::NearestFieldNames(name);
  if (!near.empty()) text += "; did you mean " + Joined(near, ", ") + "?";
  return text + " (velmora-cli fields lists them all)";
}

}  // namespace velmora::cli
