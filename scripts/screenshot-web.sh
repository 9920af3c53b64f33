#!/usr/bin/env bash
# Takes the web page's screenshots (docs/screenshot-phone.png,
# docs/screenshot-phone-goals.png, docs/screenshot-installed.png,
# docs/screenshot-plans-web.png and docs/screenshot-goals-web.png) in
# Debian's headless Chromium, the site
# served as `make web-run` serves it. Build the site first (make web).
set -euo pipefail
cd "$(dirname "$0")/.."
site=${ROLLWERK_SITE:-$PWD/build-web/site}
[ -f "$site/index.html" ] || { echo "No site in $site: run 'make web' first" >&2; exit 1; }
if [ ! -d tests/web/node_modules/playwright ]; then
  (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 scripts/serve-web.py "$site" "$port" --quiet &
server=$!
trap 'kill "$server"' EXIT
for _ in $(seq 50); do
  curl -sf -o /dev/null "http://127.0.0.1:$port/" && break
  sleep 0.1
done
NODE_PATH=$PWD/tests/web/node_modules node scripts/screenshot-web.js "http://127.0.0.1:$port/" docs
echo "wrote docs/screenshot-phone.png, docs/screenshot-phone-goals.png, docs/screenshot-installed.png, docs/screenshot-plans-web.png and docs/screenshot-goals-web.png"
