#!/usr/bin/env bash
# Builds the game for Windows with MinGW-w64 and runs it: under Wine on Linux, natively on Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

step "Checking packages"
ensure_packages "${WINDOWS_PACKAGES[@]}"

step "Cross-building the Windows program with MinGW-w64"
cmake --preset windows >/dev/null
cmake --build --preset windows

game=build/windows/shell/tesselon.exe
if [ ! -f "$game" ]; then
    step "Nothing to run yet"
    echo "The portable core and its tests are built; the game's window arrives with the Windows shell."
    exit 0
fi

step "Starting the game under Wine"
prepare_wine "$PWD/build/windows"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display is set (DISPLAY is empty): run this from a desktop session." >&2
    exit 1
fi
exec wine "$game"
