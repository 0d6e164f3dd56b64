// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/cli_app.h"
#include "cli/cli_support.h"

int main(int argc, char** argv) {
  velmora::cli::SurviveClosedOutput();
  return velmora::cli::RunCli(argc, argv, std::cout, std::cerr);
}
