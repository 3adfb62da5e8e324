#!/usr/bin/env bash
# Fails when a core folder (or the run time) includes a header of Qt, SDL, FluidSynth, X11 or the OS.
# The core reaches the machine only through platform/.
set -u
root=${1:-.}
pattern='#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/|SDL|fluidsynth|X11/|xcb|unistd\.h|sys/|fcntl\.h|dirent\.h|dlfcn\.h|pthread\.h|signal\.h|crypt\.h|pwd\.h|windows\.h|platform/[a-z_]*_qt)'
hits=$(grep -rnE "$pattern" "$root"/runtime "$root"/host "$root"/sprites "$root"/audio "$root"/dialog 2>/dev/null)
if [ -n "$hits" ]; then
  echo "core includes a platform header:"
  echo "$hits"
  exit 1
fi
echo "core is free of platform headers"
