#!/bin/sh
# The route viewer in headless Chromium, for the embedded scenario (with and
# without its plan view) and the longest route the readers accept: the page must load without a script
# error, draw on its canvases, and narrow the distance shown when the wheel
# turns over the lanes. The long route's page must stay within 5 MB.
#   visore.sh SCENARI_TOOL SCENARI_GENERA
set -u
tool=$1
genera=$2

browser=$(command -v chromium || true)
if [ -z "$browser" ]; then
  echo "chromium missing: skipped"
  exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Script errors are recorded on the root element before the page's own
# script runs; after it, a wheel event over the lanes canvas must change
# the range the page reports, the range box must show the kilometres typed
# into it, and hovering over the lanes must show the tooltip asked for in
# the body's data-hover.
primo='<script>addEventListener("error", function (e) { document.documentElement.setAttribute("data-script-error", String(e.message)); });</script>'
prova='<script>
(function () {
  var b = document.body, c = document.getElementById("corsie"), r = c.getBoundingClientRect();
  var prima = b.dataset.from + "-" + b.dataset.to;
  var px = c.getContext("2d").getImageData(0, 0, c.width, c.height).data, segni = 0;
  for (var i = 0; i < px.length; i += 4) if (px[i + 3] !== 0) segni++;
  c.dispatchEvent(new WheelEvent("wheel", {deltaY: -400, clientX: r.left + r.width / 2,
    clientY: r.top + 60, bubbles: true, cancelable: true}));
  var dopo = b.dataset.from + "-" + b.dataset.to;
  document.getElementById("da").value = "1,5";
  document.getElementById("a").value = "2.25";
  document.getElementById("intervallo").requestSubmit();
  var scelto = b.dataset.from + "-" + b.dataset.to;
  var cercato = b.getAttribute("data-hover"), trovato = !cercato;
  visore.mostra(0, 1e9);
  for (var y = 0; cercato && !trovato && y < 300; y += 4) {
    for (var x = 0; !trovato && x < r.width; x += 2) {
      c.dispatchEvent(new MouseEvent("mousemove", {clientX: r.left + x, clientY: r.top + y, bubbles: true}));
      trovato = document.getElementById("suggerimento").textContent.indexOf(cercato) >= 0;
    }
  }
  var esito = b.dataset.state !== "ready" ? "not ready" : segni < 1000 ? "nothing drawn"
    : prima === dopo ? "zoom left the range at " + prima
    : scelto !== "1500-2250" ? "the range box gave " + scelto
    : !trovato ? "no tooltip shows " + cercato : "ok";
  b.setAttribute("data-test", esito + " (" + prima + " then " + dopo + ")");
})();
</script>'

# verifica NAME PAGE [TOOLTIP]: TOOLTIP is a text that hovering over the
# lanes must show somewhere.
verifica() {
  pagina=$2
  cercato=${3:-}
  if grep -q '<script src\|<link ' "$pagina"; then
    echo "$1: the page loads an external resource"
    return 1
  fi
  awk -v primo="$primo" -v prova="$prova" -v cercato="$cercato" '
    !fatto_head && /<head>/ { sub(/<head>/, "<head>" primo); fatto_head = 1 }
    /^<\/body>$/ { print prova }
    /^<body>$/ && cercato != "" { print "<body data-hover=\"" cercato "\">"; next }
    { print }' "$pagina" > "$scratch/prova.html"
  profilo=$(mktemp -d "$scratch/profilo.XXXXXX")
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profilo" --window-size=1400,900 --virtual-time-budget=10000 \
    --dump-dom "file://$scratch/prova.html" > "$scratch/dom.html" 2> "$scratch/chromium.log"
  esito=$(grep -o 'data-test="[^"]*"' "$scratch/dom.html")
  errore=$(grep -o 'data-script-error="[^"]*"' "$scratch/dom.html")
  echo "$1: $esito $errore"
  [ -z "$errore" ] && echo "$esito" | grep -q '^data-test="ok'
}

fallite=0
incorporato="$scratch/incorporato"
mkdir "$incorporato"
"$tool" texts "$incorporato" > /dev/null && "$tool" compile "$incorporato" > /dev/null &&
  "$tool" plot "$incorporato" --html --out "$incorporato/visore.html" || exit 1
verifica "embedded scenario" "$incorporato/visore.html" "_40572-.txt:20: segnale,    1000" || fallite=1

senza_piano="$scratch/senza_piano"
mkdir "$senza_piano"
"$tool" texts "$senza_piano" > /dev/null && "$tool" compile "$senza_piano" --no-plan > /dev/null &&
  "$tool" plot "$senza_piano" --html --out "$senza_piano/visore.html" || exit 1
verifica "embedded scenario without a plan" "$senza_piano/visore.html" || fallite=1

lunga="$scratch/lunga"
mkdir "$lunga"
nomi="--line Sintetica_Lunga --train 1"
"$genera" 1000000 "$lunga" Sintetica_Lunga 1 && "$tool" compile "$lunga" $nomi > /dev/null &&
  "$tool" plot "$lunga" $nomi --html --out "$lunga/visore.html" || exit 1
byte=$(wc -c < "$lunga/visore.html")
echo "1,000,000 m route: page of $byte bytes"
if [ "$byte" -gt 5000000 ]; then
  echo "1,000,000 m route: the page is above 5 MB"
  fallite=1
fi
verifica "1,000,000 m route" "$lunga/visore.html" || fallite=1
exit $fallite
