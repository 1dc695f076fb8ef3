#!/bin/sh
# The fast link against kordana-unit-sim answering at once on a pseudo-terminal:
#  - wall time of `kordana-cli program` at the tick pace and with --fast (program + verify);
#  - `kordana-cli monitor --fast --csv` for SECONDS: frames a second, and every answered
#    monitor request a row of the CSV.
#
#   [SIM_ARGS="--reply-ms 35"] bench/fast-link-wall-time.sh [BIN_DIR] [RUNS] [SECONDS]
#   (defaults: build/bin, 10, 5; SIM_ARGS go to kordana-unit-sim, 35 ms is about one exchange
#   of two frames at 57600 baud)
# Budgets: fast program <= 1.66 s (1.2 x the wire's 1.38 s), tick pace <= 2.36 s (1.1 x
# 2.145 s), fast monitor >= 15 frames/s.
set -eu
BIN=${1:-build/bin}
RUNS=${2:-10}
SECONDS_MONITOR=${3:-5}
WORK=$(mktemp -d)
SIM_PID=
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

"$BIN/kordana-unit-sim" --verbose ${SIM_ARGS:-} >"$WORK/sim.out" 2>"$WORK/sim.log" &
SIM_PID=$!
while [ ! -s "$WORK/sim.out" ]; do sleep 0.05; done
DEV=$(head -n 1 "$WORK/sim.out")
XDG_CONFIG_HOME="$WORK"
export XDG_CONFIG_HOME
"$BIN/kordana-cli" defaults --preset 1 --out "$WORK/p1.ign"

# One command RUNS times; prints min, median and max wall seconds.
measure() {
    name=$1
    shift
    i=0
    : >"$WORK/times"
    while [ "$i" -lt "$RUNS" ]; do
        start=$(date +%s.%N)
        "$@" >/dev/null
        end=$(date +%s.%N)
        echo "$end - $start" | bc >>"$WORK/times"
        i=$((i + 1))
    done
    sort -n "$WORK/times" | awk -v name="$name" '
        { t[NR] = $1 }
        END { printf "%-14s runs %d  min %.3f s  median %.3f s  max %.3f s\n",
              name, NR, t[1], (NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2), t[NR] }'
}

measure program "$BIN/kordana-cli" program --port "$DEV" "$WORK/p1.ign"
measure program-fast "$BIN/kordana-cli" program --fast --port "$DEV" "$WORK/p1.ign"

asked_before=$(grep -c "request 0x30" "$WORK/sim.log" || true)
"$BIN/kordana-cli" monitor --fast --port "$DEV" --seconds "$SECONDS_MONITOR" \
    --csv "$WORK/live.csv" >/dev/null
sleep 0.2
asked=$(($(grep -c "request 0x30" "$WORK/sim.log") - asked_before))
rows=$(($(wc -l <"$WORK/live.csv") - 1))
echo "monitor-fast   $SECONDS_MONITOR s  $rows CSV rows  $asked requests" \
    "  $(echo "scale=1; $rows / $SECONDS_MONITOR" | bc) frames/s"
