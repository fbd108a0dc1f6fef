#!/usr/bin/env bash
# start DIR: starts a private PulseAudio server with a null sink "cap" under DIR
#            and prints the PULSE_SERVER value; stop DIR: stops it.
set -euo pipefail
cmd=$1 dir=$2
case "$cmd" in
  start)
    mkdir -p "$dir/run" "$dir/home"
    chmod 700 "$dir/run"
    cat > "$dir/default.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/run/native
load-module module-null-sink sink_name=cap norewinds=1 format=s16le rate=44100 channels=2
set-default-sink cap
PA
    HOME=$dir/home XDG_RUNTIME_DIR=$dir/run pulseaudio -n -F "$dir/default.pa" --daemonize=no \
      --exit-idle-time=-1 --disallow-exit --use-pid-file=no --disable-shm=yes \
      --log-target=file:"$dir/pulse.log" >/dev/null 2>&1 &
    echo $! > "$dir/pulse.pid"
    for _ in $(seq 1 100); do
      if PULSE_SERVER=unix:$dir/run/native pactl info >/dev/null 2>&1; then
        echo "unix:$dir/run/native"
        exit 0
      fi
      sleep 0.1
    done
    echo "PulseAudio test server did not start; see $dir/pulse.log" >&2
    exit 1 ;;
  stop)
    [ -f "$dir/pulse.pid" ] && kill "$(cat "$dir/pulse.pid")" 2>/dev/null || true ;;
esac
