#!/usr/bin/env bash
# Runs the test suite against deliberate faults (tools/mutate/mutations.txt) to show which ones
# it catches. Not part of the test suite and not run by CI.
#
#   tools/mutate/run.sh [--check] [--no-baseline] [--file FILE] [ID...]
#
# The work happens in a scratch copy of the tree with a build of its own (MUTATE_DIR, by default
# /tmp/finbrook-mutate), kept between runs so that each fault rebuilds only what it touches. The
# copy is brought up to date with this tree's files, committed or not, at the start of a run.
# For each fault: apply it, rebuild the program and the test binaries, run the unit tests and,
# only when they all pass, the end-to-end tests; then put the file back. A failing stage is run
# once more on its failed tests, so that a test that fails only now and then catches nothing.
#
#   --check        only tell whether each fault still applies to the current code
#   --no-baseline  skip the run of the whole suite on the unchanged tree (it must pass)
#   --file FILE    take the faults from FILE
#   ID...          run only these faults
#
# Results: CAUGHT (a test failed; the binaries or end-to-end tests that caught it are named),
# SURVIVED, INVALID (the fault did not build: fix its text) or N/A (its find text does not occur
# exactly once in its file). The last line is "caught N of M", M counting the faults that applied
# and built. JOBS (default: at most 4) limits the build and the unit test run.
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true

root=$(cd "$(dirname "$0")/../.." && pwd)
list=$root/tools/mutate/mutations.txt
work=${MUTATE_DIR:-/tmp/finbrook-mutate}
jobs=${JOBS:-$(($(nproc) < 4 ? $(nproc) : 4))}
unit_timeout=120
e2e_timeout=180
check_only=false
baseline=true
wanted=()
while [ $# -gt 0 ]; do
  case $1 in
    --check) check_only=true ;;
    --no-baseline) baseline=false ;;
    --file)
      list=$(realpath "$2")
      shift
      ;;
    -h | --help)
      sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    -*)
      echo "unknown option $1" >&2
      exit 2
      ;;
    *) wanted+=("$1") ;;
  esac
  shift
done

# ---- the list of faults ----

ids=() files=() finds=() intos=() whats=()
add_entry() {
  [ -n "$id" ] || return 0
  if [ -z "$file" ] || [ -z "$find" ]; then
    echo "$list: $id lacks its file or find line" >&2
    exit 2
  fi
  for other in "${ids[@]}"; do
    if [ "$other" = "$id" ]; then
      echo "$list: two faults are named $id" >&2
      exit 2
    fi
  done
  ids+=("$id") files+=("$file") finds+=("$find") intos+=("$into") whats+=("$what")
  id="" file="" find="" into="" what="" last=""
}
id="" file="" find="" into="" what="" last=""
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    '#'*) ;;
    '') add_entry ;;
    'id: '*) id=${line#id: } ;;
    'file: '*) file=${line#file: } ;;
    'find: '*) find=${line#find: } last=find ;;
    'into:' | 'into: ') into="" last=into ;;
    'into: '*) into=${line#into: } last=into ;;
    'more: '*)
      case $last in
        find) find+=$'\n'${line#more: } ;;
        into) into+=$'\n'${line#more: } ;;
        *)
          echo "$list: a more line must follow a find or into line: $line" >&2
          exit 2
          ;;
      esac
      ;;
    'what: '*) what=${line#what: } ;;
    *)
      echo "$list: cannot read the line: $line" >&2
      exit 2
      ;;
  esac
done <"$list"
add_entry

selected=()
if [ ${#wanted[@]} -eq 0 ]; then
  selected=("${!ids[@]}")
else
  for w in "${wanted[@]}"; do
    found=""
    for i in "${!ids[@]}"; do [ "${ids[$i]}" = "$w" ] && found=$i; done
    if [ -z "$found" ]; then
      echo "no fault named $w in $list" >&2
      exit 2
    fi
    selected+=("$found")
  done
fi

# Reads file $2 whole into the variable named $1 (a plain command substitution would drop the
# file's last line breaks).
read_into() {
  local -n into_var=$1
  into_var=$(
    cat "$2"
    printf x
  )
  into_var=${into_var%x}
}

# How often fault $1's find text occurs in the file under folder $2.
occurrences() {
  local path=$2/${files[$1]} text rest
  [ -f "$path" ] || {
    echo 0
    return
  }
  read_into text "$path"
  rest=${text//"${finds[$1]}"/}
  echo $(((${#text} - ${#rest}) / ${#finds[$1]}))
}

if $check_only; then
  status=0
  for i in "${selected[@]}"; do
    n=$(occurrences "$i" "$root")
    if [ "$n" = 1 ]; then
      printf '%-36s applies\n' "${ids[$i]}"
    else
      printf '%-36s N/A (found %s times in %s)\n' "${ids[$i]}" "$n" "${files[$i]}"
      status=1
    fi
  done
  exit $status
fi

# ---- the scratch tree ----

mkdir -p "$work"
exec 9>"$work/lock"
flock -n 9 || {
  echo "another mutation run is using $work" >&2
  exit 1
}
src=$work/src
build=$work/build
logs=$work/logs
rm -rf "$logs"
mkdir -p "$src" "$logs"

# Copies this tree's files (committed or not, but not ignored) into the scratch tree, touching
# only those that differ so that the build there stays incremental, and removes the others.
sync_tree() {
  local f
  (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
    while IFS= read -r -d '' f; do
      [ -f "$root/$f" ] || continue
      if ! cmp -s "$root/$f" "$src/$f"; then
        mkdir -p "$(dirname "$src/$f")"
        cp "$root/$f" "$src/$f"
      fi
      printf '%s\n' "$f"
    done | sort >"$work/files.txt"
  (cd "$src" && find . -type f | sed 's|^\./||' | sort) |
    comm -23 - "$work/files.txt" | while IFS= read -r f; do rm -f "$src/$f"; done
}

targets=()
build_all() {
  ninja -C "$build" -j "$jobs" "${targets[@]}" >"$1" 2>&1
}

# Runs ctest with the given selection; on failure runs the failed tests once more. Prints the
# failing tests as "number:name" lines; returns 0 when nothing failed twice. The tests get a
# temporary folder of their own: other runs of the suite on this machine write into /tmp under
# the same names.
run_stage() {
  local log=$1
  shift
  rm -rf "$work/tmp"
  mkdir -p "$work/tmp"
  if (cd "$build" && TMPDIR=$work/tmp TEST_TMPDIR=$work/tmp ctest "$@" >"$log" 2>&1); then
    return 0
  fi
  (cd "$build" && TMPDIR=$work/tmp TEST_TMPDIR=$work/tmp ctest --rerun-failed "$@" \
    >"$log.again" 2>&1) && return 0
  cat "$build/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || echo "?:(see $log.again)"
  return 1
}

# The test binary behind each unit test number, from ctest's own listing.
declare -A binary_of=()
map_tests() {
  local num path
  binary_of=()
  while read -r num path; do binary_of[$num]=$(basename "$path"); done < <(
    cd "$build" && ctest -N -V 2>/dev/null | sed -n 's/^\([0-9]*\): Test command: \([^ ]*\).*/\1 \2/p'
  )
}

# "tests_host(2) tests_sprites(1)" from "number:name" lines.
by_binary() {
  local num
  declare -A count=()
  while IFS=: read -r num _; do
    local b=${binary_of[$num]:-?}
    count[$b]=$((${count[$b]:-0} + 1))
  done
  for b in "${!count[@]}"; do printf '%s(%s) ' "$b" "${count[$b]}"; done | sed 's/ $//'
}

mutated_path=""
mutated_text=""
restore() {
  if [ -n "$mutated_path" ]; then
    printf '%s' "$mutated_text" >"$mutated_path"
    touch "$mutated_path"
    mutated_path=""
  fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

started=$(date +%s)
echo "Bringing $src up to date with $root"
sync_tree
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$logs/configure.log"
fi
mapfile -t targets < <(ninja -C "$build" -t targets all |
  sed -n 's/^\(finbrook\|tests_[a-z0-9_]*\|e2e_host_window\): .*/\1/p' | sort -u)
echo "Building ${targets[*]} with -j $jobs"
if ! build_all "$logs/build-baseline.log"; then
  echo "the unchanged tree does not build; see $logs/build-baseline.log" >&2
  exit 1
fi
map_tests
unit=(-LE e2e -j "$jobs" --timeout "$unit_timeout")
e2e=(-L e2e --timeout "$e2e_timeout" --stop-on-failure)
if $baseline; then
  echo "Running the whole suite on the unchanged tree"
  if ! failed=$(run_stage "$logs/baseline-unit.log" "${unit[@]}") ||
    ! failed=$(run_stage "$logs/baseline-e2e.log" "${e2e[@]}"); then
    echo "the suite fails on the unchanged tree, so faults cannot be told apart:" >&2
    echo "$failed" >&2
    exit 1
  fi
fi

# ---- the faults ----

caught=0 survived=0 invalid=0 na=0
results=$work/results.txt
: >"$results"
report() {
  printf '%-36s %-9s %5ss  %s\n' "$1" "$2" "$3" "$4" | tee -a "$results"
}
printf '%-36s %-9s %6s  %s\n' "fault" "result" "time" "caught by / note" | tee -a "$results"
for i in "${selected[@]}"; do
  id=${ids[$i]}
  t0=$(date +%s)
  n=$(occurrences "$i" "$src")
  if [ "$n" != 1 ]; then
    na=$((na + 1))
    report "$id" "N/A" 0 "find text occurs $n times in ${files[$i]}"
    continue
  fi
  mutated_path=$src/${files[$i]}
  read_into mutated_text "$mutated_path"
  printf '%s' "${mutated_text/"${finds[$i]}"/"${intos[$i]}"}" >"$mutated_path"

  if ! build_all "$logs/$id-build.log"; then
    restore
    invalid=$((invalid + 1))
    report "$id" "INVALID" $(($(date +%s) - t0)) "does not build: $logs/$id-build.log"
    continue
  fi
  if failed=$(run_stage "$logs/$id-unit.log" "${unit[@]}"); then
    if failed=$(run_stage "$logs/$id-e2e.log" "${e2e[@]}"); then
      result=SURVIVED by=""
    else
      result=CAUGHT by="e2e $(echo "$failed" | cut -d: -f2- | paste -sd' ')"
    fi
  else
    result=CAUGHT by=$(echo "$failed" | by_binary)
  fi
  restore
  if [ "$result" = CAUGHT ]; then
    caught=$((caught + 1))
  else
    survived=$((survived + 1))
  fi
  report "$id" "$result" $(($(date +%s) - t0)) "$by"
done

# Leave the scratch build matching the tree again.
build_all "$logs/build-final.log" || true
elapsed=$(($(date +%s) - started))
{
  echo "caught $caught of $((caught + survived)) ($survived survived, $invalid invalid, $na not applicable)"
  echo "run time $((elapsed / 60)) min $((elapsed % 60)) s; results in $results, logs in $logs"
} | tee -a "$results"
