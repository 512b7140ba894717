#!/usr/bin/env bash
# One-time build of Qt 6.4.2 (qtbase: Core, Gui, Widgets, PrintSupport) for Windows x86-64 on
# Debian 12 with Debian's MinGW-w64 (posix threads), from Debian's own qt6-base source package.
# About 16 minutes on an idle 2-core machine, 66 MB installed (stripped). tools/windows.sh runs
# it once, at the lowest CPU and I/O priority, and keeps only the installed folder.
#
# Needs (as root): apt-get install --no-install-recommends g++-mingw-w64-x86-64-posix cmake \
#   ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev   (tools/deps.sh --windows)
# and a deb-src line for Debian 12 main, so that `apt-get source qt6-base` works.
#
# Usage: build-qt-windows.sh WORKDIR PREFIX     (WORKDIR may be deleted afterwards)
set -euo pipefail
W=$(realpath -m "$1"); PREFIX=$(realpath -m "$2")
TOOLCHAIN=$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw64-posix.cmake
mkdir -p "$W" && cd "$W"
# 1. Debian's source and its upstream security fixes
[ -d qtbase-everywhere-src-6.4.2 ] || {
  apt-get source --download-only qt6-base=6.4.2+dfsg-10
  tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
  tar xf qt6-base_6.4.2+dfsg-10.debian.tar.xz
  for p in cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff cve-2023-24607.patch; do
    patch -d qtbase-everywhere-src-6.4.2 -p1 --quiet < "debian/patches/$p"
  done
}
# 2. The dfsg tarball drops src/3rdparty/wintab (licence); the Windows platform plugin needs
#    wintab.h and pktdef.h. Take the LGPL ones Wine ships in Debian's libwine-dev (unpacked, not
#    installed) behind a small wrapper that supplies the macros Wine's header expects.
WT=qtbase-everywhere-src-6.4.2/src/3rdparty/wintab
[ -f "$WT/wintab.h" ] || {
  mkdir -p debs "$WT"
  (cd debs && apt-get download libwine-dev && dpkg-deb -x libwine-dev_*.deb x)
  cp debs/x/usr/include/wine/wine/windows/pktdef.h "$WT/"
  cp debs/x/usr/include/wine/wine/windows/wintab.h "$WT/wine_wintab.h"
  cat > "$WT/wintab.h" <<'EOH'
/* Wine's wintab.h needs the compatibility macros that mingw-w64 keeps in _mingw_dxhelper.h */
#ifndef QT_MINGW_WINTAB_WRAPPER_H
#define QT_MINGW_WINTAB_WRAPPER_H
#include <windows.h>
#include <_mingw_dxhelper.h>
#ifndef API
#define API WINAPI
#endif
#include "wine_wintab.h"
#endif
EOH
}
# 3. Configure. Host moc/rcc/uic come from Debian's qt6-base-dev-tools (QT_HOST_PATH=/usr).
#    INPUT_opengl=no (not FEATURE_opengl=OFF, which leaves a dynamic-GL path on and fails) and
#    FEATURE_direct2d1_1=OFF (not FEATURE_direct2d=OFF, which breaks the PrintSupport link).
#    testlib is on: the widget tests link QtTest.
cmake -G Ninja -S qtbase-everywhere-src-6.4.2 -B build \
  -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_pkg_config=OFF -DINPUT_opengl=no -DFEATURE_direct2d1_1=OFF -DFEATURE_qmake=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF
# 4. Build and install, stripped
ninja -C build -j"$(nproc)"
cmake --install build --strip
