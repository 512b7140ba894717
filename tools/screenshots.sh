#!/usr/bin/env bash
# Remakes the README pictures in docs/screenshots/ from the program's own windows, drawn on
# Qt's offscreen platform: the main window listing a small sample folder, the more options
# dialog (also as it looks while subfolders are included), the exit question, the about box,
# the print progress window, the print preview and the first printed page.
# Usage: tools/screenshots.sh [BUILD-DIR]   (default: build/)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$here/build}")"
out="$here/docs/screenshots"

"$here/tools/deps.sh"
cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" --target tabulist-pictures -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

# The sample folder has fixed names, sizes and times, so the pictures change only with the program.
sample="${TMPDIR:-/tmp}/tabulist-tour"
rm -rf "$sample"
mkdir -p "$sample/Documents"
cd "$sample/Documents"
mkdir -p letters invoices photos
i=0
for name in budget-2026.ods "meeting notes.txt" report-q1.pdf report-q2.pdf todo.txt \
            address-list.csv holiday-plan.odt thesis-draft.odt backup.tar.gz readme.txt; do
    i=$((i + 1))
    head -c $((i * i * 1371)) /dev/zero >"$name"
    touch -d "2026-0$((i % 9 + 1))-1$((i % 10)) 1$((i % 10)):$((i * 7 % 50 + 10)):00" "$name"
done
touch -d "2026-03-02 08:15:00" letters invoices photos
chmod a-w readme.txt
touch -d "2026-02-27 18:05:00" .hidden-settings
touch -d "2026-03-02 08:15:00" . ..

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp" "$sample"' EXIT
mkdir -p "$out"
# Scale 1 gives the README's pictures; scale 1.5 shows that every text still fits when a
# desktop enlarges the windows (those pictures carry "-1.5x" in their names).
for scale in 1 1.5; do
    suffix=""
    [ "$scale" = 1 ] || suffix="-${scale}x"
    rm -rf "${tmp:?}"/*
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="$scale" "$build/tabulist-pictures" windows "$tmp" \
        "$here/data/default.sav" "$sample/Documents"
    pictures=(main-window more-options more-options-subfolders exit-question about font-dialog
              colour-dialog print-progress print-preview)
    if [ "$scale" = 1 ]; then
        pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$tmp/printed-listing.pdf" "$tmp/printed-page"
        pictures+=(printed-page)
    fi
    for picture in "${pictures[@]}"; do
        cp "$tmp/$picture.png" "$out/$picture$suffix.png"
        echo "$out/$picture$suffix.png"
    done
done
