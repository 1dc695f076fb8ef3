#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for the given number
# of seconds (default 20), starting from the checked-in seeds in fuzz/corpus/. Found inputs go
# to a scratch folder, not into the checkout. Fails when any target finds a fault.
#   scripts/run-fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ParameterFileFuzz ImageCacheFuzz IniFileFuzz UnitHeaderFuzz
                                     MonitorFuzz LinkFuzz UnitSimFuzz)

missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

CXX=clang++ cmake -G Ninja -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORDANA_FUZZ=ON \
    -DKORDANA_BUILD_TESTS=OFF -DKORDANA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
for t in "${targets[@]}"; do
    mkdir -p "$work/$t"
    cp fuzz/corpus/"$t"/* "$work/$t"/ 2>/dev/null || true
    log="$work/$t.log"
    if (cd "$work" && "$OLDPWD/build-fuzz/bin/$t" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$work/$t-" "$work/$t" >"$log" 2>&1); then
        execs=$(grep -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$')
        echo "$t: $execs runs, coverage $cov edges, no fault"
    else
        echo "$t: FAULT"
        grep -E 'property does not hold|ERROR:|SUMMARY' "$log" | head -5
        for a in "$work/$t"-*; do [ -e "$a" ] && cp "$a" . && echo "  input kept as ./$(basename "$a")"; done
        failed=1
    fi
done
exit $failed
