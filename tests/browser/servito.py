"""The served viewer in headless Chromium, driven through its DevTools
protocol: the page follows a save of the texts, keeps its view, never lets
two labels cover each other, asks nothing of any address but this
machine's, and the server ends cleanly on SIGINT.

    servito.py SCENARI_TOOL SCENARI_GENERA

Exits 77 (skipped) when chromium or the websocket module is missing."""

import base64
import json
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

try:
    import websocket
except ImportError:
    print("python3-websocket missing: skipped")
    sys.exit(77)

CHROMIUM = shutil.which("chromium")
if CHROMIUM is None:
    print("chromium missing: skipped")
    sys.exit(77)

TOOL, GENERA = sys.argv[1], sys.argv[2]
LOOPBACK = re.compile(r"^(127\.\d+\.\d+\.\d+|localhost|::1)$")
failures = []


def fail(what):
    print("FAIL: " + what)
    failures.append(what)


def read_line(stream, seconds, pattern):
    """The first line of `stream` matching `pattern`, within `seconds`."""
    lines = queue.Queue()

    def pump():
        for line in stream:
            lines.put(line)

    threading.Thread(target=pump, daemon=True).start()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            line = lines.get(timeout=max(0.01, end - time.monotonic()))
        except queue.Empty:
            break
        found = re.search(pattern, line)
        if found:
            return found
    raise RuntimeError("nothing like %r within %d s" % (pattern, seconds))


class Browser:
    """One headless Chromium with one page, through the flat sessions of
    the DevTools protocol."""

    def __init__(self, scratch):
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
             "--user-data-dir=" + os.path.join(scratch, "profilo"), "--window-size=1400,1000",
             "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        address = read_line(self.process.stderr, 60, r"DevTools listening on (ws://\S+)").group(1)
        self.socket = websocket.create_connection(address, timeout=30)
        self.counter = 0
        self.requests = []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.call("Network.enable", {}, self.session)
        self.call("Page.enable", {}, self.session)
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": 1400, "height": 1000, "deviceScaleFactor": 1, "mobile": False}, self.session)

    def call(self, method, params, session=None):
        self.counter += 1
        message = {"id": self.counter, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get("method") == "Network.requestWillBeSent":
                self.requests.append(answer["params"]["request"]["url"])
            if answer.get("id") == self.counter:
                if "error" in answer:
                    raise RuntimeError(method + ": " + json.dumps(answer["error"]))
                return answer["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, self.session)
        if "exceptionDetails" in result:
            raise RuntimeError(expression + ": " + json.dumps(result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, seconds):
        """Seconds until `expression` held, or None when it never did."""
        start = time.monotonic()
        while time.monotonic() - start < seconds:
            if self.evaluate(expression):
                return time.monotonic() - start
            time.sleep(0.02)
        return None

    def open(self, url):
        self.call("Page.navigate", {"url": url}, self.session)
        if self.wait_for("document.body && document.body.dataset.state === 'ready'", 60) is None:
            raise RuntimeError(url + ": the page never got ready")

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", {"format": "png", "captureBeyondViewport": True},
                         self.session)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def close(self):
        self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class Server:
    def __init__(self, directory):
        self.process = subprocess.Popen([TOOL, "serve", directory], stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT, text=True)
        self.url = read_line(self.process.stdout, 120, r"at (http://127\.0\.0\.1:\d+/)").group(1)

    def stop(self, name):
        self.process.send_signal(signal.SIGINT)
        try:
            status = self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            fail(name + ": the server did not end within 20 s of SIGINT")
            return
        if status != 0:
            fail(name + ": the server ended with status %d after SIGINT" % status)


# Every pair of visible label boxes at each of a few views, whole route
# first; the number of labels seen, or the first pair that intersects.
OVERLAPS = """(() => {
  const [a, b] = visore.intervallo();
  const views = [[0, 1e12], [a, a + (b - a) / 7], [a + (b - a) / 3, a + (b - a) / 2], [b - 3000, b]];
  let seen = 0;
  for (const [from, to] of views) {
    visore.mostra(from, to);
    const boxes = [...document.querySelectorAll(".etichetta")].filter((e) => !e.hidden)
      .map((e) => [e.textContent, e.getBoundingClientRect()]);
    seen += boxes.length;
    for (let i = 0; i < boxes.length; i++) for (let j = i + 1; j < boxes.length; j++) {
      const p = boxes[i][1], q = boxes[j][1];
      if (p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom)
        return "'" + boxes[i][0] + "' and '" + boxes[j][0] + "' overlap at " + from + "-" + to + " m";
    }
  }
  visore.mostra(a, b);
  return seen;
})()"""


def check_labels(browser, name):
    result = browser.evaluate(OVERLAPS)
    if isinstance(result, str):
        fail(name + ": " + result)
    elif result < 10:
        fail(name + ": only %d labels shown" % result)
    else:
        print("%s: %d labels, none over another" % (name, result))


def signal_at(metre):
    return ("[...document.querySelectorAll('.etichetta[data-kind=signal]')]"
            ".some((e) => !e.hidden && e.dataset.at === '%d')" % metre)


def check_loopback(browser, name):
    for url in browser.requests:
        parts = urllib.parse.urlsplit(url)
        if parts.scheme in ("data", "about", "blob"):
            continue
        if not LOOPBACK.match(parts.hostname or ""):
            fail(name + ": the page asked for " + url)
    browser.requests.clear()


def embedded(browser, scratch):
    directory = os.path.join(scratch, "incorporato")
    subprocess.run([TOOL, "texts", directory], check=True, stdout=subprocess.DEVNULL)
    server = Server(directory)
    try:
        browser.open(server.url)
        if not browser.evaluate(signal_at(2300)):
            fail("embedded scenario: no label of the signal at 2300 m")
        browser.evaluate("visore.mostra(1000, 4000)")
        before = browser.evaluate("document.body.dataset.from + '-' + document.body.dataset.to")
        train = os.path.join(directory, "Lago Fontana_Lago Marinella_40572-.txt")
        with open(train, "rb") as f:
            text = f.read()
        moved = text.replace(b"segnale,    2300,", b"segnale,    2700,")
        if moved == text:
            raise RuntimeError("the embedded train text has no signal at 2300 m")
        # As an editor saves: a new file renamed over the old one.
        with open(train + ".nuovo", "wb") as f:
            f.write(moved)
        os.replace(train + ".nuovo", train)
        latency = browser.wait_for(signal_at(2700) + " && !" + signal_at(2300), 2)
        if latency is None:
            fail("embedded scenario: the moved signal is not at 2700 m within 2 s of the save")
        else:
            print("embedded scenario: the page redrew %.0f ms after the save" % (latency * 1000))
        after = browser.evaluate("document.body.dataset.from + '-' + document.body.dataset.to")
        if after != before:
            fail("embedded scenario: the view moved from %s to %s on redrawing" % (before, after))
        check_labels(browser, "embedded scenario")
        if os.environ.get("SCENARI_SCREENSHOTS"):
            browser.screenshot(os.path.join(os.environ["SCENARI_SCREENSHOTS"], "incorporato.png"))
        check_loopback(browser, "embedded scenario")
    finally:
        server.stop("embedded scenario")


def long_route(browser, scratch):
    directory = os.path.join(scratch, "lunga")
    os.mkdir(directory)
    subprocess.run([GENERA, "1000000", directory, "Sintetica_Lunga", "1"], check=True)
    server = Server(directory)
    try:
        browser.open(server.url)
        check_labels(browser, "1,000 km route")
        if os.environ.get("SCENARI_SCREENSHOTS"):
            browser.screenshot(os.path.join(os.environ["SCENARI_SCREENSHOTS"], "lunga.png"))
        check_loopback(browser, "1,000 km route")
    finally:
        server.stop("1,000 km route")


def main():
    scratch = tempfile.mkdtemp(prefix="servito.")
    browser = None
    try:
        browser = Browser(scratch)
        embedded(browser, scratch)
        long_route(browser, scratch)
    finally:
        if browser:
            browser.close()
        shutil.rmtree(scratch, ignore_errors=True)
    print("%d checks failed" % len(failures) if failures else "every check passed")
    return 1 if failures else 0


sys.exit(main())
