#!/usr/bin/env bash
# Installs into a temporary prefix as make install does, checks what a desktop expects (desktop
# entry, AppStream metadata, icon, manual page), starts the game through a symbolic link to its
# launcher from another folder, refuses broken installations with one line, and uninstalls,
# leaving the prefix as it was.
#   install_test.sh SOURCE_DIR BUILD_DIR [CMAKE_OPTION...]
# BUILD_DIR is the test's own build of what make install installs, configured with the options
# given and brought up to date here: an install writes its manifest, its log and the manual pages
# (which name the prefix) into the build it installs from, and the build that runs the tests must
# keep those of make install.
set -euo pipefail
source_dir=$1
build=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install: FAIL: $*" >&2; exit 1; }
prefix=$work/prefix
mkdir "$prefix"

cmake -S "$source_dir" -B "$build" "$@" -DVORN7_TESTS=OFF -DVORN7_BENCH=OFF >"$work/log" 2>&1 ||
    fail "configuring $build: $(tail -n 5 "$work/log")"
# The Makefile's game: what make install needs.
cmake --build "$build" --target vorn7 vorn7-level assets tiled_files compressed_docs >"$work/log" 2>&1 ||
    fail "building $build: $(tail -n 5 "$work/log")"

sh "$source_dir/scripts/install-game" "$build" "$prefix" >/dev/null || fail "install failed"
desktop-file-validate "$prefix/share/applications/vorn7.desktop" || fail "desktop entry"
grep -qx "Icon=vorn7" "$prefix/share/applications/vorn7.desktop" || fail "no icon in the entry"
appstreamcli validate --no-net --pedantic "$prefix"/share/metainfo/*.metainfo.xml >"$work/as" 2>&1 ||
    fail "AppStream: $(cat "$work/as")"
! grep -qE '^[EWIP]:' "$work/as" || fail "AppStream: $(cat "$work/as")"
for size in 16 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/vorn7.png" |
        grep -q "PNG image data, $size x $size" || fail "icon $size"
done
manual=$(zcat "$prefix/share/man/man6/vorn7.6.gz")
[[ $manual == *"EXIT STATUS"* ]] || fail "manual page"
[[ $manual == *"$prefix/share/vorn7"* ]] || fail "the manual does not name the installed data folder"

# Through a symbolic link, from another folder: it must find its data and run until closed.
ln -s "$prefix/bin/vorn7" "$work/vorn7-link"
runs_until_closed() {
    (cd / && SDL_VIDEODRIVER=dummy exec "$1") 2>"$work/err" &
    local pid=$!
    for _ in $(seq 10); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    kill -0 $pid 2>/dev/null || { wait $pid || true; fail "the game ended: $(cat "$work/err")"; }
    kill -TERM $pid  # arrives as a close request
    local status=0
    wait $pid || status=$?
    [ $status -eq 0 ] || fail "exit status $status"
}
runs_until_closed "$work/vorn7-link"

# Broken installations: one clear line and a non-zero status each.
refuses() {
    local expected=$1; shift
    local status=0
    (cd / && SDL_VIDEODRIVER=dummy "$@") >"$work/out" 2>"$work/err" || status=$?
    [ $status -ne 0 ] || fail "$* should have failed"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line: $(cat "$work/err")"
    grep -q "$expected" "$work/err" || fail "unexpected message: $(cat "$work/err")"
}
cp "$prefix/bin/vorn7" "$work/moved-launcher"
refuses "is not where its launcher expects it" "$work/moved-launcher"
mv "$prefix/share/vorn7" "$work/data"
refuses "data folder is missing" "$prefix/bin/vorn7"
mv "$work/data" "$prefix/share/vorn7"
touch "$work/a-file"
refuses "is not a writable folder" sh "$source_dir/scripts/install-game" "$build" "$work/a-file/sub"
[ ! -e "$work/a-file/sub" ] || fail "something was installed"

sh "$source_dir/scripts/uninstall" "$build/install_manifest.txt" "$prefix" ||
    fail "uninstall failed"
[ -z "$(ls -A "$prefix")" ] || fail "left behind: $(find "$prefix" -mindepth 1 | head -3 | tr "\n" " ")"
echo "install: ok"
