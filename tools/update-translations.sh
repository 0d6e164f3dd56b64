#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings translations/velmora_*.ts up to date with the texts of the sources (`make translations`):
# lupdate extracts every tr() text, every text of the forms and the core's VELMORA_TEXT and
# VELMORA_NOOP markers; then every new or moved text whose source already has a translation
# anywhere in the file (a window's texts move to another class when it is split) gets that
# translation. Translations no source uses (any more, or yet) stay as vanished messages, a
# glossary for later updates, unless --drop-obsolete is given. Prints what is left to translate.
#   update-translations.sh [--drop-obsolete | --check] [LUPDATE]
# --check updates copies instead, and fails when a text of the sources has no translation or
# the .ts file is not up to date with the sources (then run `make translations`).
set -eu
cd "$(dirname "$0")/.."
drop=
check=false
case "${1:-}" in
  --drop-obsolete) drop=--drop-obsolete; shift ;;
  --check) check=true; shift ;;
esac
lupdate=${1:-}
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then lupdate=$candidate; break; fi
  done
fi
[ -n "$lupdate" ] || { echo "lupdate not found (Debian: qt6-l10n-tools)" >&2; exit 1; }

# No line numbers: the files change only when texts change, not whenever code moves.
options="-I . -locations none -source-language en -extensions cpp,h,ui \
 -tr-function-alias QT_TRANSLATE_NOOP+=VELMORA_TEXT,QT_TRANSLATE_NOOP+=VELMORA_NOOP"
sources="ui app batch engine"
status=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for source_ts in translations/velmora_*.ts; do
  ts=$source_ts
  if $check; then ts=$scratch/$(basename "$source_ts"); cp "$source_ts" "$ts"; fi
  # shellcheck disable=SC2086  # the option list is split on purpose
  "$lupdate" -silent $options $sources -ts "$ts"
  python3 tools/fill-translations.py $drop "$ts"
  # Once more, to write the file in lupdate's own layout.
  # shellcheck disable=SC2086
  "$lupdate" -silent $options $sources -ts "$ts"
  left=$(grep -c 'type="unfinished"' "$ts" || true)
  echo "$source_ts: $left message(s) left to translate"
  if [ "$left" -ne 0 ]; then
    status=2
    $check && grep -B2 'type="unfinished"' "$ts" | grep '<source>' >&2
  fi
  if $check && ! cmp -s "$ts" "$source_ts"; then
    echo "$source_ts is not up to date with the sources: run make translations" >&2
    diff "$source_ts" "$ts" | head -20 >&2
    status=2
  fi
done
exit $status
