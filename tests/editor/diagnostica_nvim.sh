#!/bin/sh
# A real editor: headless Neovim opens a train text with a misspelled
# keyword, with scenari-tool lsp attached, and must show the diagnostic on
# that line, then none once the server's quick fix is applied. Exit 77 (skipped) where nvim is not installed.
# Usage: diagnostica_nvim.sh SCENARI_TOOL
set -eu
tool=$1
if ! command -v nvim >/dev/null 2>&1; then
  echo "nvim not found: skipped"
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" texts "$dir" >/dev/null
train="$dir/Lago Fontana_Lago Marinella_40572-.txt"
sed -i 's/^segnale,    2300/segnalle,    2300/' "$train"

SCENARI_TOOL=$tool SCENARI_TEXT=$train SCENARI_OUT="$dir/out" HOME="$dir" \
  timeout 60 nvim --headless -u NONE -i NONE -n \
  -c "luafile $(dirname "$0")/diagnostica.lua" </dev/null
cat "$dir/out"
grep -q '^21:1 unknown-keyword "segnalle" is no keyword' "$dir/out"
grep -q '^fix: Write "segnale"$' "$dir/out"
grep -q '^mended: no diagnostic$' "$dir/out"
