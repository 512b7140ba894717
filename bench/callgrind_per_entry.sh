#!/usr/bin/env bash
# Instructions per entry of tabulist-list on one folder of 20,000 files (or the count given),
# counted by callgrind: steadier than wall time on a shared machine. The figure includes
# start-up, so it is a little above the per-entry cost proper.
#   bench/callgrind_per_entry.sh [FILES] [PATH-TO-tabulist-list]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-20000}"
lister="${2:-$here/build-release/tabulist-list}"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/files"
(cd "$dir/files" && seq -f "data_File_%06g.txt" 1 "$files" | xargs touch)
valgrind --tool=callgrind --callgrind-out-file="$dir/out" "$lister" --hidden "$dir/files" \
    >/dev/null 2>"$dir/log"
total="$(grep -m1 '^summary:' "$dir/out" | awk '{print $2}')"
echo "instructions: $total   per entry: $((total / files))"
