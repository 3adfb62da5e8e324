#!/usr/bin/env bash
# Sets up and builds, then runs every test: unit tests, the layering check and the end-to-end
# tests, which start their own virtual X servers.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
