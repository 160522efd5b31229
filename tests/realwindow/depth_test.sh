#!/usr/bin/env bash
# The game's window on X servers of other depths: at 16 bits (VNC servers, remote desktops) the
# picture is depth 24's in 16-bit colour; at 8 bits, which the game cannot draw into, it says so
# in one line and ends with status 1.
#   depth_test.sh BUILD_DIR OVERLAY_CHECK
set -euo pipefail
build=$1
overlay_check=$2
fail() { echo "depth: FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x_server.sh"
start_work depth "$build"

# A view the walker is far from, so that two runs show the same picture.
run_at_depth() {
    local depth=$1
    start_x_server "1000x600x$depth"
    (cd "$build/data" && exec ../vorn7 --at 4000,2000) 2>"$work/game$depth.err" &
    game_pid=$!
}
stop_game_and_server() {
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    game_pid=""
    xvfb_pid=""
}
# 8 bits a channel whatever the screen's depth (ImageMagick keeps a 16-bit screen's as 16).
shot() { import -window root "$work/$1.png" && convert "$work/$1.png" -depth 8 "$work/$1.ppm"; }
overlay_up() { shot "$1" && "$overlay_check" "$work/$1.ppm" 105 5 "800x600x32"; }

for depth in 24 16; do
    run_at_depth "$depth"
    wait_for 30 overlay_up "depth$depth" || fail "no frame with the overlay at depth $depth"
    stop_game_and_server
done

# Below the overlay, every pixel of the 16-bit screen is the 24-bit screen's, cut to 5, 6 and 5
# bits.
python3 - "$work/depth24.ppm" "$work/depth16.ppm" <<'PY' || fail "depth 16's picture is not depth 24's"
import sys
def read(path):
    data = open(path, 'rb').read()
    fields = data.split(maxsplit=4)
    assert fields[0] == b'P6' and fields[3] == b'255'
    return int(fields[1]), int(fields[2]), fields[4]
w, h, deep = read(sys.argv[1])
w2, h2, shallow = read(sys.argv[2])
assert (w, h) == (w2, h2)
differ = 0
for y in range(180, h):
    for x in range(w):
        i = (y * w + x) * 3
        a, b = deep[i:i + 3], shallow[i:i + 3]
        if (a[0] >> 3, a[1] >> 2, a[2] >> 3) != (b[0] >> 3, b[1] >> 2, b[2] >> 3):
            differ += 1
print(f"depth: {differ} pixels differ below the overlay")
sys.exit(1 if differ else 0)
PY

# The line goes to standard error and, with no terminal reading it, to a message box, which a quit
# signal ends with the same status.
run_at_depth 8
ended_or_box() {
    ! kill -0 "$game_pid" 2>/dev/null || xwininfo -root -tree | grep -q '"Vorn7 Development": ()'
}
wait_for 30 ended_or_box || fail "the game did not end on a display of 8 bits"
kill -TERM "$game_pid" 2>/dev/null || true
status=0
wait "$game_pid" || status=$?
game_pid=""
[ $status -eq 1 ] || fail "status $status on a display of 8 bits"
[ "$(wc -l < "$work/game8.err")" -eq 1 ] || fail "not one line: $(cat "$work/game8.err")"
grep -q "the window could not be drawn into" "$work/game8.err" || fail "$(cat "$work/game8.err")"
echo "depth: ok"
