#!/usr/bin/env bash
# Configures and builds into ./build (release with debug info): everything, or the given targets.
set -euo pipefail
cd "$(dirname "$0")/.."
# A compiler cache, where one is installed, makes a second checkout's build quick.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build --target "$@"
else
    cmake --build build
fi
