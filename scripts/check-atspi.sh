#!/bin/sh
# Checks with a real accessibility client what a screen reader learns from the
# program: it runs under Xvfb (Qt's AT-SPI bridge needs xcb, not offscreen)
# in a private D-Bus session with its own AT-SPI bus, and
# scripts/atspi-client.py walks its accessible tree. Exits non-zero on failure.
# Usage: scripts/check-atspi.sh [path/to/rollwerk]
# Needs: xvfb, dbus (dbus-run-session), at-spi2-core, gir1.2-atspi-2.0, python3-gi, xdotool.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/src/app/rollwerk}
[ -x "$program" ] || { echo "no program at $program (build it first or pass its path)" >&2; exit 1; }
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb dbus-run-session dbus-send xdotool "$launcher"; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (see the header of $0)" >&2; exit 1; }
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
    || { echo "python3-gi with gir1.2-atspi-2.0 is missing" >&2; exit 1; }

# Everything below runs once more inside a session bus of its own, so that
# the client finds this program's AT-SPI bus and nothing else.
if [ -z "${ROLLWERK_ATSPI_SESSION:-}" ]; then
    ROLLWERK_ATSPI_SESSION=1 exec dbus-run-session -- "$0" "$program"
fi

work=$(mktemp -d)
xvfb_pid=
bus_pid=
app_pid=
# shellcheck disable=SC2317 # called by the trap
finish() {
    for pid in $app_pid $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

# -noreset: the bus launcher below connects to the display and leaves again; as
# the last client gone, that reset the server, and a program connecting just
# then was turned away ("could not connect to display").
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

# The launcher starts the accessibility bus; the registry is activated on it when first asked.
"$launcher" --launch-immediately 2>"$work/bus.log" &
bus_pid=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>"$work/app.log" &
app_pid=$!

status=0
timeout 120 /usr/bin/python3 "$root/scripts/atspi-client.py" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- program output" >&2
    cat "$work/app.log" >&2
    kill -0 "$xvfb_pid" 2>/dev/null || echo "Xvfb on $DISPLAY has ended" >&2
    echo "--- Xvfb output" >&2
    cat "$work/xvfb.log" >&2
fi
kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: the program ended during the check" >&2; status=1; }
exit "$status"
