#!/usr/bin/env bash
# Configures and builds into ./build (release with debug info): everything, or the given targets.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
