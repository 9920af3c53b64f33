#!/usr/bin/env bash
# Installs the Debian packages Rollwerk needs to build, test and run,
# asking apt-get only for those that are missing. With the argument `web`:
# those that build and serve the web page instead; with `web-test`: those
# that run the browser tests; with `ci`: the tools of CI's release checks
# (sanitizers, static analysis, coverage, package, accessibility). npm installs the page's build tools and the
# browser tests' packages from their lock files.
set -euo pipefail

if [ "${1:-}" = web ]; then
  packages=(cmake make emscripten node-acorn fonts-liberation python3 python3-pil python3-fonttools python3-brotli)
elif [ "${1:-}" = web-test ]; then
  packages=(chromium fonts-liberation python3)
elif [ "${1:-}" = ci ]; then
  packages=(
    clang-14 libclang-rt-14-dev clang-tidy clang-format cppcheck gcovr
    dpkg-dev lintian desktop-file-utils appstream
    at-spi2-core dbus python3-gi gir1.2-atspi-2.0 xdotool
  )
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

# Automatic updates (at boot, say) may hold the package manager's locks for
# minutes. apt-get waits for dpkg's lock when told to; for the lock of the
# package lists it has no such option, so an update that finds that lock taken
# is started again until it gets it, for as long.
lock_timeout=600
apt_get() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=$lock_timeout "$@"
}
update_package_lists() {
  local deadline=$((SECONDS + lock_timeout)) output said=
  until output=$(apt_get update -qq 2>&1); do
    if [[ $output != *"Could not get lock"* ]] || [ $SECONDS -ge $deadline ]; then
      printf '%s\n' "$output" >&2
      return 1
    fi
    [ -n "$said" ] || echo "Another apt process holds the package lists; waiting up to $lock_timeout s"
    said=1
    sleep 5
  done
  [ -z "$output" ] || printf '%s\n' "$output"
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  update_package_lists
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi
