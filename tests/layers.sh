#!/usr/bin/env bash
# Fails when an include runs against the layers or portable code includes a Windows header.
#   tests/layers.sh SOURCE_DIR
# Each folder may include its own headers and those of the folders listed for it; resources/
# (ids and texts) may be included from anywhere.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

portable="base host engine history paint settings ui"
declare -A allowed=(
    [base]="base"
    [host]="base host"
    [engine]="base engine"
    [history]="base history"
    [paint]="base host engine history paint"
    [settings]="base host engine history paint settings"
    [ui]="base host engine history paint settings ui"
    [base/win32]="base base/win32"
    [settings/win32]="base host engine history paint settings base/win32 settings/win32"
    [ui/win32]="$portable base/win32 ui/win32"
    [host/win32]="$portable base/win32 settings/win32 ui/win32 host/win32"
)

status=0
for folder in "${!allowed[@]}"; do
    for file in "$folder"/*.cpp "$folder"/*.h; do
        [ -e "$file" ] || continue
        while IFS=: read -r line target; do
            used=$(dirname "$target")
            [ "$used" = resources ] && continue
            case " ${allowed[$folder]} " in
                *" $used "*) ;;
                *) echo "$file:$line: $folder may not include $target"; status=1 ;;
            esac
        done < <(grep -noE '^#include "[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"/\1:\2/')
    done
done

for folder in $portable; do
    for file in "$folder"/*.cpp "$folder"/*.h; do
        [ -e "$file" ] || continue
        if hits=$(grep -nE '^#include <(windows|win[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|objbase|ole2)\.h>' "$file"); then
            echo "$file: portable code includes a Windows header: $hits"
            status=1
        fi
    done
done

[ "$status" -eq 0 ] && echo "layers: every include runs the allowed way"
exit "$status"
