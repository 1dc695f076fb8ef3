#!/usr/bin/env bash
# Builds the Debian package build/kordana_<version>_amd64.deb (programs, desktop entry, icon,
# manual, udev rule) and checks it with lintian when lintian is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh kordana kordana-cli kordana-unit-sim kordana_manual kordana_package_docs
(cd build && cpack -G DEB)
if command -v lintian >/dev/null; then
    lintian build/kordana_*_amd64.deb
fi
