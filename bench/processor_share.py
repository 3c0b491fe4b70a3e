#!/usr/bin/env python3
"""The processor share of the default game in play, paced as it ships against the same game
unpaced, in the same run: the game is started in data/ with a settings file of its own, Start
is clicked, and the processor time it uses over ten seconds of play (the ship waiting, the
level scrolling, enemies coming) is read from /proc. Paced means the data's own pacing
(vertical sync where the driver honours it, otherwise the cap of 60 frames a second); unpaced
means a settings file with vsync="no" and maxfps="0". Runs alternate, so both meet the same
load; the medians are printed with their ratio.

Usage (from the repository root, after building the game; it starts a virtual display of its
own):
    python3 bench/processor_share.py build [runs]
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "support"))
import virtual_display  # noqa: E402

START = (512, 322)  # the title's Start button in the default 1024 x 512 window
PLAY_SECONDS = 10.0
TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def find_window(env, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Glimmerax$"],
                               env=env, capture_output=True, text=True)
        if found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.2)
    return None


def one_run(binary, data, env, unpaced):
    home = tempfile.mkdtemp(prefix="glimmerax-share-")
    run_env = dict(env, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), SDL_AUDIODRIVER="dummy")
    if unpaced:
        os.makedirs(os.path.join(home, "config", "glimmerax"))
        with open(os.path.join(home, "config", "glimmerax", "settings.xml"), "w") as settings:
            settings.write('<settings><video vsync="no" maxfps="0"/></settings>\n')
    game = subprocess.Popen([binary], cwd=data, env=run_env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        window = find_window(run_env)
        if window is None:
            raise RuntimeError("no game window")
        time.sleep(1.0)
        subprocess.run(["xdotool", "mousemove", "--window", window, str(START[0]),
                        str(START[1]), "click", "1"], env=run_env, check=True)
        time.sleep(1.0)
        before = processor_seconds(game.pid)
        began = time.monotonic()
        time.sleep(PLAY_SECONDS)
        return (processor_seconds(game.pid) - before) / (time.monotonic() - began)
    finally:
        game.terminate()
        game.wait()
        shutil.rmtree(home, ignore_errors=True)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    env = dict(os.environ)
    xvfb = virtual_display.start(env)
    if xvfb is None:
        print("no virtual display")
        return 1
    try:
        paced, unpaced = [], []
        for _ in range(runs):
            paced.append(one_run(os.path.join(build, "glimmerax"), data, env, False))
            unpaced.append(one_run(os.path.join(build, "glimmerax"), data, env, True))
    finally:
        virtual_display.stop(xvfb)
    p, u = statistics.median(paced), statistics.median(unpaced)
    print("paced: %.2f cores (runs %s)" % (p, " ".join("%.2f" % x for x in paced)))
    print("unpaced: %.2f cores (runs %s)" % (u, " ".join("%.2f" % x for x in unpaced)))
    print("paced / unpaced: %.2f" % (p / u))
    return 0


if __name__ == "__main__":
    sys.exit(main())
