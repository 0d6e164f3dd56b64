#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-run benchmark of velmora-cli against the bare readdir + renameat2(RENAME_NOREPLACE)
# loop in C (bench/bare_rename.c) on the same trees, in one run:
#  - five operations (replace, the same as a regular expression with a group, lower case,
#    prefix insert, extension change) on a flat
#    folder and on a tree of 100 folders (scope 1), and the extension change at 3x the size;
#  - undo of a run against the bare loop renaming back;
#  - a preview of the first 20 rows against the bare listing of the folder;
#  - a 10-file rename, in milliseconds;
#  - 10,000 tiny JPEGs named by the date they were taken against the same run by file date;
#  - the desktop program's run through its progress window (offscreen) against velmora-cli's.
# Each figure is the median of interleaved rounds (bare, then velmora-cli, on fresh trees),
# so a busy machine weighs on both alike. Memory is velmora-cli's peak resident size.
# The rows are made on memory (tmpfs, /dev/shm) and on the disk (a folder in the build
# folder), each set headed by its file system: on a disk the journal's syncs cost what
# they cost. BENCH_DIR names one place instead.
#
#   [BENCH_DIR=folder] [VELMORA_CLI=binary] [BENCH_ROWS="preview20 window ..."] \
#     bench/run_bench.sh [BUILD_DIR] [FILES] [ROUNDS]
# BENCH_ROWS picks rows by their first word (replace regex lower prefix extension undo preview20,
# small for the 10-file rename, taken for the photos by date taken, window for the progress
# window); all when unset.
set -euo pipefail
build=${1:-build}
files=${2:-100000}
rounds=${3:-3}
big=$((files * 3))
here=$(cd "$(dirname "$0")" && pwd)
cli=${VELMORA_CLI:-$(cd "$build" && pwd)/cli/velmora-cli}
window=$(cd "$build" && pwd)/bench/progress_bench
photos=$(cd "$build" && pwd)/bench/make_photos
[ -x "$cli" ] || { echo "build velmora-cli first (make build)" >&2; exit 1; }

# The places the trees go: BENCH_DIR alone when it is set, otherwise memory (tmpfs) and the
# disk the build folder is on.
if [ -n "${BENCH_DIR:-}" ]; then
  bases=("$BENCH_DIR")
else
  bases=()
  [ -d /dev/shm ] && [ -w /dev/shm ] && bases+=(/dev/shm)
  mkdir -p "$build/bench-disk"
  bases+=("$(cd "$build/bench-disk" && pwd)")
fi
works=()
trap 'rm -rf "${works[@]}"' EXIT

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
fresh_tree() {  # FILES FOLDERS UPPER
  rm -rf "$tree" "$state"
  "$bare" make "$tree" "$1" "$2" "$3"
}

# The velmora-cli arguments, the bare loop's operation and the new names' pattern of each operation.
cli_args() {
  case $1 in
    replace) echo "replace --set oldText=img --set newText=pic" ;;
    regex) echo "replace --set regex=true --set oldText=img(\\d) --set newText=pic\\1" ;;
    lower) echo "change --set changeMode=ConvertCase --set caseStyle=Lower --set capitalizeFirst=false --set includeExtension=true" ;;
    prefix) echo "insert --set atHead=true --set headText=new_" ;;
    extension) echo "extension --set allExtensions=true --set newExtension=.dat" ;;
  esac
}
bare_op() {
  case $1 in
    replace | regex) echo "replace=img/pic" ;; lower) echo "lower" ;; prefix) echo "prefix=new_" ;; extension) echo "ext=.dat" ;;
  esac
}
new_pattern() {
  case $1 in
    replace | regex) echo "pic*.jpg" ;; lower) echo "img*.jpg" ;; prefix) echo "new_img*.jpg" ;; extension) echo "img*.dat" ;;
  esac
}

# Prints "bare_seconds cli_seconds cli_peak_kib" (medians) for OPERATION FILES FOLDERS.
measure_run() {
  local op=$1 n=$2 folders=$3 upper=0 scope=0 b=() c=() m=() out
  [ "$op" = lower ] && upper=1
  [ "$folders" -gt 0 ] && scope=1
  for ((r = 0; r < rounds; ++r)); do
    fresh_tree "$n" "$folders" "$upper"
    b+=("$("$bare" time "$bare" rename "$tree" "$(bare_op "$op")" | cut -d' ' -f1)")
    fresh_tree "$n" "$folders" "$upper"
    # shellcheck disable=SC2046
    out=$("$bare" time "$cli" $(cli_args "$op") --folder "$tree" --scope "$scope" --yes --state-dir "$state" 2>/dev/null)
    c+=("${out% *}") m+=("${out#* }")
    local got
    got=$(find "$tree" -type f -name "$(new_pattern "$op")" | wc -l)
    [ "$got" -eq "$n" ] || { echo "velmora-cli $op renamed $got of $n" >&2; exit 1; }
  done
  echo "$(printf '%s\n' "${b[@]}" | median) $(printf '%s\n' "${c[@]}" | median) $(printf '%s\n' "${m[@]}" | sort -g | tail -1)"
}

# Undo of an extension change: velmora-cli undo against the bare loop renaming back.
measure_undo() {
  local n=$1 b=() c=() m=() out
  for ((r = 0; r < rounds; ++r)); do
    fresh_tree "$n" 0 0
    "$bare" rename "$tree" ext=.dat >/dev/null
    b+=("$("$bare" time "$bare" rename "$tree" ext=.jpg | cut -d' ' -f1)")
    fresh_tree "$n" 0 0
    "$cli" $(cli_args extension) --folder "$tree" --yes --state-dir "$state" >/dev/null 2>&1
    out=$("$bare" time "$cli" undo --yes --state-dir "$state" 2>/dev/null)
    c+=("${out% *}") m+=("${out#* }")
    [ "$(find "$tree" -type f -name '*.jpg' | wc -l)" -eq "$n" ] || { echo "undo incomplete" >&2; exit 1; }
  done
  echo "$(printf '%s\n' "${b[@]}" | median) $(printf '%s\n' "${c[@]}" | median) $(printf '%s\n' "${m[@]}" | sort -g | tail -1)"
}

# The first 20 preview rows against the bare listing, on one tree (nothing changes it).
measure_preview() {
  local n=$1 b=() c=() m=() out
  fresh_tree "$n" 0 0
  for ((r = 0; r < rounds * 3; ++r)); do
    b+=("$("$bare" time "$bare" list "$tree" | cut -d' ' -f1)")
    out=$("$bare" time "$cli" $(cli_args extension) --folder "$tree" --preview --state-dir "$state")
    c+=("${out% *}") m+=("${out#* }")
  done
  echo "$(printf '%s\n' "${b[@]}" | median) $(printf '%s\n' "${c[@]}" | median) $(printf '%s\n' "${m[@]}" | sort -g | tail -1)"
}

# A 10-file replace, the history already holding its texts: milliseconds.
measure_small() {
  local c=() out
  rm -rf "$state"
  for ((r = 0; r < rounds * 5; ++r)); do
    rm -rf "$tree"
    "$bare" make "$tree" 10 0 0
    out=$("$bare" time "$cli" $(cli_args replace) --folder "$tree" --yes --state-dir "$state")
    c+=("${out% *}")
  done
  printf '%s\n' "${c[@]}" | median
}

# COUNT photos named by the date taken ({taken}) against the same run by file date (@@ and a
# number, so neither run numbers collisions): prints "file_date_seconds taken_seconds kib".
# Warm: the photos were just written, so their headers are in the page cache.
measure_taken() {
  local n=$1 b=() c=() m=() out
  for ((r = 0; r < rounds; ++r)); do
    rm -rf "$tree" "$state" && mkdir -p "$tree" && "$photos" "$tree" "$n"
    out=$("$bare" time "$cli" change --set 'newName=@@_$$$$$' --folder "$tree" --yes --state-dir "$state" 2>/dev/null)
    b+=("${out% *}")
    rm -rf "$tree" "$state" && mkdir -p "$tree" && "$photos" "$tree" "$n"
    out=$("$bare" time "$cli" change --set 'newName={taken}' --folder "$tree" --yes --state-dir "$state" 2>/dev/null)
    c+=("${out% *}") m+=("${out#* }")
    [ "$(find "$tree" -type f -name '2026120?_*.jpg' -o -type f -name '202612[12]?_*.jpg' | wc -l)" -eq "$n" ] ||
      { echo "velmora-cli did not name every photo by its date taken" >&2; exit 1; }
  done
  echo "$(printf '%s\n' "${b[@]}" | median) $(printf '%s\n' "${c[@]}" | median) $(printf '%s\n' "${m[@]}" | sort -g | tail -1)"
}

# The extension change of a flat folder by the desktop program, from OK until the progress
# window closed with every file renamed (bench/progress_bench --folder, offscreen), against
# the whole velmora-cli run: prints "cli_seconds desktop_seconds" (medians).
measure_window() {
  local n=$1 c=() d=() out
  for ((r = 0; r < rounds; ++r)); do
    fresh_tree "$n" 0 0
    # shellcheck disable=SC2046
    out=$("$bare" time "$cli" $(cli_args extension) --folder "$tree" --yes --state-dir "$state" 2>/dev/null)
    c+=("${out% *}")
    fresh_tree "$n" 0 0
    out=$(TMPDIR="$work" QT_QPA_PLATFORM=offscreen "$window" --folder "$tree" 2>/dev/null)
    d+=("${out%% *}")
    [ "$(find "$tree" -type f -name 'img*.dat' | wc -l)" -eq "$n" ] || { echo "desktop run incomplete" >&2; exit 1; }
  done
  echo "$(printf '%s\n' "${c[@]}" | median) $(printf '%s\n' "${d[@]}" | median)"
}

row() {  # LABEL LAYOUT FILES "bare cli kib"
  local b c k
  read -r b c k <<<"$4"
  printf '%-10s %-6s %7d %9.3f %9.3f %7.2f %8.1f\n' "$1" "$2" "$3" "$b" "$c" "$(echo "$c / $b" | bc -l)" \
    "$(echo "$k / 1024" | bc -l)"
}

wanted() { [ -z "${BENCH_ROWS:-}" ] || [[ " $BENCH_ROWS " == *" $1 "* ]]; }

bench_in() {  # BASE: every wanted row with its trees under BASE
  work=$(mktemp -d "$1/velmora-bench-XXXXXX")
  works+=("$work")
  bare="$work/bare_rename"
  cc -O2 -o "$bare" "$here/bare_rename.c"
  tree="$work/tree" state="$work/state"
  printf '\n== %s (%s)\n' "$(df --output=fstype "$work" | tail -1)" "$1"
  printf 'velmora-cli against the bare loop (medians of %d rounds; MiB = velmora-cli peak memory)\n' "$rounds"
  printf '%-10s %-6s %7s %9s %9s %7s %8s\n' operation layout files "bare s" "cli s" ratio MiB
  for op in replace regex lower prefix extension; do
    if wanted "$op"; then
      row "$op" flat "$files" "$(measure_run "$op" "$files" 0)"
      row "$op" tree100 "$files" "$(measure_run "$op" "$files" 100)"
    fi
  done
  if wanted extension; then row extension flat "$big" "$(measure_run extension "$big" 0)"; fi
  if wanted undo; then row undo flat "$files" "$(measure_undo "$files")"; fi
  if wanted preview20; then row preview20 flat "$files" "$(measure_preview "$files")"; fi
  if wanted small; then
    printf '10-file rename: %.2f ms (median of %d)\n' "$(echo "$(measure_small) * 1000" | bc -l)" "$((rounds * 5))"
  fi
  if wanted taken; then
    if [ -x "$photos" ]; then
      read -r b c k <<<"$(measure_taken 10000)"
      printf 'photos by date taken: 10000 JPEGs in %.3f s, by file date %.3f s: ratio %.2f, %.1f MiB (medians of %d)\n' \
        "$c" "$b" "$(echo "$c / $b" | bc -l)" "$(echo "$k / 1024" | bc -l)" "$rounds"
    else
      echo "photos by date taken: bench/make_photos not built"
    fi
  fi
  if ! wanted window; then
    :
  elif [ -x "$window" ]; then
    read -r c d <<<"$(measure_window "$files")"
    printf 'progress window: %d files in %.3f s, velmora-cli %.3f s: %+.1f %% (medians of %d)\n' "$files" "$d" "$c" \
      "$(echo "($d / $c - 1) * 100" | bc -l)" "$rounds"
  else
    echo "progress window: bench/progress_bench not built (desktop program off)"
  fi
  rm -rf "$work"
}

for base in "${bases[@]}"; do bench_in "$base"; done
