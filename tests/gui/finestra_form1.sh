#!/bin/sh
# Runs a copy of scenari in a scratch directory under a virtual X server and
# checks that its window "Form1" appeared. Exit 77 (skipped) without
# xvfb-run. Usage: finestra_form1.sh SCENARI WATCHER
set -eu
scenari=$1
watcher=$2
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run not installed: skipped"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$scenari" "$scratch/scenari"
xvfb-run -a "$watcher" Form1 60 "$scratch/scenari"
