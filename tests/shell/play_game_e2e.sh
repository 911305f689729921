#!/usr/bin/env bash
# Plays the real game under Wine as a person would, with the mouse and the keyboard: loads a
# picture through "Load Image...", moves the cell-size scroll bar, starts the puzzle, drags a piece,
# keeps the picture as a favourite, closes the window, then starts again from "Favorites...".
#
#   play_game_e2e.sh GAME PROBE SAMPLE_WRITER WORK_FOLDER     (the three programs are Windows ones)
#
# Everything runs on a virtual display of its own, with a small window manager so that keystrokes
# reach the dialogs, and in a Wine prefix of its own in WORK_FOLDER. Screenshots of every step
# stay in WORK_FOLDER/shots.
set -euo pipefail
if [ -z "${TESSELON_E2E_DISPLAY:-}" ]; then
    export TESSELON_E2E_DISPLAY=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi

game=$1 probe=$2 writer=$3 work=$4
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shots="$work/shots"
rm -rf "$shots" && mkdir -p "$shots" "$work/samples"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null
wineserver -p
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Orvandine"
rm -rf "$data"
openbox >/dev/null 2>&1 &
wm=$!
finish() {
    wineserver -k 2>/dev/null || true
    kill "$wm" 2>/dev/null || true
}
trap finish EXIT

step() { printf '== %s\n' "$*"; }
fail() {
    import -window root "$shots/failure.png" 2>/dev/null || true
    echo "FAILED: $* (screenshots in $shots)" >&2
    exit 1
}
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
shot() { import -window root "$shots/$1.png"; }

# wait_window TITLE: the X window of the Wine window with this exact title.
wait_window() {
    local id=""
    for _ in $(seq 1 60); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && break
        sleep 0.5
    done
    [ -n "$id" ] || fail "no window titled '$1'"
    echo "$id"
}
probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }
# click CAPTION ID [DX]: a left click on a dialog control, DX pixels from its left edge (its
# middle when not given).
click() {
    local x y w h
    read -r x y w h < <(probe rect "$1" "$2") || fail "no control $2 in '$1'"
    xdotool mousemove $((x + ${3:-$((w / 2))})) $((y + h / 2)) click 1
    sleep 0.7
}
# expect_text CAPTION ID TEXT: waits up to ten seconds for the control to show TEXT.
expect_text() {
    local text=""
    for _ in $(seq 1 20); do
        text=$(probe text "$1" "$2") || true
        [ "$text" = "$3" ] && return
        sleep 0.5
    done
    fail "'$1' control $2 shows '$text', not '$3'"
}
# wait_gone TITLE: waits for the window to close, then for the next frame to be painted.
wait_gone() {
    for _ in $(seq 1 20); do
        xdotool search --name "^$1\$" >/dev/null 2>&1 || { sleep 1; return; }
        sleep 0.5
    done
    fail "the window '$1' did not close"
}
# The share of the main window's client area that is the table's grey, and the share that is
# coloured (the sample picture's pieces), in percent.
table_shares() {
    local id=$1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "$((WIDTH))x$((HEIGHT - 40))+$X+$((Y + 40))" "$shots/client.png"
    grey=$(convert "$shots/client.png" -fill black +opaque 'rgb(128,128,128)' -fill white -opaque 'rgb(128,128,128)' \
        -format '%[fx:int(100*mean)]' info:)
    coloured=$(convert "$shots/client.png" -colorspace HSL -channel G -separate -threshold 25% \
        -format '%[fx:int(100*mean)]' info:)
}
# A point of the client area deep inside the picture's colours: the middle of a coloured square
# of 41 pixels lies on a piece's body, where a press grabs it (a knob's tip alone does not).
coloured_pixel() {
    convert "$shots/client.png" -colorspace HSL -channel G -separate -threshold 25% \
        -morphology Erode Square:20 txt:- |
        awk -F'[,: ]+' '/#FFFFFF|white/ { print $1, $2; exit }'
}

# start_game: starts the game and waits for its window, in $main; Wine's process is $game_pid.
start_game() {
    wine "$game" &
    game_pid=$!
    main=$(wait_window 'Tesselon v1.1')
    xdotool windowactivate --sync "$main" 2>/dev/null || true
    sleep 1
}
# open_dialog KEYS TITLE: opens a dialog from the File menu with the keys that walk to its item;
# a slow start can lose the first keys, so the menu is tried again.
open_dialog() {
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$main" 2>/dev/null || true
        xdotool key F10 $1 Return
        for _ in $(seq 1 10); do
            xdotool search --name "^$2\$" >/dev/null 2>&1 && { sleep 0.5; return; }
            sleep 0.5
        done
        xdotool key Escape Escape
    done
    fail "the File menu did not open '$2'"
}

wine "$writer" "$(winpath "$work/samples")" >/dev/null 2>&1
sample=$(winpath "$work/samples/Sample colours.bmp")

step "First start: load a picture through the menu and the file dialog"
start_game
open_dialog Down 'Load Image'
click 'Load Image' 1002
open=$(wait_window 'Open')
xdotool windowactivate --sync "$open" 2>/dev/null || true
xdotool type --delay 15 "$sample"
xdotool key Return
expect_text 'Load Image' 1005 '30 Pieces'
shot 01-load-image
expect_text 'Load Image' 1001 "$sample"
expect_text 'Load Image' 1005 '30 Pieces'

step "The cell-size scroll bar: one page to the left of 64 is 55, which cuts 48 pieces"
click 'Load Image' 1006 20
[ "$(probe scroll 'Load Image' 1006)" = 55 ] || fail "the scroll bar did not page left to 55"
expect_text 'Load Image' 1005 '48 Pieces'
click 'Load Image' 1008
click 'Load Image' 1
wait_gone 'Load Image'
shot 02-puzzle
table_shares "$main"
[ "$grey" -ge 30 ] || fail "only $grey% of the window is table grey"
[ "$coloured" -ge 5 ] || fail "only $coloured% of the window shows the picture's pieces"

step "Drag a piece"
read -r px py < <(coloured_pixel) || fail "no piece found on the table"
eval "$(xdotool getwindowgeometry --shell "$main")"
cp "$shots/client.png" "$shots/before-drag.png"
xdotool mousemove $((X + px)) $((Y + 40 + py))
sleep 0.3
xdotool mousedown 1
for d in 20 40 60 80 100 120; do
    xdotool mousemove $((X + px + d)) $((Y + 40 + py + d / 2))
    sleep 0.1
done
xdotool mouseup 1
sleep 1
shot 03-dragged
table_shares "$main"
changed=$(compare -metric AE "$shots/before-drag.png" "$shots/client.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || fail "dragging the piece at $px,$py changed nothing on screen"

step "Close the window: the favourite is saved"
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key --window "$main" alt+F4
# Wine's start-up process ends with the game.
for _ in $(seq 1 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end when its window was closed"
favorites="$data/Tesselon/Favorites.txt"
[ -f "$favorites" ] || fail "closing the window wrote no Favorites.txt"
iconv -f UTF-16 -t UTF-8 "$favorites" | tr -d '\r' | grep -qxF "$sample" || fail "Favorites.txt does not list $sample"

step "Second start: a random favourite"
start_game
open_dialog 'Down Down' 'Favorites'
click 'Favorites' 1011
expect_text 'Favorites' 1005 '30 Pieces'  # the cell size starts at 64 in every run
click 'Favorites' 1
wait_gone 'Favorites'
shot 04-favourite
table_shares "$main"
[ "$coloured" -ge 5 ] || fail "the favourite's pieces are not on the table"

step "Exit through the menu"
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key F10 Down Down Down Return
for _ in $(seq 1 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Exit"
echo "The game played from start to Exit; screenshots are in $shots"
