#!/usr/bin/env bash
# The Debian package on a throwaway machine (CI, as root): lintian accepts it without errors,
# dpkg installs it, the installed game runs headless from another folder until closed, and
# dpkg -r leaves none of its files behind.
#   package_test.sh PACKAGE.deb
set -euo pipefail
deb=$(readlink -f "$1")
fail() { echo "package: FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root (run it on a throwaway machine)"
if dpkg-query -W vorn7 >/dev/null 2>&1; then fail "vorn7 is installed already"; fi

lintian --fail-on error "$deb" || fail "lintian found errors"
control=$(dpkg-deb -I "$deb")
grep -q "Depends:.*libsdl2-2.0-0" <<<"$control" || fail "no dependency on SDL2's library"
dpkg -i "$deb" >/dev/null
files=$(dpkg -L vorn7)
trap 'dpkg -r vorn7 >/dev/null 2>&1 || true' EXIT

err=$(mktemp)
(cd / && SDL_VIDEODRIVER=dummy exec /usr/games/vorn7) 2>"$err" &
pid=$!
for _ in $(seq 20); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null || { wait $pid || true; fail "the installed game ended: $(cat "$err")"; }
kill -TERM $pid
status=0
wait $pid || status=$?
[ $status -eq 0 ] || fail "exit status $status: $(cat "$err")"
rm -f "$err"

dpkg -r vorn7 >/dev/null
trap - EXIT
left=""
for f in $files; do
    [ -f "$f" ] && left="$left $f"
done
[ -z "$left" ] || fail "left behind:$left"
for d in /usr/share/vorn7 /usr/libexec/vorn7 /usr/share/doc/vorn7; do
    [ ! -e "$d" ] || fail "left behind: $d"
done
echo "package: ok"
