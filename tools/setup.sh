#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then configures and builds
# everything into build/. Safe to run again: it does only what is left to do.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libx11-dev libxext-dev libxdamage-dev libcrypt-dev
  libfluidsynth-dev timgm6mb-soundfont libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool xauth x11-utils imagemagick fonts-liberation2 xdg-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing Debian packages: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
    "${missing[@]}"
fi

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
