#!/usr/bin/env bash
# Builds the Debian package with CPack from a configured build folder, checks
# its contents and dependencies, unpacks it into a temporary root and starts
# the unpacked program headless; it must still be running after 3 seconds.
# Usage: scripts/test-package.sh [build folder, default build]
set -euo pipefail

build=$(realpath "${1:-build}")
app_id=de.rollwerk.Rollwerk
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$build/CPackConfig.cmake" ] || fail "$build has no CPackConfig.cmake (configure with the UI and packaging/)"

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# cpack builds whatever is out of date itself before it installs.
(cd "$build" && cpack --config CPackConfig.cmake -B "$work/out") >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb")"

dpkg-deb -I "$deb" >"$work/info" || fail "dpkg-deb -I"
[ "$(dpkg-deb -f "$deb" Package)" = rollwerk ] || fail "package name is not rollwerk"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Each as a whole name, so libqt6widgets6 is not matched by e.g. libqt6widgets6-dev.
for dependency in libqt6widgets6 libjpeg62-turbo fonts-liberation qt6-translations-l10n libc6; do
  grep -Eq "(^|, )$dependency( \(|,|$)" <<<"$depends" || fail "Depends lacks $dependency"
done

dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
expected=(
  ./usr/bin/rollwerk
  ./usr/share/applications/$app_id.desktop
  ./usr/share/metainfo/$app_id.metainfo.xml
  ./usr/share/doc/rollwerk/copyright
  ./usr/share/doc/rollwerk/changelog.gz
  ./usr/share/man/man1/rollwerk.1.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$work/contents" || fail "package lacks $file"
done
# Nothing outside /usr: a stray absolute install() path would land there.
if grep -v '^\./usr/' "$work/contents" | grep -qvx '\./'; then
  fail "package holds files outside /usr: $(grep -v '^\./usr/' "$work/contents" | grep -vx '\./' | head -5 | tr '\n' ' ')"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" || fail "lintian"
else
  echo "lintian is not installed: Debian policy check skipped" >&2
fi

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
program="$root/usr/bin/rollwerk"
[ -x "$program" ] || fail "$program is not executable"
# Checks the metainfo together with the desktop entry it launches, as installed.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree on the unpacked package"

QT_QPA_PLATFORM=offscreen "$program" >"$work/run.log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  pid=""
  cat "$work/run.log" >&2
  fail "the unpacked program ended within 3 seconds (exit status $status)"
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "package test: OK (unpacked program ran for 3 seconds headless)"
