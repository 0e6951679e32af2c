#!/bin/sh
# A real editor: headless Neovim with the configuration of editors/nvim
# opens a train text with a misspelled keyword and a Windows-1252 letter;
# it must read the letter as such, show the diagnostic on that line, show
# none once the server's quick fix is applied, and write the text back as
# Windows-1252 with CR LF line ends. Exit 77 (skipped) where nvim is not
# installed.
# Usage: diagnostica_nvim.sh SCENARI_TOOL
set -eu
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v nvim >/dev/null 2>&1; then
  echo "nvim not found: skipped"
  exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" texts "$dir" >/dev/null
train="$dir/Lago Fontana_Lago Marinella_40572-.txt"
sed -i 's/^segnale,    2300/segnalle,    2300/; s/LAGO MARINELLA/LAGO MARINELL\xC0/' "$train"

SCENARI_TOOL=$tool SCENARI_TEXT=$train SCENARI_OUT="$dir/out" HOME="$dir" \
  timeout 60 nvim --headless -u NONE -i NONE -n \
  --cmd "set runtimepath^=$here/../../editors/nvim" \
  -c "luafile $here/diagnostica.lua" </dev/null
cat "$dir/out"
grep -q '^buffer: scenari_treno cp1252 dos$' "$dir/out"
grep -q '^21:1 unknown-keyword "segnalle" is no keyword' "$dir/out"
grep -q '^fix: Write "segnale"$' "$dir/out"
grep -q '^mended: no diagnostic$' "$dir/out"
grep -q '^name: LAGO MARINELLÀ$' "$dir/out"
grep -q "^segnale,    2300,.*$(printf '\r')\$" "$train"
grep -q "LAGO MARINELL$(printf '\300\r')\$" "$train"
