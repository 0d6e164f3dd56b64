// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/meta_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "media/metadata.h"
#include "platform/file_system.h"

namespace velmora::cli {

namespace {

struct Row {
  std::string tag, value, source;
};

// The tags of one file as a run would read them: the date taken, else the file's date.
std::vector<Row> RowsOf(const media::MediaInfo& info, const std::optional<platform::EntryInfo>& entry) {
  std::vector<Row> rows;
  for (media::Tag tag : media::kAllTags) {
    std::string value = media::TagValue(info, tag);
    std::string source = media::TagSourceName(info, tag);
    if (tag == media::Tag::Taken && value.empty() && entry) {
      const auto& t = entry->lastWrite;
      char buf[64];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                    t.second);
      value = buf;
      source = "file date";
    }
    if (!value.empty()) rows.push_back({media::TagName(tag), value, source});
  }
  return rows;
}

}  // namespace

MetaCommand::MetaCommand(CLI::App& app) {
  command_ = app.add_subcommand("meta", "Show the tags that {taken}, {artist} ... read from each file");
  command_->add_option("PATH", paths_, "Photos and songs to read")->required();
  command_->add_flag("--json", json_, "Print one JSON object on stdout");
  command_->footer(ExampleFooter(kMetaExample));
}

bool MetaCommand::parsed() const { return command_ && command_->parsed(); }

int MetaCommand::run(std::ostream& out, std::ostream& err) const {
  return run(media::SystemMetadataReader(), platform::RealFileSystem(), out, err);
}

int MetaCommand::run(media::MetadataReader& reader, platform::FileSystem& fs, std::ostream& out,
                     std::ostream& err) const {
  if (!reader.available()) {
    const std::string text = "this build of velmora-cli reads no photo or music tags";
    if (json_) {
      out << nlohmann::json{{"messages", {{{"title", "Error"}, {"text", text}}}}, {"exit", kRefused}}.dump() << "\n";
    } else {
      err << "Error: " << text << "\n";
    }
    return kRefused;
  }
  int exit = kDone;
  nlohmann::json files = nlohmann::json::array();
  for (const std::string& path : paths_) {
    const auto entry = fs.entryInfo(path);
    media::MediaInfo info;
    if (!entry)
      info.error = "no such file";
    else if (entry->isDirectory)
      info.error = "a folder";
    else
      info = reader.read(path);
    if (!info.error.empty()) exit = kFailure;
    const std::vector<Row> rows = RowsOf(info, entry);
    if (json_) {
      nlohmann::json tags = nlohmann::json::array();
      for (const Row& r : rows) tags.push_back({{"tag", r.tag}, {"value", JsonText(r.value)}, {"source", r.source}});
      nlohmann::json file{{"path", JsonText(path)}, {"tags", tags}};
      if (!info.error.empty()) file["error"] = JsonText(info.error);
      files.push_back(file);
      continue;
    }
    out << Printable(path) << "\n";
    if (!info.error.empty()) err << "Error: '" << Printable(path) << "': " << info.error << "\n";
    std::size_t width = 0;
    for (const Row& r : rows) width = std::max(width, r.value.size());
    for (const Row& r : rows) {
      out << "  " << r.tag << std::string(12 - std::min<std::size_t>(r.tag.size(), 11), ' ') << Printable(r.value)
          << std::string(width - r.value.size() + 2, ' ') << r.source << "\n";
    }
  }
  if (json_) out << nlohmann::json{{"files", files}, {"exit", exit}}.dump() << "\n";
  return exit;
}

}  // namespace velmora::cli
