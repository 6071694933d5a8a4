#!/usr/bin/env bash
# Every test: the native core (plain and with sanitizers), then the Windows builds, whose tests
# run under Wine on a virtual display (the x86 build's under an emulated 32-bit Wine, on one of
# their own: scripts/test-x86.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
jobs=$(nproc)

# Formatting is never discussed: every C++ file is as clang-format leaves it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

for preset in native asan win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

ctest --preset native -j "$jobs"
ctest --preset asan -j "$jobs"

(
    source scripts/wine-env.sh
    source scripts/display-env.sh
    trap 'wine_env_stop; display_env_stop' EXIT
    display_env_start
    wine_env_start
    ctest --test-dir build/win64 --output-on-failure -j "$jobs"
)
bash scripts/test-x86.sh
echo "all tests passed"
