#!/usr/bin/env bash
# Builds the game for Windows with MinGW-w64 and runs it: under Wine on Linux, natively on Windows.
#
# The first run also writes the sample pictures made by the project's own tool and, when the
# player has no favourites yet, a favourites file listing them, the colourful landscape first, so
# that "Favorites...", a picture (or "Random") and OK start a game at once. Without a display (a
# server, a container) the game plays the first favourite by itself on a virtual display, and a
# screenshot of the scattered puzzle is left behind.
#
# TESSELON_GAME_HOME names another folder for the game's Wine prefix (scripts/screenshot.sh plays
# in a fresh one, so that the player's own favourites play no part).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    step "Building the game with the compilers on the PATH"
    cmake -S . -B build/windows-native -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSELON_TESTS=OFF
    cmake --build build/windows-native --target tesselon
    step "Starting the game"
    exec build/windows-native/shell/tesselon.exe
    ;;
esac

step "Checking packages"
if [ -n "${DISPLAY:-}" ]; then
    ensure_packages "${WINDOWS_PACKAGES[@]}"
else
    ensure_packages "${WINDOWS_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"
fi

step "Cross-building the game with MinGW-w64"
cmake --preset windows >/dev/null
cmake --build --preset windows --target tesselon make_sample_pictures
game=build/windows/shell/tesselon.exe

step "Preparing Wine"
# The player's prefix is not the tests' one: the tests remake the game's data folder in theirs.
prepare_wine "${TESSELON_GAME_HOME:-$PWD/build/windows/game}"
echo "Wine prefix: $WINEPREFIX"

samples="$WINEPREFIX/drive_c/Tesselon Samples"
# Written again when this version's pictures are missing, as in a prefix of an older version.
if [ ! -f "$samples/Sample landscape.bmp" ]; then
    step "Writing the sample pictures"
    mkdir -p "$samples"
    wine build/windows/tools/make_sample_pictures.exe 'C:\Tesselon Samples' </dev/null
    echo "Wrote $(ls "$samples" | paste -sd, | sed 's/,/, /g') into $samples (C:\\Tesselon Samples in the game)"
fi
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Orvandine/Tesselon"
if [ ! -f "$data/Favorites.txt" ]; then
    step "Writing starter favourites"
    mkdir -p "$data"
    # The game's own format: UTF-16 little-endian after its byte-order mark, CR LF line ends.
    {
        printf '\xff\xfe'
        printf 'C:\\Tesselon Samples\\%s\r\n' "Sample landscape.bmp" "Sample galaxy.fits" "Sample craters.img" \
            "Sample colours.bmp" | iconv -f UTF-8 -t UTF-16LE
    } >"$data/Favorites.txt"
    echo "Wrote $data/Favorites.txt listing the samples: choose File, Favorites..., a picture or Random, OK."
fi

if [ -n "${DISPLAY:-}" ]; then
    step "Starting the game under Wine on display $DISPLAY"
    exec wine "$game"
fi

step "No display: playing on a virtual display"
# A Wine server started without a display (by the sample writer) cannot show windows on the
# virtual one; the game starts its own once that one has ended.
wineserver -w
mkdir -p build/screenshots
shot="$PWD/build/screenshots/tesselon.png"
rm -f "$shot"
timeout 240 xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/play_headless.sh "$game" "$shot"
echo "Screenshot of the game: $shot"
