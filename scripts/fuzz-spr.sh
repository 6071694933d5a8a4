#!/usr/bin/env bash
# Fuzzes the .spr reader with libFuzzer (clang) for a number of seconds (default 300):
#   scripts/fuzz-spr.sh [seconds]
# Builds in build/fuzz.  New inputs that the fuzzer finds go to build/fuzz/corpus; the small
# seed corpus in tests/fuzz/corpus is only read (add a finding there by hand, after minimising
# it, when it is worth keeping as a regression test).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
build=$root/build/fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DDRIFTLACE_BENCHMARKS=OFF -DDRIFTLACE_FUZZ=ON \
    -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j2 --target fuzz_spr

mkdir -p "$build/corpus" "$build/artifacts"
# The target writes every input to a file; keep that file in memory, not on the disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# A file is at most a few kilobytes here, so any single allocation above 16 MB is one that the
# file cannot justify (a length field taken at its word), and fails the run.
"$build/tests/fuzz_spr" -max_total_time="$seconds" -max_len=4096 -timeout=5 \
    -malloc_limit_mb=16 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" "$build/corpus" "$root/tests/fuzz/corpus"
