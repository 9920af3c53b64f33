#!/usr/bin/env bash
# The program without a reachable display: one German line on standard error
# that ends with the command starting it on a virtual display, under the name
# it was started by, and exit code 1, no abort. Other Qt platforms still
# start; the program is ended after a moment, so the test ends too.
#   no-display.sh <program>
set -uo pipefail
program=$1
expected="Es konnte keine Anzeige geöffnet werden"
failed=0

# Each case: name | env arguments (removals first) | expected outcome (1: the message and
# exit code 1; running: still running after two seconds).
cases=(
  "DISPLAY unset|-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE|1"
  "DISPLAY unreachable|-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE DISPLAY=:99999|1"
  "X11 chosen, DISPLAY unset|-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb|1"
  "offscreen platform, DISPLAY unset|-u DISPLAY QT_QPA_PLATFORM=offscreen|running"
)

for row in "${cases[@]}"; do
  IFS='|' read -r name changes outcome <<<"$row"
  # shellcheck disable=SC2086 # the changes are separate env arguments
  output=$(timeout 2 env $changes "$program" 2>&1 >/dev/null)
  status=$?
  ok=1
  if [ "$outcome" = running ]; then
    # timeout ends a program that is still running with 124.
    if [ $status -ne 124 ]; then
      echo "FAIL $name: ended with $status before it was stopped: $output"
      ok=0
    fi
  elif [ $status -ne "$outcome" ] || [ "$(printf '%s\n' "$output" | wc -l)" -ne 1 ] \
    || [[ $output != *"$expected"*": xvfb-run -a $program" ]]; then
    echo "FAIL $name: exit code $status, stderr: $output"
    ok=0
  fi
  if [ $ok -eq 1 ]; then echo "ok   $name"; else failed=1; fi
done
exit $failed
