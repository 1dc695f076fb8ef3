#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, if any are missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-datavisualization-dev
          qt6-charts-dev libgtest-dev libgmock-dev libbenchmark-dev clang-format fonts-dejavu-core
          libgit2-dev xvfb xauth imagemagick poppler-utils socat dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
