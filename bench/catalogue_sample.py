#!/usr/bin/python3
"""Writes a sample HTML catalogue straight from the page's own files, without a tree on disk:
FOLDERS folders of FILES entries each (nested a few levels), plus a folder of hostile names and
an unreadable one. For trying the page and timing it in a browser; tabulist-list --format html
writes the real thing.

    catalogue_sample.py OUT.html [FOLDERS [FILES]]"""
import base64
import hashlib
import json
import os
import random
import sys

here = os.path.dirname(os.path.abspath(__file__))
parts = os.path.join(here, "..", "src", "listing", "formats", "catalogue")
read = lambda name: open(os.path.join(parts, name), encoding="utf-8").read()
out_name = sys.argv[1]
folder_count = int(sys.argv[2]) if len(sys.argv) > 2 else 50
file_count = int(sys.argv[3]) if len(sys.argv) > 3 else 200
rng = random.Random(7)

folders = [[-1, "", []]]
for d in range(folder_count):
    parent = 0 if d < 10 else rng.randrange(0, len(folders))
    folders[parent][2] += [f"dir-{d:04d}", 1, 0, 1_600_000_000]
    folders.append([parent, f"dir-{d:04d}", []])
    for f in range(file_count):
        folders[-1][2] += [f"file-{d:04d}-{f:04d}.dat", 0, rng.randrange(0, 10**7),
                           1_500_000_000 + rng.randrange(0, 10**8)]
hostile = ["<img src=x onerror=alert(1)>.txt", "</script><script>alert(2)</script>", '"quoted"',
           "<!-- comment", "caf\u00e9\ufffd.txt", "tab\there", "a&amp;b"]
folders[0][2] += ["hostile", 1, 0, 1_600_000_000, "locked", 1, 0, 1_600_000_000]
folders.append([0, "hostile", [x for n in hostile for x in (n, 0, len(n), 1_600_000_000)]])
folders.append([0, "locked", [], "File access denied"])

data = {"path": "/sample/catalogue", "made": "2026-12-08T10:00:00+01:00", "program": "sample",
        "version": "0", "fields": ["name", "kind", "size", "modified"],
        "folders": folders, "kinds": [["file", "A"], ["directory", ""]]}
text = json.dumps(data, ensure_ascii=False, separators=(",", ":")).replace("<", "\\u003c")
style, script = read("page.css"), read("page.js")
digest = lambda s: base64.b64encode(hashlib.sha256(s.encode()).digest()).decode()
policy = (f"default-src 'none'; script-src 'sha256-{digest(script)}'; "
          f"style-src 'sha256-{digest(style)}'; base-uri 'none'; form-action 'none'")
page = read("page.html").replace("@POLICY@", policy).replace("@STYLE@", style)
head, tail = page.split("@DATA@")
with open(out_name, "w", encoding="utf-8") as out:
    out.write(head + text + tail.replace("@SCRIPT@", script))
print(f"{out_name}: {sum(len(f[2]) for f in folders) // 4} entries, {os.path.getsize(out_name)} bytes")
