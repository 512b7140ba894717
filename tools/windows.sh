#!/usr/bin/env bash
# Builds Tabulist for Windows x86-64 on Debian 12 with MinGW-w64 and packs it.
#   tools/windows.sh            Qt for Windows (once, cached), Tabulist, the folder, .zip, installer
#   tools/windows.sh --qt       only Qt for Windows into the cache
#   tools/windows.sh --test     also GoogleTest for Windows and the test programs under wine64
# Packages: tools/deps.sh --windows. Output: build-windows/ (dist/, Tabulist-VERSION-windows.zip,
# Tabulist-VERSION-setup.exe).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TOOLCHAIN=$ROOT/cmake/mingw64-posix.cmake
CACHE=${TABULIST_CACHE:-$HOME/.cache/tabulist}
QT=$CACHE/qt-6.4.2-mingw
OUT=${TABULIST_WINDOWS_BUILD:-$ROOT/build-windows}
MODE=package
case "${1:-}" in
    --qt) MODE=qt ;;
    --test) MODE=test ;;
    "") ;;
    *) echo "usage: tools/windows.sh [--qt | --test]" >&2; exit 2 ;;
esac

# Qt is rebuilt only when its recipe or the compiler changes.
qt_key() {
    echo "qt 6.4.2+dfsg-10"
    x86_64-w64-mingw32-g++-posix -dumpfullversion
    sha256sum < "$ROOT/tools/build-qt-windows.sh" | cut -d' ' -f1
}
build_qt() {
    if [ -f "$QT/.tabulist-key" ] && [ "$(cat "$QT/.tabulist-key")" = "$(qt_key)" ]; then
        return
    fi
    echo "Building Qt for Windows once into $QT (about 16 minutes on an idle 2-core machine)"
    rm -rf "$QT"
    local work=$CACHE/qt-6.4.2-mingw-work
    local start=$SECONDS
    nice -n 19 ionice -c3 "$ROOT/tools/build-qt-windows.sh" "$work" "$QT"
    qt_key > "$QT/.tabulist-key"
    rm -rf "$work"
    echo "Qt for Windows built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
}

build_qt
[ "$MODE" = qt ] && exit 0
