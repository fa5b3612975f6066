#!/usr/bin/env bash
# Builds the program and opens it. With an amplifier plugged in it connects
# to it; without one it runs against the built-in simulated amplifier
# (--demo). On a machine without a display it renders the demo window to a
# picture and prints where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DRAVO_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"

tune="$build/src/ui/main/dravo-tune"
cli="$build/src/cli/dravo-cli"

if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  if [[ -n $("$cli" devices 2>/dev/null) ]]; then
    exec "$tune"
  fi
  echo "No amplifier attached: starting with the simulated amplifier."
  exec "$tune" --demo
fi

out="$build/dravo-tune-demo.png"
QT_QPA_PLATFORM=offscreen "$tune" --demo --screenshot "$out" >/dev/null
echo "No display here. The demo window (connected to the simulated amplifier) is drawn in:"
echo "  $out"
echo "Under X without a desktop: xvfb-run -a $tune --demo"
