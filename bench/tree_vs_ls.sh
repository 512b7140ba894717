#!/usr/bin/env bash
# Times tabulist-list --recursive against ls -laR and find -printf on a tree made in a
# temporary folder: FOLDERS folders of FILES files each (500 x 200 by default), runs
# alternating, five each; prints the medians of the wall time and the peak memory.
# Usage: bench/tree_vs_ls.sh [FOLDERS [FILES [TABULIST_LIST]]]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folders="${1:-500}"
files="${2:-200}"
lister="${3:-$here/build/tabulist-list}"
runs=5
[ -x "$lister" ] || { echo "no tabulist-list at $lister" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for the peak memory" >&2; exit 1; }

tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
# Folders ten to a level, so the tree has depth as well as width.
python3 - "$tree" "$folders" "$files" <<'PY'
import os, sys
root, folders, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
made = [root]
for i in range(folders):
    parent = made[i // 10] if i else root
    path = os.path.join(parent, "folder%05d" % i)
    os.mkdir(path)
    made.append(path)
    for j in range(files):
        with open(os.path.join(path, "file%04d.dat" % j), "wb") as f:
            f.write(b"x" * (j % 97))
PY
echo "tree: $folders folders x $files files = $((folders * files)) files"

# One run: "seconds peak_kbytes", output thrown away.
measure() {
    /usr/bin/time -f "%e %M" -o "$tree.time" "$@" >/dev/null 2>&1 || true
    cat "$tree.time"
}

declare -A wall mem
names=(tabulist ls find)
for ((r = 0; r < runs; ++r)); do
    for name in "${names[@]}"; do
        case $name in
            tabulist) m=$(measure "$lister" --recursive --lf "$tree") ;;
            ls) m=$(measure ls -laR "$tree") ;;
            find) m=$(measure find "$tree" -printf '%p %s %T@\n') ;;
        esac
        wall[$name]+="${m% *} "
        mem[$name]+="${m#* } "
    done
done
rm -f "$tree.time"

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
for name in "${names[@]}"; do
    printf '%-9s median %6s s  peak %7s KB   (runs: %s)\n' "$name" \
        "$(echo "${wall[$name]}" | median)" "$(echo "${mem[$name]}" | median)" "${wall[$name]}"
done
