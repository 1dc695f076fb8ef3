#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program against the simulated unit.
# The simulator serves a pseudo-terminal; the program's COM1 points at it through a demo
# configuration folder of its own, so a user's real settings are never touched.
# The simulated unit runs its built-in engine on the dyno profile, so the monitor shows an
# engine that answers the set it holds; extra arguments go to the simulator
# (scripts/run-demo.sh --profile track, or --engine FILE).
# With a real unit, start build/bin/kordana directly (see README: serial ports).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh kordana kordana-unit-sim kordana-cli kordana_manual

demo="$PWD/demo-config"
mkdir -p "$demo/kordana"
link="$demo/unit-sim-tty"
build/bin/kordana-unit-sim --link "$link" --ppid $$ --engine "$@" >"$demo/unit-sim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

ini="$demo/kordana/Kordana_R_2006.ini"
# COM1 points at the simulator's fixed link path; every demo start selects COM1 again.
if [ ! -f "$ini" ]; then
    printf '[PORTS]\nCOM1=%s\n\n[FORM_HLAV]\nComPort=1\n' "$link" >"$ini"
else
    sed -i 's/^ComPort=.*/ComPort=1/I' "$ini"
fi
XDG_CONFIG_HOME="$demo" build/bin/kordana
