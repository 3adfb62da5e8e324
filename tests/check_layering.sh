#!/usr/bin/env bash
# Fails when a core folder (or the run time) includes a header of Qt, SDL, FluidSynth, X11 or the OS,
# or when platform/ includes the core. The core reaches the machine only through platform/, and
# platform/ serves the core without knowing it; what both need lives in runtime/.
set -u
root=${1:-.}
status=0
pattern='#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/|SDL|fluidsynth|X11/|xcb|unistd\.h|sys/|fcntl\.h|dirent\.h|dlfcn\.h|pthread\.h|signal\.h|crypt\.h|pwd\.h|windows\.h|platform/[a-z_]*_qt)'
hits=$(grep -rnE "$pattern" "$root"/runtime "$root"/host "$root"/sprites "$root"/audio "$root"/dialog 2>/dev/null)
if [ -n "$hits" ]; then
  echo "core includes a platform header:"
  echo "$hits"
  status=1
fi
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](host|sprites|audio|dialog)/' "$root"/platform 2>/dev/null)
if [ -n "$hits" ]; then
  echo "platform includes the core:"
  echo "$hits"
  status=1
fi
[ $status -eq 0 ] && echo "core and platform keep to their layers"
exit $status
