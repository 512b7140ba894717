#!/usr/bin/env bash
# Compares two tabulist-list binaries byte for byte (standard output, standard error and exit
# status) on a hostile fixture under a set of option sets, so that a change to the engine can
# show it leaves every listing as it was.
# Usage: tools/compare_listings.sh OLD_TABULIST_LIST NEW_TABULIST_LIST [KEEP_DIR]
# KEEP_DIR: where the outputs are kept (default: a temporary folder, removed afterwards).
set -uo pipefail
old="$(realpath "$1")"
new="$(realpath "$2")"
work="${3:-}"
[ -x "$old" ] && [ -x "$new" ] || { echo "usage: $0 OLD NEW [KEEP_DIR]" >&2; exit 2; }
top="$(mktemp -d)"
# One level down, so that ".." is a folder nothing else changes.
fixture="$top/root"
mkdir "$fixture"
if [ -z "$work" ]; then
    work="$(mktemp -d)"
    trap 'rm -rf "$top" "$work"' EXIT
else
    mkdir -p "$work"
    trap 'rm -rf "$top"' EXIT
fi
export TZ=Europe/Berlin LC_ALL=C.UTF-8

/usr/bin/python3 - "$fixture" <<'PY'
import os, sys
root = sys.argv[1].encode()
def p(*parts): return os.path.join(root, *parts)
def f(name, size=0, when=1600000000):
    with open(p(name), "wb") as h: h.write(b"x" * size)
    os.utime(p(name), (when, when))
def d(name): os.mkdir(p(name))
names = [b"plain.txt", b"with space.txt", b"UPPER.TXT", b"Mixed.Case.Doc", b".hidden",
         b".hidden.dir.txt", b"ctrl\x01\x1fname", b"tab\tname", b"bad\xff\xfeutf8",
         b"latin1 caf\xe9", b"utf8 caf\xc3\xa9", b"emoji \xf0\x9f\x98\x80.bin", b"no_ext",
         b"a" * 200, b"b" * 255, b"abc.txt", b"abd.txt", b"x.tar.gz", b"-dash", b"#hash"]
for i, n in enumerate(names): f(n, i * 137, 1500000000 + i * 86400 * 40)
f(b"readonly.txt", 10, 1400000000); os.chmod(p(b"readonly.txt"), 0o444)
os.mkfifo(p(b"fifo")); os.utime(p(b"fifo"), (1300000000, 1300000000))
os.symlink(b"plain.txt", p(b"link to plain"))
os.symlink(b"missing", p(b"dangling"))
os.symlink(b"sub", p(b"link to sub"))
d(b"empty"); d(b".hidden folder"); f(b".hidden folder/inside.txt", 5)
d(b"sub"); d(b"sub/deeper"); d(b"sub/deeper/deepest"); d(b"sub/emptier")
for i in range(30): f(b"sub/file%02d.dat" % i, i * 1000, 1550000000 + i * 3600)
f(b"sub/deeper/deepest/end.txt", 12345, 1650000000)
d(b"bad\xffdir"); f(b"bad\xffdir/inner \x02.txt", 3)
d(b"Big")
for i in range(3000): f(b"Big/n%05d.%s" % (i, [b"a", b"bb", b"c"][i % 3]), i % 511, 1450000000 + i * 977)
for dd in [b"sub/deeper/deepest", b"sub/deeper", b"sub/emptier", b"sub", b"empty", b"Big", b"bad\xffdir", b".hidden folder"]:
    os.utime(p(dd), (1580000000, 1580000000))
PY

sets=(
    ""
    "--hidden"
    "--columns 3"
    "--columns 6 --hidden"
    "--unit kbytes --unit-suffix"
    "--unit mbytes --no-attributes"
    "--no-size --no-date"
    "--drive-name --path --file-count --total-size --total-percent --total-unit kbytes"
    "--class read-only"
    "--class system --hidden"
    "--from 2018-01-01 --to 2022-12-31"
    "--mask *.txt"
    "--mask a?d* --hidden"
    "--recursive --hidden --path --file-count --total-size --folder-totals"
    "--depth 1 --columns 2"
    "--sort size --reverse --hidden"
    "--sort extension --recursive"
    "--sort date --reverse --recursive --columns 4"
    "--format csv --recursive --hidden"
    "--format json --recursive --hidden --sort date"
    "--format json --mask *.dat"
)
set -f  # masks reach the program as they are
differ=0
for i in "${!sets[@]}"; do
    # shellcheck disable=SC2086
    for which in old new; do
        bin="$old"; [ $which = new ] && bin="$new"
        (cd "$fixture" && "$bin" ${sets[$i]} . >"$work/$i.$which.out" 2>"$work/$i.$which.err"; echo $? >"$work/$i.$which.rc")
    done
    for part in out err rc; do
        if ! cmp -s "$work/$i.old.$part" "$work/$i.new.$part"; then
            echo "differs: set $i (${sets[$i]:-default}), $part"
            differ=1
        fi
    done
done
echo "${#sets[@]} option sets compared, $( [ $differ = 0 ] && echo "all identical" || echo "DIFFERENCES" )"
exit $differ
