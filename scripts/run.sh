#!/usr/bin/env bash
# Starts the planner, or explains how to when there is no display.
set -euo pipefail
program=${1:-build/src/app/rollwerk}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
Rollwerk is a desktop program, and this session has no display (neither
DISPLAY nor WAYLAND_DISPLAY is set). To run it on a virtual display:

  xvfb-run -s "-screen 0 1280x1024x24" $program

and take a screenshot with scripts/screenshot.sh, or start it from a desktop session.
MSG
  exit 1
fi
exec "$program"
