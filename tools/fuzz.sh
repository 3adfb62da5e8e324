#!/usr/bin/env bash
# Builds the libFuzzer programs with clang into build/fuzz and runs each for SECONDS:
#   tools/fuzz.sh TARGET|all SECONDS
# A target's corpus starts from tests/fuzz/seeds/TARGET and tests/fuzz/regressions/TARGET and
# grows in build/fuzz/corpus/TARGET, its mutations helped by tests/fuzz/dictionaries/TARGET.dict
# where there is one. An input that breaks the target is written to build/fuzz/crashes/TARGET/,
# and the script ends with status 1 once every target has run.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=()
for folder in tests/fuzz/seeds/*/; do targets+=("$(basename "$folder")"); done
if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]] ||
   { [ "$1" != all ] && ! [ -d "tests/fuzz/seeds/$1" ]; }; then
  echo "usage: tools/fuzz.sh TARGET|all SECONDS   (targets: ${targets[*]})" >&2
  exit 2
fi
[ "$1" = all ] || targets=("$1")
seconds=$2

# The project's own packages and build first; libFuzzer comes with clang's runtime libraries.
tools/setup.sh
tools/install_packages.sh clang libclang-rt-14-dev

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DFINBROOK_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz --target "${targets[@]/#/fuzz_}"

# The targets write their scratch files often: keep them in memory where it can, in a folder
# that goes when the script ends, also after a target that broke had no time to clean up.
scratch_root=/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch_root=/dev/shm; fi
TMPDIR=$(mktemp -d "$scratch_root/finbrook-fuzz.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
failed=()
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  crashes=build/fuzz/crashes/$target
  mkdir -p "$corpus" "$crashes"
  kept=(tests/fuzz/seeds/"$target")
  [ -d "tests/fuzz/regressions/$target" ] && kept+=(tests/fuzz/regressions/"$target")
  options=(-max_total_time="$seconds" -timeout=10 -artifact_prefix="$crashes/" -print_final_stats=1)
  dictionary=tests/fuzz/dictionaries/$target.dict
  [ -f "$dictionary" ] && options+=(-dict="$dictionary")
  echo "== fuzz_$target for $seconds s"
  build/fuzz/tests/fuzz/fuzz_"$target" "${options[@]}" "$corpus" "${kept[@]}" ||
    failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "broken: ${failed[*]} (inputs in build/fuzz/crashes/)" >&2
  exit 1
fi
