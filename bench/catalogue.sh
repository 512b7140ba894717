#!/usr/bin/env bash
# The HTML catalogue against --format json on the 1,000,000-entry tree (1,000 folders of
# 1,000 files, made by make_million_tree.py when missing): wall time and peak memory of
# tabulist-list (best of three), bytes per entry, then the page in headless Chromium.
#   bench/catalogue.sh [TREE]        BUILD_DIR=... to use a build tree of your own
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-/tmp/million}"
[ -d "$tree" ] || /usr/bin/python3 "$here/bench/make_million_tree.py" "$tree"
if [ -z "${BUILD_DIR:-}" ]; then
    BUILD_DIR="$here/build-release"
    cmake -S "$here" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD_DIR" --target tabulist-list -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
declare -A best
for format in json html; do
    best[$format]=""
    for run in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/time" \
            "$BUILD_DIR/tabulist-list" --recursive --format "$format" "$tree" >"$work/list.$format"
        read -r seconds kib <"$work/time"
        echo "$format run $run: $seconds s, peak $((kib / 1024)) MB"
        if [ -z "${best[$format]}" ] || awk "BEGIN{exit !($seconds < ${best[$format]})}"; then
            best[$format]=$seconds
        fi
    done
done
entries=$(grep -c '^{' "$work/list.json")
bytes=$(stat -c %s "$work/list.html")
echo "entries: $entries; html: $bytes bytes, $((bytes / entries)) per entry;" \
     "json: $(stat -c %s "$work/list.json") bytes"
awk "BEGIN{printf \"time html/json: %.2f (best %s s against %s s)\n\", ${best[html]}/${best[json]}, ${best[html]}, ${best[json]}}"
once="$(sed -n "$((entries / 2))p" "$work/list.json" | sed 's/.*"name":"\([^"]*\)".*/\1/')"
/usr/bin/python3 "$here/bench/catalogue_browser.py" "$work/list.html" "$once"
