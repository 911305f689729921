#!/usr/bin/env bash
# Runs a cross-built Windows executable under Wine, in the prefix of the build folder that holds it.
set -eu
exe=$1; shift
build=${TESSELON_WINE_BUILD:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine's background services must not be started by the test itself: they would inherit its
# output and hold it open, and ctest would wait on them for ever. Starting them here, with no
# output to inherit, costs a quarter of a second when they already run.
wineboot </dev/null >/dev/null 2>&1
exec wine "$exe" "$@"
