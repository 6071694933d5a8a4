#!/usr/bin/env bash
# The real plug-in DLL called by the substitute host under Wine: what comes back, and how the
# host's row functions were called.
set -euo pipefail
host=$1 dll=$2 pngtool=$3 source=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# The plug-in opens its painting window; DRIFTLACE_AUTOCLOSE_TURNS=0 closes it as soon as the
# picture is shown and nothing moves, and failures go to a log instead of a message box.
failures="$work/failures.log"
run_host() {
    DRIFTLACE_AUTOCLOSE_TURNS=0 DRIFTLACE_FAILURE_LOG="$(winepath -w "$failures")" \
        wine "$host" --dll "$dll" --host-path "$(winepath -w "$work")\\host.cfg" "$@" </dev/null
}

# One pixel: host colour bytes (blue 10, green 20, red 30) with alpha 200.
wine "$pngtool" solid 1 1 30 20 10 200 "$work/one.png"
run_host --input "$work/one.png" --output "$work/one-out.png" --log "$work/one.log" --no-window
[ "$(wine "$pngtool" pixel "$work/one-out.png" 0 0 | tr -d '\r')" = "30 20 10 200" ] || fail "1x1 pixel changed"
grep -q '^title 1 Driftlace 0 10' "$work/one.log" || fail "title call: $(cat "$work/one.log")"
grep -q '^exports FilterGetTitle=1 _FilterGetTitle=1 FilterProc=1 _FilterProc=1' "$work/one.log" ||
    fail "export pairs differ"
grep -q '^filterproc 1' "$work/one.log" || fail "FilterProc did not return 1"
diff <(grep -E '^(read|write)-' "$work/one.log" | tr -d '\r') - <<'LOG' || fail "1x1 row calls"
read-color 0 0 0 -1
read-alpha 0 0 0 -1 1
write-color 0 0 0 -1
write-alpha 0 0 0 -1 1
LOG

# A photograph: every row read and written once, colour before alpha, columns 0 .. width-1.
run_host --input "$source/samples/chelsea.png" --output "$work/cat.png" --log "$work/cat.log"
wine "$pngtool" diff "$source/samples/chelsea.png" "$work/cat.png" | tr -d '\r' | grep -qx same ||
    fail "the photograph came back changed"
expected=$(for kind in read write; do for ((y = 0; y < 300; ++y)); do
    echo "$kind-color $y 0 450 -1"; echo "$kind-alpha $y 0 450 -1 1"; done; done)
diff <(grep -E '^(read|write)-' "$work/cat.log" | tr -d '\r') <(echo "$expected") >/dev/null ||
    fail "photograph row calls out of order"
grep -q '^host-enabled 1' "$work/cat.log" || fail "host window left disabled"
grep -q '^host-active 1' "$work/cat.log" || fail "host window left behind another one"
[ ! -s "$failures" ] || fail "failures reported: $(iconv -f CP932 -t UTF-8 "$failures")"
tr -d '\r' <"$work/Driftlace.ini" | grep -qx 'RegistryVersion=1' || fail "settings not saved beside the host path"
tr -d '\r' <"$work/Driftlace.ini" | grep -qx '\[Frame\]' || fail "the frame's settings were not saved"

# A failed start (negative width): reported, FilterProc still 1, host window enabled, no write.
run_host --input "$work/one.png" --width -4 --log "$work/negative.log"
grep -q '^filterproc 1' "$work/negative.log" || fail "a failed start did not return 1"
grep -q '^host-enabled 1' "$work/negative.log" || fail "a failed start left the host window disabled"
! grep -qE '^write-' "$work/negative.log" || fail "a failed start wrote the image"
iconv -f CP932 -t UTF-8 "$failures" | grep -qx '画像の大きさが異常です。' || fail "failed start not reported"

# Refused calls: FilterProc returns 0 and calls no row function.
for refusal in "--bits 32" "--null-image" "--null-read" "--null-write"; do
    # shellcheck disable=SC2086
    run_host --input "$work/one.png" --log "$work/refused.log" --no-window $refusal
    grep -q '^filterproc 0' "$work/refused.log" || fail "$refusal was not refused"
    ! grep -qE '^(read|write)-' "$work/refused.log" || fail "$refusal called a row function"
done
echo "host round trip ok"
