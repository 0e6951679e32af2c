#!/bin/sh
# Runs a copy of scenari in a scratch directory without a display and
# compares what it leaves with the recorded run: the three binary files and
# the two forms byte for byte, the notes present, nothing else left behind.
# Usage: confronta_esecuzione.sh SCENARI EXPECTED_DIR
set -eu
scenari=$1
expected=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$scenari" "$scratch/scenari"
(unset DISPLAY; cd / && "$scratch/scenari" >/dev/null)

prefix="Lago Fontana_Lago Marinella"
failed=0
for name in "${prefix}_linea.dat" "${prefix}_40572.sim" "${prefix}_40572.dat" \
            "${prefix}_40572_rallentamenti.txt" "${prefix}_40572_scheda_treno.txt"; do
  if ! cmp "$expected/$name" "$scratch/$name"; then
    echo "differs from the recorded run: $name"
    failed=1
  fi
done

left=$(cd "$scratch" && ls -A | sort)
wanted=$(printf '%s\n' scenari "${prefix}_40572.dat" "${prefix}_40572.sim" \
  "${prefix}_40572_note.txt" "${prefix}_40572_rallentamenti.txt" \
  "${prefix}_40572_scheda_treno.txt" "${prefix}_linea.dat" | sort)
if [ "$left" != "$wanted" ]; then
  echo "the run left other files than expected:"
  echo "$left"
  failed=1
fi
exit "$failed"
