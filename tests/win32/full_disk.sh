#!/usr/bin/env bash
# The plug-in's settings on a disk that fills while they are written, under Wine: the process's
# file-size limit makes every write beyond a few kilobytes fail, as a full disk does.  The INI
# file (with many keys of another program) must stay whole, and the failure name it.
set -euo pipefail
host=$1 dll=$2 pngtool=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$work"
printf '[App]\r\nRegistryVersion=1\r\nHistoryMax=7\r\n[Other]\r\n' >Driftlace.ini
for i in $(seq 1 400); do printf 'Key%d=a value of another program\r\n' "$i"; done >>Driftlace.ini
cp Driftlace.ini before.ini
wine "$pngtool" solid 1 1 30 20 10 200 one.png </dev/null
# A write past the limit fails with an error instead of ending the process (SIGXFSZ ignored).
(
    trap '' XFSZ
    ulimit -f 12
    DRIFTLACE_AUTOCLOSE_TURNS=0 DRIFTLACE_FAILURE_LOG="$(winepath -w "$work/failures.log")" \
        exec wine "$host" --dll "$dll" --host-path "$(winepath -w "$work")\\host.cfg" --input one.png \
        --output out.png --no-window </dev/null >host.txt 2>&1
) || fail "the host run failed: $(cat host.txt)"
cmp -s Driftlace.ini before.ini || fail "the settings file changed on a full disk: $(head -c 300 Driftlace.ini)"
grep -q 'Driftlace\.ini' failures.log || fail "the failure did not name the settings file: $(cat failures.log 2>/dev/null)"
[ -z "$(ls | grep '\.tmp$' || true)" ] || fail "temporary files left: $(ls)"
echo "full disk ok"
