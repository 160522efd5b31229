#!/usr/bin/env bash
# The game's window goes where it was put (Xvfb with openbox, an editor's window on the left of
# the screen): a first windowed start opens beside the editor, not over it; moved, resized and
# quit, the next start (without --windowed) opens there as a window; quit in full screen, the next
# start is full screen and F11 brings the window back to its place; a kept place that no display
# shows any more (a monitor unplugged) gives way to one beside the editor.
#   window_place_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
fail() {
    echo "window place: FAIL: $* (game: $(tail -n 3 "${work:-}/game.err" 2>/dev/null))" >&2
    exit 1
}
source "$(dirname "$0")/x_server.sh"
start_work window-place "$build"
start_x_server 1280x800x24
start_window_manager
kept=$XDG_STATE_HOME/vorn7/window

# The editor: 400 pixels wide at the screen's left, its frame's top-left at 0, 0.
xmessage -geometry 400x700+0+0 -name editor "an editor's map" &
track $!
wait_for 30 xdotool search --name '^editor$' || fail "no editor's window"

window() { xdotool search --name "Vorn7 Development" | head -n1; }
# Sets gx, gy, gw, gh to the game window's inside on the screen.
geometry() {
    local info
    info=$(xwininfo -id "$(window)") || return 1
    gx=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    gy=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    gw=$(sed -n 's/.*Width: *//p' <<<"$info")
    gh=$(sed -n 's/.*Height: *//p' <<<"$info")
    [ -n "$gx" ] && [ -n "$gy" ]
}
full_screen() { xprop -id "$(window)" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
windowed() { geometry && ! full_screen && [ "$gw" -lt 1280 ]; }
at() { geometry && ! full_screen && [ "$gx $gy $gw $gh" = "$1" ]; }
beside_editor() { windowed && [ "$gx" -ge 402 ] && [ $((gx + gw)) -le 1280 ]; }

start_game() {
    (cd "$build/data" && exec ../vorn7 --at 4000,2000 "$@") 2>"$work/game.err" &
    game_pid=$!
    wait_for 30 window || fail "no window (vorn7 $*)"
}
quit_game() {
    timeout 10 xdotool windowactivate --sync "$(window)" 2>/dev/null || true
    xdotool key Escape
    wait_for 20 bash -c "! kill -0 $game_pid" || fail "the game did not end after Escape"
    local status=0
    wait "$game_pid" || status=$?
    game_pid=""
    [ $status -eq 0 ] || fail "exit status $status"
}

# The first start, windowed, with nothing kept: beside the editor, not centred over it.
start_game --windowed
wait_for 20 beside_editor || fail "the window is not beside the editor: ${gx:-?},${gy:-?} ${gw:-?}x${gh:-?}"
# The user puts it elsewhere, of another size.
timeout 10 xdotool windowsize --sync "$(window)" 640 480 || true
timeout 10 xdotool windowmove --sync "$(window)" 600 150 || true
wait_for 10 bash -c "xwininfo -id $(window) | grep -q 'Width: 640'" || fail "the window was not resized"
geometry
put="$gx $gy $gw $gh"
quit_game
grep -qx "full-screen no" "$kept" || fail "not kept as a window: $(cat "$kept")"
grep -qx "size 640 480" "$kept" || fail "the size was not kept: $(cat "$kept")"

# The next start, without --windowed: a window where it was put; twice, so nothing drifts.
for run in 2 3; do
    start_game
    wait_for 20 at "$put" || fail "start $run: the window is at ${gx:-?} ${gy:-?} ${gw:-?} ${gh:-?}, not $put"
    quit_game
done

# Quit in full screen: the next start is full screen, and F11 brings the window back.
start_game
wait_for 20 at "$put" || fail "the window is not where it was put"
xdotool key F11
wait_for 10 full_screen || fail "F11 did not go full screen"
quit_game
grep -qx "full-screen yes" "$kept" || fail "full screen was not kept: $(cat "$kept")"
start_game
wait_for 20 full_screen || fail "the start after full screen is not full screen"
xdotool key F11
wait_for 20 at "$put" || fail "F11 did not bring the window back to $put: ${gx:-?} ${gy:-?} ${gw:-?} ${gh:-?}"
quit_game

# A place on a monitor since unplugged: the window comes beside the editor, of its kept size.
printf 'full-screen no\nplace 3000 100\nsize 640 480\n' >"$kept"
start_game
wait_for 20 beside_editor || fail "a place off the screen was not ignored: ${gx:-?},${gy:-?}"
[ "$gw $gh" = "640 480" ] || fail "the kept size was not used: ${gw}x$gh"
quit_game
grep -q "^place 3000 " "$kept" && fail "the place off the screen stayed kept"
[ ! -s "$work/game.err" ] || fail "unexpected output: $(cat "$work/game.err")"
echo "window place: ok (put at $put)"
