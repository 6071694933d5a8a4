#!/usr/bin/env bash
# driftlace-paint as a user runs it: the golden scene bit for bit, the demo, exit codes, and that
# a failed run writes nothing.  Arguments: the program, pngtool, the source folder, and the
# command that runs programs of this target (empty natively, "wine" for Windows).
set -euo pipefail
paint=$1 pngtool=$2 source=$3 runner=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Wine wants Windows paths for files it opens; plain relative names work for both.
cd "$work"
run() { $runner "$paint" "$@" </dev/null; }
cp "$source/tools/paint/scenes/golden.txt" "$source/tools/paint/scenes/demo.txt" .
cp "$source/tests/tools/golden/golden.png" expected.png

run --size 160x120 --output golden.png --script golden.txt 2>stats.txt
[ "$($runner "$pngtool" diff expected.png golden.png | tr -d '\r')" = same ] ||
    fail "the golden scene came out different"

run --output demo.png --script demo.txt --stats 2>stats.txt
grep -q '^history steps 7' stats.txt || fail "demo: $(cat stats.txt)"

# A script error: exit 2, the line named, nothing written.
printf 'turn\nundo\n' >bad.txt
set +e
run --output never.png --script bad.txt 2>err.txt; status=$?
set -e
[ "$status" = 2 ] || fail "a script error exits with $status"
grep -q 'line 2: undo is disabled now' err.txt || fail "error text: $(cat err.txt)"
[ ! -e never.png ] || fail "a failed run wrote its picture"

# A failure of the system: exit 1 with its message, and again nothing written.
printf 'turn\n' >ok.txt
set +e
run --output never.png --script ok.txt --save-settings missing/folder/s.ini 2>err.txt; status=$?
set -e
[ "$status" = 1 ] || fail "a system failure exits with $status"
[ ! -e never.png ] && [ ! -e never.png.part ] || fail "a failed run left a picture"

# Usage errors.
set +e
run --size 10 --output x.png 2>err.txt; status=$?
set -e
[ "$status" = 2 ] && grep -q 'WxH' err.txt || fail "bad --size: $status $(cat err.txt)"

# Settings saved at the end load back in the next run.
printf 'tool Erase\nstyle Life 33\n' >settings.txt
run --size 8x8 --output s.png --script settings.txt --save-settings s.ini
grep -q '^Tool=Erase' s.ini || fail "the tool was not saved"
printf 'style Count 5\n' >more.txt
run --size 8x8 --output s2.png --settings s.ini --script more.txt --save-settings s2.ini
grep -A40 '^\[Erase\\Spray\]' s2.ini | grep -q '^Life=33' || fail "saved settings did not load"
grep -A40 '^\[Erase\\Spray\]' s2.ini | grep -q '^Count=5' || fail "the loaded tool was not current"
echo "driftlace-paint ok"
