#!/usr/bin/env bash
# The game on a desktop with a real window manager (openbox) in a real X server (Xvfb): a failed
# start's message box, dismissed or ended by SIGTERM; the window is full-screen as the window
# manager knows it, with its icon; the picture survives minimising and a window over it;
# activating another window stops the frames (no CPU), activating the game again resumes them;
# Alt+Enter and F11 switch to a window and back; F12 saves a screenshot; Escape ends it with 0.
# Every wait is a bounded poll.
#   desktop_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "desktop: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x_server.sh"
start_work desktop "$build"

start_x_server 1024x768x24
start_window_manager

# A failure with no terminal to read it (standard error is a file) is also shown in a message
# box; the game ends with 1 once the box is dismissed.
cp -r "$build/data" "$work/broken"
rm "$work/broken/x2.lvl"
(cd "$work/broken" && VORN7_DATA="$work/broken" exec "$build/vorn7") 2>"$work/game.err" &
broken=$!
track $broken
wait_for 30 grep -q "Error loading level." "$work/game.err" || fail "no line on standard error"
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

# A quit signal while the box shows ends the game at once, with the failed start's status, and
# takes the box's processes with it.
for signal in TERM INT HUP; do
    (cd "$work/broken" && VORN7_DATA="$work/broken" exec "$build/vorn7") 2>"$work/game.err" &
    broken=$!
    track $broken
    wait_for 30 bash -c "xwininfo -root -tree | grep -q '\"Vorn7 Development\": ()'" ||
        fail "no message box before SIG$signal"
    helpers=$(pgrep -P "$broken" || true)
    for h in $helpers; do helpers="$helpers $(pgrep -P "$h" || true)"; done
    [ -n "$helpers" ] || fail "the box has no process of its own"
    kill -"$signal" "$broken"
    wait_for 2 bash -c "! kill -0 $broken" || fail "SIG$signal did not end the game within 2 s"
    status=0
    wait "$broken" || status=$?
    [ $status -eq 1 ] || fail "exit status $status after SIG$signal during the message box"
    # Gone, or a zombie waiting for whichever process adopted it to reap it.
    for h in $helpers; do
        wait_for 2 bash -c "! kill -0 $h 2>/dev/null || grep -q '^State:.*Z' /proc/$h/status" ||
            fail "process $h of the box was left behind"
    done
done

mkdir -p "$work/home/Pictures"
(cd "$build/data" && HOME="$work/home" XDG_CONFIG_HOME= exec ../vorn7 --at 4000,4000) 2>"$work/game.err" &
game=$!
track $game
window() { xdotool search --name "Vorn7 Development" | head -n1; }
wait_for 30 window || fail "no window"
full_screen() { xprop -id "$(window)" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
wait_for 30 full_screen || fail "not full-screen: $(xprop -id "$(window)" _NET_WM_STATE)"
icon=$(xprop -id "$(window)" _NET_WM_ICON)
[[ $icon == *"Icon (64 x 64)"* ]] || fail "the window has no 64 x 64 icon"

# The picture below the overlay, with the camera still and the walker far away: it must come
# back whole.
below_overlay() { import -window root -crop 1024x560+0+208 "$work/$1.ppm"; }
same_as_before() { below_overlay now && cmp -s "$work/before.ppm" "$work/now.ppm"; }
sleep 0.5  # the first frames settle; the comparisons below poll
below_overlay before
xdotool windowminimize --sync "$(window)"
xdotool windowactivate --sync "$(window)" 2>/dev/null || true
wait_for 10 same_as_before || fail "the picture is not whole after minimise and restore"

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
track $!
wait_for 30 bash -c "xdotool search --name other" || fail "no other window"
other=$(xdotool search --name other | head -n1)
xdotool windowmove --sync "$other" 400 500
xdotool windowactivate "$other" 2>/dev/null || true
wait_for 30 idle || fail "frames went on while another window was active"
# The window over the game goes: what it covered is drawn again, though no frame runs.
xdotool windowunmap --sync "$other"
wait_for 10 same_as_before || fail "the picture is not whole after a window over it went"

xdotool windowactivate "$(window)" 2>/dev/null || true
wait_for 30 running || fail "frames did not resume when the game was active again"

# Alt+Enter and F11 switch to a window of the mode's size and back; Enter alone keeps its meaning.
windowed() { ! full_screen; }
mode_sized() { xdotool getwindowgeometry "$(window)" | grep -q 'Geometry: 800x600'; }
xdotool key alt+Return
wait_for 10 windowed || fail "Alt+Enter did not leave full screen"
wait_for 10 mode_sized || fail "the window is not the mode's size: $(xdotool getwindowgeometry "$(window)")"
xdotool key F11
wait_for 10 full_screen || fail "F11 did not return to full screen"

# F12: a PNG of the frame's own size in the pictures folder, said on standard error.
xdotool key F12
wait_for 10 bash -c "ls '$work/home/Pictures/'vorn7-*.png" || fail "F12 wrote no screenshot"
shot=$(ls "$work/home/Pictures/"vorn7-*.png | head -n1)
[ "$(identify -format '%wx%h' "$shot")" = 800x600 ] || fail "screenshot size $(identify -format '%wx%h' "$shot")"
grep -q "screenshot saved: $shot" "$work/game.err" || fail "no line for the screenshot"

xdotool key Escape
wait_for 20 bash -c "! kill -0 $game" || fail "the game did not end after Escape"
status=0
wait "$game" || status=$?
[ $status -eq 0 ] || fail "exit status $status: $(cat "$work/game.err")"
[ "$(grep -vc 'screenshot saved' "$work/game.err")" -eq 0 ] || fail "unexpected: $(cat "$work/game.err")"
echo "desktop: ok"
