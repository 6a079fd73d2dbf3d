#!/usr/bin/env bash
# Installs the Debian packages the player, its tests and benchmarks need.
# Safe to run again: packages already present are left alone.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config clang-format ccache
    qt6-base-dev libgl-dev libxcb1-dev
    libsndfile1-dev libmpg123-dev libvorbis-dev libogg-dev libopenmpt-dev libsamplerate0-dev portaudio19-dev libfftw3-dev libmpv-dev
    libpulse-dev libasound2-dev pulseaudio
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core fonts-dejavu-extra
    xvfb xauth xdotool x11-utils imagemagick libx11-dev libxtst-dev xdg-utils ffmpeg trayer openbox
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
