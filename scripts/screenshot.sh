#!/usr/bin/env bash
# Remakes the README's picture, docs/screenshot.png: plays the first game exactly as play.sh does
# without a display, in a Wine prefix of its own (so the player's favourites play no part), puts
# a quarter of that puzzle together as a player partway through it would have, starts the game
# again, which brings the puzzle back, and shrinks the screenshot of it to 800 pixels across in
# 128 colours, a small file to keep in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
home="$PWD/build/screenshot-game"
rm -rf "$home"
env -u DISPLAY TESSELON_GAME_HOME="$home" bash scripts/play.sh
source scripts/setup.sh

step "Putting a quarter of the puzzle together"
cmake --build --preset windows --target assemble_sample_puzzle
prepare_wine "$home"
puzzle=$(ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Orvandine/Tesselon/'Puzzles in progress'/puzzle-*.txt)
# The landscape is 1600 × 1200; Wine shows the Linux root as drive Z:.
wine build/windows/tools/assemble_sample_puzzle.exe "Z:${puzzle//\//\\}" 1600 1200 </dev/null
wineserver -w

step "Starting the game again: it brings the puzzle back"
timeout 120 xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/play_headless.sh build/windows/shell/tesselon.exe \
    "$PWD/build/screenshots/tesselon.png" resumed
mkdir -p docs
convert build/screenshots/tesselon.png -resize '800x>' -colors 128 -strip docs/screenshot.png
echo "Wrote docs/screenshot.png ($(du -k docs/screenshot.png | cut -f1) KB)"
