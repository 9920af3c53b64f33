#!/usr/bin/env bash
# Starts the planner. Without a reachable display the program itself says so
# and names the way to start it on a virtual one.
set -euo pipefail
exec "${1:-build/src/app/rollwerk}"
