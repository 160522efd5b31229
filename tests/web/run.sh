#!/usr/bin/env bash
# The browser test (make web-test): serves build/web/site with level folders beside it on
# 127.0.0.1, makes the desktop game's reference frames, and drives Debian's Chromium headless
# through the page with the pinned puppeteer-core. Pictures of a failed comparison, and the
# figures, go to build/web/test-output.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
site="$root/build/web/site"
out="$root/build/web/test-output"
[ -f "$site/index.html" ] || { echo "web-test: no site: make web" >&2; exit 1; }
cmake --preset default -DVORN7_TESTS=ON >/dev/null
cmake --build --preset default --target vorn7_native_frame >/dev/null

command -v npm >/dev/null || { echo "web-test: npm is needed (Debian: apt-get install npm)" >&2; exit 1; }
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)

work=$(mktemp -d)
server_pid=""
stop() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT

# What the server offers: the site, and level folders beside it as a designer would upload them.
served="$work/served"
mkdir -p "$served/levels/mirrored" "$served/levels/broken" "$served/levels/empty" "$out"
ln -s "$site" "$served/site"
data="$root/build/default/data"
# A level of its own: the game's tile layer mirrored left to right.
python3 - "$data/x2.lvl" "$served/levels/mirrored/x2.lvl" <<'EOF'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\n')
open(sys.argv[2], 'wb').write(b'\n'.join(line[:256][::-1] + line[256:] for line in lines))
EOF
head -c 3000 "$data/x2.lvl" > "$served/levels/broken/x2.lvl"
# The game embedded as game sites embed games, beside a field of the host page's own.
cat > "$served/embed.html" <<'EOF'
<!doctype html><title>Embedded</title><input id="outside">
<iframe width="820" height="660"></iframe>
<script>document.querySelector('iframe').src = 'site/' + location.search;</script>
EOF

# The server on a free port, polled until it answers (a deadline, no fixed sleep).
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$served" "$port" >"$work/server.log" 2>&1 &
server_pid=$!
deadline=$((SECONDS + 20))
until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/site/')" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || { echo "web-test: the server did not start" >&2; exit 1; }
    sleep 0.1
done

# The bytes the page downloads, compressed as a web server sends them (gzip).
compressed=0
for f in "$site"/*; do compressed=$((compressed + $(gzip -9 -c "$f" | wc -c))); done
echo "web-test: the site is $(du -cb "$site"/* | tail -1 | cut -f1) bytes, $compressed gzipped" |
    tee "$out/figures.txt"

SITE="http://127.0.0.1:$port/site/" NATIVE_FRAME="$root/build/default/tests/vorn7_native_frame" \
    LEVELS="$served/levels" DATA="$data" OUT="$out" CHROMIUM="${CHROMIUM:-/usr/bin/chromium}" \
    node --test --test-concurrency=1 tests/web/site_test.mjs
