#!/usr/bin/env bash
# The release archive as a user gets it: unpacked into an empty folder, the plug-in runs from
# there through the substitute host, and F1 finds the manual beside it.
set -euo pipefail
archive=$1 host=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

python3 -m zipfile -e "$archive" "$work/filters"
for file in Driftlace.dll preset/preset.spr Driftlace.txt help/index.html; do
    [ -f "$work/filters/$file" ] || fail "the archive has no $file"
done

opened="$work/opened.log" failures="$work/failures.log"
DRIFTLACE_MANUAL_LOG="$(winepath -w "$opened")" DRIFTLACE_FAILURE_LOG="$(winepath -w "$failures")" \
    wine "$host" --dll "$(winepath -w "$work/filters/Driftlace.dll")" --input "$source/samples/chelsea.png" \
    --open-manual </dev/null >/dev/null
[ ! -s "$failures" ] || fail "the run reported: $(cat "$failures")"
[ -f "$opened" ] || fail "F1 opened no manual"
expected="$(winepath -w "$work/filters")\\help\\index.html"
[ "$(tr -d '\r\n' <"$opened")" = "$expected" ] || fail "the manual opened was $(cat "$opened"), not $expected"
# The settings of that run went beside the plug-in, as they do without a host path.
[ -f "$work/filters/Driftlace.ini" ] || fail "no settings beside the plug-in"
echo "release archive ok"
