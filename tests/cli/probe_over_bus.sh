#!/usr/bin/env bash
# dravo-sim on a private bus; dravo-cli must find it, probe it, report the
# usual failures with one clear line and a non-zero exit, and see it leave.
set -euo pipefail
sim=$1 cli=$2
bus=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$bus"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wait_attached() { for _ in $(seq 100); do [[ -S $bus/$1.sock && -f $bus/$1.json ]] && return 0; sleep 0.05; done; fail "$1 never attached"; }
wait_detached() { for _ in $(seq 100); do [[ ! -e $bus/$1.sock && ! -e $bus/$1.json ]] && return 0; sleep 0.05; done; fail "$1 never detached"; }

export DRAVO_HID_BUS=$bus

# Nothing attached: devices lists nothing, probe says so and fails.
[[ -z $("$cli" devices) ]] || fail "devices listed something on an empty bus"
set +e; out=$("$cli" probe 2>&1); rc=$?; set -e
[[ $rc -ne 0 && $(wc -l <<<"$out") -eq 1 ]] || fail "probe without a device: rc=$rc out=$out"

"$sim" --bus "$bus" --id amp1 --serial SN-0001 >/dev/null & pids+=($!)
wait_attached amp1

list=$("$cli" devices)
grep -q "^SN-0001	" <<<"$list" || fail "devices: $list"
grep -q "$bus/amp1.sock" <<<"$list" || fail "devices lacks the socket path: $list"

out=$("$cli" probe)
grep -q "^model 96 " <<<"$out" || fail "probe: $out"
grep -q "^firmware version 1.33$" <<<"$out" || fail "probe: $out"
out=$("$cli" probe --device "$bus/amp1.sock")
grep -q "^model 96 " <<<"$out" || fail "probe --device: $out"

# A wrong model is refused.
"$sim" --bus "$bus" --id amp2 --model 95 >/dev/null & pids+=($!)
wait_attached amp2
set +e; out=$("$cli" probe --device "$bus/amp2.sock" 2>&1); rc=$?; set -e
[[ $rc -ne 0 ]] && grep -q "wrong model 95" <<<"$out" || fail "wrong model: rc=$rc out=$out"

# Removing the devices empties the list.
kill "${pids[@]}"; wait "${pids[@]}" 2>/dev/null || true; pids=()
wait_detached amp1; wait_detached amp2
[[ -z $("$cli" devices) ]] || fail "devices still listed after removal"
echo "cli probe over bus: ok"
