#!/bin/sh
# Out of memory is a failure like any other: with the address space limited
# to 400 MB and a 300 MB line description text, scenari-tool compile ends
# with status 1 and a message, and under --json prints the JSON object.
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
exit "$failed"
