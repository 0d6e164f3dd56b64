#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing.
# Runs `apt-get update` at most once, and only when something must be installed.
#   --windows   the packages of the Windows leg instead (mingw-w64 cross compiler, wine)
#   --list      print the package list and stop
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libicu-dev
  libexiv2-dev libtag1-dev libpcre2-dev libfuse3-dev fuse3
  clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n python3
  xvfb xauth xdotool bc time
  appstream desktop-file-utils librsvg2-bin
  zsh fish python3-jsonschema
  debhelper dpkg-dev lintian
)
# The Windows leg: the posix-thread variant of the mingw-w64 compiler (the win32 variant
# has no std::mutex) and wine to run the cross-built tests. Kept apart so that the Linux
# build never pulls in wine.
windows_packages=(
  g++-mingw-w64-x86-64-posix
  wine wine64
)
list_only=false
for arg in "$@"; do
  case "$arg" in
    --windows) packages=("${windows_packages[@]}") ;;
    --list) list_only=true ;;
    *) echo "usage: $0 [--windows] [--list]" >&2; exit 3 ;;
  esac
done
if $list_only; then printf '%s\n' "${packages[@]}"; exit 0; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing missing packages: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
