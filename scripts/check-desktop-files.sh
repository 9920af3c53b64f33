#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metainfo, and checks that
# every hicolor icon has the size its folder names. Exits non-zero on errors.
#   check-desktop-files.sh <metainfo>   (as generated into the build folder)
set -euo pipefail
metainfo=$(realpath "${1:?usage: check-desktop-files.sh <generated metainfo.xml>}")
cd "$(dirname "$0")/../packaging"

app_id=de.rollwerk.Rollwerk
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

desktop-file-validate "$app_id.desktop" || fail "desktop-file-validate $app_id.desktop"
# Warnings and infos are reported but only errors fail.
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

grep -qx "Icon=$app_id" "$app_id.desktop" || fail "desktop entry does not name icon $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "metainfo does not launch $app_id.desktop"

# PNG width and height are the big-endian words at bytes 16 and 20.
png_size() {
  local bytes
  bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
  read -r w1 w2 w3 w4 h1 h2 h3 h4 <<<"$bytes"
  echo "$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
}
for size in 16 22 24 32 48 64 128 256; do
  icon="icons/${size}x${size}/$app_id.png"
  if [ ! -f "$icon" ]; then
    fail "missing $icon"
  elif [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    fail "$icon is not a PNG"
  elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
    fail "$icon is $(png_size "$icon"), not ${size}x${size}"
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "desktop files: errors found" >&2
  exit 1
fi
echo "desktop files: OK"
