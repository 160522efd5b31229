#!/usr/bin/env bash
# vorn7-level against the real Tiled (Debian's tiled, headless): Tiled reads every map the tool
# writes and exports it to JSON and TMX without an error; the maps Tiled writes (CSV, and base64
# with zlib) convert back to the same level files; and tmxrasterizer's picture of the tile map
# equals the tool's own render, pixel for pixel, in regions of the world.
#   level_tool_test.sh VORN7_LEVEL DATA_DIR
set -euo pipefail
tool=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "level tool: FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work
command -v tiled >/dev/null || fail "Debian's tiled is not installed (scripts/install-deps test)"

"$tool" to-tiled "$data" "$work/maps" || fail "to-tiled"
for map in x2 x2fg; do
    level=$map.lvl
    for format in json tmx; do
        tiled --new-instance --export-map "$format" "$work/maps/$map.tmx" "$work/maps/$map-tiled.$format" \
            >"$work/tiled.log" 2>&1 || fail "Tiled could not export $map.tmx: $(cat "$work/tiled.log")"
        ! grep -qi "error\|warning" "$work/tiled.log" || fail "Tiled: $(cat "$work/tiled.log")"
    done
    "$tool" from-tiled "$work/maps/$map-tiled.tmx" "$work/$level" || fail "from-tiled $map"
    cmp -s "$work/$level" "$data/$level" || fail "$map: Tiled's map does not give the same level"
    # The same map as base64 with zlib, as Tiled saves it when asked, through Tiled again.
    python3 - "$work/maps/$map.tmx" "$work/maps/$map-zlib.tmx" <<'PY'
import base64, re, struct, sys, zlib
text = open(sys.argv[1]).read()
csv = re.search(r'<data encoding="csv">(.*?)</data>', text, re.S).group(1)
cells = [int(v) for v in csv.replace('\n', '').split(',')]
packed = base64.b64encode(zlib.compress(struct.pack('<%dI' % len(cells), *cells))).decode()
text = text.replace(re.search(r'<data encoding="csv">.*?</data>', text, re.S).group(0),
                    '<data encoding="base64" compression="zlib">' + packed + '</data>')
open(sys.argv[2], 'w').write(text)
PY
    tiled --new-instance --export-map tmx "$work/maps/$map-zlib.tmx" "$work/maps/$map-zlib-tiled.tmx" \
        >"$work/tiled.log" 2>&1 || fail "Tiled could not read the zlib map: $(cat "$work/tiled.log")"
    grep -q 'compression="zlib"' "$work/maps/$map-zlib-tiled.tmx" || fail "Tiled did not keep zlib"
    "$tool" from-tiled "$work/maps/$map-zlib-tiled.tmx" "$work/zlib-$level" || fail "from-tiled zlib"
    cmp -s "$work/zlib-$level" "$data/$level" || fail "$map: the zlib map does not give the same level"
done

# An independent renderer: tmxrasterizer draws the tile map; the tool draws the world with the
# game's own copies. Both leave see-through pixels clear.
tmxrasterizer --no-smoothing "$work/maps/x2.tmx" "$work/tiled.png" >"$work/r.log" 2>&1 ||
    fail "tmxrasterizer: $(cat "$work/r.log")"
"$tool" render "$data" "$work/ours.png" --scale 1 || fail "render"
for region in 1024x1024+0+0 1024x1024+3584+2048 1024x1024+6144+6144 1024x512+0+7680; do
    convert "$work/tiled.png" -crop "$region" +repage "$work/a.png"
    convert "$work/ours.png" -crop "$region" +repage "$work/b.png"
    differ=$(compare -metric AE "$work/a.png" "$work/b.png" "$work/diff.png" 2>&1 || true)
    [ "$differ" = "0" ] || fail "region $region: $differ pixels differ from tmxrasterizer's"
done
"$tool" render "$data" "$work/world.png" --blocks || fail "render --blocks"
file "$work/world.png" | grep -q "2048 x 2048" || fail "the default scale is not 1/4"
# The Tiled extension: Tiled opens the shipped levels through it and saves them back byte for
# byte; what it reads equals what vorn7-level reads, and what it writes what vorn7-level writes.
home=$work/home
mkdir -p "$home/.config/tiled/extensions"
cp "$data/tiled/vorn7-level.js" "$home/.config/tiled/extensions/"
tiled_ext() {
    HOME=$home tiled --new-instance "$@" >"$work/tiled.log" 2>&1 || fail "tiled $*: $(cat "$work/tiled.log")"
    ! grep -qi "error" "$work/tiled.log" || fail "tiled $*: $(cat "$work/tiled.log")"
}
formats=$(HOME=$home tiled --new-instance --export-formats 2>/dev/null)
grep -qx ' vorn7' <<< "$formats" || fail "the format is not registered: $formats"
same() { cmp -s "$1" "$2" || fail "$3: $1 differs from $2"; }
for map in x2 x2fg; do
    tiled_ext --export-map vorn7 "$data/$map.lvl" "$work/$map-ext.lvl"
    same "$work/$map-ext.lvl" "$data/$map.lvl" "the extension's read and write"
    tiled_ext --export-map tmx "$data/$map.lvl" "$work/$map-ext.tmx"
    "$tool" from-tiled "$work/$map-ext.tmx" "$work/$map-tool.lvl" >/dev/null
    same "$work/$map-tool.lvl" "$data/$map.lvl" "the extension's map through vorn7-level"
    tiled_ext --export-map vorn7 "$work/maps/$map.tmx" "$work/$map-of-tmx.lvl"
    same "$work/$map-of-tmx.lvl" "$data/$map.lvl" "vorn7-level's map through the extension"
    tiled_ext --export-map json "$work/maps/$map.tmx" "$work/$map.tmj"
    "$tool" from-tiled "$work/$map.tmj" "$work/$map-json.lvl" >/dev/null
    same "$work/$map-json.lvl" "$data/$map.lvl" "Tiled's JSON map"
done
# A level's actors (x2.actors) round-trip byte for byte: through the extension (as an "actors"
# object layer), through to-tiled and from-tiled, and through Tiled's own TMX and JSON; objects
# that are not actors are said by name; a layer without comments gets the same header from both;
# a second player is refused with its reason, nothing written.
actors=$work/actors
mkdir -p "$actors/maps" "$actors/ext" "$actors/tmx" "$actors/json"
cp "$data/x2.lvl" "$data/x2fg.lvl" "$data/tiles.tsx" "$data/blocks.tsx" "$actors/"
cp -r "$data/gfx" "$actors/"
printf '%s\n' "# Vorn7 actors: KIND X Y a line (walker, player, goal: the frame's top-left; start: the view centre)" \
    '# the cave & <friends>' 'walker 300 125' 'goal 7000 400' 'start 2000 1900' 'player 64 96' \
    'walker 1700 1950' > "$actors/x2.actors"
tiled_ext --export-map vorn7 "$actors/x2.lvl" "$actors/ext/x2.lvl"
same "$actors/ext/x2.actors" "$actors/x2.actors" "the extension's actors"
"$tool" to-tiled "$actors" "$actors/maps" >/dev/null || fail "to-tiled with actors"
tiled_ext --export-map vorn7 "$actors/maps/x2.tmx" "$actors/tmx/x2.lvl"
same "$actors/tmx/x2.actors" "$actors/x2.actors" "to-tiled's actors through the extension"
for format in tmx json; do
    tiled_ext --export-map "$format" "$actors/x2.lvl" "$actors/$format/map.$format"
    "$tool" from-tiled "$actors/$format/map.$format" "$actors/$format/x2.lvl" >/dev/null ||
        fail "from-tiled $format with actors"
    same "$actors/$format/x2.actors" "$actors/x2.actors" "Tiled's $format map's actors"
done
sed -e 's|name="walker" type="walker" x="1700"|name="ghost" type="ghost" x="1700"|' \
    -e '/properties>\|name="comments"/d' \
    -e 's|</map>| <objectgroup id="9" name="notes"/>\n</map>|' "$actors/maps/x2.tmx" > "$actors/odd.tmx"
rm -f "$actors/ext/x2.actors"  # a file Tiled did not read would be kept (below)
HOME=$home tiled --new-instance --export-map vorn7 "$actors/odd.tmx" "$actors/ext/odd.lvl" >"$work/tiled.log" 2>&1
grep -q 'object "ghost" in "actors" is not saved' "$work/tiled.log" || fail "$(cat "$work/tiled.log")"
grep -q 'object layer "notes" is not saved' "$work/tiled.log" || fail "$(cat "$work/tiled.log")"
"$tool" from-tiled "$actors/odd.tmx" "$actors/odd.lvl" 2>"$work/err" >/dev/null
grep -q 'object "ghost" in layer "actors"' "$work/err" || fail "from-tiled: $(cat "$work/err")"
grep -q 'layer "notes": an object layer, not converted' "$work/err" || fail "$(cat "$work/err")"
same "$actors/ext/x2.actors" "$actors/x2.actors" "the header of a layer without comments"
mkdir -p "$actors/two"
sed 's|name="goal" type="goal"|name="player" type="player"|' "$actors/maps/x2.tmx" > "$actors/two.tmx"
! HOME=$home tiled --new-instance --export-map vorn7 "$actors/two.tmx" "$actors/two/x2.lvl" >"$work/tiled.log" 2>&1 ||
    fail "the extension saved a second player"
grep -q 'two/x2.lvl: a second player (a level has one)' "$work/tiled.log" || fail "$(cat "$work/tiled.log")"
[ -z "$(ls -A "$actors/two")" ] || fail "a refused save wrote $(ls "$actors/two")"

# A save never overwrites an actors file that Tiled did not read as it is now (a hand edit the game
# already shows): headless, it is kept and said; the level itself is saved.
mkdir -p "$actors/kept"
printf '# edited by hand\nwalker 100 100\n' > "$actors/kept/x2.actors"
cp "$actors/kept/x2.actors" "$work/hand-edit"
HOME=$home tiled --new-instance --export-map vorn7 "$actors/maps/x2.tmx" "$actors/kept/x2.lvl" >"$work/tiled.log" 2>&1 ||
    fail "the level was not saved beside a kept actors file: $(cat "$work/tiled.log")"
grep -q 'kept/x2.lvl: x2.actors is kept as it is on disk (Tiled did not read it)' "$work/tiled.log" ||
    fail "no word of the kept actors file: $(cat "$work/tiled.log")"
same "$actors/kept/x2.actors" "$work/hand-edit" "a hand-edited actors file"
[ -s "$actors/kept/x2.lvl" ] || fail "the level beside a kept actors file was not saved"

# A level folder of one's own opens in Tiled as the game's data does.
"$tool" new "$work/level" >/dev/null || fail "new"
tiled_ext --export-map vorn7 "$work/level/x2.lvl" "$work/level-x2.lvl"
same "$work/level-x2.lvl" "$data/x2.lvl" "a new folder's level"
! grep -rq "$(dirname "$data")" "$work/level" --include='*.tsx' || fail "a tileset points into the build"
# Its tile picture deleted: the level still opens, and Tiled names the picture to put back.
cp -r "$work/level" "$work/no-picture"
rm "$work/no-picture/gfx/tiles.bmp"
HOME=$home tiled --new-instance --export-map tmx "$work/no-picture/x2.lvl" "$work/no-picture.tmx" >"$work/tiled.log" 2>&1 ||
    fail "a level without its picture did not open: $(cat "$work/tiled.log")"
grep -q "the picture of tiles.tsx (.*gfx/tiles.bmp) is missing or unreadable" "$work/tiled.log" ||
    fail "the missing picture was not named: $(cat "$work/tiled.log")"
! grep -qi "invalid tile\|stack" "$work/tiled.log" || fail "$(cat "$work/tiled.log")"

# The command lines, the real programs: arguments, status, stream, the first line's start.
game=$(dirname "$tool")/vorn7
while IFS='|' read -r program arguments status stream first; do
    [ -n "$program" ] || continue
    read -r -a argv <<< "$(eval echo "$arguments")"
    set +e
    "$program" "${argv[@]}" >"$work/out" 2>"$work/err"
    got=$?
    set -e
    [ "$got" = "$status" ] || fail "$program $arguments: status $got, not $status"
    line=$(head -n 1 "$work/$stream")
    [[ "$line" == "$(eval echo "$first")"* ]] || fail "$program $arguments: '$line'"
done <<CASES
$tool|--help|0|out|usage: vorn7-level new FOLDER
$tool|-h|0|out|usage: vorn7-level
$tool|--version|0|out|vorn7-level 0.
$tool||2|err|vorn7-level: which command?
$tool|frobnicate|2|err|vorn7-level: frobnicate: unknown command
$tool|render \$data|2|err|vorn7-level: render needs OUT.png
$tool|render \$data \$work/w.png --scale 3|2|err|vorn7-level: --scale 3: the scale is
$tool|new \$work/level|1|err|vorn7-level: \$work/level: the folder already holds files
$tool|to-tiled \$data \$work/maps|1|err|vorn7-level: \$work/maps/x2.tmx: already there
$tool|to-tiled \$data \$work/maps --force|0|out|vorn7-level: wrote \$work/maps:
$tool|check \$data/x2.lvl|0|out|
$game|--help|0|out|usage: vorn7 [FOLDER]
$game|--version|0|out|vorn7 0.
$game|--bogus|2|err|vorn7: --bogus: unknown option
$game|--at 10|2|err|vorn7: 10: not X,Y
$game|\$work/none|2|err|vorn7: \$work/none: no such folder
$game|--mode 800x600x12|2|err|vorn7: 800x600x12: not a mode
$game|--mode|2|err|vorn7: --mode: needs WxHxD
$game|--scale=round|2|err|vorn7: round: not fit or integer
env|-u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:119 \$game --windowed --mode 640x480x8 --scale integer|1|err|vorn7: the display :119 (DISPLAY) could not be opened: x11
CASES
# Where Tiled cannot open the folder (here: no display), the command says so after Tiled's lines.
! env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:119 HOME="$work/no-display" "$tool" tiled \
    "$work/level" >/dev/null 2>"$work/no-display.err" || fail "tiled without a display: status 0"
tail -n 1 "$work/no-display.err" | grep -qF "vorn7-level: Tiled could not open $work/level (it ended" ||
    fail "tiled without a display: $(cat "$work/no-display.err")"
echo "level tool: ok"
