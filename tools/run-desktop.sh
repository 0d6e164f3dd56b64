#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the desktop program from a build folder; without it (a core-only build) shows the CLI's help.
set -euo pipefail
build=${1:-build}
if [ -x "$build/ui/velmora" ]; then
  exec "$build/ui/velmora"
fi
exec "$build/cli/velmora-cli" --help
