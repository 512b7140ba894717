#!/usr/bin/env bash
# Builds Tabulist for Windows x86-64 on Debian 12 with MinGW-w64 and packs it.
#   tools/windows.sh            Qt for Windows (once, cached), Tabulist, the folder, .zip, installer
#   tools/windows.sh --qt       only Qt for Windows into the cache
#   tools/windows.sh --test     also GoogleTest for Windows and the test programs under wine64
#   tools/windows.sh --window   also the packed window under Wine on Xvfb with openbox: lists
#                               C:\windows, pictured into docs/screenshots/windows-*.png
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
    --window) MODE=window ;;
    "") ;;
    *) echo "usage: tools/windows.sh [--qt | --test | --window]" >&2; exit 2 ;;
esac

# apt-get source needs a deb-src line for Debian 12 main: added as root, asked for otherwise.
ensure_deb_src() {
    if apt-get source --print-uris qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1; then return; fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "apt-get source needs a deb-src line for Debian 12 main; as root, add to" >&2
        echo "/etc/apt/sources.list.d/debian-src.sources:" >&2
        printf '  Types: deb-src\n  URIs: http://deb.debian.org/debian\n  Suites: bookworm\n  Components: main\n  Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' >&2
        echo "then run apt-get update and this command again." >&2
        exit 1
    fi
    cat > /etc/apt/sources.list.d/debian-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    apt-get update -qq
}

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
    ensure_deb_src
    rm -rf "$QT"
    local work=$CACHE/qt-6.4.2-mingw-work
    local start=$SECONDS
    nice -n 19 ionice -c3 "$ROOT/tools/build-qt-windows.sh" "$work" "$QT"
    qt_key > "$QT/.tabulist-key"
    rm -rf "$work"
    echo "Qt for Windows built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
}

# The C libraries of the listing engine (workbook, xxhash, libcrypto), static, once.
LIBS=$CACHE/libraries-mingw
build_libraries() {
    local key
    key="$(sha256sum < "$ROOT/tools/build-libraries-windows.sh" | cut -d' ' -f1) $(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
    if [ -f "$LIBS/.tabulist-key" ] && [ "$(cat "$LIBS/.tabulist-key")" = "$key" ]; then return; fi
    echo "Building libxlsxwriter, xxhash and libcrypto for Windows once into $LIBS"
    ensure_deb_src
    rm -rf "$LIBS"
    local work=$CACHE/libraries-mingw-work start=$SECONDS
    rm -rf "$work"
    nice -n 19 ionice -c3 "$ROOT/tools/build-libraries-windows.sh" "$work" "$LIBS"
    echo "$key" > "$LIBS/.tabulist-key"
    rm -rf "$work"
    echo "Libraries for Windows built in $((SECONDS - start)) s"
}

# GoogleTest for Windows, from Debian's source of it, once.
build_googletest() {
    local key
    key="$(dpkg-query -W -f='${Version}' googletest) $(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
    if [ -f "$GTEST/.tabulist-key" ] && [ "$(cat "$GTEST/.tabulist-key")" = "$key" ]; then return; fi
    rm -rf "$GTEST" "$CACHE/googletest-mingw-work"
    cmake -G Ninja -S /usr/src/googletest -B "$CACHE/googletest-mingw-work" \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$GTEST" -DBUILD_GMOCK=ON >/dev/null
    nice -n 19 ninja -C "$CACHE/googletest-mingw-work" >/dev/null
    cmake --install "$CACHE/googletest-mingw-work" >/dev/null
    echo "$key" > "$GTEST/.tabulist-key"
    rm -rf "$CACHE/googletest-mingw-work"
}

# Tabulist and tabulist-list (and with --test the test programs), against the cached Qt.
build_tabulist() {
    local tests=$1 launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # pkg-config answers for the Windows libraries only. Debian's rcc would compress resources
    # with zstd, which this Qt cannot read. Debian's hardening flags are for ELF programs.
    PKG_CONFIG_LIBDIR=$LIBS/lib/pkgconfig PKG_CONFIG_PATH= "$QT/bin/qt-cmake" -G Ninja \
        -S "$ROOT" -B "$OUT/build" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$LIBS;$GTEST" -DOPENSSL_USE_STATIC_LIBS=ON \
        -DOPENSSL_ROOT_DIR="$LIBS" -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DTABULIST_HARDENING=OFF \
        -DCMAKE_AUTORCC_OPTIONS=--no-zstd \
        -DCMAKE_BUILD_TYPE=Release -DTABULIST_TESTS="$tests" -DGTest_DIR="$GTEST/lib/cmake/GTest" \
        "${launcher[@]}" >/dev/null
    local start=$SECONDS targets=(Tabulist tabulist-list)
    [ "$tests" = ON ] && targets+=("${TEST_PROGRAMS[@]}")
    PKG_CONFIG_LIBDIR=$LIBS/lib/pkgconfig PKG_CONFIG_PATH= \
        nice -n 10 cmake --build "$OUT/build" -j"$(nproc)" --target "${targets[@]}"
    echo "Tabulist for Windows built in $((SECONDS - start)) s"
}

# The self-contained program folder: everything the two programs load, and nothing else.
gather() {
    local dist=$OUT/dist/Tabulist
    rm -rf "$OUT/dist"
    mkdir -p "$dist/platforms" "$dist/styles"
    cp "$OUT/build/Tabulist.exe" "$OUT/build/tabulist-list.exe" "$dist/"
    x86_64-w64-mingw32-strip "$dist"/*.exe
    cp "$QT"/bin/Qt6{Core,Gui,Widgets,PrintSupport}.dll "$dist/"
    cp "$QT/plugins/platforms/qwindows.dll" "$dist/platforms/"
    cp "$QT/plugins/styles/qwindowsvistastyle.dll" "$dist/styles/"
    cp /usr/lib/gcc/x86_64-w64-mingw32/*-posix/{libstdc++-6,libgcc_s_seh-1}.dll "$dist/"
    cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$dist/"
    x86_64-w64-mingw32-strip --strip-unneeded "$dist"/lib*.dll
    cp "$ROOT/data/Tabulist.hlp" "$dist/"
    cp "$ROOT/data/default.sav" "$dist/Tabulist.sav"
}

package() {
    local version
    version=$(sed -n 's/^project(Tabulist VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
    rm -f "$OUT"/Tabulist-*-windows.zip "$OUT"/Tabulist-*-setup.exe
    (cd "$OUT/dist" && zip -qr "$OUT/Tabulist-$version-windows.zip" Tabulist)
    makensis -V2 -DVERSION="$version" -DDIST="$OUT/dist/Tabulist" \
        -DOUTFILE="$OUT/Tabulist-$version-setup.exe" "$ROOT/tools/windows-installer.nsi"
    ls -l "$OUT/Tabulist-$version-windows.zip" "$OUT/Tabulist-$version-setup.exe"
}

# A Wine prefix of our own, kept between runs, with a persistent server: a test program
# then starts in a fraction of a second instead of three.
start_wine() {
    export WINEPREFIX=$CACHE/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
        # Fixed-pitch text lines up only with a monospaced face behind "Courier New"; the
        # dialogs' "MS Sans Serif" would otherwise fall back to a face with serifs (Wine's own
        # Tahoma has its widths).
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ \
            /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Sans Serif' /t REG_SZ \
            /d 'Tahoma' /f >/dev/null 2>&1
    fi
    wineserver -p 2>/dev/null || true  # one may be running already
    # Wine's own services start with the first program and outlive it: started here, they do
    # not hold on to the output pipe of the first test, which ctest waits to see closed.
    wine cmd /c exit </dev/null >/dev/null 2>&1
    local dlls="Z:$QT/bin;Z:$(echo /usr/lib/gcc/x86_64-w64-mingw32/*-posix);Z:/usr/x86_64-w64-mingw32/lib"
    export WINEPATH="$dlls;Z:$GTEST/bin" QT_PLUGIN_PATH="Z:$QT/plugins"
}

run_tests() {
    start_wine
    local start=$SECONDS regex status=0
    regex="^($(IFS='|'; echo "${TEST_PROGRAMS[*]}"))\$"
    # ctest runs each program once through wine (the build's emulator), offscreen as in ./test.
    ctest --test-dir "$OUT/build" -R "$regex" --timeout 300 || status=$?
    echo "Test programs under Wine: $((SECONDS - start)) s"
    # What skipped, and why: the reason is the line before each SKIPPED.
    local log=$OUT/build/Testing/Temporary/LastTest.log
    echo "Skipped: $(grep -c '^\[  SKIPPED \] [A-Za-z]' "$log" || true), for these reasons:"
    grep -B1 '^\[  SKIPPED \] [A-Za-z]' "$log" | grep -v '^\[  SKIPPED \]\|^--$' | sort |
        uniq -c || true
    return $status
}

# The program folder as a user unpacks it, on a virtual display with a window manager: only its
# own DLLs and plugins. A user's round: C:\windows listed, attribute class "system", the more
# options dialog, saved, printed to PDF, an option changed and kept on exit, a second start.
show_window() {
    start_wine
    unset WINEPATH QT_PLUGIN_PATH
    local display=:$((90 + RANDOM % 9)) shots=$ROOT/docs/screenshots work=$OUT/window
    rm -rf "$work" && mkdir -p "$work" && cp -r "$OUT/dist/Tabulist" "$work/"
    # The prefix was made without a display: Wine's screen is 1024 x 768, so is this one.
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
    local xvfb=$!
    export DISPLAY=$display
    sleep 2
    openbox &
    local wm=$!
    local exe
    exe=$(winepath -w "$work/Tabulist/Tabulist.exe")
    window() {  # waits for a window whose title starts with $1, prints its id
        local id
        for _ in $(seq 60); do
            id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -1)
            [ -n "$id" ] && { echo "$id"; return; }
            sleep 1
        done
        echo "no window \"$1\"" >&2
        return 1
    }
    picture() { xwd -id "$1" -frame -silent | xwdtopnm 2>/dev/null | pnmtopng > "$2"; }
    wine "$exe" 'C:\windows' >"$work/wine.log" 2>&1 &
    local main
    main=$(window "Tabulist - current drive")
    sleep 5
    picture "$main" "$shots/windows-main.png"
    # The attribute group's "system" button, where the design puts it.
    xdotool mousemove 189 121 click 1
    sleep 3
    picture "$main" "$work/system.png"
    # Keys go to the focused window through the X test extension. The file dialogs are not
    # drawn on xwd's root picture, but they take keys.
    xdotool mousemove 600 400 click 1
    xdotool key ctrl+F9
    local more
    more=$(window "more options")
    sleep 2
    picture "$more" "$shots/windows-more-options.png"
    xdotool key Escape
    sleep 2
    file_name() {  # the keys that select the proposed name, the name
        sleep 15
        xdotool key $1
        xdotool type --delay 40 "$2"
        xdotool key Return
    }
    xdotool mousemove 600 400 click 1
    xdotool key F2
    file_name ctrl+a "$(winepath -w "$work/saved.txt")"
    sleep 3
    xdotool mousemove 600 400 click 1
    xdotool key F3
    file_name "End shift+Home" "$(winepath -w "$work/printed.pdf")"
    sleep 10
    # The "size" box marks the options changed; File > Exit asks, and its default is Yes.
    xdotool mousemove 427 50 click 1
    sleep 2
    xdotool mousemove 13 28 click 1
    sleep 1
    xdotool key e
    window "Tabulist - Exit" >/dev/null
    xdotool key Return
    sleep 3
    cmp -s "$work/Tabulist/Tabulist.sav" "$ROOT/data/default.sav" &&
        echo "the settings were not saved" >&2
    # This step has not yet landed when scripted (by hand the same keys save the listing).
    [ -f "$work/saved.txt" ] || echo "the listing was not saved" >&2
    cp "$work/Tabulist/Tabulist.sav" "$work/saved.sav"
    # A second start reads them: no size field, and closing asks nothing.
    wine "$exe" 'C:\windows' >>"$work/wine.log" 2>&1 &
    main=$(window "Tabulist - current drive")
    sleep 5
    picture "$main" "$work/second-start.png"
    xdotool mousemove 13 28 click 1
    sleep 1
    xdotool key e
    sleep 3
    kill "$wm" "$xvfb"
    echo "The window under Wine: $shots/windows-main.png, $shots/windows-more-options.png;"
    echo "  in $work: system.png (attribute class system), saved.txt, printed.pdf,"
    echo "  saved.sav (the settings kept), second-start.png; the printed page:"
    pdftotext -layout "$work/printed.pdf" - | head -8
}

"$ROOT/tools/deps.sh" --windows
build_qt
[ "$MODE" = qt ] && exit 0
GTEST=$CACHE/googletest-mingw
TEST_PROGRAMS=(test_platform test_listing test_settings test_output test_cli)
build_libraries
if [ "$MODE" = test ]; then
    build_googletest
    build_tabulist ON
else
    build_tabulist OFF
fi
gather
package
if [ "$MODE" = test ]; then run_tests; fi
if [ "$MODE" = window ]; then show_window; fi
