#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The version the programs print is the one the metainfo's newest release and the Debian
# changelog name, so software centres and package tools show what --version says.
#   release_version_test.sh VELMORA_CLI SOURCE_DIR
set -eu
version=$("$1" --version | sed -n '1s/^velmora-cli //p')
[ -n "$version" ] || { echo "FAIL: velmora-cli --version printed no version" >&2; exit 1; }
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$2/resources/org.tessaro.Velmora.metainfo.xml" | head -1)
changelog=$(sed -n '1s/^velmora (\([^-)]*\)-[^)]*).*/\1/p' "$2/debian/changelog")
status=0
[ "$release" = "$version" ] || { echo "FAIL: the metainfo's newest release is '$release', --version says '$version'" >&2; status=1; }
[ "$changelog" = "$version" ] || { echo "FAIL: debian/changelog is at '$changelog', --version says '$version'" >&2; status=1; }
exit $status
