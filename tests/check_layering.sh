#!/usr/bin/env bash
# Fails when a core folder (or the run time) includes a header of Qt, SDL, FluidSynth, X11 or the OS.
# The core reaches the machine only through platform/.
pattern='#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/|SDL|fluidsynth|X11/|xcb|unistd\.h|sys/|fcntl\.h|dirent\.h|dlfcn\.h|pthread\.h|signal\.h|crypt\.h|pwd\.h|windows\.h|platform/[a-z_]*_qt)'
if grep -rnE "$pattern" "${1:-.}"/{runtime,host,sprites,audio,dialog}; then
  echo "core includes a platform header (above)"
  exit 1
fi
echo "core is free of platform headers"
