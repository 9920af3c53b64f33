#!/usr/bin/env bash
# Installs the Debian packages Rollwerk needs to build, test and run,
# asking apt-get only for those that are missing. With the argument `web`:
# those that build and serve the web page instead; with `web-test`: those
# that run the browser tests. npm installs the page's build tools and the
# browser tests' packages from their lock files.
set -euo pipefail

if [ "${1:-}" = web ]; then
  packages=(cmake make emscripten node-acorn fonts-liberation python3 python3-pil)
elif [ "${1:-}" = web-test ]; then
  packages=(chromium fonts-liberation python3)
else
packages=(
  g++ cmake make pkg-config
  googletest libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n libgl-dev libjpeg62-turbo-dev libxcb1-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  desktop-file-utils appstream
)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
# Node and npm may come from elsewhere than Debian: what counts is that they run.
if [ "${1:-}" = web ] || [ "${1:-}" = web-test ]; then
  command -v node >/dev/null || missing+=(nodejs)
  command -v npm >/dev/null || missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
