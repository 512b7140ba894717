#!/usr/bin/env bash
# Times tabulist-list --format xlsx against --format csv on a tree of FOLDERS folders of
# FILES files (1,000 x 1,000 by default), both written with --output, three runs each
# alternating; prints the medians of the wall time and the peak memory, and the ratio.
# The tree is made once under /tmp/million (or TREE) and kept for later runs.
# Usage: bench/xlsx_vs_csv.sh [TABULIST_LIST]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
lister="${1:-$here/build/tabulist-list}"
tree="${TREE:-/tmp/million}"
folders="${FOLDERS:-1000}"
files="${FILES:-1000}"
runs=3
[ -x "$lister" ] || { echo "no tabulist-list at $lister" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for the peak memory" >&2; exit 1; }

if [ ! -d "$tree" ]; then
    python3 - "$tree" "$folders" "$files" <<'PY'
import os, sys
root, folders, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
os.mkdir(root)
for i in range(folders):
    path = os.path.join(root, "folder-%04d" % i)
    os.mkdir(path)
    for j in range(files):
        with open(os.path.join(path, "file-%04d.dat" % j), "wb") as f:
            f.write(b"x" * (j % 97))
PY
fi
echo "tree: $tree, $(find "$tree" | wc -l) entries"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# One run: "seconds cpu_seconds peak_kbytes"; the processor time tells more on a busy machine.
measure() {
    /usr/bin/time -f "%e %U %S %M" -o "$out/time" "$@" >/dev/null 2>&1 || true
    awk '{print $1, $2 + $3, $4}' "$out/time"
}

declare -A wall cpu mem
for ((r = 0; r < runs; ++r)); do
    for format in csv xlsx; do
        read -r w c m < <(measure "$lister" --recursive --format "$format" \
            --output "$out/listing.$format" "$tree")
        wall[$format]+="$w "
        cpu[$format]+="$c "
        mem[$format]+="$m "
    done
done
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for format in csv xlsx; do
    printf '%-5s median %6s s (processor %6s s)  peak %7s kB  file %s bytes\n' "$format" \
        "$(echo "${wall[$format]}" | median)" "$(echo "${cpu[$format]}" | median)" \
        "$(echo "${mem[$format]}" | median)" \
        "$(stat -c %s "$out/listing.$format")"
done
awk -v x="$(echo "${wall[xlsx]}" | median)" -v c="$(echo "${wall[csv]}" | median)" \
    -v px="$(echo "${cpu[xlsx]}" | median)" -v pc="$(echo "${cpu[csv]}" | median)" \
    'BEGIN {printf "xlsx / csv: time %.2f, processor time %.2f (target at most 3)\n", x / c, px / pc}'
