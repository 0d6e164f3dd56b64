// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paths read from a file or from stdin ("-"), one a line or NUL-separated (as find -print0
// writes them), for the hand-picked list of one run.

#include <istream>
#include <string>
#include <vector>

namespace velmora::cli {

/// The paths of a list: NUL-separated, or one a line (LF, a CR before it dropped). Empty
/// entries are skipped; a path keeps every other byte, blanks included.
std::vector<std::string> ReadPathList(std::istream& in, bool nulSeparated);

}  // namespace velmora::cli
