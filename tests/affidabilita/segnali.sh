#!/bin/sh
# SIGINT and SIGTERM delivered at each rename of a compile in turn (strace
# injects them): the binaries in OUTDIR are the older set or the new one,
# whole, no temporary or journal is left there, and the signal still ends
# the run. Skipped where strace is missing or cannot trace.
# Usage: segnali.sh SCENARI_TOOL
set -u
tool=$1
command -v strace >/dev/null 2>&1 || { echo "strace missing: skipped"; exit 77; }
strace -f -o /dev/null true 2>/dev/null || { echo "strace cannot trace here: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
# LeakSanitizer cannot run under a tracer.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir "$work/in" "$work/new" "$work/out"
"$tool" texts "$work/in" >/dev/null || exit 1
"$tool" compile "$work/in" --out "$work/new" >/dev/null || exit 1

prefix="Lago Fontana_Lago Marinella"
set -- "${prefix}_linea.dat" "${prefix}_40572.sim" "${prefix}_40572.dat"
older() {
  rm -rf "$work/out"
  mkdir "$work/out"
  for name in "$@"; do echo "older $name" >"$work/out/$name"; done
}

older "$@"
strace -f -o "$work/log" -e trace=rename "$tool" compile "$work/in" --out "$work/out" >/dev/null 2>&1
renames=$(grep -c 'rename(' "$work/log")
[ "$renames" -ge 3 ] || { echo "only $renames renames seen"; exit 1; }

failed=0
n=1
while [ "$n" -le "$renames" ]; do
  for signal in INT TERM; do
    older "$@"
    strace -f -o /dev/null -e trace=rename -e inject=rename:signal=SIG$signal:when=$n \
      "$tool" compile "$work/in" --out "$work/out" >/dev/null 2>&1
    status=$?
    case="SIG$signal at rename $n"
    [ "$status" -gt 128 ] || { echo "$case: the run ended with status $status"; failed=1; }
    left=$(cd "$work/out" && ls -A | sort)
    wanted=$(printf '%s\n' "$@" | sort)
    [ "$left" = "$wanted" ] || { echo "$case: left $left"; failed=1; }
    new=0
    old=0
    for name in "$@"; do
      if cmp -s "$work/out/$name" "$work/new/$name"; then new=$((new + 1)); else old=$((old + 1)); fi
    done
    [ "$new" -eq 0 ] || [ "$old" -eq 0 ] || { echo "$case: $new new and $old older files"; failed=1; }
  done
  n=$((n + 1))
done
exit "$failed"
