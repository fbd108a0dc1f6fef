#!/usr/bin/env bash
# Installs the Debian 12 packages Orvantis needs to build, run and test,
# only those that are missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libgl-dev
  libmpg123-dev libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libtag1-dev libsqlite3-dev libasound2-dev libgcrypt20-dev fonts-vlgothic
  clang-format xvfb xdotool imagemagick desktop-file-utils appstream playerctl dbus pulseaudio pulseaudio-utils libasound2-plugins lame sqlite3
  sox flac opus-tools vorbis-tools ffmpeg
)
# The Statistics window: charts and their SVG export.
packages+=(qt6-charts-dev qt6-svg-dev libqt6opengl6-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
