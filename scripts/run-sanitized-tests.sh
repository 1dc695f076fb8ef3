#!/usr/bin/env bash
# Builds the core, kordana-cli and the simulated unit with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs their tests there (kordana-cli and the
# simulator under test are the sanitized ones). Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
tests=(tests_params tests_lang tests_link tests_monitor tests_session tests_settings tests_storage
       tests_library
       tests_tools)
cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORDANA_SANITIZE=ON \
    -DKORDANA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --target "${tests[@]}" kordana-cli kordana-unit-sim
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export KORDANA_BIN_DIR="$PWD/build-asan/bin"
for t in "${tests[@]}"; do
    echo "== $t (sanitized)"
    build-asan/bin/"$t" --gtest_brief=1
done
