#!/bin/bash
# Checksums and --compare against the system's tools: cached files, alternating runs,
# medians of 5, wall time and peak memory (GNU time).
#   bench/checksums.sh [path/to/tabulist-list]
# Makes its trees once: /tmp/sums-bench (200 files of 10 MB, 20,000 small files) and,
# unless present, /tmp/million (1,000 folders of 1,000 empty files).
set -euo pipefail
LIST=${1:-build/tabulist-list}
TREE=/tmp/sums-bench
MILLION=/tmp/million
RUNS=${RUNS:-5}
LOAD_BEFORE=$(cut -d" " -f1-3 /proc/loadavg)

if [ ! -e "$TREE/.complete" ]; then
    rm -rf "$TREE"
    mkdir -p "$TREE/big" "$TREE/small"
    for i in $(seq -w 0 199); do head -c 10485760 /dev/urandom > "$TREE/big/file-$i.bin"; done
    for d in $(seq -w 0 19); do
        mkdir -p "$TREE/small/$d"
        for f in $(seq -w 0 999); do head -c $(( (10#$f % 8 + 1) * 512 )) /dev/urandom > "$TREE/small/$d/$f.txt"; done
    done
    touch "$TREE/.complete"
fi
if [ ! -d "$MILLION" ]; then
    mkdir -p "$MILLION"
    for d in $(seq -f 'folder-%04g' 0 999); do
        mkdir "$MILLION/$d"
        (cd "$MILLION/$d" && seq -f "file-${d#folder-}-%04g.dat" 0 999 | xargs touch)
    done
fi

# Warm the page cache.
cat "$TREE"/big/* "$TREE"/small/*/* > /dev/null
(cd "$TREE" && find . -type f ! -name .complete -print0 > /tmp/sums-bench.files)

declare -A times memory
run() {  # name command...
    local t m
    /usr/bin/time -o /tmp/sums-bench.time -f '%e %M' "${@:2}" > /dev/null 2>&1 || true
    read -r t m < <(tail -1 /tmp/sums-bench.time)
    times[$1]+="$t "
    memory[$1]+="$m "
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

cd "$TREE"
for i in $(seq $RUNS); do
    run tabulist-sha256 "$LIST" --checksum sha256 --recursive --lf .
    run sha256sum-one sh -c 'xargs -0 sha256sum < /tmp/sums-bench.files'
    run sha256sum-xargs sh -c 'find . -type f ! -name .complete -print0 | xargs -0 -P$(nproc) sha256sum'
    run tabulist-xxh128 "$LIST" --checksum xxh128 --recursive --lf .
    run tabulist-md5 "$LIST" --checksum md5 --recursive --lf .
    run tabulist-plain "$LIST" --recursive --lf .
done
cd - > /dev/null

CATALOGUE=/tmp/sums-million.json
[ -s "$CATALOGUE" ] || "$LIST" --format json --recursive "$MILLION" > "$CATALOGUE"
for i in $(seq $RUNS); do
    run million-listing "$LIST" --recursive --lf "$MILLION"
    run million-compare "$LIST" --compare "$CATALOGUE" --recursive --lf "$MILLION"
done

echo "load before: $LOAD_BEFORE; after: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
printf '%-18s %10s %12s\n' run "median s" "peak MB"
for name in tabulist-sha256 sha256sum-one sha256sum-xargs tabulist-xxh128 tabulist-md5 \
            tabulist-plain million-listing million-compare; do
    t=$(echo "${times[$name]}" | median)
    m=$(echo "${memory[$name]}" | median)
    printf '%-18s %10s %12s\n' "$name" "$t" "$((m / 1024))"
done
