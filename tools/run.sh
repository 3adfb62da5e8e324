#!/usr/bin/env bash
# Sets up and builds, then starts the full-screen saver with the built-in media.
# Any arguments are passed to the program ("/c" for the settings dialog, and so on).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
if [ -z "${DISPLAY:-}" ]; then
  cat <<'MSG'
There is no display here (DISPLAY is not set), so the saver has no screen to fill.
To see it anyway, run it under a virtual X server and take a screenshot:
  Xvfb :42 -noreset -screen 0 1024x768x24 & sleep 1
  DISPLAY=:42 build/finbrook /s & sleep 5
  DISPLAY=:42 import -window root saver.png      # then open saver.png
  kill %2 %1
MSG
  exit 1
fi
exec build/finbrook "${@:-/s}"
