#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what `make install` installed, as listed in the install manifest of the build
# folder, then the folders of the program's own that this leaves empty. The manifest holds
# the paths without DESTDIR: give the same DESTDIR as to the install.
#   [DESTDIR=staging] tools/uninstall.sh BUILD/install_manifest.txt
set -eu
manifest=${1:?usage: uninstall.sh INSTALL_MANIFEST}
if [ ! -f "$manifest" ]; then
  echo "uninstall: $manifest not found; nothing was installed from this build folder" >&2
  exit 1
fi
root=${DESTDIR:-}
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  file=$root$file
  if [ -f "$file" ] || [ -L "$file" ]; then
    rm -f -- "$file"
    echo "removed $file"
  fi
done <"$manifest"
# Only folders that hold nothing else go, never a shared one that is still in use.
while IFS= read -r file || [ -n "$file" ]; do
  case $file in
    */share/velmora/* | */share/doc/velmora/*)
      dir=$root${file%/*}
      while [ -d "$dir" ] && rmdir -- "$dir" 2>/dev/null; do
        case ${dir##*/} in velmora) break ;; esac
        dir=${dir%/*}
      done
      ;;
  esac
done <"$manifest"
