#!/usr/bin/env bash
# A level's player in a real window (Xvfb): the camera starts on the player, follows it while
# Right is held (the overlay's "x: X y: Y" is the camera's view centre), only sideways over flat
# ground, and comes to rest once the player stops; the game then quits with 0.
#   player_camera_test.sh BUILD_DIR OVERLAY_CHECK
set -euo pipefail
build=$(cd "$1" && pwd)
overlay_check=$2
fail() {
    echo "player camera: FAIL: $* (game: $(tail -n 3 "${work:-}/game.err" 2>/dev/null))" >&2
    exit 1
}
source "$(dirname "$0")/x_server.sh"
start_work player-camera "$build"

start_x_server 1000x600x24
# The shipped world's flat ground at y 2880 runs from x 1120 to 1663: the player lands on it
# after a 32-pixel fall, with 480 pixels to run. The level's own walker is replaced by one far off.
mkdir "$work/level"
printf 'player 1150 2800\nwalker 7000 7000\n' > "$work/level/x2.actors"

(cd / && exec "$build/vorn7" --windowed "$work/level") 2>"$work/game.err" &
game_pid=$!
game_window() { xdotool search --name "Vorn7 Development"; }
wait_for 30 game_window || fail "no window"
window=$(game_window | head -n1)
wx=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
wy=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')

# The overlay's camera line, at (5, 100) of the frame, read a character at a time from a crop.
line_has() { "$overlay_check" "$work/line.ppm" $(($1 * 12)) 0 "$2" >/dev/null 2>&1; }
# Sets number to the whole number at character $1 and next to the character after it.
number_at() {
    local d found
    number="" next=$1
    while :; do
        found=""
        for d in 0 1 2 3 4 5 6 7 8 9; do
            if line_has "$next" "$d"; then found=$d; break; fi
        done
        [ -n "$found" ] || break
        number=$number$found
        next=$((next + 1))
    done
    [ -n "$number" ]
}
# Sets cx and cy from the overlay; fails when the line is not there.
read_camera() {
    import -window root "$work/now.png" &&
        convert "$work/now.png" -crop 400x18+$((wx + 5))+$((wy + 100)) +repage "$work/line.ppm" &&
        line_has 0 "x: " || return 1
    number_at 3 && cx=$number && line_has "$next" " y: " && number_at $((next + 4)) && cy=$number
}
# True when two reads 300 ms apart agree; sets still to "X Y".
camera_still() {
    read_camera || return 1
    local first="$cx $cy"
    sleep 0.3
    read_camera && [ "$cx $cy" = "$first" ] && still=$first
}

wait_for 30 read_camera || fail "no camera line on the overlay"
wait_for 20 camera_still || fail "the camera did not settle on the landed player"
read -r x0 y0 <<<"$still"
# The camera starts on the player (its frame spans x 1150..1181), not at the free camera's start.
if [ "$x0" -lt 1150 ] || [ "$x0" -gt 1181 ]; then fail "the camera does not start on the player: $still"; fi

# Keys go to the focused window: the game's, under the pointer.
xdotool mousemove $((wx + 400)) $((wy + 300))
xdotool keydown Right
sleep 1  # holding the key for a second is the action itself
xdotool keyup Right
read_camera || fail "no camera line after the run"
[ "$cx" -gt "$x0" ] || fail "the camera did not follow the player right: $x0 -> $cx"
[ "$cy" -eq "$y0" ] || fail "a run over flat ground moved the camera up or down: $y0 -> $cy"

# Let go, the player slides to a stop and the camera comes to rest, and stays there.
wait_for 20 camera_still || fail "the camera did not come to rest after the run"
rest=$still
for _ in 1 2 3; do
    read_camera || fail "no camera line at rest"
    [ "$cx $cy" = "$rest" ] || fail "the camera moved again: $rest -> $cx $cy"
done
kill -0 "$game_pid" 2>/dev/null || fail "the game ended"

xdotool key Escape
wait_for 20 bash -c "! kill -0 $game_pid" || fail "the game did not end after Escape"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ $status -eq 0 ] || fail "exit status $status"
echo "player camera: ok (camera $x0 $y0, at rest at $rest)"
