#!/usr/bin/env bash
# Tiled's window (Debian's Tiled under Xvfb with openbox) beside the game and a designer's running
# Tiled: "vorn7-level tiled" opens the folder's project, and Play in Vorn7 (F5) with a game already watching the folder
# moves that game's camera to what the map shows, instead of starting a second game.
#   tiled_play_test.sh BUILD_DIR OVERLAY_CHECK
set -euo pipefail
build=$(cd "$1" && pwd)
overlay_check=$2
fail() { echo "tiled play: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x_server.sh"
start_work tiled-play "$build"
command -v tiled >/dev/null || fail "Debian's tiled is not installed (scripts/install-deps test)"

start_x_server 1280x800x24
start_window_manager
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# A designer's Tiled, already running: it holds the user's one instance, which every Tiled the
# test starts must leave alone.
tiled >"$work/designer.log" 2>&1 &
track $!
designer_pid=$!
designer_titles() {
    for w in $(xdotool search --pid "$designer_pid" 2>/dev/null); do xprop -id "$w" _NET_WM_NAME; done
}
designer_up() { designer_titles | grep -q 'Tiled"'; }
wait_for 30 designer_up || fail "the designer's Tiled did not start: $(cat "$work/designer.log")"
# A folder named as a designer might: spaces and letters outside ASCII (Tiled's settings keep
# such a path in an escaped form of their own).
level="$work/niveau été 2"
"$build/vorn7-level" new "$level" >/dev/null || fail "vorn7-level new"

# The project as the README opens it: Tiled's window names it, its project extension waits to be
# enabled (Tiled asks, the test does not click).
"$build/vorn7-level" tiled "$level" >"$work/tiled.out" 2>&1 &
track $!
tiled_pid=$!
# Tiled's title is UTF-8 (_NET_WM_NAME): "(vorn7) — Tiled" with the project open.
tiled_titles() {
    for w in $(xdotool search --class tiled 2>/dev/null); do xprop -id "$w" _NET_WM_NAME; done
}
project_open() { tiled_titles | grep -q '(vorn7) — Tiled"'; }
wait_for 30 project_open || fail "Tiled did not open the project: $(cat "$work/tiled.out")"
grep -q "Enable Extensions" "$work/tiled.out" || fail "the command did not say what Tiled asks"
kill "$tiled_pid"; wait "$tiled_pid" 2>/dev/null || true

# The game watching the folder, its window beside Tiled's.
(cd / && exec "$build/vorn7" --watch --windowed "$level") 2>"$work/game.err" &
game_pid=$!
shot() { import -window root "$work/$1.png" && convert "$work/$1.png" "$work/$1.ppm"; }
# The title's ASCII part: X keeps letters outside Latin-1 in a form of its own.
game_window() { xdotool search --name "Vorn7 Development: $work/niveau"; }
wait_for 30 game_window || fail "no game window: $(cat "$work/game.err")"
wait_for 30 test -s "$level/.vorn7-watching" || fail "the game did not mark the folder"

# Tiled with the map open (the extension installed for the user, as the README allows), F5.
mkdir -p "$HOME/.config/tiled/extensions"
cp "$build/data/tiled/vorn7-level.js" "$HOME/.config/tiled/extensions/"
# An instance of its own: a designer's running Tiled is left alone.
tiled --new-instance "$level/x2.lvl" >"$work/tiled.log" 2>&1 &
track $!
map_window() {
    for w in $(xdotool search --class tiled 2>/dev/null); do
        xprop -id "$w" _NET_WM_NAME | grep -q '"x2.lvl' && echo "$w"
    done
}
has_map_window() { [ -n "$(map_window)" ]; }
wait_for 30 has_map_window || fail "Tiled did not open x2.lvl: $(cat "$work/tiled.log")"
tiled_window=$(map_window | head -n1)
# F5 until the view file comes: Tiled lays the map view out after its window shows.
play() { xdotool windowactivate --sync "$tiled_window" key F5 && test -s "$level/.vorn7-view"; }
wait_for 30 play || fail "Play wrote no view: $(cat "$work/tiled.log")"
read -r x y < "$level/.vorn7-view"
# The overlay's camera line, at (5, 100) of the game's frame (its window's top-left).
window=$(game_window | head -n1)
xdotool windowactivate --sync "$window"
X=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
Y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
at_view() { shot now && "$overlay_check" "$work/now.ppm" $((X + 5)) $((Y + 100)) "x: $x y: $y"; }
wait_for 20 at_view || fail "the game's camera is not at $x, $y (window at $X, $Y)"
# Only this folder's games: other tests may run games of their own meanwhile.
[ "$(pgrep -fc "vorn7 --watch.*$level")" -eq 1 ] || fail "a second game was started"
kill -0 "$game_pid" || fail "the game ended"
kill -0 "$designer_pid" || fail "the designer's Tiled ended"
! designer_titles | grep -q 'x2.lvl\|(vorn7)' || fail "the designer's Tiled was given the test's work"
echo "tiled play: ok ($x, $y)"
