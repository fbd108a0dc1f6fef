#!/usr/bin/env bash
# Configures and builds into build/ (or $OV_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${OV_BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${OV_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$dir" --parallel "$(nproc)"
