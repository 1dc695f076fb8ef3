#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. No display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# Four at once on two cores: the end-to-end suites spend most of their time waiting on the
# unit's real 55 ms ticks, so they run beside the others instead of holding a core.
ctest --test-dir build --output-on-failure --timeout 300 -j4
