#!/bin/sh
# The process-level table: whole processes measured by hyperfine beside their
# floor processes, and their peak resident memory by GNU time. Called by
# run.sh with the bench build directory; prints one markdown table.
#
# For each generated route length: `scenari-tool compile DIR --out OUT`
# against `cat` of the two texts and `cp` of the three finished binary files
# into an empty directory, both commands in one hyperfine run, OUT emptied
# before every run of either. Then `scenari` itself (the embedded scenario, in
# a directory of its own) against `cp` of the six files it leaves. Each
# command runs under one `sh -c` of its own rather than hyperfine's shell,
# whose start-up it measures and subtracts: on a busy machine that estimate
# is noisier than the few milliseconds measured. Beside the wall times, the
# CPU time (user and system) of each side.
set -eu

build=$1
runs=${SCENARI_BENCH_RUNS:-20}
warmup=${SCENARI_BENCH_WARMUP:-3}
lunghezze=${SCENARI_BENCH_LENGTHS:-10000 100000 1000000}
genera=$build/scenari-genera
tool=$build/scenari-tool

lavoro=$(mktemp -d "${TMPDIR:-/tmp}/scenari-bench.XXXXXX")
trap 'rm -rf "$lavoro"' EXIT

# Median of `hyperfine --export-csv` column `median` for the command on row $2
# (1 = the case, 2 = its floor), in milliseconds.
mediana_ms() {
  awk -F, -v riga="$2" 'NR == riga + 1 { printf "%.3f", $4 * 1000 }' "$1"
}

# CPU time of the same row, user and system (hyperfine's means), in
# milliseconds: on a machine shared with other work it moves far less than
# the wall time, which waits for the other work too.
cpu_ms() {
  awk -F, -v riga="$2" 'NR == riga + 1 { printf "%.3f", ($5 + $6) * 1000 }' "$1"
}

# Median peak resident set of five runs of a command, in kilobytes; the
# command's own output is dropped.
picco_kb() {
  for _ in 1 2 3 4 5; do
    /usr/bin/time -f %M -o "$lavoro/rss" "$@" >/dev/null 2>&1 || true
    cat "$lavoro/rss"
  done | sort -n | sed -n 3p
}

byte_in() {
  cat "$@" | wc -c
}

riga() {
  # name, metres (0 for none), case ms, floor ms, durable floor ms, peak kB,
  # bytes written, the csv of the three commands
  cpu=$(cpu_ms "$8" 1) cpu_floor=$(cpu_ms "$8" 2)
  awk -v nome="$1" -v metri="$2" -v t="$3" -v f="$4" -v fd="$5" -v kb="$6" -v b="$7" \
      -v c="$cpu" -v cf="$cpu_floor" 'BEGIN {
    per_metro = metri > 0 ? sprintf("%.1f", t * 1e6 / metri) : "-"
    printf "| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %s | %.2f | %.2f | %.2f |\n",
      nome, t, f, t / f, fd, t / fd, c, cf, c / cf, per_metro, kb * 1024 / 1e6, b / 1e6,
      kb * 1024 / b
  }'
}

# The outputs are flushed to the disk before the compile ends (they must
# survive a power cut); the durable floor pays the same flush, `sync` of the
# copied files, so the two ratios separate the compactor from the disk.
echo
echo "| process | median (ms) | floor median (ms) | ratio | durable floor (ms) | ratio | CPU (ms) | floor CPU (ms) | CPU ratio | ns per metre | peak RSS (MB) | written (MB) | RSS/written |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"

for lunghezza in $lunghezze; do
  d=$lavoro/$lunghezza
  mkdir -p "$d/testi" "$d/finiti"
  "$genera" "$lunghezza" "$d/testi"
  compila="$tool compile $d/testi --out $d/out --line Sintetica_Bench --train 1"
  "$tool" compile "$d/testi" --out "$d/finiti" --line Sintetica_Bench --train 1 >/dev/null 2>&1
  hyperfine -N --style none --warmup "$warmup" --runs "$runs" --export-csv "$d/tempi.csv" \
    --prepare "sh -c 'rm -rf $d/out && mkdir $d/out'" \
    "sh -c '$compila'" \
    "sh -c 'cat $d/testi/* >/dev/null && cp $d/finiti/* $d/out/'" \
    "sh -c 'cat $d/testi/* >/dev/null && cp $d/finiti/* $d/out/ && sync $d/out/* $d/out'" \
    >>"$build/processi.log" 2>&1
  rm -rf "$d/out" && mkdir "$d/out"
  kb=$(picco_kb $compila)
  ms=$(mediana_ms "$d/tempi.csv" 1)
  riga "compile $((lunghezza / 1000)) km" "$lunghezza" "$ms" "$(mediana_ms "$d/tempi.csv" 2)" \
    "$(mediana_ms "$d/tempi.csv" 3)" "$kb" "$(byte_in "$d"/finiti/*)" "$d/tempi.csv"
  # The time each further metre costs above the shortest route, which
  # carries the fixed cost of starting a process: linear growth keeps it
  # the same at every length.
  if [ -z "${primo_ms-}" ]; then
    primo_ms=$ms primo_metri=$lunghezza
    marginale="per metre above $((lunghezza / 1000)) km:"
  else
    marginale="$marginale $(awk -v t="$ms" -v t0="$primo_ms" -v l="$lunghezza" -v l0="$primo_metri" \
      'BEGIN { printf "%.1f ns to %d km,", (t - t0) * 1e6 / (l - l0), l / 1000 }')"
  fi
done

# scenari writes beside its executable: a directory of its own, emptied of
# all but the program before every run; no display, so the console window.
s=$lavoro/scenari
mkdir -p "$s/programma" "$s/finiti"
cp "$build/scenari" "$s/programma/"
(unset DISPLAY; "$s/programma/scenari" >/dev/null)
find "$s/programma" -type f ! -name scenari -exec cp {} "$s/finiti/" \;
svuota="find $s/programma -type f ! -name scenari -delete && rm -rf $s/out && mkdir $s/out"
env -u DISPLAY hyperfine -N --style none --warmup "$warmup" --runs "$runs" \
  --export-csv "$s/tempi.csv" --prepare "sh -c '$svuota'" \
  "sh -c '$s/programma/scenari'" "sh -c 'cp $s/finiti/* $s/out/'" \
  "sh -c 'cp $s/finiti/* $s/out/ && sync $s/out/* $s/out'" >>"$build/processi.log" 2>&1
sh -c "$svuota"
kb=$(picco_kb env -u DISPLAY "$s/programma/scenari")
riga "scenari (embedded)" 0 "$(mediana_ms "$s/tempi.csv" 1)" "$(mediana_ms "$s/tempi.csv" 2)" \
  "$(mediana_ms "$s/tempi.csv" 3)" "$kb" "$(byte_in "$s"/finiti/*)" "$s/tempi.csv"
echo
echo "compile time ${marginale%,}"
