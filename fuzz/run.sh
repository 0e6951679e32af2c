#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target, one at a time, for
# SECONDS seconds each on its seed corpus (new inputs go to a working corpus
# under build/fuzz). Prints executions, coverage and crashes per target and
# exits non-zero when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS}
targets=(fuzz_campi fuzz_linea fuzz_treno fuzz_compattazione fuzz_nomi fuzz_lsp)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}" >/dev/null

build=build/fuzz
failed=0
printf '%-20s %12s %8s %8s %8s\n' target executions cov ft crashes
for target in "${targets[@]}"; do
  seeds=fuzz/corpus/${target#fuzz_}
  work=$build/corpus/${target#fuzz_}
  artifacts=$build/artifacts/$target
  log=$build/$target.log
  mkdir -p "$work" "$artifacts"
  status=0
  "$build/fuzz/$target" "$work" "$seeds" -max_total_time="$seconds" -timeout=60 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  stats=$(grep -E '^#[0-9]+' "$log" | grep -E ' cov: ' | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$stats")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$stats")
  crashes=0
  if [ "$status" -ne 0 ]; then
    crashes=1
    failed=1
  fi
  printf '%-20s %12s %8s %8s %8s\n' "$target" "${executions:-?}" "${cov:-?}" "${ft:-?}" "$crashes"
  if [ "$crashes" -ne 0 ]; then
    echo "  $target failed (status $status): see $log and $artifacts/"
    grep -E 'ERROR|runtime error|SUMMARY' "$log" | head -5 | sed 's/^/  /'
  fi
done
exit "$failed"
