#!/usr/bin/env bash
# Lists a directory of 1,000,000 empty files (or the count given) with tabulist-list and
# reports wall time and peak resident memory, with a quarter of the count for comparison:
# a linear listing takes about four times as long for four times the entries.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build-release}"
count="${1:-1000000}"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tabulist-list -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for n in $((count / 4)) "$count"; do
    dir="$work/$n"
    mkdir "$dir"
    (cd "$dir" && seq -f "entry-%07g.dat" 1 "$n" | xargs touch)
    /usr/bin/time -f "$n entries: %e s wall, %M KiB peak resident" \
        "$build/tabulist-list" --file-count "$dir" >"$work/out" 2>"$work/time" || true
    tail -n 1 "$work/time"
    echo "   $(wc -l <"$work/out") lines written"
    rm -rf "$dir"
done
