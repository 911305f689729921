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
# The desktop process is started by the first program that needs it and inherits that program's
# output, so the output goes to a file: ctest would otherwise wait for the desktop to exit too.
output=$(mktemp)
status=0
wine "$exe" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
rm -f "$output"
exit $status
