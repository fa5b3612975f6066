#!/usr/bin/env bash
# Profiles through dravo-cli against dravo-sim on a private bus: what is
# saved from the amplifier, changed and loaded back must come out of the
# amplifier again byte for byte; bad files and missing devices fail with one
# clear line and a non-zero exit.
set -euo pipefail
sim=$1 cli=$2
bus=$(mktemp -d)
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$bus" "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wait_attached() { for _ in $(seq 100); do [[ -S $bus/$1.sock && -f $bus/$1.json ]] && return 0; sleep 0.05; done; fail "$1 never attached"; }
# Runs the tool expecting failure: a non-zero exit and exactly one line.
expect_failure() {
    local out rc
    set +e; out=$("$cli" "$@" 2>&1); rc=$?; set -e
    [[ $rc -ne 0 && $(wc -l <<<"$out") -eq 1 ]] || fail "$*: rc=$rc out=$out"
    echo "$out"
}

export DRAVO_HID_BUS=$bus

# No amplifier yet: saving fails and writes nothing.
expect_failure save "$work/none.spf" >/dev/null
[[ ! -e $work/none.spf ]] || fail "save without a device wrote a file"

"$sim" --bus "$bus" --id amp1 --latency-ms 0 >/dev/null & pids+=($!)
wait_attached amp1

# The live state as the amplifier has it.
"$cli" save "$work/a.spf" >/dev/null
grep -q '^{"model":96,"model_name":"DRAVO-8.12",' "$work/a.spf" || fail "a.spf: $(head -c 200 "$work/a.spf")"

# Change values the amplifier keeps: main volume, a level, a band's gain and Q.
sed -e 's/"mainVolume":[0-9]*/"mainVolume":20/' \
    -e '0,/"gain":0,/s//"gain":-7.5,/' \
    -e '0,/"eqFactor":[0-9.]*,"eqGain":0,/s//"eqFactor":1.5,"eqGain":-4.5,/' "$work/a.spf" >"$work/b.spf"
! cmp -s "$work/a.spf" "$work/b.spf" || fail "the edit changed nothing"
out=$("$cli" load "$work/b.spf")
[[ $out == "loaded $work/b.spf" ]] || fail "load: $out"
"$cli" save "$work/c.spf" >/dev/null
cmp "$work/b.spf" "$work/c.spf" || fail "what was loaded did not come back: $(cmp "$work/b.spf" "$work/c.spf" || true)"

# The whole amplifier: saved, loaded into its scene slots, saved again.
"$cli" save "$work/w.wpf" >/dev/null
grep -q '"sceneName":\[' "$work/w.wpf" && grep -q '"sceneArray":\[' "$work/w.wpf" || fail "w.wpf lacks its scenes"
"$cli" load "$work/w.wpf" >/dev/null
"$cli" save "$work/w2.wpf" >/dev/null
cmp "$work/w.wpf" "$work/w2.wpf" || fail "the whole profile did not come back"

# The curve of an output: a header and 512 points of three numbers.
"$cli" curve "$work/b.spf" --output 1 >"$work/curve.txt"
[[ $(head -1 "$work/curve.txt") == "# CH1 of $work/b.spf: frequency_hz gain_db phase_deg" ]] || fail "curve header"
[[ $(grep -vc '^#' "$work/curve.txt") -eq 512 ]] || fail "curve has $(grep -vc '^#' "$work/curve.txt") points"
grep -v '^#' "$work/curve.txt" | grep -qvE '^[0-9.]+	-?[0-9.]+	-?[0-9.]+$' && fail "curve line: $(grep -v '^#' "$work/curve.txt" | head -1)"

# Bad files, bad arguments and an unwritable path.
printf '{"model":95}' >"$work/other.spf"
expect_failure load "$work/other.spf" | grep -q "another model" || fail "model 95 not named"
sed -e 's/"eqSize":31,/"eqSize":32,/' "$work/b.spf" >"$work/big.spf"
expect_failure load "$work/big.spf" | grep -q 'channels\[0\].eqSize' || fail "bad item not named"
expect_failure load "$work/missing.spf" >/dev/null
expect_failure curve "$work/b.spf" --output 13 >/dev/null
expect_failure save "$work/profile.txt" >/dev/null
expect_failure save "$work/no/such/folder/x.spf" | grep -q "cannot create" || fail "unwritable path"
cmp "$work/b.spf" "$work/c.spf" >/dev/null || fail "a failed command touched a file"

echo "cli profiles over bus: ok"
