#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-run benchmark: velmora-cli changing every extension of 100,000 files to ".dat",
# against a bare readdir + renameat2 loop in C on the same tree, in one run. Prints the
# median times, their ratio, and velmora-cli's peak resident memory.
#
#   bench/run_bench.sh [BUILD_DIR] [FILES] [ROUNDS]
set -euo pipefail
build=${1:-build}
files=${2:-100000}
rounds=${3:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=$(cd "$build" && pwd)/cli/velmora-cli
[ -x "$cli" ] || { echo "build velmora-cli first (make build)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/bare_rename" "$here/bare_rename.c"

make_tree() {
  rm -rf "$work/tree" "$work/state"
  mkdir -p "$work/tree"
  (cd "$work/tree" && seq -f "img%06g.jpg" 1 "$files" | xargs touch)
  sync
}

now() { date +%s.%N; }
median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

bare_times=() cli_times=() rss=0
for ((r = 1; r <= rounds; ++r)); do
  make_tree
  t0=$(now); "$work/bare_rename" "$work/tree" >/dev/null; t1=$(now)
  bare_times+=("$(echo "$t1 - $t0" | bc -l)")
  make_tree
  t0=$(now)
  /usr/bin/time -f "%M" -o "$work/rss" "$cli" extension --folder "$work/tree" \
      --set allExtensions=true --set newExtension=.dat --state-dir "$work/state" >/dev/null
  t1=$(now)
  cli_times+=("$(echo "$t1 - $t0" | bc -l)")
  kb=$(cat "$work/rss"); [ "$kb" -gt "$rss" ] && rss=$kb
  renamed=$(find "$work/tree" -name '*.dat' | wc -l)
  [ "$renamed" -eq "$files" ] || { echo "velmora-cli renamed $renamed of $files" >&2; exit 1; }
done

bare=$(printf '%s\n' "${bare_times[@]}" | median)
velmora=$(printf '%s\n' "${cli_times[@]}" | median)
printf 'files            %d\n' "$files"
printf 'bare loop        %.3f s (median of %d)\n' "$bare" "$rounds"
printf 'velmora-cli      %.3f s (median of %d)\n' "$velmora" "$rounds"
printf 'ratio            %.2f\n' "$(echo "$velmora / $bare" | bc -l)"
printf 'peak memory      %.1f MiB\n' "$(echo "$rss / 1024" | bc -l)"
