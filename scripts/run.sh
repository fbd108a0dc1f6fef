#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds and starts the player.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
OV_BUILD_DIR=build bash scripts/build.sh -DOV_BUILD_TESTS=OFF -DOV_BUILD_BENCH=OFF
exec build/src/app/orvantis
