#!/bin/sh
# Builds the bench preset and runs every benchmark; the progress goes to
# build/bench/bench.log and standard output gets the table alone: case, time,
# floor, ratio, peak memory. Extra arguments go to the benchmark program
# (e.g. --benchmark_filter=compile).
set -eu

cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target scenari_bench >/dev/null
echo "$(date -u +%Y-%m-%d), $(nproc) cores"
./build/bench/bench/scenari_bench --benchmark_color=false "$@" 2>build/bench/bench.log
