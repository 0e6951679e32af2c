#!/bin/sh
# The VS Code extension: its locked packages installed, the TypeScript
# type-checked, the grammars package.json names compared with their
# snapshots under test/, and the extension packed into
# OUTDIR/scenari-VERSION.vsix. Exit 77 (skipped) where node or npm is not
# installed.
# Usage: editors/vscode/test.sh OUTDIR
set -eu
mkdir -p "$1"
out=$(cd "$1" && pwd)
cd "$(dirname "$0")"
for program in node npm; do
  if ! command -v "$program" >/dev/null 2>&1; then
    echo "$program not found: skipped"
    exit 77
  fi
done
npm ci --no-audit --no-fund --ignore-scripts
npx tsc -p . --noEmit
for text in linea treno; do
  npx vscode-tmgrammar-snap --scope "source.scenari-$text" "test/$text.txt"
done
version=$(node -p 'require("./package.json").version')
npx vsce package --skip-license --allow-missing-repository -o "$out/scenari-$version.vsix"
