// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saved operations ("presets"): the fields of one operation stored under a name as the
// JSON record file that velmora-cli reads with --record, in <config>/Tessaro/presets/NAME.json,
// so a preset saved in the desktop program runs the same from the command line.

#include <optional>
#include <string>
#include <vector>

#include "batch/record_fields.h"
#include "platform/file_system.h"

namespace velmora::batch {

/// <user config folder>/Tessaro/presets ("" when there is no config folder).
std::string PresetsFolder();

/// Why a name cannot name a preset, or nothing when it can: a preset's name is its file's
/// name, so it may not be empty, hold a separator or NUL, or begin with ".".
std::optional<std::string> PresetNameError(const std::string& name);

/// The preset file of a name in a folder.
std::string PresetPath(const std::string& folder, const std::string& name);

/// The JSON object of every field the operation of settings.record.kind reads, one a line:
/// texts as strings, switches as true/false, numbers as numbers.
std::string PresetJson(const RecordSettings& settings);

/// Writes the preset (the folder is created when missing; an existing preset of that name
/// is replaced whole, never left half written). False when it cannot be written.
bool SavePreset(platform::FileSystem& fs, const std::string& folder, const std::string& name,
                const RecordSettings& settings);

/// The names of the presets in a folder, sorted.
std::vector<std::string> ListPresets(platform::FileSystem& fs, const std::string& folder);

}  // namespace velmora::batch
