#!/usr/bin/env bash
# The plug-in file as the host finds it: both export pairs, the marker text, the resources, and
# no dependency on anything but system libraries.
set -euo pipefail
export LC_ALL=C  # objdump translates its headings
dll=$1 objdump=$2
fail() { echo "FAIL: $*"; exit 1; }

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
for name in FilterGetTitle _FilterGetTitle FilterProc _FilterProc; do
    grep -qE "\] $name\$" <<<"$exports" || fail "export $name missing"
done
# (That the two names of a pair are one function is checked by the substitute host, which
# compares their addresses.)
grep -qa 'Driftlace ,Pixia PlugIn Filter' "$dll" || fail "marker text missing"

deps=$("$objdump" -p "$dll" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dep in $deps; do
    case "$dep" in
        kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|comctl32.dll|comdlg32.dll|shell32.dll|msvcrt.dll|\
        api-ms-win-*) ;;
        *) fail "depends on $dep, which a user would have to install" ;;
    esac
done
"$objdump" -h "$dll" | grep -q '\.rsrc' || fail "no resources"
echo "dll image ok: $(wc -c <"$dll") bytes; imports: $(echo $deps)"
