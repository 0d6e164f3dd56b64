// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Questions asked on the terminal: only when stdin and stderr both are one, so scripts and
// pipes never wait for an answer that nobody will type.

#include <istream>
#include <ostream>

namespace velmora::cli {

/// True when stdin and stderr are terminals.
bool CanAskOnTerminal();

/// True when stderr (fd 2), or stdout for fd 1, is a terminal: a progress line goes only there.
bool IsTerminal(int fd);

/// Writes "[y/N] " to err and reads one line from in: true for "y" or "yes" (any case);
/// false for anything else, an empty line or the end of input.
bool AskYesNo(std::istream& in, std::ostream& err);

}  // namespace velmora::cli
