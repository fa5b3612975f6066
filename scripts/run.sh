#!/usr/bin/env bash
# Builds the program and shows it working: starts a simulated amplifier on a
# private virtual HID bus and asks it who it is, as a real amplifier would be
# asked over USB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DRAVO_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"

bus=$(mktemp -d)
"$build/src/sim/dravo-sim" --bus "$bus" --id amp1 &
sim=$!
trap 'kill $sim 2>/dev/null; rm -rf "$bus"' EXIT
for _ in $(seq 50); do [[ -S $bus/amp1.sock ]] && break; sleep 0.1; done

export DRAVO_HID_BUS=$bus
"$build/src/cli/dravo-cli" devices
"$build/src/cli/dravo-cli" probe
