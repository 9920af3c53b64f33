#!/usr/bin/env bash
# Start-up time (process start to the first paint of the main window) and
# peak resident memory then, of the planner beside the floor program, both
# headless, alternating, and compared by their medians (the fastest runs are
# shown too: on a busy or virtual machine they vary less).
#   bench/startup.sh [build-dir] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-15}
probe="$build/bench/libfirst_paint_probe.so"
planner="$build/src/app/rollwerk"
floor="$build/bench/rollwerk_floor"
for f in "$probe" "$planner" "$floor"; do
  [ -e "$f" ] || { echo "missing $f: build first (make build)" >&2; exit 1; }
done

measure() { # prints "<milliseconds> <KiB>"
  local start out
  start=$(date +%s%N)
  out=$(QT_QPA_PLATFORM=offscreen LD_PRELOAD="$probe" "$1" 2>&1 >/dev/null | grep first-paint-ns)
  awk -v s="$start" '{ printf "%.2f %d\n", ($2 - s) / 1e6, $4 }' <<<"$out"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
fastest() { sort -n | head -1; }

: >/tmp/rollwerk-startup-planner
: >/tmp/rollwerk-startup-floor
measure "$floor" >/dev/null # warm the caches once
for _ in $(seq "$runs"); do
  measure "$planner" >>/tmp/rollwerk-startup-planner
  measure "$floor" >>/tmp/rollwerk-startup-floor
done
pt=$(cut -d' ' -f1 /tmp/rollwerk-startup-planner | median)
ft=$(cut -d' ' -f1 /tmp/rollwerk-startup-floor | median)
pm=$(cut -d' ' -f2 /tmp/rollwerk-startup-planner | median)
fm=$(cut -d' ' -f2 /tmp/rollwerk-startup-floor | median)
printf 'runs each:          %d\n' "$runs"
printf 'start-up (median):  planner %s ms, floor %s ms, ratio %s\n' "$pt" "$ft" "$(awk -v a="$pt" -v b="$ft" 'BEGIN { printf "%.2f", a / b }')"
pf=$(cut -d' ' -f1 /tmp/rollwerk-startup-planner | fastest)
ff=$(cut -d' ' -f1 /tmp/rollwerk-startup-floor | fastest)
printf 'start-up (fastest): planner %s ms, floor %s ms, ratio %s\n' "$pf" "$ff" "$(awk -v a="$pf" -v b="$ff" 'BEGIN { printf "%.2f", a / b }')"
printf 'peak RSS (median):  planner %s KiB, floor %s KiB, ratio %s\n' "$pm" "$fm" "$(awk -v a="$pm" -v b="$fm" 'BEGIN { printf "%.2f", a / b }')"
