// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's licence as --version and the About panel state it.

namespace velmora::batch {

inline constexpr const char* kLicenceName = "GPL-3.0-or-later";
inline constexpr const char* kLicenceNotice =
    "Copyright (C) 2026 Tessaro\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";

}  // namespace velmora::batch
