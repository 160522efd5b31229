#!/usr/bin/env bash
# vorn7 --watch in a real window (Xvfb): a level folder holding only x2.lvl plays; a good save of
# x2.lvl shows on screen, a broken one leaves the picture and puts its reason on the overlay, a
# good one again takes the reason away; the game stays up throughout and quits with 0.
#   watch_test.sh BUILD_DIR OVERLAY_CHECK
set -euo pipefail
build=$1
overlay_check=$2
fail() {
    echo "watch: FAIL: $* (game: $(tail -n 3 "${work:-}/game.err" 2>/dev/null))" >&2
    exit 1
}
source "$(dirname "$0")/x_server.sh"
start_work watch "$build"

start_x_server 1000x600x24
mkdir "$work/level"
cp "$build/data/x2.lvl" "$work/level/x2.lvl"
# Rows 9 to 12, columns 3 to 8 of the tile grid, all tile 0: on screen at x 96..287, y 208..335.
python3 - "$build/data/x2.lvl" "$work/edited.lvl" <<'PY'
import sys
rows = open(sys.argv[1], 'rb').read().split(b'\n')
for r in range(9, 13):
    rows[r] = rows[r][:3] + b'=' * 6 + rows[r][9:]
open(sys.argv[2], 'wb').write(b'\n'.join(rows))
PY
head -n 100 "$build/data/x2.lvl" > "$work/short.lvl"

(cd "$build/data" && exec ../vorn7 --watch "$work/level" --at 500,380) 2>"$work/game.err" &
game_pid=$!
shot() { import -window root "$work/$1.png" && convert "$work/$1.png" "$work/$1.ppm"; }
has_text() { shot now && "$overlay_check" "$work/now.ppm" "$1" "$2" "$3"; }
crop() { convert "$work/$1.png" -crop 150x100+120+220 +repage "$work/$1-crop.ppm"; }
region_differs_from() { shot now && crop now && ! cmp -s "$work/now-crop.ppm" "$work/$1-crop.ppm"; }
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$work/game.err")"; }

wait_for 30 xdotool search --name "Vorn7 Development" || fail "no window"
wait_for 30 has_text 105 5 "800x600x32" || fail "no first frame from the folder"
has_text 105 100 "x: 500 y: 380" || fail "--at did not place the camera"
shot start && crop start

# Saved as Tiled saves: a new file renamed over the old one.
cp "$work/edited.lvl" "$work/level/x2.lvl.new" && mv "$work/level/x2.lvl.new" "$work/level/x2.lvl"
wait_for 20 region_differs_from start || fail "the good save did not show"
cp "$work/now.png" "$work/edited.png" && crop edited
alive

# Written in place, too short: the level stays, and the overlay says why.
cp "$work/short.lvl" "$work/level/x2.lvl"
reason="x2.lvl: Error loading level. The file has 100 lines"
wait_for 20 has_text 105 150 "$reason" || fail "no reason on the overlay"
alive
grep -q "The file has 100 lines; a level needs 256." "$work/game.err" || fail "no reason on stderr"

cp "$build/data/x2.lvl" "$work/level/x2.lvl"
wait_for 20 region_differs_from edited || fail "the shipped level did not come back"
reason_gone() { ! has_text 105 150 "$reason"; }
wait_for 20 reason_gone || fail "the reason stayed after a good save"
alive

xdotool key Escape
wait_for 20 bash -c "! kill -0 $game_pid" || fail "the game did not end after Escape"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ $status -eq 0 ] || fail "exit status $status: $(cat "$work/game.err")"
echo "watch: ok"
