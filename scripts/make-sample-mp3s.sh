#!/usr/bin/env bash
# Writes COUNT short tagged MP3 files with covers into DIR, as sample music
# for screenshots and trying the player out: make-sample-mp3s.sh DIR [COUNT]
set -euo pipefail
dir=$1
count=${2:-24}
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
albums=("Harbour Lights" "Copper Lanterns" "Quiet Engine" "Northern Rooms")
artists=("The Tidewater Trio" "Mila Hart" "Static Gardens" "Owen Vale")
words=(Morning Tide Silver Rain Paper Moon Slow River Lantern Signal Echo Velvet Winter Road Amber Harbor Glass Garden)
colours=("#2a6fc9" "#c9782a" "#3ca05a" "#8a3cc9")
for a in 0 1 2 3; do
  convert -size 300x300 "radial-gradient:white-${colours[$a]}" "$work/cover$a.png"
done
for ((i = 1; i <= count; i++)); do
  a=$(( (i - 1) % 4 ))
  title="${words[$(( (i * 3) % ${#words[@]} ))]} ${words[$(( (i * 7 + 1) % ${#words[@]} ))]}"
  python3 - "$work/t.wav" "$i" <<'PY'
import math, struct, sys, wave
path, n = sys.argv[1], int(sys.argv[2])
rate, seconds = 22050, 20 + n % 7
freq = 220.0 * 2 ** ((n % 12) / 12)
with wave.open(path, "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * freq * t / rate)))
                           for t in range(rate * seconds)))
PY
  lame --quiet -b 64 --tt "$title" --ta "${artists[$a]}" --tl "${albums[$a]}" --tn "$(( (i - 1) / 4 + 1 ))" \
    --ti "$work/cover$a.png" "$work/t.wav" "$dir/$(printf '%02d' "$i") $title.mp3"
done
