// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/presets.h"

#include <algorithm>
#include <cstdio>

#include "platform/user_dirs.h"

namespace velmora::batch {

namespace {

constexpr std::string_view kSuffix = ".json";

void AppendJsonString(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string PresetsFolder() {
  const std::string config = platform::UserConfigFolder();
  if (config.empty()) return {};
  return platform::JoinPath(platform::JoinPath(config, "Tessaro"), "presets");
}

std::optional<std::string> PresetNameError(const std::string& name) {
  if (name.empty()) return "a preset needs a name";
  if (name.front() == '.') return "a preset name may not begin with \".\"";
  for (const char c : name)
    if (c == '\0' || platform::IsSeparator(c)) return "a preset name may not hold \"/\" or NUL";
  return std::nullopt;
}

std::string PresetPath(const std::string& folder, const std::string& name) {
  return platform::JoinPath(folder, name + std::string(kSuffix));
}

std::string PresetJson(const RecordSettings& settings) {
  std::string out = "{";
  bool first = true;
  for (const FieldInfo& field : RecordFields()) {
    if (!UsedBy(field, settings.record.kind)) continue;
    const std::optional<std::string> value = FieldValue(settings, field.name);
    if (!value) continue;
    out += first ? "\n  " : ",\n  ";
    first = false;
    AppendJsonString(out, field.name);
    out += ": ";
    if (field.type == FieldType::Boolean || field.type == FieldType::Integer)
      out += *value;
    else
      AppendJsonString(out, *value);
  }
  out += "\n}\n";
  return out;
}

bool SavePreset(platform::FileSystem& fs, const std::string& folder, const std::string& name,
                const RecordSettings& settings) {
  if (PresetNameError(name) || folder.empty() || !fs.makeFolders(folder)) return false;
  return fs.writeFileAtomic(PresetPath(folder, name), PresetJson(settings), false);
}

std::vector<std::string> ListPresets(platform::FileSystem& fs, const std::string& folder) {
  std::vector<std::string> names;
  const auto entries = fs.readFolder(folder);
  if (!entries) return names;
  for (const platform::DirEntry& e : *entries) {
    if (e.isDirectory || e.name.size() <= kSuffix.size() || e.name.front() == '.') continue;
    if (e.name.compare(e.name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) continue;
    names.push_back(e.name.substr(0, e.name.size() - kSuffix.size()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace velmora::batch
