#!/usr/bin/env bash
# Installs to a temporary prefix and starts the game through its launcher from another folder:
# it must find its data, run, and end with 0 on a close request.
#   install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
[ -f "$prefix/share/applications/vorn7.desktop" ] || { echo "no desktop entry"; exit 1; }
cd /
SDL_VIDEODRIVER=dummy "$prefix/bin/vorn7" 2>"$prefix/err" &
pid=$!
# Running for a second means start-up succeeded; a failed start-up ends at once with status 1.
for _ in $(seq 10); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null || { wait $pid || true; echo "the game ended: $(cat "$prefix/err")"; exit 1; }
kill -TERM $pid  # arrives as a close request
status=0
wait $pid || status=$?
[ $status -eq 0 ] || { echo "exit status $status"; exit 1; }
echo "install: ok"
