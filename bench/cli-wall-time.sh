#!/bin/sh
# Wall time of `kordana-cli program` and `kordana-cli read` against kordana-unit-sim answering at
# once on a pseudo-terminal. Uses hyperfine when installed, else a number of timed runs.
#
#   bench/cli-wall-time.sh [BIN_DIR] [RUNS]     (defaults: build/bin, 10)
set -eu
BIN=${1:-build/bin}
RUNS=${2:-10}
WORK=$(mktemp -d)
SIM_PID=
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

"$BIN/kordana-unit-sim" >"$WORK/sim.out" 2>/dev/null &
SIM_PID=$!
while [ ! -s "$WORK/sim.out" ]; do sleep 0.05; done
DEV=$(head -n 1 "$WORK/sim.out")
XDG_CONFIG_HOME="$WORK"
export XDG_CONFIG_HOME
"$BIN/kordana-cli" defaults --preset 1 --out "$WORK/p1.ign"

PROGRAM="$BIN/kordana-cli program --port $DEV $WORK/p1.ign"
READ="$BIN/kordana-cli read --port $DEV --out $WORK/back.ign"

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine --runs "$RUNS" --warmup 1 "$PROGRAM" "$READ"
    exit 0
fi

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
        END { printf "%-8s runs %d  min %.3f s  median %.3f s  max %.3f s\n",
              name, NR, t[1], (NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2), t[NR] }'
}

measure program $PROGRAM
measure read $READ
cmp -s "$WORK/p1.ign" "$WORK/back.ign" && echo "read gave the programmed file back"
