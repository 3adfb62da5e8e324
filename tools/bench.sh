#!/usr/bin/env bash
# Sets up and builds, then runs the benchmarks: the composition of a frame in process, and the
# real saver on a virtual screen at 1920x1080 and 3840x2160 (each run takes about half a
# minute). Processes are kept on two processors so that the scheduler moves them less; set
# BENCH_CPUS (a taskset list) to choose others. Extra arguments go to Google Benchmark, for
# example --benchmark_filter=SaverOnScreen --benchmark_repetitions=3.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
last=$(($(nproc) - 1))
cpus=${BENCH_CPUS:-$((last > 0 ? last - 1 : 0)),$last}
exec taskset -c "$cpus" build/bench/finbrook_bench "$@"
