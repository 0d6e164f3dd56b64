#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian binary packages velmora and velmora-cli from the tree and checks them
# with lintian (no errors, no warnings beyond debian/*.lintian-overrides).
#   tools/build-deb.sh OUT_DIR JOBS
# The sources (the files git knows, or the tree without build folders) are copied to
# OUT_DIR/velmora-VERSION and built there, so the tree stays clean and the packages land in
# OUT_DIR. The tests are not run again: `make test` runs them on the same sources. Give
# DEB_BUILD_OPTIONS to build otherwise (without "nocheck" the package's tests run too).
set -euo pipefail
out=${1:?usage: build-deb.sh OUT_DIR JOBS}
jobs=${2:-2}
source=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
upstream=${version%-*}
tree=$out/velmora-$upstream

# The source files: from git when the tree is a checkout (tracked and new files, not the
# ignored build folders), else every file outside the build folders; as a tar stream.
sources() {
  cd "$source"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
      [ -e "$f" ] && printf '%s\0' "$f"
    done | tar --null -T - "$@" -cf -
  else
    tar --exclude='./build*' --exclude='./.git' --exclude="./${out#"$source"/}" "$@" -cf - .
  fi
}

# Packages built from these very sources with these options are not built again: `make test`
# after `make deb` installs the ones there are.
options=${DEB_BUILD_OPTIONS-nocheck}
stamp=$out/velmora_${version}.sources
built=$( (echo "$options"; sources --mtime=@0 --owner=0 --group=0 --numeric-owner) | sha256sum)
debs=("$out/velmora_${version}_$(dpkg --print-architecture).deb" "$out/velmora-cli_${version}_$(dpkg --print-architecture).deb")
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$built" ] && [ -f "${debs[0]}" ] && [ -f "${debs[1]}" ]; then
  echo "build-deb: the packages in $out are built from these sources already"
  exit 0
fi
rm -f "$stamp"
rm -rf "$tree"
mkdir -p "$tree"
sources | tar -xf - -C "$tree"

cd "$tree"
profiles=()
# Without the tests, their build dependencies are not needed either.
case " $options " in *" nocheck "*) profiles=(-Pnocheck) ;; esac
rm -f "$out"/velmora*_"$version"_*.deb "$out"/velmora*_"$version"_*.changes "$out"/velmora*_"$version"_*.buildinfo
DEB_BUILD_OPTIONS="$options parallel=$jobs" dpkg-buildpackage -b -uc -us "${profiles[@]}"
cd "$out"
changes=$(ls velmora_"$version"_*.changes)
echo "lintian $changes"
lintian --fail-on error,warning --tag-display-limit 0 "$changes"
rm -rf "$tree"
echo "$built" >"$stamp"
ls -1 "$out"/velmora*_"$version"_*.deb
