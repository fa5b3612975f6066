#!/usr/bin/env bash
# Configures and builds into ./build (or $DRAVO_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DRAVO_BUILD_DIR:-$root/build}
"$root/scripts/setup-debian.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)"
