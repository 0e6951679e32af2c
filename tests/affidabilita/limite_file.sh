#!/bin/sh
# A file-size limit (ulimit -f) is a failed write like any other: each
# command ends with status 1 naming what could not be written, instead of
# being killed by SIGXFSZ, and leaves no temporary, backup or journal.
# Usage: limite_file.sh SCENARI_TOOL SCENARI
set -u
tool=$1
scenari=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
mkdir "$work/in" "$work/out" "$work/run"
"$tool" texts "$work/in" >/dev/null || exit 1
"$tool" compile "$work/in" --out "$work/run" >/dev/null || exit 1
cp "$scenari" "$work/run/scenari" || exit 1
too_large="File too large"
dat="$work/run/Lago Fontana_Lago Marinella_40572.dat"

failed=0
# Each case: a name, the command with the limit in 512-byte blocks, and the
# directory that must hold no leftover.
limited() {
  name=$1
  dir=$2
  shift 2
  (ulimit -f 20; "$@") >"$work/stdout" 2>"$work/err"
  status=$?
  if [ "$status" -ne 1 ] || ! grep -q "$too_large" "$work/err"; then
    echo "$name: status $status, message: $(cat "$work/err")"
    failed=1
  fi
  left=$(cd "$dir" && ls -A | grep -E '\.tmp-|^\.scenari-journal$')
  if [ -n "$left" ]; then
    echo "$name left: $left"
    failed=1
  fi
}

limited compile "$work/out" "$tool" compile "$work/in" --out "$work/out"
limited "plot --out" "$work/out" "$tool" plot "$work/run" --out "$work/out/p.svg"
limited "plot to a file" "$work/out" sh -c "exec \"\$0\" plot \"\$1\" >\"\$2\"" "$tool" "$work/run" "$work/out/p.svg"
limited "dump to a file" "$work/out" sh -c "exec \"\$0\" dump --json \"\$1\" >\"\$2\"" "$tool" "$dat" "$work/out/d.json"
rm -f "$work/run/"*.sim "$work/run/"*.dat
limited scenari "$work/run" sh -c 'unset DISPLAY; exec "$0"' "$work/run/scenari"
exit "$failed"
