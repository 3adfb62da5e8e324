#!/usr/bin/env bash
# Sets up and builds, then runs every test: unit tests, the layering check and the end-to-end
# tests, which start their own virtual X servers. Then the unit tests once more, built into
# build/asan with AddressSanitizer and UndefinedBehaviorSanitizer. Both builds treat warnings as
# errors.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh -DFINBROOK_WERROR=ON
jobs=$(nproc)
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFINBROOK_SANITIZE=ON \
  -DFINBROOK_WERROR=ON >/dev/null
cmake --build build/asan -j "$jobs"
cd build/asan
ctest --output-on-failure -j "$jobs" --timeout 300 -LE e2e
