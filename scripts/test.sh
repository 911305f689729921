#!/usr/bin/env bash
# Builds and runs every test: the portable core natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, the tests of frames drawn by several threads under ThreadSanitizer,
# the same core tests cross-built for Windows and run under Wine, the Windows-only tests (window
# procedure, dialogs, decoder) under Wine on a virtual display, and an end-to-end run of the real
# game driven with the mouse and keyboard. One ctest run reports them all.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

step "Checking packages"
ensure_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"

step "Building the native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native

# About a minute to build from nothing, a second to run.
step "Building the frame tests with ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan

step "Cross-building the Windows tests with MinGW-w64"
cmake --preset windows >/dev/null
cmake --build --preset windows

# One ctest run over every build folder.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native")
subdirs("tsan")
subdirs("windows")
CTEST

step "Running every test (Windows ones under Wine on a virtual display)"
prepare_wine "$PWD/build/windows"
# One Wine server for the whole run, every Wine start then costs about a second instead of ten.
# Wine's background services are started first, so that none of them inherits (and holds open)
# the output of a test that ctest waits on. Without a window manager each window the Windows tests
# open costs Wine about two seconds, half a minute in all; with one, about a second in all.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    wineserver -p
    wineboot >/dev/null 2>&1 </dev/null
    status=0
    ctest --test-dir build --output-on-failure -j 2 || status=$?
    wineserver -k || true
    kill $wm 2>/dev/null || true
    exit $status'
