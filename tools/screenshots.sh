#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of every window to look at: each window, page and choice as the window check of
# the dialogs test visits them, in English and German, light and dark, with the default and
# a larger font, on a 1366x768 screen at scale 1.25 and a 2560x1440 screen at scale 2.0,
# each on its own X server (Xvfb). Not part of the tests.
#   tools/screenshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build, /tmp/velmora-shots)
set -eu
build=${1:-build}
out=${2:-/tmp/velmora-shots}
test_program="$build/tests/ui/ui_dialogs_test"
[ -x "$test_program" ] || { echo "build $test_program first" >&2; exit 1; }
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/runtime" "$sandbox/config" "$sandbox/data" "$sandbox/home"
chmod 700 "$sandbox/runtime"
for screen in 1366x768@1.25 2560x1440@2.0; do
  size=${screen%@*}
  scale=${screen#*@}
  mkdir -p "$out/$size"
  env VELMORA_TEST_SANDBOX=1 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" VELMORA_SCREENSHOTS="$out/$size" \
      XDG_RUNTIME_DIR="$sandbox/runtime" XDG_CONFIG_HOME="$sandbox/config" XDG_DATA_HOME="$sandbox/data" \
      HOME="$sandbox/home" \
      xvfb-run -a -s "-screen 0 ${size}x24" "$test_program" everyWindowShowsWholeReadableTexts ||
    echo "the window check failed on $screen (pictures kept)" >&2
done
echo "pictures in $out"
