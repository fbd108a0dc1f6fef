#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds and runs the whole test suite
# (a private PulseAudio server is started for the real-time audio tests).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
bash scripts/build.sh
pulse_dir=$(mktemp -d /tmp/ov-pulse.XXXXXX)
trap 'bash "$root/scripts/pulse-test-server.sh" stop "$pulse_dir"; rm -rf "$pulse_dir"' EXIT
PULSE_SERVER=$(bash "$root/scripts/pulse-test-server.sh" start "$pulse_dir")
export PULSE_SERVER
cd "${OV_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 900 "$@"
