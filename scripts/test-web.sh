#!/usr/bin/env bash
# The browser tests of the web page: Playwright from the lock file, driving
# Debian's Chromium against the site in build-web/site (built by `make web`).
# Installs only the Debian packages that are missing; never downloads a browser.
set -euo pipefail
cd "$(dirname "$0")/.."
site=${ROLLWERK_SITE:-$PWD/build-web/site}

scripts/install-deps.sh web-test

if [ ! -f "$site/index.html" ]; then
  echo "No site in $site: run 'make web' first" >&2
  exit 1
fi

# A free port, so that a server already running (make web-run) is not in the way.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 ROLLWERK_SITE="$site" ROLLWERK_WEB_PORT="$port"
cd tests/web
npm ci --no-audit --no-fund --loglevel=error
npx --no-install playwright test
