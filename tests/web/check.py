#!/usr/bin/env python3
"""The web release played in headless Chromium, against the desktop game of the same data.

Needs the web release built (scripts/web: dist/glimmerax-web/) and the desktop game
(build/glimmerax). Serves the release on 127.0.0.1 with Python's http.server, draws the desktop
title on a virtual display of its own, and runs tests/web/play.js (puppeteer-core). Checks:
- the page loads and plays with no page error;
- the browser's title picture matches the desktop's: mean difference under 8 levels per
  channel over the canvas;
- after Start and five seconds of fire, the score kept (read from the console log) is above 0;
- motion blur draws in the browser too: with it on, the picture is neither blank black nor the
  white of an empty frame ring (mean level between 10 and 200);
- after a reload, the log reports that score as the best.
Pictures, the browser's log and the figures go to build-web/test/. Exits 1 on a failed check.
"""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
import virtual_display  # noqa: E402

RELEASE = os.path.join(ROOT, "dist", "glimmerax-web")
GAME = os.path.join(ROOT, "build", "glimmerax")
OUT = os.path.join(ROOT, "build-web", "test")
WIDTH, HEIGHT = 1024, 512
MEAN_DIFFERENCE_LIMIT = 8.0


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def raw_rgb(args):
    """The picture ImageMagick reads with args, as 8-bit RGB bytes."""
    return subprocess.run(["convert", *args, "-depth", "8", "rgb:-"], check=True,
                          capture_output=True).stdout


def desktop_title(path):
    """Saves the desktop game's title at path (PNG); returns its RGB bytes, or None."""
    env = dict(os.environ)
    home = tempfile.mkdtemp(prefix="glimmerax-web-desktop-")
    env.update(HOME=home, XDG_DATA_HOME=home + "/data", XDG_CONFIG_HOME=home + "/config",
               SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
    xvfb = virtual_display.start(env)
    if xvfb is None:
        print("web test: the virtual display did not start")
        return None
    game = subprocess.Popen([GAME, "--data", os.path.join(ROOT, "data")], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Glimmerax$"], env=env, capture_output=True, text=True,
                                timeout=30).stdout.split()
        if not window:
            print("web test: the desktop game opened no window")
            return None
        # As long as the browser's title is shown before its picture is taken.
        time.sleep(3)
        subprocess.run(["import", "-silent", "-window", window[0], path], env=env, check=True)
        return raw_rgb([path])
    finally:
        virtual_display.stop(game)
        virtual_display.stop(xvfb)
        shutil.rmtree(home, ignore_errors=True)


def mean_difference(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a)


def main():
    os.makedirs(OUT, exist_ok=True)
    failures = []
    desktop = desktop_title(os.path.join(OUT, "desktop-title.png"))

    port = free_port()
    server = subprocess.Popen([sys.executable, "-m", "http.server", str(port), "--bind",
                               "127.0.0.1", "--directory", RELEASE],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    began = time.monotonic()
    try:
        time.sleep(0.5)
        played = subprocess.run(["node", os.path.join(ROOT, "tests", "web", "play.js"),
                                 f"http://127.0.0.1:{port}/", OUT], capture_output=True,
                                text=True, timeout=600)
    finally:
        virtual_display.stop(server)
    sys.stderr.write(played.stderr)
    lines = played.stdout.strip().splitlines()
    result = json.loads(lines[-1]) if lines and lines[-1].startswith("{") else {}
    result["seconds"] = round(time.monotonic() - began, 1)
    result["downloadKiB"] = sum(os.path.getsize(os.path.join(RELEASE, name))
                                for name in os.listdir(RELEASE)
                                if os.path.isfile(os.path.join(RELEASE, name))) // 1024
    print("web test figures: " + json.dumps(result))

    if played.returncode != 0 or result.get("pageErrors"):
        failures.append("the page failed: %s" % (result.get("pageErrors") or played.stderr))
    web_title = os.path.join(OUT, "web-title.png")
    if desktop is None or not os.path.exists(web_title):
        failures.append("no title picture to compare")
    else:
        web = raw_rgb([web_title])
        if len(desktop) != WIDTH * HEIGHT * 3 or len(web) != len(desktop):
            failures.append("title pictures of %d and %d bytes, not %dx%d RGB"
                            % (len(desktop), len(web), WIDTH, HEIGHT))
        else:
            difference = mean_difference(desktop, web)
            print("web test: title's mean difference from the desktop: %.2f levels" % difference)
            if difference >= MEAN_DIFFERENCE_LIMIT:
                failures.append("the title differs from the desktop's by %.2f levels on "
                                "average" % difference)
    blur = os.path.join(OUT, "web-blur.png")
    if os.path.exists(blur):
        level = sum(raw_rgb([blur])) / (WIDTH * HEIGHT * 3)
        print("web test: mean level with motion blur: %.1f" % level)
        if not 10 <= level <= 200:
            failures.append("the motion-blurred picture is blank (mean level %.1f)" % level)
    else:
        failures.append("no motion-blurred picture")
    if not result.get("score", 0) > 0:
        failures.append("no score above 0 was kept after five seconds of fire")
    elif result.get("bestAfterReload") != result["score"]:
        failures.append("after the reload the best score is %s, not %s"
                        % (result.get("bestAfterReload"), result["score"]))

    for failure in failures:
        print("web test FAILED: " + failure)
    if not failures:
        print("web test passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
