#!/usr/bin/env bash
# Builds tabulist-list and the benchmark in release mode, then times it against ls -la
# on 100,000 files (or the count given as the first argument).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build-release}"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTABULIST_BENCH=ON >/dev/null
cmake --build "$build" --target tabulist-list bench_list_vs_ls -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
exec "$build/bench_list_vs_ls" "${1:-100000}" "$build/tabulist-list"
