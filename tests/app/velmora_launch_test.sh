#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The file-manager launcher end to end: it writes the hand-off list "fn000.tmp" (CR LF
# lines) into Velmora's own folder and starts a fake "velmora" found on PATH, which
# records its arguments and the list it finds at its start.
#   velmora_launch_test.sh PATH/TO/velmora-launch

set -u
case $1 in
  /*) launcher=$1 ;;
  *) launcher=$PWD/$1 ;;
esac
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mkdir -p "$root/bin" "$root/work/Photos/Sub dir" "$root/other"
cat >"$root/bin/velmora" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$root/args"
dir=\${XDG_DATA_HOME:-\$HOME/.local/share}/velmora
[ -n "\${EXPECT_LIST:-}" ] && dir=\$EXPECT_LIST
cp "\$dir/fn000.tmp" "$root/list-at-start" 2>/dev/null
exit 0
EOF
chmod +x "$root/bin/velmora"
: >"$root/work/Photos/a b.jpg"
: >"$root/work/Photos/c.jpg"

# Runs the launcher in $root/work with a fresh HOME; sets $status.
run() {
  rm -rf "${root:?}/home" "$root/args" "$root/list-at-start"
  mkdir -p "$root/home"
  (cd "$root/work" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$root/home" PATH="$root/bin:/usr/bin:/bin" \
    sh "$launcher" "$@") 2>"$root/stderr"
  status=$?
}

# expect_list FILE LINE...: FILE holds exactly the lines, each ended by CR LF.
expect_list() {
  file=$1
  shift
  : >"$root/expected"
  for line in "$@"; do printf '%s\r\n' "$line" >>"$root/expected"; done
  if ! cmp -s "$file" "$root/expected"; then
    fail "$file: expected $(od -c "$root/expected" | head -5), got $(od -c "$file" 2>&1 | head -5)"
  fi
}

expect_args() {
  printf '%s\n' "$@" >"$root/expected-args"
  cmp -s "$root/args" "$root/expected-args" || fail "arguments: expected '$*', got '$(cat "$root/args" 2>&1)'"
}

data=$root/home/.local/share/velmora

# Two files, one relative (as Nautilus hands them) and one absolute.
run Replace "Photos/a b.jpg" "$root/work/Photos/c.jpg"
[ $status -eq 0 ] || fail "two files: exit $status"
expect_args Replapart
expect_list "$data/fn000.tmp" "$root/work/Photos/a b.jpg" "$root/work/Photos/c.jpg"
expect_list "$root/list-at-start" "$root/work/Photos/a b.jpg" "$root/work/Photos/c.jpg"
[ -z "$(find "$data" -name 'fn000.tmp.*')" ] || fail "a temporary list was left behind"

# Each menu item and keyword passes its keyword.
for pair in remove:Removpart INSERT:Addnewnum change:Changnew Extension:Changexten Changnew:Changnew; do
  run "${pair%%:*}" "$root/work/Photos/c.jpg"
  [ $status -eq 0 ] || fail "${pair%%:*}: exit $status"
  expect_args "${pair#*:}"
done

# "save": exactly one folder lists the folder, anything else the items.
run save "Photos/Sub dir/"
expect_args Savealls
expect_list "$data/fn000.tmp" "$root/work/Photos/Sub dir"
run save "$root/work/Photos/c.jpg"
expect_args Savesomes
run save "$root/work/Photos" "$root/work/Photos/c.jpg"
expect_args Savesomes
expect_list "$data/fn000.tmp" "$root/work/Photos" "$root/work/Photos/c.jpg"

# An existing list is replaced.
mkdir -p "$data"
printf 'stale\r\n' >"$data/fn000.tmp"
run remove "$root/work/Photos/c.jpg"
expect_list "$data/fn000.tmp" "$root/work/Photos/c.jpg"

# The folder named by the settings file wins, quoted and escaped as the settings write it.
mkdir -p "$root/home/.config/Tessaro"
rm -rf "$root/other/"*
target="$root/other/Velmora, \"own\" folder"
run_with_settings() {
  rm -rf "$root/args" "$root/list-at-start"
  (cd "$root/work" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$root/home" PATH="$root/bin:/usr/bin:/bin" \
    EXPECT_LIST="$target" sh "$launcher" "$@") 2>"$root/stderr"
  status=$?
}
mkdir -p "$root/home/.config/Tessaro"
escaped=$(printf '%s' "$target" | sed 's/\\/\\\\/g; s/"/\\"/g')
printf '[General]\nLastDir=/tmp/\nInstallDir="%s"\n\n[Other]\nInstallDir=/wrong\n' "$escaped" \
  >"$root/home/.config/Tessaro/Dir.conf"
run_with_settings insert "$root/work/Photos/c.jpg"
[ $status -eq 0 ] || fail "settings folder: exit $status"
expect_list "$target/fn000.tmp" "$root/work/Photos/c.jpg"
expect_list "$root/list-at-start" "$root/work/Photos/c.jpg"

# A value that is no text (a list) counts as missing: the data home is used.
printf '[General]\nInstallDir=/a,/b\n' >"$root/home/.config/Tessaro/Dir.conf"
rm -rf "$root/home/.local"
(cd "$root/work" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$root/home" PATH="$root/bin:/usr/bin:/bin" \
  sh "$launcher" remove c) 2>/dev/null
[ -f "$data/fn000.tmp" ] || fail "a list value of InstallDir was not ignored"
rm -f "$root/home/.config/Tessaro/Dir.conf"

# XDG_DATA_HOME moves the default folder.
rm -rf "$root/xdg"
(cd "$root/work" && env -u XDG_CONFIG_HOME HOME="$root/home" XDG_DATA_HOME="$root/xdg" PATH="$root/bin:/usr/bin:/bin" \
  sh "$launcher" change "$root/work/Photos/c.jpg") 2>/dev/null
expect_list "$root/xdg/velmora/fn000.tmp" "$root/work/Photos/c.jpg"

# A path with a line break is left out; the others go.
nl='
'
run replace "$root/work/Photos/evil${nl}c.jpg" "$root/work/Photos/c.jpg"
[ $status -eq 0 ] || fail "line break: exit $status"
expect_list "$data/fn000.tmp" "$root/work/Photos/c.jpg"
grep -q "line break" "$root/stderr" || fail "no word about the left-out path"

# Refusals: nothing written, nothing started.
for args in "rename $root/work/Photos/c.jpg" "remove"; do
  # shellcheck disable=SC2086
  run $args
  [ $status -eq 2 ] || fail "'$args': exit $status, expected 2"
  [ ! -e "$root/args" ] || fail "'$args': velmora was started"
  [ ! -e "$data/fn000.tmp" ] || fail "'$args': a list was written"
done
rm -f "$root/bin/velmora"
run remove "$root/work/Photos/c.jpg"
[ $status -eq 127 ] || fail "no program: exit $status, expected 127"
[ ! -e "$data/fn000.tmp" ] || fail "no program: a list was written"

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "velmora-launch: all checks passed"
