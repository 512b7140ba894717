#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time.
# Inputs kept in fuzz/regressions/<target>/ are replayed first; a new crash fails the run
# and leaves its input in build-fuzz/findings/<target>/. Each run starts from the valid
# inputs in fuzz/seeds/<target>/ (the default settings file, real date patterns, masks and
# names, print layouts) besides what earlier runs found, so that the fuzzer works on whole
# inputs from its first second rather than growing them from nothing.
#   tools/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
jobs=$(nproc 2>/dev/null || echo 2)
cxx=$(command -v clang++-14 || command -v clang++)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DTABULIST_FUZZ=ON -DTABULIST_TESTS=OFF \
    -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
targets=(fuzz_mask fuzz_settings fuzz_date_pattern fuzz_print_layout)
cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$t"; findings="build-fuzz/findings/$t"
    mkdir -p "$corpus" "$findings"
    if [ -d "fuzz/regressions/$t" ] && [ -n "$(ls -A "fuzz/regressions/$t")" ]; then
        "build-fuzz/$t" -runs=0 "fuzz/regressions/$t"/* >/dev/null 2>&1 \
            || { echo "fuzz: $t fails on a kept regression input"; "build-fuzz/$t" "fuzz/regressions/$t"/*; exit 1; }
    fi
    echo "== fuzz: $t for ${seconds}s"
    rc=0
    # New inputs go to the first folder; the seeds are only read.
    "build-fuzz/$t" -max_total_time="$seconds" -max_len=4096 -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" "$corpus" "fuzz/seeds/$t" >"build-fuzz/$t.log" 2>&1 || rc=$?
    grep -m1 '^INFO: seed corpus:' "build-fuzz/$t.log" || true
    tail -n 2 "build-fuzz/$t.log"
    if [ "$rc" -ne 0 ]; then
        tail -n 40 "build-fuzz/$t.log"
        echo "fuzz: $t found a failure, input in $findings"
        exit 1
    fi
done
echo "== fuzz: no findings"
