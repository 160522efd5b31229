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
serve_pid=""
hosts=""
# Every server this script starts ends with it, also when a check fails on the way.
stop() {
    for pid in $server_pid $serve_pid $hosts; do kill "$pid" 2>/dev/null || true; done
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

# make web-serve's server: what a browser receives of the page's files (gzip, as it asks), the
# types it sends, and one clear line when its port is taken.
serve_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 scripts/serve-site "$site" "$serve_port" >"$work/serve.log" 2>&1 &
serve_pid=$!
python3 - "$serve_port" "$site" "$out/figures.txt" <<'EOF2'
import os, sys, time, urllib.request
port, site, figures = sys.argv[1], sys.argv[2], sys.argv[3]
deadline = time.time() + 20
received = 0
for name in ['', 'page.js', 'page.css', 'vorn7.js', 'vorn7.wasm', 'vorn7.data']:
    while True:
        try:
            request = urllib.request.Request(f'http://127.0.0.1:{port}/{name}',
                                             headers={'Accept-Encoding': 'gzip, deflate, br'})
            response = urllib.request.urlopen(request)
            break
        except OSError:
            if time.time() > deadline: sys.exit('web-test: make web-serve\'s server did not start')
            time.sleep(0.1)
    body = response.read()
    if name.endswith('.wasm'):
        assert response.headers['Content-Type'] == 'application/wasm', response.headers
    assert response.headers['Content-Encoding'] == 'gzip', (name, dict(response.headers))
    received += len(body)
plain = sum(os.path.getsize(os.path.join(site, f)) for f in
            ['index.html', 'page.js', 'page.css', 'vorn7.js', 'vorn7.wasm', 'vorn7.data'])
line = f'web-test: make web-serve sends the page {received} bytes compressed ({plain} as files)\n'
open(figures, 'w').write(line)
print(line, end='')
EOF2
if python3 scripts/serve-site "$site" "$serve_port" 2>"$work/busy.err"; then
    echo "web-test: a taken port was not refused" >&2; exit 1
fi
grep -q "cannot listen on 127.0.0.1:$serve_port: Address already in use" "$work/busy.err" ||
    { echo "web-test: a taken port says: $(cat "$work/busy.err")" >&2; exit 1; }
kill "$serve_pid"

# Level hosts of other origins: one that refuses other sites (no CORS), one that answers 403 for
# the files it does not have but lets the site read the others.
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
refusing_port=$(free_port)
python3 tests/web/level_host.py "$served" "$refusing_port" &
hosts="$hosts $!"
forbidding_port=$(free_port)
python3 tests/web/level_host.py "$served" "$forbidding_port" --forbid-missing --cors &
hosts="$hosts $!"
dropping_port=$(free_port)
python3 tests/web/level_host.py "$served" "$dropping_port" --cors --drop &
hosts="$hosts $!"
for p in "$refusing_port" "$forbidding_port"; do
    deadline=$((SECONDS + 20))
    until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$p/levels/mirrored/x2.lvl')" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || { echo "web-test: a level host did not start" >&2; exit 1; }
        sleep 0.1
    done
done
# A level with actors: its start where the test looks, its walkers far away.
mkdir -p "$served/levels/placed"
printf '# far walkers, the start in view\nwalker 7000 7000\nstart 4000 2000\n' > "$served/levels/placed/x2.actors"

REFUSING="http://127.0.0.1:$refusing_port/" FORBIDDING="http://127.0.0.1:$forbidding_port/" \
DROPPING="http://127.0.0.1:$dropping_port/" SITE_DIR="$site" \
SITE="http://127.0.0.1:$port/site/" NATIVE_FRAME="$root/build/default/tests/vorn7_native_frame" \
    LEVELS="$served/levels" DATA="$data" OUT="$out" CHROMIUM="${CHROMIUM:-/usr/bin/chromium}" \
    node --test --test-concurrency=1 ${WEB_TEST_PATTERN:+--test-name-pattern="$WEB_TEST_PATTERN"} \
    tests/web/site_test.mjs
