#!/usr/bin/python3
"""Makes the benchmark tree: FOLDERS folders of FILES files each (1,000 x 1,000 by default) at
PATH (/tmp/million), unless it is there already. Sizes are sparse (no disk space taken) and
spread over six digits; times spread over some years, so neither is a run of equal values."""
import os
import random
import sys

path = sys.argv[1] if len(sys.argv) > 1 else "/tmp/million"
folders = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
files = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
if os.path.isdir(path):
    print(f"{path} is there already")
    sys.exit(0)
work = f"{path}.partial-{os.getpid()}"
rng = random.Random(26)
os.mkdir(work)
for d in range(folders):
    folder = os.path.join(work, f"folder-{d:04d}")
    os.mkdir(folder)
    for f in range(files):
        name = os.path.join(folder, f"file-{d:04d}-{f:04d}.dat")
        with open(name, "wb") as out:
            out.truncate(rng.randrange(0, 1_000_000))
        t = 1_500_000_000 + rng.randrange(0, 250_000_000)
        os.utime(name, (t, t))
os.rename(work, path)
print(f"{path}: {folders} folders of {files} files")
