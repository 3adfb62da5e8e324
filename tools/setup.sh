#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then configures and builds
# everything into build/. Arguments are passed to CMake's configure step (tools/test.sh passes
# -DFINBROOK_WERROR=ON). Safe to run again: it does only what is left to do.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install_packages.sh \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-qpa-plugins libx11-dev libxext-dev libxdamage-dev libcrypt-dev \
  libfluidsynth-dev timgm6mb-soundfont libsdl2-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  xvfb xdotool xauth x11-utils imagemagick fonts-liberation2 xdg-utils

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j "$jobs"
