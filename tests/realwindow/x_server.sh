# Sourced by the real-window tests: bounded polling, and an X server of their own.

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
