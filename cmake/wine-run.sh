#!/usr/bin/env bash
# Runs a cross-built Windows executable under Wine, in the prefix of the build folder that holds it.
set -eu
exe=$1; shift
build=${TESSELON_WINE_BUILD:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$exe" "$@"
