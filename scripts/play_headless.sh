#!/usr/bin/env bash
# Run by play.sh and screenshot.sh inside a virtual display: starts the game, chooses
# "Favorites...", the first favourite and OK as a player would, and saves a screenshot of the
# window. The first favourite rather than "Random": the game seeds its generator from the clock,
# and the screenshot should show the colourful picture that play.sh lists first. When that picture has a puzzle in progress
# (a run before this one), the game asks whether to continue it, and Yes is the answer. With
# "resumed", the screenshot is of the puzzle the game brings back at start-up, and nothing is
# chosen.
#
#   play_headless.sh GAME SCREENSHOT [resumed]
set -euo pipefail
game=$1 shot=$2 mode=${3:-play}

openbox >/dev/null 2>&1 &
wm=$!
wine "$game" </dev/null &
finish() {
    wineserver -k 2>/dev/null || true
    kill "$wm" 2>/dev/null || true
}
trap finish EXIT

wait_window() {
    for _ in $(seq 1 60); do
        xdotool search --name "^$1\$" 2>/dev/null | head -n 1 && return
        sleep 0.5
    done
    echo "The window '$1' did not appear." >&2
    return 1
}

screenshot() {
    # The whole screen, cut down to the window with its title bar (the screen around it is black).
    import -window root "$shot"
    convert "$shot" -trim +repage "$shot"
}

main=$(wait_window 'Tesselon v1.1')
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 1
if [ "$mode" = resumed ]; then
    sleep 2
    screenshot
    exit 0
fi
echo "The game's window is open; choosing File, Favorites..."
xdotool key F10 Down Down Return
wait_window 'Favorites' >/dev/null
sleep 0.5
# Focus starts on OK; the tab order runs OK, Cancel, the list, Delete, Random, and back to OK.
# The list shows the first entry without loading it; stepping down and back up loads it.
echo "Choosing the first favourite, then OK"
xdotool key Tab Tab Down
sleep 1.5
xdotool key Up
sleep 1.5
xdotool key Tab Tab Tab space
sleep 2
if xdotool search --name '^Tesselon$' >/dev/null 2>&1; then
    echo "Continuing the puzzle in progress"
    xdotool key Return
    sleep 2
fi
screenshot
