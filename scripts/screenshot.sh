#!/usr/bin/env bash
# Remakes the README's picture, docs/screenshot.png: plays the first game exactly as play.sh does
# without a display, in a Wine prefix of its own (so the player's favourites play no part), and
# shrinks the screenshot it leaves to 800 pixels across in 128 colours, a small file to keep in
# the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
home="$PWD/build/screenshot-game"
rm -rf "$home"
env -u DISPLAY TESSELON_GAME_HOME="$home" bash scripts/play.sh
mkdir -p docs
convert build/screenshots/tesselon.png -resize '800x>' -colors 128 -strip docs/screenshot.png
echo "Wrote docs/screenshot.png ($(du -k docs/screenshot.png | cut -f1) KB)"
