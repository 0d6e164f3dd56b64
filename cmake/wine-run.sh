#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a cross-built Windows program under wine: wine-run.sh WINE PREFIX PROGRAM [ARGS...]
# A prefix already set in the environment wins; wine's debug output, its desktop menu
# builder and the .NET / HTML engine installers (which would stall the first start) are off.
set -e
wine=$1
prefix=$2
shift 2
export WINEPREFIX="${WINEPREFIX:-$prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=;mshtml=}"
exec "$wine" "$@"
