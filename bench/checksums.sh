#!/bin/bash
# Checksums and --compare against the system's tools: cached files, alternating runs,
# medians of 5, wall time and peak memory (GNU time). Then the checksums again with a cold
# cache, dropped before every run, against dd reading the large files (the disk's own rate),
# where the machine lets the caches be dropped (/proc/sys/vm/drop_caches, as root).
#   bench/checksums.sh [path/to/tabulist-list]
#   RUNS=N (5), COLD_RUNS=N (RUNS), ONLY=cold: the cold-cache runs alone
# Makes its trees once: /tmp/sums-bench (200 files of 10 MB, 20,000 small files) and,
# unless present, /tmp/million (1,000 folders of 1,000 empty files).
set -euo pipefail
LIST=$(realpath "${1:-build/tabulist-list}")  # the runs start in the tree
TREE=/tmp/sums-bench
MILLION=/tmp/million
RUNS=${RUNS:-5}
COLD_RUNS=${COLD_RUNS:-$RUNS}
ONLY=${ONLY:-}
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
if [ "$ONLY" != cold ] && [ ! -d "$MILLION" ]; then
    mkdir -p "$MILLION"
    for d in $(seq -f 'folder-%04g' 0 999); do
        mkdir "$MILLION/$d"
        (cd "$MILLION/$d" && seq -f "file-${d#folder-}-%04g.dat" 0 999 | xargs touch)
    done
fi

(cd "$TREE" && find . -type f ! -name .complete -print0 > /tmp/sums-bench.files)

declare -A times memory
run() {  # name command...
    local t m
    /usr/bin/time -o /tmp/sums-bench.time -f '%e %M' "${@:2}" > /dev/null 2>&1 ||
        echo "$1: failed ($(head -1 /tmp/sums-bench.time))" >&2
    read -r t m < <(tail -1 /tmp/sums-bench.time)
    times[$1]+="$t "
    memory[$1]+="$m "
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
report() {  # names...
    printf '%-22s %10s %12s\n' run "median s" "peak MB"
    for name in "$@"; do
        printf '%-22s %10s %12s\n' "$name" "$(echo "${times[$name]}" | median)" \
            "$(( $(echo "${memory[$name]}" | median) / 1024 ))"
    done
}

cached() {
    # Warm the page cache.
    cat "$TREE"/big/* "$TREE"/small/*/* > /dev/null
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

    echo "cached, medians of $RUNS; load before: $LOAD_BEFORE; after:" \
         "$(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
    report tabulist-sha256 sha256sum-one sha256sum-xargs tabulist-xxh128 tabulist-md5 \
           tabulist-plain million-listing million-compare
}

# Every cold run starts from an empty page cache: the tree, and the programs themselves.
drop_caches() { sync && echo 3 2> /dev/null > /proc/sys/vm/drop_caches; }
cold() {
    if ! drop_caches; then
        echo "cold cache: skipped, the caches cannot be dropped here (/proc/sys/vm/drop_caches)"
        return
    fi
    local load big all
    load=$(cut -d" " -f1-3 /proc/loadavg)
    big=$(du -sb "$TREE/big" | cut -f1)
    all=$(find "$TREE" -type f ! -name .complete -printf '%s\n' | awk '{s += $1} END {print s}')
    cd "$TREE"
    for i in $(seq $COLD_RUNS); do
        drop_caches
        run cold-dd sh -c 'for f in big/*; do dd if="$f" of=/dev/null bs=1M status=none; done'
        drop_caches
        run cold-sha256 "$LIST" --checksum sha256 --recursive --lf .
        drop_caches
        run cold-xxh128 "$LIST" --checksum xxh128 --recursive --lf .
        drop_caches
        run cold-sha256sum-one sh -c 'xargs -0 sha256sum < /tmp/sums-bench.files'
        drop_caches
        run cold-sha256sum-xargs sh -c 'find . -type f ! -name .complete -print0 | xargs -0 -P$(nproc) sha256sum'
    done
    cd - > /dev/null
    echo "cold cache, medians of $COLD_RUNS; load before: $load; after:" \
         "$(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores"
    report cold-dd cold-sha256 cold-xxh128 cold-sha256sum-one cold-sha256sum-xargs
    # Rates: dd over the large files alone, the others over the whole tree.
    printf '%-22s %8s MB/s\n' "dd (large files)" \
        "$(echo "${times[cold-dd]}" | median | awk -v b="$big" '{printf "%.0f", b / $1 / 1e6}')"
    for name in cold-sha256 cold-xxh128 cold-sha256sum-one cold-sha256sum-xargs; do
        printf '%-22s %8s MB/s\n' "$name" \
            "$(echo "${times[$name]}" | median | awk -v b="$all" '{printf "%.0f", b / $1 / 1e6}')"
    done
}

[ "$ONLY" = cold ] || cached
cold
