#!/usr/bin/env bash
# Runs the same random action sequences through the native core and the
# WebAssembly core in node (the page's core target and flags, built in the
# site's build tree) and compares the state after every action.
#   compare-trace.sh NATIVE_TRACE NODE WASM_TRACE_JS
set -euo pipefail
native=$1 node=$2 wasm=$3
if [ ! -f "$wasm" ]; then
  echo "No WebAssembly trace program $wasm: build the site first (make web)"
  exit 1
fi
seed=${ROLLWERK_RANDOM_SEED:-20261208}
sequences=${ROLLWERK_TRACE_SEQUENCES:-10000}
actions=${ROLLWERK_TRACE_ACTIONS:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$native" "$seed" 0 "$sequences" "$actions" >"$work/native" &
native_pid=$!
"$node" "$wasm" "$seed" 0 "$sequences" "$actions" >"$work/wasm"
wait "$native_pid"

for side in native wasm; do
  lines=$(wc -l <"$work/$side")
  if [ "$lines" -ne "$sequences" ]; then
    echo "the $side trace has $lines of $sequences sequences"
    exit 1
  fi
done
if cmp -s "$work/native" "$work/wasm"; then
  echo "seed $seed: $sequences sequences of $actions actions, every state identical"
  exit 0
fi

# Print the first differing line of the first differing sequence and the action before it.
sequence=$( (diff "$work/native" "$work/wasm" || true) | sed -n 's/^< \([0-9]*\) .*/\1/p' | head -n 1)
echo "seed $seed: sequence $sequence differs; first difference (native <, wasm >):"
"$native" "$seed" "$sequence" 1 "$actions" full >"$work/native-full"
"$node" "$wasm" "$seed" "$sequence" 1 "$actions" full >"$work/wasm-full"
line=$(cmp "$work/native-full" "$work/wasm-full" | sed -n 's/.* line \([0-9]*\).*/\1/p' || true)
echo "in the state after: $(head -n "${line:-1}" "$work/native-full" | grep '^sequence' | tail -n 1)"
diff "$work/native-full" "$work/wasm-full" | head -n 4 || true
exit 1
