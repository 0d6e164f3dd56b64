// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace velmora::platform {

/// The user's home folder ("" when unknown).
std::string HomeFolder();

/// The per-user folder for the program's own files when no "InstallDir" setting names one:
/// the XDG data home + "/velmora" on Linux, the executable's folder on Windows. Never the
/// current directory, which may be the very folder being renamed. Not created here.
std::string DefaultProgramFolder();

/// The per-user folder of settings: $XDG_CONFIG_HOME (or ~/.config) on Linux, %APPDATA% on
/// Windows; "" when unknown. The settings file and the saved presets live under it.
std::string UserConfigFolder();

/// Full path of the running executable ("" when unknown).
std::string ExecutablePath();

/// The current folder, in the byte form the file-system calls take ("" when unknown). On
/// Windows that is the ANSI code page, which std::filesystem does not use for narrow
/// strings there, so relative paths are made absolute with this.
std::string CurrentFolder();

}  // namespace velmora::platform
