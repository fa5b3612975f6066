#!/bin/sh
# Starts dravo-tune on its simulated amplifier RUNS times (default 5) without
# a display and prints the median time from process start to the connected
# window, and the median resident memory at that moment. The scale is fixed at
# 100 %: the offscreen screen would otherwise suggest a smaller page.
#   run_startup_bench.sh [path/to/dravo-tune] [RUNS]
set -eu

program=${1:-$(dirname "$0")/../../build/src/ui/main/dravo-tune}
runs=${2:-5}
limit_ms=1500
limit_kb=153600

if [ ! -x "$program" ]; then
    echo "run_startup_bench.sh: no program at $program" >&2
    exit 2
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

# A folder of its own for the working directory (no savelog.ini or debug.ini
# from elsewhere) and for the single-instance lock (a copy the user has open
# would make every run a second copy).
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"

times=""
memory=""
i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    line=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch" \
        "$program" --demo --scale 100 --report-startup 2>/dev/null | grep '^startup_ms=' || true)
    if [ -z "$line" ]; then
        echo "run $i: no report" >&2
        exit 1
    fi
    echo "run $i: $line"
    times="$times $(echo "$line" | sed 's/.*startup_ms=\([0-9-]*\).*/\1/')"
    memory="$memory $(echo "$line" | sed 's/.*rss_kb=\([0-9-]*\).*/\1/')"
done

median() {
    printf '%s\n' $1 | sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

ms=$(median "$times")
kb=$(median "$memory")
verdict() { if [ "$1" -le "$2" ]; then echo "within"; else echo "OVER"; fi; }
echo "median startup_ms=$ms ($(verdict "$ms" "$limit_ms") ${limit_ms} ms) rss_kb=$kb ($(verdict "$kb" "$limit_kb") $((limit_kb / 1024)) MB)"
