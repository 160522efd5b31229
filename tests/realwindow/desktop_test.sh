#!/usr/bin/env bash
# The game on a desktop with a real window manager (openbox) in a real X server (Xvfb): the
# window is full-screen as the window manager knows it, activating another window stops the
# frames (no CPU), activating the game again resumes them, and Escape ends it with 0.
# Every wait is a bounded poll.
#   desktop_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "desktop: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x_server.sh"

start_x_server 1024x768x24
pids+=("$xvfb_pid")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 30 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    fail "openbox did not start"

# A failure with no terminal to read it (standard error is a file) is also shown in a message
# box; the game ends with 1 once the box is dismissed.
cp -r "$build/data" "$work/broken"
rm "$work/broken/x2.lvl"
(cd "$work/broken" && exec "$build/vorn7") 2>"$work/broken.err" &
broken=$!
pids+=($broken)
wait_for 30 grep -q "Error loading level." "$work/broken.err" || fail "no line on standard error"
# The box is the window of that name beside the game's own (which has the class "vorn7").
box() { xwininfo -root -tree | grep '"Vorn7 Development": ()' | awk '{print $1}' | head -n1; }
wait_for 30 bash -c "xwininfo -root -tree | grep -q '\"Vorn7 Development\": ()'" ||
    fail "no message box"
xdotool windowactivate "$(box)" 2>/dev/null || true
xdotool key --window "$(box)" Return 2>/dev/null || true
wait_for 20 bash -c "! kill -0 $broken" || fail "the game did not end after its message box"
status=0
wait "$broken" || status=$?
[ $status -eq 1 ] || fail "exit status $status after a failed start"

(cd "$build/data" && exec ../vorn7) 2>"$work/game.err" &
game=$!
pids+=($game)
window() { xdotool search --name "Vorn7 Development" | head -n1; }
wait_for 30 window || fail "no window"
full_screen() { xprop -id "$(window)" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
wait_for 30 full_screen || fail "not full-screen: $(xprop -id "$(window)" _NET_WM_STATE)"

# Frames show as the main thread's wakeups: about 60 a second while it runs, none while it
# sleeps in its message wait.
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$game/task/$game/status"; }
wakeups_over_half_a_second() {
    local a b
    a=$(wakeups); sleep 0.5; b=$(wakeups)
    echo $((b - a))
}
running() { [ "$(wakeups_over_half_a_second)" -ge 15 ]; }
idle() { [ "$(wakeups_over_half_a_second)" -le 3 ]; }
wait_for 30 running || fail "no frames at the start"

xmessage -name other "another application" &
pids+=($!)
wait_for 30 bash -c "xdotool search --name other" || fail "no other window"
xdotool windowactivate "$(xdotool search --name other | head -n1)" 2>/dev/null || true
wait_for 30 idle || fail "frames went on while another window was active"

xdotool windowactivate "$(window)" 2>/dev/null || true
wait_for 30 running || fail "frames did not resume when the game was active again"

xdotool key Escape
wait_for 20 bash -c "! kill -0 $game" || fail "the game did not end after Escape"
status=0
wait "$game" || status=$?
[ $status -eq 0 ] || fail "exit status $status: $(cat "$work/game.err")"
echo "desktop: ok"
