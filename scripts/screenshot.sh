#!/bin/sh
# Takes screenshots of the main window under Xvfb: docs/screenshot-main.png at
# 96 dpi and docs/screenshot-main-scale2.png with Qt's own scaling at factor 2.
# Usage: scripts/screenshot.sh [path/to/rollwerk]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/src/app/rollwerk}
[ -x "$program" ] || { echo "no program at $program (build it first or pass its path)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (apt-get install xvfb)" >&2; exit 1; }
command -v import >/dev/null || { echo "import is missing (apt-get install imagemagick)" >&2; exit 1; }

# shoot SCALE SCREEN CROP OUTPUT: the window opens at 199,168 with an outer
# size of 963 x 706; there is no window manager, so the frame is the client.
shoot() {
    QT_SCALE_FACTOR=$1 xvfb-run -a -s "-screen 0 $2x24" sh -c '
        QT_QPA_PLATFORM=xcb "$1" &
        pid=$!
        sleep 3
        import -window root "$2.full.png"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    ' shoot "$program" "$4"
    convert "$4.full.png" -crop "$3" +repage "$4"
    rm -f "$4.full.png"
    echo "wrote $4"
}

shoot 1 1280x1024 963x706+199+168 "$root/docs/screenshot-main.png"
shoot 2 2600x1800 1926x1412+398+336 "$root/docs/screenshot-main-scale2.png"
