#!/usr/bin/env bash
# driftlace-paint against hostile input: one table of scripts and command lines with the exit
# code and message each must give (0 ok, 2 usage or script error, 1 failure of the system), and
# that a failed run writes nothing and leaves no temporary file.  Arguments: the program and the
# command that runs programs of this target (empty natively, "wine" for Windows).
set -euo pipefail
paint=$1 runner=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# check NAME EXIT PATTERN SCRIPT [ARGUMENT...]: SCRIPT (printf %b escapes) runs on an 8 x 8 canvas
# unless the arguments give another; PATTERN must be in the message (natively: under Wine the
# system's texts come in another code page).
check() {
    local name=$1 expected=$2 pattern=$3 script=$4
    shift 4
    rm -rf run && mkdir run
    printf '%b' "$script" >run/script.txt
    local size=(--size 8x8)
    case " $* " in *" --size "* | *" --input "*) size=() ;; esac
    local status=0
    (cd run && $runner "$paint" --output out.png --script script.txt "${size[@]}" "$@" </dev/null 2>err.txt) ||
        status=$?
    [ "$status" = "$expected" ] || { fail "$name: exit $status, expected $expected: $(cat run/err.txt)"; return; }
    if [ -z "$runner" ] && [ -n "$pattern" ] && ! grep -qF -- "$pattern" run/err.txt; then
        fail "$name: message $(cat run/err.txt)"
    fi
    if [ "$expected" != 0 ]; then
        [ ! -e run/out.png ] || fail "$name: a failed run wrote its picture"
    fi
    local left
    left=$(cd run && ls | grep -v -e '^script.txt$' -e '^err.txt$' -e '^out.png$' -e '^keep' || true)
    [ -z "$left" ] || fail "$name: left behind: $left"
}

# Lines the reader must take as blank (they crashed it).
check "vertical tab line" 0 "" 'turn\n\v\nturn\n'
check "form feed line" 0 "" '\f\n'
check "CR CR LF line ends" 0 "" 'down 3 3\r\r\nturn\r\r\nup 3 3\r\r\n'
check "tool name before CR CR LF" 0 "" 'tool Erase\r\r\n'

# Canvas sizes: usage errors, and sizes the document cannot hold refused before any allocation.
check "zero width" 2 "WxH" '' --size 0x5
check "hexadecimal size" 2 "WxH" '' --size 0x10
check "zero height" 2 "WxH" '' --size 5x0
check "size beyond 32 bits" 2 "WxH" '' --size 99999999999x8
check "negative size" 2 "WxH" '' --size -5x5
check "size with a tail" 2 "WxH" '' --size 5x5x
check "picture too large" 1 "画像の大きさが異常です。" '' --size 40000x40000
check "grid too large" 1 "画像の大きさが異常です。" '' --size 1x10000000
check "drawing ring too large" 1 "画像の大きさが異常です。" '' --size 5000000x1
# Sizes that pass every count but would be worked on at hundreds of times the picture's bytes.
check "a very wide picture" 1 "画像の大きさが異常です。" '' --size 3192047x1
check "a very tall picture" 1 "画像の大きさが異常です。" '' --size 1x9544319
check "wide but workable" 0 "" 'down 5 5\nturn\nup 5 5\n' --size 100000x16

# Numbers.
check "count beyond 32 bits" 2 "beyond the 32-bit whole numbers: 4294967297" 'style Count 4294967297\n'
check "history beyond 32 bits" 2 "beyond the 32-bit whole numbers" 'option HistoryMax 4294967295\n'
check "number with a NUL" 2 'not a whole number: 5\x00junk' 'style Count 5\0junk\n'
check "denormal" 0 "" 'style VelocityX 1e-320\nworld GravityX -4.9e-324\n'
check "infinity" 2 "not a number: inf" 'style VelocityX inf\n'
check "hexadecimal real" 2 "not a number" 'world Lively 0x1p-1\n'
check "real beyond range" 2 "not a number" 'style SpinAngle 1e999\n'
check "colour byte" 2 "0 ... 255" 'color Color0_0 256\n'
check "largest count" 0 "" 'style Count 2147483647\nstyle Size 2147483647\ndown 4 4\nturn 2\nup 4 4\nidle\n'

check "largest finite values" 0 "" \
    'style VelocityX 1e308\nstyle Throwing 1e308\nstyle Repulsion 1e308\nstyle SpinAngle -1e308\nstyle UseSpin 1\nworld GravityX 1e308\nworld Lively 1e308\nworld GravityType 1\ndown 4 4\nmove 6 6\nturn 3\nup 7 7\nidle\n'

# A settings file as a hostile user writes it: read as the Windows profile functions read it,
# with no value that is not finite and no Count that freezes a turn.
printf '[App]\r\nRegistryVersion=1\r\nTool="Blur"\r\nLively=inf\r\n[Blur\\Spray]\r\nCount=4294967297\r\nSpinAngle=nan\r\n' \
    >hostile.ini
check "hostile settings" 0 "" 'down 4 4\nturn\nup 4 4\nidle\n' --settings ../hostile.ini --save-settings ../saved.ini
grep -q '^Tool=Blur' saved.ini && grep -q '^Count=100000' saved.ini && grep -q '^SpinAngle=0' saved.ini &&
    grep -q '^Lively=0' saved.ini || fail "hostile settings came out as: $(cat saved.ini)"

# Commands that would run for ever.
check "too many turns" 2 "more than 100000 turns" 'turn 100001\n'
check "idle while held" 2 "button is held" 'down 4 4\nidle\n'
check "redraw never comes" 2 "DisplayingInterval" 'option DisplayingInterval 2147483647\ndown 4 4\nup 4 4\nidle\n'
check "particles never rest" 2 "did not come to rest" \
    'world GravityY 0\nstyle Brake 1\nstyle Life 2147483647\ndown 4 4\nup 4 4\nidle\n'

# A script that is a folder, and other unreadable inputs.
mkdir -p folder
check "script is a folder" 2 "cannot be read" '' --script ../folder
check "input is a folder" 2 "" '' --input ../folder
check "catalogue is not one" 1 "" '' --catalogue script.txt

# Nothing is written on failure: neither the picture nor the settings, whichever part fails.
printf '[App]\r\nRegistryVersion=1\r\nKeep=1\r\n' >keep.ini
check "script error keeps the settings" 2 "line 2" 'turn\nundo\n' --save-settings ../keep.ini
mkdir -p taken.png
check "picture that cannot land keeps the settings" 1 "" 'turn\n' --save-settings ../keep.ini --output ../taken.png
[ "$(cat keep.ini)" = "$(printf '[App]\r\nRegistryVersion=1\r\nKeep=1\r\n')" ] || fail "the settings file changed"
[ -z "$(ls | grep '\.tmp$' || true)" ] || fail "temporary files beside the settings: $(ls)"
check "settings that cannot land" 1 "" 'turn\n' --save-settings ../missing/s.ini

# Files that bear the names a save might choose are left alone, and a run that succeeds replaces
# only its own outputs; settings it does not own are kept.
check "a good run" 0 "" 'world Lively 1.5\nstyle SpinAngle 0.5\n' --save-settings ../keep.ini
grep -q '^Keep=1' keep.ini || fail "a value of another owner was lost"
grep -q '^Lively=1.5' keep.ini || fail "world Lively 1.5 was not kept as set: $(grep Lively keep.ini)"

# The settings reach the disk before they replace the old file, and the folder after (strace,
# natively, where it is there).
if [ -z "$runner" ] && command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
    printf 'turn\n' >s.txt
    # The leak checker of a sanitizer build cannot run under a tracer.
    ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -y -e trace=fsync,rename -o trace.txt "$paint" --size 8x8 --output t.png --script s.txt \
        --save-settings t.ini </dev/null
    # fsync of the new file, its rename over the old one, fsync of the folder: in that order.
    line=$(grep -n 'rename("[^"]*t\.ini\.[0-9-]*\.tmp", "[^"]*t\.ini")' trace.txt | cut -d: -f1)
    if [ -z "$line" ]; then
        fail "no rename of the settings: $(cat trace.txt)"
    else
        sed -n "$((line - 1))p" trace.txt | grep -q 'fsync([0-9]*<[^>]*t\.ini\.[0-9-]*\.tmp>)' &&
            sed -n "$((line + 1))p" trace.txt | grep -qF "<$(pwd -P)>)" ||
            fail "the settings were not synced before and after their rename: $(cat trace.txt)"
    fi
fi

# Two outputs on one file: the picture would be lost under the settings.
check "outputs on one file" 2 "the same file" 'turn\n' --save-settings out.png
check "outputs on one file, spelt another way" 2 "the same file" 'turn\n' --save-settings ../run/./out.png
if [ -z "$runner" ]; then
    ln -sf run/out.png alias.png
    check "outputs on one file through a link" 2 "the same file" 'turn\n' --save-settings ../alias.png
    rm -f alias.png
fi

# Inputs that never end are refused instead of read into memory.
if [ -e /dev/zero ] && [ -z "$runner" ]; then
    check "settings that never end" 1 "64 MB" '' --settings /dev/zero
    check "script that never ends" 2 "larger than 64 MB" '' --script /dev/zero
fi

# A PNG with an empty IDAT chunk (legal, and nothing of the picture) before its data.
python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
raw = b''.join(b'\0' + b'\x80\x40\x20\xff' * 4 for _ in range(4))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 4, 4, 8, 6, 0, 0, 0))
png += chunk(b'IDAT', b'') + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
open('empty-idat.png', 'wb').write(png)
PY
check "an empty IDAT chunk" 0 "" 'turn\n' --input ../empty-idat.png

# Outputs are written to what their paths name (natively: POSIX links, modes and devices).
if [ -z "$runner" ]; then
    printf 'turn\n' >s.txt
    printf '[App]\r\nRegistryVersion=1\r\n' >target.ini && ln -sf target.ini link.ini && chmod 600 target.ini
    printf 'x' >picture.png && ln -f picture.png second-name.png
    "$paint" --size 8x8 --script s.txt --output picture.png --save-settings link.ini </dev/null ||
        fail "a run over a link, a private file and a hard link failed"
    [ -L link.ini ] || fail "the settings link became a plain file"
    grep -q '^HistoryMax=' target.ini || fail "the link's target did not get the settings"
    [ "$(stat -c %a target.ini)" = 600 ] || fail "the settings lost their mode: $(stat -c %a target.ini)"
    cmp -s picture.png second-name.png || fail "the picture's second name was cut off"
    [ "$(head -c 4 second-name.png | od -An -c | tr -d ' ')" = "211PNG" ] || fail "no picture under the second name"
    # A device of its own (the null device's numbers, made here where root may): it stays one.
    if mknod null.png c 1 3 2>/dev/null; then
        "$paint" --size 8x8 --script s.txt --output null.png </dev/null || fail "a run into a device failed"
        [ -c null.png ] || fail "the device was replaced by a plain file"
        rm -f null.png
    fi
    mkfifo pipe.png
    cat pipe.png >piped.png &
    "$paint" --size 8x8 --script s.txt --output pipe.png </dev/null || fail "a run into a FIFO failed"
    wait
    [ -p pipe.png ] && [ "$(head -c 4 piped.png | od -An -c | tr -d ' ')" = "211PNG" ] ||
        fail "the picture did not come through the FIFO"
    long=$(printf 'n%.0s' $(seq 1 240)).png
    "$paint" --size 8x8 --script s.txt --output "$long" </dev/null && [ -f "$long" ] ||
        fail "a name of 244 characters was refused"
    [ -z "$(ls | grep '\.tmp$' || true)" ] || fail "temporary files left: $(ls)"

    # A disk that fills: exit 1, the user's file named with the system's reason, nothing written.
    printf '[App]\r\nRegistryVersion=1\r\n' >full.ini
    for i in $(seq 1 400); do printf 'Other%d=a value of another program\r\n' "$i"; done >>full.ini
    cp full.ini full-before.ini
    for what in picture settings; do
        args=(--output full.png)  # the sample photograph: far beyond the limit
        [ "$what" = settings ] && args=(--size 8x8 --output full.png --save-settings full.ini)
        status=0
        (trap '' XFSZ; ulimit -f 12; exec "$paint" --script s.txt "${args[@]}" </dev/null 2>full-err.txt) || status=$?
        [ "$status" = 1 ] || fail "a full disk while writing the $what: exit $status: $(cat full-err.txt)"
        grep -q "full\.\(png\|ini\)$" full-err.txt && [ "$(wc -l <full-err.txt)" -ge 1 ] &&
            ! grep -q '\.tmp' full-err.txt || fail "a full disk while writing the $what said: $(cat full-err.txt)"
        grep -qi "too large\|space" full-err.txt || fail "no system reason for the full disk: $(cat full-err.txt)"
    done
    [ ! -e full.png ] || fail "a picture was left by a failed run"
    cmp -s full.ini full-before.ini || fail "the settings changed on a full disk"
    [ -z "$(ls | grep '\.tmp$' || true)" ] || fail "temporary files left after a full disk: $(ls)"
fi

[ "$failures" = 0 ] || exit 1
echo "driftlace-paint hostile inputs ok"
