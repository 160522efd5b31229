#!/usr/bin/env bash
# The real program in a real X window (Xvfb), driven with real key presses (xdotool), checked
# with screenshots (ImageMagick). Every wait polls a condition with a generous bound.
#   realwindow_test.sh BUILD_DIR OVERLAY_CHECK CURSOR_CHECK
set -euo pipefail
build=$1
overlay_check=$2
cursor_check=$3
fail() { echo "realwindow: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x_server.sh"
start_work realwindow "$build"

# A 1000 x 600 screen: the 800 x 600 picture sits unscaled between 100-pixel black bars.
start_x_server 1000x600x24

# Start the game exactly as make run does: in its data folder. Keys go to the focused window (the
# game takes the focus), not to a window id: SDL may replace its X window when it sets up rendering.
(cd "$build/data" && exec ../vorn7) 2>"$work/game.err" &
game_pid=$!

shot() { import -window root "$work/$1.png" && convert "$work/$1.png" "$work/$1.ppm"; }
pixel() { "$overlay_check" "$work/$1.ppm" --pixel "$2" "$3"; }
has_text() { shot now && "$overlay_check" "$work/now.ppm" "$1" "$2" "$3"; }
window_up() { xdotool search --name "Vorn7 Development"; }

wait_for 30 window_up || fail "no window"
wait_for 30 has_text 105 5 "800x600x32" || fail "no first frame with the overlay"

shot start
[ "$(pixel start 50 300)" = "0 0 0" ] || fail "left bar is not black: $(pixel start 50 300)"
[ "$(pixel start 950 300)" = "0 0 0" ] || fail "right bar is not black"
[ "$(pixel start 500 300)" != "0 0 0" ] || fail "no picture in the middle"
has_text 105 100 "x: 500 y: 380" || fail "camera text at the start"

# The pointer, moved over the window, is invisible while the game runs.
xdotool mousemove 500 300
if [ -x "$cursor_check" ]; then "$cursor_check" || fail "the mouse pointer is visible"; fi

xdotool key Right Right Right
xdotool keydown Down
sleep 1  # holding the key for a second is the action itself: the server repeats it
xdotool keyup Down
wait_for 20 has_text 105 118 "Velocity X: 3, Velocity Y:" || fail "velocity after the arrows"
has_text 105 118 "Velocity X: 3, Velocity Y:0" && fail "Down did not count"
shot moved
cmp -s "$work/start.ppm" "$work/moved.ppm" && fail "the picture did not change as the camera moved"

xdotool key space
wait_for 20 has_text 105 5 "800x600x8" || fail "Space did not switch to 8 bits"
xdotool key Return
# 1024 x 768 is scaled down to the 600-pixel height, aspect kept: the same bars, smaller text.
rescaled() {
    shot wide && [ "$(pixel wide 50 300)" = "0 0 0" ] && [ "$(pixel wide 500 300)" != "0 0 0" ] &&
        ! "$overlay_check" "$work/wide.ppm" 105 5 "800x600x8"
}
wait_for 20 rescaled || fail "Enter did not switch the resolution"

# A burst far larger than the game's message queue, queued while the game is stopped, then
# Escape: every key waits in SDL's queue and Escape still ends the game.
kill -STOP "$game_pid"
xdotool key --delay 0 $(printf 'Left %.0s' $(seq 2000)) Escape
kill -CONT "$game_pid"
status=0
wait_for 20 bash -c "! kill -0 $game_pid" || fail "the game did not end after Escape"
wait "$game_pid" || status=$?
game_pid=""
[ $status -eq 0 ] || fail "exit status $status: $(cat "$work/game.err")"
[ ! -s "$work/game.err" ] || fail "unexpected output: $(cat "$work/game.err")"
echo "realwindow: ok"
