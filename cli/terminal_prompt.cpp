// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_prompt.h"

#include <string>

#ifdef _WIN32
#include <io.h>
#define VELMORA_ISATTY _isatty
#else
#include <unistd.h>
#define VELMORA_ISATTY isatty
#endif

namespace velmora::cli {

bool CanAskOnTerminal() { return VELMORA_ISATTY(0) && VELMORA_ISATTY(2); }

bool IsTerminal(int fd) { return VELMORA_ISATTY(fd) != 0; }

bool AskYesNo(std::istream& in, std::ostream& err) {
  err << "[y/N] " << std::flush;
  std::string line;
  if (!std::getline(in, line)) {
    err << "\n";
    return false;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  for (char& c : line)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return line == "y" || line == "yes";
}

}  // namespace velmora::cli
