#!/usr/bin/env bash
# The web page measured in Debian's headless Chromium: site weight, time to
# the first drawn plan beside an empty page and beside the window drawn
# without its planner, and a class change in the page.
#   bench/web.sh [runs]        (at least 9; builds the site and the test tools when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
if [ "$runs" -lt 9 ]; then
  echo "bench/web.sh: medians need at least 9 runs" >&2
  exit 2
fi
site=$PWD/build-web/site
port=${ROLLWERK_BENCH_PORT:-8741}
[ -f "$site/index.html" ] || make web
if [ ! -d tests/web/node_modules/playwright ]; then
  (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi

# The empty page: one module script that resolves the same ready promise, served by the same server.
empty=$site/bench-empty
mkdir -p "$empty"
printf '<!doctype html>\n<html lang="de"><head><meta charset="utf-8"><title>leer</title>\n<script type="module" src="empty.js"></script></head><body></body></html>\n' >"$empty/index.html"
printf 'window.rollwerk = { ready: Promise.resolve() };\n' >"$empty/empty.js"
# The window without its planner: the generated page as it is, its stylesheet,
# fonts, images and app script included, but neither the core's WebAssembly
# nor the page's script; ready once the window is laid out with its fonts.
# What the planner costs beyond drawing the window is the difference.
perl -0pe 's|<script>[^<]*</script>||; s|src="main.js"|src="bench-empty/window.js"|' "$site/index.html" >"$site/bench-window.html"
cat >"$empty/window.js" <<'SCRIPT'
const faces = [...document.querySelectorAll('link[rel=preload][data-font]')].map((link) => link.dataset.font);
window.rollwerk = {
  ready: Promise.all(faces.map((face) => document.fonts.load(face))).then(() => {
    void document.getElementById('FMainContent').offsetHeight;
  }),
};
SCRIPT

python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
trap 'kill "$server"; rm -rf "$empty" "$site/bench-window.html"' EXIT
for _ in $(seq 50); do
  curl -sf -o /dev/null "http://127.0.0.1:$port/" && break
  sleep 0.1
done
# Measure the site as it is built, the empty page's folder left out.
NODE_PATH=$PWD/tests/web/node_modules node bench/web.js "$site" "$empty" \
  "http://127.0.0.1:$port/" "http://127.0.0.1:$port/bench-empty/" "http://127.0.0.1:$port/bench-window.html" "$runs"
