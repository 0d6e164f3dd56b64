#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the packages that tools/build-deb.sh built into this machine, runs what a user
# runs first (both programs' --version, one rename with a letter beyond ASCII, the manual,
# the shells' completions), then purges them and checks that nothing of them is left.
#   tools/test-deb.sh DEB_DIR
# Needs root (or sudo). Skipped, saying why, where the packages are installed already:
# purging them would take away the user's own installation.
set -euo pipefail
dir=${1:?usage: test-deb.sh DEB_DIR}
version=$(dpkg-parsechangelog -l "$(dirname "$0")/../debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
debs=("$dir/velmora_${version}_$arch.deb" "$dir/velmora-cli_${version}_$arch.deb")
for deb in "${debs[@]}"; do [ -f "$deb" ] || { echo "FAIL: $deb not built (make deb)" >&2; exit 1; }; done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if ! sudo -n true 2>/dev/null; then
    echo "test-deb: SKIPPED: installing packages needs root or sudo"
    exit 0
  fi
  sudo_cmd=(sudo -n)
fi
for p in velmora velmora-cli; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -qv 'not-installed'; then
    echo "test-deb: SKIPPED: the package $p is on this machine already; purge it to run this test"
    exit 0
  fi
done

work=$(mktemp -d)
installed=false
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# apt waits for the package lock that another apt or dpkg may hold for a while.
apt=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=600)
purge() { "${apt[@]}" purge velmora velmora-cli; }
cleanup() {
  if $installed; then purge >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Every file the packages hold, to check after the purge.
for deb in "${debs[@]}"; do dpkg-deb --fsys-tarfile "$deb" | tar -tf - | sed -n 's|^\./|/|; /[^/]$/p'; done >"$work/files"

installed=true
"${apt[@]}" install --no-install-recommends \
  "$(realpath "${debs[0]}")" "$(realpath "${debs[1]}")" >"$work/apt.log" 2>&1 || {
  cat "$work/apt.log" >&2
  fail "apt-get could not install the packages"
}

# The dependency that used to be opened behind the package tools' back is declared.
dpkg-query -W -f='${Depends}\n' velmora-cli | grep -q 'libicu' || fail "velmora-cli does not depend on ICU"
dpkg-query -W -f='${Depends}\n' velmora-cli | grep -qi 'qt' && fail "velmora-cli depends on Qt"

[ "$(/usr/bin/velmora-cli --version | head -1)" = "velmora-cli ${version%-*}" ] || fail "velmora-cli --version"
[ "$(QT_QPA_PLATFORM=offscreen /usr/bin/velmora --version | head -1)" = "velmora ${version%-*}" ] ||
  fail "velmora --version"

# One rename as a user runs it, in a home of its own: "café.txt" upper-cased needs ICU.
mkdir -p "$work/home" "$work/photos"
: >"$work/photos/café.txt"
HOME=$work/home XDG_DATA_HOME= XDG_CONFIG_HOME= /usr/bin/velmora-cli change --folder "$work/photos" \
  --set changeMode=ConvertCase --set caseStyle=Upper --yes >"$work/rename.out" 2>&1 ||
  { cat "$work/rename.out" >&2; fail "the rename"; }
[ -e "$work/photos/CAFÉ.TXT" ] || fail "café.txt was not renamed to CAFÉ.TXT: $(ls "$work/photos")"
[ -f "$work/home/.local/share/velmora/rollback.rbk" ] || fail "the rename wrote no rollback log"

# The manual and the completions where a new shell finds them.
for page in velmora velmora-cli velmora-launch; do
  [ -f "/usr/share/man/man1/$page.1.gz" ] || fail "no manual page $page(1)"
done
if command -v man >/dev/null; then
  man -w velmora-cli | grep -q '^/usr/share/man/man1/velmora-cli.1.gz$' || fail "man does not find velmora-cli"
fi
[ -f /usr/share/velmora-cli/velmora-cli.schema.json ] || fail "the JSON Schema is not installed"
[ -f /usr/share/bash-completion/completions/velmora-cli ] || fail "no bash completion"
bash -c 'source /usr/share/bash-completion/completions/velmora-cli && complete -p velmora-cli' >/dev/null ||
  fail "the bash completion does not load"
if command -v zsh >/dev/null; then
  HOME=$work/home zsh -fc 'autoload -U compinit && compinit -u -d "$HOME/.zcompdump" && (( $+_comps[velmora-cli] ))' ||
    fail "a new zsh does not find the velmora-cli completion"
fi
if command -v fish >/dev/null; then
  HOME=$work/home fish -c 'complete -C "velmora-cli und"' | grep -q '^undo' ||
    fail "a new fish does not complete velmora-cli"
fi

purge >"$work/purge.log" 2>&1 || {
  cat "$work/purge.log" >&2
  fail "apt-get purge"
}
installed=false
for p in velmora velmora-cli; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -qv 'not-installed'; then fail "$p is still known to dpkg"; fi
done
left=
while IFS= read -r f; do [ -e "$f" ] || [ -L "$f" ] && left="$left $f"; done <"$work/files"
[ -z "$left" ] || fail "left after the purge:$left"
for d in /usr/share/velmora /usr/share/velmora-cli /usr/share/doc/velmora /usr/share/doc/velmora-cli; do
  [ ! -e "$d" ] || fail "left after the purge: $d"
done
echo "test-deb: installed, ran, purged; $(wc -l <"$work/files") files gone"
