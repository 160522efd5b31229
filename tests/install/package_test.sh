#!/usr/bin/env bash
# The Debian package on a throwaway machine (CI, as root): lintian accepts it without errors
# and finds it hardened and stripped, its manual names its data folder, dpkg installs it (the
# level tool with the programs, the guides with the documentation), the installed game runs headless from another folder until closed, and
# dpkg -r leaves none of its files behind.
#   package_test.sh PACKAGE.deb
set -euo pipefail
deb=$(readlink -f "$1")
fail() { echo "package: FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root (run it on a throwaway machine)"
if dpkg-query -W vorn7 >/dev/null 2>&1; then fail "vorn7 is installed already"; fi

lintian --fail-on error "$deb" || fail "lintian found errors"
tags=$(lintian -I "$deb" 2>/dev/null || true)
! grep -E 'hardening|unstripped-binary-or-object|binary-has-unneeded-section' <<<"$tags" ||
    fail "lintian: not hardened or not stripped"
manual=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/man/man6/vorn7.6.gz | zcat)
[[ $manual == *"/usr/share/vorn7"* && $manual != *"/usr/local"* ]] ||
    fail "the manual does not name /usr/share/vorn7"
control=$(dpkg-deb -I "$deb")
grep -q "Depends:.*libsdl2-2.0-0" <<<"$control" || fail "no dependency on SDL2's library"
dpkg -i "$deb" >/dev/null
files=$(dpkg -L vorn7)
for f in /usr/bin/vorn7-level /usr/games/vorn7 /usr/share/doc/vorn7/README.md \
         /usr/share/doc/vorn7/LEVEL_FORMAT.md; do
    grep -qx "$f" <<<"$files" || fail "not installed: $f"
done
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
