#!/usr/bin/env bash
# One-time build of the C libraries the listing engine links, for Windows x86-64 with Debian's
# MinGW-w64 (posix threads), from Debian's own source packages: libxlsxwriter (the workbook
# format, with its bundled minizip and MinGW's zlib), xxhash (xxh128, catalogue comparison)
# and OpenSSL's libcrypto (sha256, md5). All static, so the program folder needs no more DLLs.
# About 3 minutes on a 2-core machine, most of it libcrypto.
#
# Needs: g++-mingw-w64-x86-64-posix cmake ninja-build libz-mingw-w64-dev dpkg-dev perl and a
# deb-src line for Debian 12 main (tools/deps.sh --windows, tools/windows.sh adds the line).
#
# Usage: build-libraries-windows.sh WORKDIR PREFIX     (WORKDIR may be deleted afterwards)
set -euo pipefail
W=$(realpath -m "$1")
PREFIX=$(realpath -m "$2")
TOOLCHAIN=$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw64-posix.cmake
HOST=x86_64-w64-mingw32
MINGW_ZLIB=/usr/$HOST/lib/libz.a
mkdir -p "$W" "$PREFIX/lib/pkgconfig" && cd "$W"
apt-get source --download-only libxlsxwriter=1.1.4-2 xxhash=0.8.1-1 openssl=3.0.17-1~deb12u2
for t in libxlsxwriter_1.1.4.orig.tar.gz xxhash_0.8.1.orig.tar.gz openssl_3.0.17.orig.tar.gz; do
    tar xzf "$t"
done

# zlib as a static library beside the others, so that "-lz" cannot pick zlib1.dll's import
# library.
cp "$MINGW_ZLIB" "$PREFIX/lib/"

cmake_build() {
    cmake -G Ninja -S "$1" -B "$1/build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
        "${@:2}" >/dev/null
    ninja -C "$1/build" >/dev/null
    cmake --install "$1/build" >/dev/null
}

# xlsxwriter.pc names zlib only as a private requirement; the static link needs it in Libs.
# Without its own MD5 (which only tells identical images apart; the listing has none): it
# would clash with libcrypto's.
cmake_build libxlsxwriter-RELEASE_1.1.4 -DZLIB_INCLUDE_DIR=/usr/$HOST/include \
    -DZLIB_LIBRARY="$MINGW_ZLIB" -DUSE_NO_MD5=ON
cat > "$PREFIX/lib/pkgconfig/xlsxwriter.pc" <<PC
prefix=$PREFIX
Name: xlsxwriter
Description: libxlsxwriter for Windows, static
Version: 1.1.4
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lxlsxwriter -lz
PC

cmake_build xxHash-0.8.1/cmake_unofficial -DXXHASH_BUILD_XXHSUM=OFF

# libcrypto alone, in C (no assembler to cross-assemble), without engines and loadable modules.
(
    cd openssl-3.0.17
    ./Configure mingw64 --prefix="$PREFIX" --libdir=lib no-shared no-asm no-tests no-engine \
        no-dso no-module no-legacy CC=$HOST-gcc-posix AR=$HOST-gcc-ar-posix \
        RANLIB=$HOST-gcc-ranlib-posix RC=$HOST-windres >/dev/null
    # Its compiler warnings go to a log, shown when the build fails.
    make -s -j"$(nproc)" build_generated libcrypto.a >/dev/null 2>build.log ||
        { tail -40 build.log; exit 1; }
    mkdir -p "$PREFIX/include"
    cp -r include/openssl "$PREFIX/include/"
    cp libcrypto.a "$PREFIX/lib/"
)
