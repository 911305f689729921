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
rm -rf "$shots" "$work/game.log" && mkdir -p "$shots" "$work/samples" "$WINEPREFIX"

step() { printf '== %s\n' "$*"; }
fail() {
    import -window root "$shots/failure.png" 2>/dev/null || true
    echo "FAILED: $* (screenshots in $shots)" >&2
    tail -n 20 "$work/game.log" >&2 2>/dev/null || true
    ps -eo pid,stat,etime,args | grep -i -e '\.exe' -e wineserver | grep -v grep >&2 || true
    exit 1
}
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
shot() { import -window root "$shots/$1.png"; }

wm=""
finish() {
    wineserver -k 2>/dev/null || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
}
trap finish EXIT
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
# The server first, kept for the whole run: a new prefix is then made by it rather than by a
# short-lived one of wineboot's.
wineserver -p
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null
data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Orvandine"
rm -rf "$data"
openbox >/dev/null 2>&1 &
wm=$!

# wait_window TITLE: the X window of the Wine window with this exact title.
wait_window() {
    local id=""
    for _ in $(seq 1 120); do
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
    local x="" y w h
    for _ in $(seq 1 20); do
        read -r x y w h < <(probe rect "$1" "$2") && break
        sleep 0.5
    done
    [ -n "$x" ] || fail "no control $2 in '$1'"
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
    read -r cx cy cw ch < <(probe client 'Tesselon v1.1') || fail "the game's window is gone"
    import -window root -crop "${cw}x${ch}+${cx}+${cy}" "$shots/client.png"
    grey=$(convert "$shots/client.png" -fill black +opaque 'rgb(128,128,128)' -fill white -opaque 'rgb(128,128,128)' \
        -format '%[fx:int(100*mean)]' info:)
    coloured=$(convert "$shots/client.png" -colorspace HSL -channel G -separate -threshold 25% \
        -format '%[fx:int(100*mean)]' info:)
}
# A point of the client area deep inside the picture's colours: the middle of a coloured square
# of 41 pixels lies on a piece's body, where a press grabs it (a knob's tip alone does not).
coloured_pixel() {
    convert "$shots/client.png" -colorspace HSL -channel G -separate -threshold 25% \
        -virtual-pixel black -morphology Erode Square:20 txt:- |
        awk -F'[,: ]+' '/#FFFFFF|white/ { print $1, $2; exit }'
}

# start_game: starts the game and waits for its window; Wine's process is $game_pid.
start_game() {
    wine "$game" 2>>"$work/game.log" &
    game_pid=$!
    wait_window 'Tesselon v1.1' >/dev/null
    sleep 1
}
# choose ITEM: opens the File menu and clicks its ITEM-th item (0 is "Load Image..."), with the
# mouse alone: a second start of the game is not always given the keyboard by the window manager.
# The items lie 17 pixels apart below the menu bar.
choose() {
    local cx cy cw ch
    read -r cx cy cw ch < <(probe client 'Tesselon v1.1') || fail "the game's window is gone"
    xdotool mousemove $((cx + 15)) $((cy - 9)) click 1
    sleep 0.7
    xdotool mousemove $((cx + 40)) $((cy + 11 + 17 * $1)) click 1
}
# open_dialog ITEM TITLE: chooses the dialog's item and waits until the game shows the dialog's
# OK button; tried again when the menu did not open it (a slow machine can take seconds).
open_dialog() {
    for _ in 1 2 3; do
        choose "$1"
        for _ in $(seq 1 30); do
            probe rect "$2" 1 >/dev/null && return
            sleep 0.5
        done
        # Whatever menu is still open is closed before the next try.
        xdotool key Escape
    done
    fail "the File menu did not open '$2'"
}

wine "$writer" "$(winpath "$work/samples")" >/dev/null 2>&1
sample=$(winpath "$work/samples/Sample colours.bmp")

step "First start: load a picture through the menu and the file dialog"
start_game
open_dialog 0 'Load Image'
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
table_shares
[ "$grey" -ge 30 ] || fail "only $grey% of the window is table grey"
[ "$coloured" -ge 5 ] || fail "only $coloured% of the window shows the picture's pieces"

step "Drag a piece"
read -r px py < <(coloured_pixel) || fail "no piece found on the table"
cp "$shots/client.png" "$shots/before-drag.png"
xdotool mousemove $((cx + px)) $((cy + py))
sleep 0.3
xdotool mousedown 1
for d in 20 40 60 80 100 120; do
    xdotool mousemove $((cx + px + d)) $((cy + py + d / 2))
    sleep 0.1
done
xdotool mouseup 1
sleep 1
shot 03-dragged
table_shares
changed=$(compare -metric AE "$shots/before-drag.png" "$shots/client.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || fail "dragging the piece at $px,$py changed nothing on screen"

step "Close the window: the favourite is saved"
# A click on the table's corner, where no piece lies, gives the window the keyboard.
xdotool mousemove $((cx + cw - 3)) $((cy + ch - 3)) click 1
sleep 0.5
table_shares
cp "$shots/client.png" "$shots/05-before-close.png"
xdotool key alt+F4
# Wine's start-up process ends with the game.
for _ in $(seq 1 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end when its window was closed"
favorites="$data/Tesselon/Favorites.txt"
[ -f "$favorites" ] || fail "closing the window wrote no Favorites.txt"
iconv -f UTF-16 -t UTF-8 "$favorites" | tr -d '\r' | grep -qxF "$sample" || fail "Favorites.txt does not list $sample"

step "Second start: the puzzle comes back as it was left"
start_game
table_shares
cp "$shots/client.png" "$shots/06-resumed.png"
resumed=$(compare -metric AE "$shots/05-before-close.png" "$shots/06-resumed.png" null: 2>&1 || true)
[ "${resumed%% *}" = 0 ] || fail "the resumed table differs from the one closed in ${resumed%% *} pixels"

step "A random favourite"
open_dialog 1 'Favorites'
click 'Favorites' 1011
expect_text 'Favorites' 1005 '30 Pieces'  # the cell size starts at 64 in every run
click 'Favorites' 1
wait_gone 'Favorites'
shot 04-favourite
table_shares
[ "$coloured" -ge 5 ] || fail "the favourite's pieces are not on the table"

step "Exit through the menu"
choose 2
for _ in $(seq 1 20); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Exit"
echo "The game played from start to Exit; screenshots are in $shots"
