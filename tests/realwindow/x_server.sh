# Sourced by the real-window tests: a work folder, bounded polling, an X server of their own, a
# deadline of the test's own, and an end that stops everything the test started, also when it
# fails. Each test shares the machine with others (another test's X server and game, a
# designer's Tiled, a busy CPU): nothing here is found by a name another could have.

# Starts the test NAME of the build BUILD_DIR: a fresh work folder in $work, the game's kept
# window ($XDG_STATE_HOME) in it, and the deadline (TEST_DEADLINE seconds, 240 unless set: under
# ctest's 300). At exit the game ($game_pid), every process passed to track (with its children)
# and the X server are stopped and the folder removed; a failed test first keeps a screenshot of
# its screen and the game's standard error in BUILD_DIR/test-output/NAME-fail.*.
start_work() {
    test_name=$1
    test_output=$(cd "$2" && pwd)/test-output
    work=$(mktemp -d)
    export XDG_STATE_HOME=$work/state
    game_pid=""
    xvfb_pid=""
    tracked=()
    trap stop_work EXIT
    trap 'exit 1' TERM INT HUP
    watch_deadline "${TEST_DEADLINE:-240}"
}

# A process the test started (an X client, Tiled, a second game): ended with the test.
track() { tracked+=("$1"); }

# The processes below pid, deepest first, then pid itself.
end_tree() {
    local child
    for child in $(pgrep -P "$1" 2>/dev/null); do end_tree "$child"; done
    kill "$1" 2>/dev/null || true
}

# The screen as the test left it, and what the game said.
keep_failure() {
    mkdir -p "$test_output"
    [ -f "$work/game.err" ] && cp "$work/game.err" "$test_output/$test_name-fail.err"
    if [ -s "$work/display" ] && DISPLAY=:$(head -n1 "$work/display") \
        timeout 20 import -window root "$work/failed.png" 2>/dev/null; then
        mv "$work/failed.png" "$test_output/$test_name-fail.png"
        echo "$test_name: the screen is kept in $test_output/$test_name-fail.png" >&2
    fi
}

# Whether pid is still a child of this script: a process that ended long ago may have left its
# number to another's.
ours() { [ -n "$1" ] && [ "$(ps -o ppid= -p "$1" 2>/dev/null | tr -d ' ')" = "$$" ]; }

stop_work() {
    local status=$?
    ours "${watchdog_pid:-}" && end_tree "$watchdog_pid"
    [ $status -eq 0 ] || keep_failure
    local p
    for p in "$game_pid" "${tracked[@]}" "$xvfb_pid"; do
        if ours "$p"; then end_tree "$p"; fi
    done
    rm -rf "$work"
    exit $status
}

# Past the deadline the test fails as on any failure: the screen kept first, then whatever the
# script waits for ended (a hung X client), so that its end runs.
watch_deadline() {
    local seconds=$1 script=$$
    (
        trap - EXIT TERM INT HUP
        sleep "$seconds" &
        wait $!
        echo "$test_name: FAIL: not done within its deadline of $seconds s" >&2
        keep_failure
        kill -TERM "$script"
        for child in $(pgrep -P "$script"); do
            [ "$child" = "$BASHPID" ] || end_tree "$child"
        done
    ) &
    watchdog_pid=$!
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

# Starts openbox on the X server and waits until it manages windows.
start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    track $!
    wait_for 30 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
        fail "openbox did not start"
}
