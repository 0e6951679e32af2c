#!/bin/sh
# Builds the bench preset and prints two tables: the in-process benchmarks
# (case, time, floor, ratio, peak heap), whose progress goes to
# build/bench/bench.log, then the process-level table of processi.sh, whose
# hyperfine output goes to build/bench/processi.log. Extra arguments go to
# the benchmark program (e.g. --benchmark_filter=compile).
set -eu

cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target scenari_bench scenari-genera scenari-tool scenari >/dev/null
echo "$(date -u +%Y-%m-%d), $(nproc) cores"
./build/bench/bench/scenari_bench --benchmark_color=false "$@" 2>build/bench/bench.log
: >build/bench/processi.log
bench/processi.sh build/bench
