#!/usr/bin/env bash
# Times tabulist-list on one directory of 100,000 files (or the count given as the first
# argument) for each --sort key, reversed name order and the data formats: five alternating
# runs each after a warm-up, median wall time and its ratio to the name order. BASE=path to
# another tabulist-list (an earlier build) adds it as the reference for the name order.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build-release}"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tabulist-list -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
exec python3 - "$build/tabulist-list" "${1:-100000}" "${BASE:-}" <<'PY'
import os, statistics, subprocess, sys, tempfile, time

lister, count, base = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with tempfile.TemporaryDirectory(prefix="tabulist-sort-") as folder:
    print(f"making {count} files ...", flush=True)
    for i in range(count):
        # Mixed case, some hidden, several extensions, sizes and times in no name order.
        name = f"{'.' if i % 50 == 0 else ''}{'data_' if i % 3 else ''}File_{i:06d}{'.txt' if i % 7 else '.Log'}"
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.truncate((i * 37) % 5000)
        os.utime(path, (0, 946684800 + (i * 7919) % 100000000))
    runs = {"--sort name": [lister, "--hidden", folder]}
    if base:
        runs = {"base (no --sort)": [base, "--hidden", folder], **runs}
    for key in ("extension", "size", "date"):
        runs[f"--sort {key}"] = [lister, "--hidden", "--sort", key, folder]
    runs["--sort name --reverse"] = [lister, "--hidden", "--reverse", folder]
    runs["--format csv"] = [lister, "--hidden", "--format", "csv", folder]
    runs["--format json"] = [lister, "--hidden", "--format", "json", folder]
    times = {label: [] for label in runs}
    for round in range(6):
        for label, argv in runs.items():
            start = time.perf_counter()
            subprocess.run(argv, stdout=subprocess.DEVNULL, check=True)
            if round:  # the first round warms the caches
                times[label].append(time.perf_counter() - start)
    reference = statistics.median(times["base (no --sort)" if base else "--sort name"])
    for label, samples in times.items():
        median = statistics.median(samples)
        print(f"{label:24} median {median:7.3f} s   {median / reference:5.2f}x")
PY
