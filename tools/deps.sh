#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tabulist need.
# Only what is missing is installed; apt-get runs through sudo when we are not root.
# Without root and without a usable sudo it stops and says what to install by hand.
set -euo pipefail

packages=(
    cmake g++ make pkg-config dpkg-dev file
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6printsupport6 libgl-dev
    libgtest-dev libgmock-dev
    fontconfig fonts-dejavu-core
    xvfb xauth poppler-utils desktop-file-utils
    clang-14 libclang-rt-14-dev
    clang-format
    libxlsxwriter-dev python3-openpyxl
    chromium chromium-driver python3-selenium
    libssl-dev libxxhash-dev xxhash
)
# tools/deps.sh --windows: what tools/windows.sh needs as well (MinGW-w64, Wine, NSIS); on
# request only, never for ./run and ./test.
windows_packages=(
    g++-mingw-w64-x86-64-posix ninja-build wine wine64 nsis zip x11-apps netpbm
    libz-mingw-w64-dev googletest openbox xdotool
)
[ "${1:-}" = --windows ] && packages+=("${windows_packages[@]}")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

explain() {
    cat >&2 <<MSG
Tabulist needs these Debian packages, and they are not installed:
  ${missing[*]}
They cannot be installed from here: you are not root, and sudo is missing or not allowed.
Ask someone with root rights to run:
  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}
then run this command again.
MSG
    exit 1
}

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || explain
    # Without a terminal sudo cannot ask for a password: it must be allowed without one.
    if ! sudo -n true 2>/dev/null; then
        [ -t 0 ] || explain
        echo "Tabulist needs ${#missing[@]} Debian packages; sudo asks for your password."
        sudo -v || explain
    fi
    sudo=(sudo)
fi
echo "Installing ${#missing[@]} Debian packages (the first time, about 200 with what they need;"
echo "this takes a few minutes): ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq || { [ ${#sudo[@]} -eq 0 ] || explain; exit 1; }
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
