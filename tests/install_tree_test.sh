#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# `make install DESTDIR=...` as a packager runs it: the tree holds exactly the files a Linux
# package ships, no installed file names the source or build folder, the installed programs
# run, and tools/uninstall.sh removes it all again.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR [ZSH_COMPLETION_DIR]
set -eu
build=$1
source=$2
zsh_dir=${3:-share/zsh/site-functions}
dest=$(mktemp -d)
manifest=$build/install_manifest.txt
saved=$dest.manifest
# The test's install must not take the place of the user's own install record.
[ -f "$manifest" ] && cp "$manifest" "$saved"
restore() {
  if [ -f "$saved" ]; then mv "$saved" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$dest"
}
trap restore EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
cp "$manifest" "$dest.list"

expected=$(cat <<'LIST'
./usr/bin/velmora
./usr/bin/velmora-cli
./usr/bin/velmora-launch
./usr/share/applications/org.tessaro.Velmora.desktop
./usr/share/bash-completion/completions/velmora-cli
./usr/share/doc/velmora/LICENSE
./usr/share/fish/vendor_completions.d/velmora-cli.fish
./usr/share/icons/hicolor/128x128/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/16x16/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/22x22/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/24x24/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/256x256/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/32x32/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/48x48/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/64x64/apps/org.tessaro.Velmora.png
./usr/share/icons/hicolor/scalable/apps/org.tessaro.Velmora.svg
./usr/share/man/man1/velmora-cli.1
./usr/share/man/man1/velmora-launch.1
./usr/share/man/man1/velmora.1
./usr/share/metainfo/org.tessaro.Velmora.metainfo.xml
./usr/share/velmora/end.wav
./usr/share/velmora/help/Change ext.htm
./usr/share/velmora/help/Change.htm
./usr/share/velmora/help/How to use.htm
./usr/share/velmora/help/Insert.htm
./usr/share/velmora/help/Options.htm
./usr/share/velmora/help/Preview.htm
./usr/share/velmora/help/Remove.htm
./usr/share/velmora/help/Replace.htm
./usr/share/velmora/help/Save.htm
./usr/share/velmora/help/Special string.htm
./usr/share/velmora/help/style.css
./usr/share/velmora/help/de/Change ext.htm
./usr/share/velmora/help/de/Change.htm
./usr/share/velmora/help/de/How to use.htm
./usr/share/velmora/help/de/Insert.htm
./usr/share/velmora/help/de/Options.htm
./usr/share/velmora/help/de/Preview.htm
./usr/share/velmora/help/de/Remove.htm
./usr/share/velmora/help/de/Replace.htm
./usr/share/velmora/help/de/Save.htm
./usr/share/velmora/help/de/Special string.htm
./usr/share/velmora/translations/velmora_de.qm
./usr/share/velmora-cli/velmora-cli.schema.json
LIST
)
expected="$expected
./usr/$zsh_dir/_velmora-cli"
actual=$(cd "$dest" && find . -type f | LC_ALL=C sort)
expected=$(printf '%s\n' "$expected" | LC_ALL=C sort)
[ "$actual" = "$expected" ] || {
  printf 'installed tree differs (- expected, + installed):\n' >&2
  printf '%s\n' "$expected" >"$dest.expected"
  printf '%s\n' "$actual" >"$dest.actual"
  diff "$dest.expected" "$dest.actual" >&2 || true
  rm -f "$dest.expected" "$dest.actual"
  fail "the install tree"
}

for f in usr/bin/velmora usr/bin/velmora-cli usr/bin/velmora-launch; do
  [ -x "$dest/$f" ] || fail "$f is not executable"
done
if grep -rlF -e "$source/" "$dest" >&2; then fail "installed files name the source folder $source"; fi
if grep -rlF -e "$build" "$dest" >&2; then fail "installed files name the build folder $build"; fi
"$dest/usr/bin/velmora-cli" --version | grep -q 'GPL-3.0-or-later' || fail "velmora-cli --version names no licence"
# ICU is a library the loader and the package tools see, never one opened behind their back.
if command -v readelf >/dev/null; then
  readelf -d "$dest/usr/bin/velmora-cli" | grep -q 'NEEDED.*\[libicuuc\.so' || fail "velmora-cli does not link ICU"
fi

DESTDIR=$dest sh "$source/tools/uninstall.sh" "$dest.list" >/dev/null
rm -f "$dest.list"
left=$(cd "$dest" && find . -type f)
[ -z "$left" ] || fail "uninstall left: $left"
[ ! -e "$dest/usr/share/velmora" ] || fail "uninstall left share/velmora"
echo "install tree: $(printf '%s\n' "$expected" | wc -l) files, uninstalled"
