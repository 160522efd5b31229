# Sourced by the real-window tests: a work folder, bounded polling, and an X server of their own.

# A fresh work folder in $work; at exit the game ($game_pid) and the X server are stopped and
# the folder removed.
start_work() {
    work=$(mktemp -d)
    game_pid=""
    xvfb_pid=""
    trap stop_work EXIT
}
stop_work() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}

# Polls a command until it succeeds, up to the given seconds.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# Starts Xvfb with a screen of the given size (WxHxD) on a free display, exports DISPLAY and sets
# xvfb_pid. Needs $work and fail.
start_x_server() {
    exec 5> "$work/display"
    Xvfb -displayfd 5 -screen 0 "$1" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_for 30 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
    unset SDL_VIDEODRIVER
}
