#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan and runs each for a
# bounded time over a throw-away copy of its seed corpus (fuzz/corpus/<target>).
# A crash, leak, sanitizer report, timeout or out-of-memory fails the run and
# the reproducer's path is printed.
#
#   FUZZ_SECONDS    time per target (default 60)
#   FUZZ_TARGETS    targets to run (default "planner document plancode jpeg")
#   FUZZ_BUILD_DIR  build directory (default build-fuzz)
#   FUZZ_CXX        compiler (default clang++-14)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-planner document plancode jpeg}
build=${FUZZ_BUILD_DIR:-build-fuzz}
cxx=${FUZZ_CXX:-clang++-14}
case $build in /*) ;; *) build=$root/$build ;; esac

# Per target: longest input, per-input time limit in seconds and extra
# options. Planner inputs of 1 KB hold a few hundred actions, and long
# action sequences are wanted from the start (a fresh planner costs more
# under ASan than a dozen actions); 8 KB holds the emblem. Plan-code inputs
# go up to 128 KB, a long pasted text: finding a code takes some ten
# milliseconds there under ASan, while time growing with the square of the
# length takes seconds from 64 KB on, beyond the three-second limit even on
# a loaded machine. Document inputs are planner inputs with the history's,
# the plan code's and the optimiser's commands among them; an answer of the
# optimiser takes milliseconds, so they get the planner's generous limit.
declare -A max_len=([planner]=1024 [document]=1024 [plancode]=131072 [jpeg]=8192)
declare -A unit_timeout=([planner]=10 [document]=20 [plancode]=3 [jpeg]=20)
declare -A extra=([planner]=-len_control=0 [document]=-len_control=0 [plancode]= [jpeg]=)

if ! command -v "$cxx" >/dev/null; then
  echo "fuzz.sh: $cxx not found (Debian: apt-get install clang-14 libclang-rt-14-dev)" >&2
  exit 2
fi

if ! grep -q 'ROLLWERK_FUZZ' CMakeLists.txt; then
  echo "fuzz.sh: CMakeLists.txt does not add fuzz/ when ROLLWERK_FUZZ is on" >&2
  exit 2
fi

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROLLWERK_FUZZ=ON -DROLLWERK_BUILD_UI=OFF -DROLLWERK_BUILD_BENCH=OFF -DROLLWERK_WERROR=ON >/dev/null
build_targets=()
for t in $targets; do build_targets+=("rollwerk_fuzz_$t"); done
cmake --build "$build" -j"$(nproc)" --target "${build_targets[@]}"

# The options of .ci/run's sanitizer build are replaced, not merged, so that
# every run reports the same way.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

work=$(mktemp -d "${TMPDIR:-/tmp}/rollwerk-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Findings stay in the build directory after the run.
findings="$build/fuzz-findings"
mkdir -p "$findings"

failed=0
for t in $targets; do
  binary="$build/fuzz/rollwerk_fuzz_$t"
  corpus="$work/corpus-$t"
  log="$build/fuzz-$t.log"
  mkdir -p "$corpus" "$findings/$t"
  cp -R "fuzz/corpus/$t/." "$corpus/"
  echo "== fuzzing $t for ${seconds}s (log: $log)"
  rc=0
  "$binary" "$corpus" -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout="${unit_timeout[$t]}" \
    -dict="fuzz/$t.dict" -artifact_prefix="$findings/$t/" -print_final_stats=1 ${extra[$t]} >"$log" 2>&1 || rc=$?
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$log" || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
  if [ "$rc" -ne 0 ]; then
    failed=1
    tail -n 60 "$log"
    echo "== $t FAILED (exit $rc)"
    for r in $(grep -oE "Test unit written to [^ ]+" "$log" | awk '{print $5}'); do
      echo "reproducer: $r"
      echo "  replay:   $binary $r"
      echo "  once fixed, keep it as fuzz/corpus/$t/$(basename "$r")"
    done
  fi
done
exit "$failed"
