#!/usr/bin/env bash
# By-hand check that a plan travels between two separately started planners:
# on one Xvfb display, program A gets a plan typed into its fields and copies
# it ("Plan kopieren"), program B pastes it ("Plan einfügen") and copies it
# again after A has ended. The two clipboard texts must be the same.
# Needs xvfb, xdotool and xclip. Usage: scripts/check-plan-clipboard.sh [rollwerk] [display]
set -u
program=${1:-build/src/app/rollwerk}
display=${2:-:87}
out=$(mktemp -d "${TMPDIR:-/tmp}/rollwerk-clipboard.XXXXXX")
for tool in Xvfb xdotool xclip; do
  command -v $tool >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool xclip)" >&2; exit 2; }
done
export DISPLAY=$display QT_QPA_PLATFORM=xcb
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1

# Without a window manager the window's client area starts at 199,220 on the
# screen; 321,338 lies on the client area beside the free points.
menu() { # the right button on the client area, then the n-th entry by keyboard
  xdotool mousemove 321 338 click 3; sleep 0.5
  for ((i = 0; i < $1; i++)); do xdotool key Down; sleep 0.1; done
  xdotool key Return; sleep 0.7
}

"$program" >"$out/a.log" 2>&1 &
a=$!
sleep 3
# A: click the level field, type 45, then Tab along the keyboard order (class
# box, then the enabled skill fields Waffenkunde, Faustkampf, Zwei-Waffenkampf,
# Schwertkunde) typing a value into each.
xdotool mousemove 619 330 click 1; sleep 0.3
xdotool key ctrl+a; xdotool type --delay 80 45; sleep 0.3
xdotool key Tab; sleep 0.2
for v in 20 10 5 12; do xdotool key Tab; sleep 0.2; xdotool key ctrl+a; xdotool type --delay 80 $v; sleep 0.3; done
xdotool key Tab; sleep 0.3
menu 2 # A: "Plan kopieren"
xclip -o -selection clipboard >"$out/a.txt"

"$program" >"$out/b.log" 2>&1 &
b=$!
sleep 3
menu 3 # B: "Plan einfügen", read from A
kill $a; wait $a 2>/dev/null
menu 2 # B: "Plan kopieren", now that A has ended
xclip -o -selection clipboard >"$out/b.txt"
kill $b; wait $b 2>/dev/null

echo "== A copied:"; cat "$out/a.txt"
echo "== B copied after pasting:"; cat "$out/b.txt"
if [ -s "$out/a.txt" ] && cmp -s "$out/a.txt" "$out/b.txt" && grep -q 'Stufe 45' "$out/a.txt"; then
  echo "== the same plan in both programs"
  rm -rf "$out"
else
  echo "== FAILED (files in $out)"
  exit 1
fi
