#!/bin/sh
# Out of memory is a failure like any other: with the address space limited
# to 400 MB and a 300 MB line description text, scenari-tool compile ends
# with status 1 and a message, and under --json prints the JSON object.
# What needs no more memory than its input stays within the limit.
# Usage: memoria.sh SCENARI_TOOL
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" texts "$work" >/dev/null || exit 1
# A sparse file: 300 MB to read, none of it on the disk.
truncate -s 300M "$work/Lago Fontana_Lago Marinella_linea.txt" || exit 1
export TMPDIR="$work"

failed=0
(ulimit -v 400000; "$tool" compile "$work" >"$work/out" 2>"$work/err")
status=$?
if [ "$status" -ne 1 ] || ! grep -q "out of memory" "$work/err"; then
  echo "compile: status $status, message: $(cat "$work/err")"
  failed=1
fi
(ulimit -v 400000; "$tool" compile "$work" --json >"$work/out" 2>/dev/null)
status=$?
if [ "$status" -ne 1 ] || ! grep -q '"status": 1' "$work/out" || ! grep -q '"message": "out of memory"' "$work/out"; then
  echo "compile --json: status $status, output: $(cat "$work/out")"
  failed=1
fi
# dump --json prints as it decodes: a 3 MB plan file of a million and a
# half points gives 75 MB of JSON within a 150 MB address space.
head -c 3000000 /dev/zero >"$work/piano_linea.dat"
(ulimit -v 150000; "$tool" dump --json "$work/piano_linea.dat" >"$work/out" 2>"$work/err")
status=$?
if [ "$status" -ne 0 ] || [ "$(tail -c 2 "$work/out")" != "}" ]; then
  echo "dump --json: status $status, message: $(cat "$work/err")"
  failed=1
fi
exit "$failed"
