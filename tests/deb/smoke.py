#!/usr/bin/env python3
"""Smoke test of the installed Debian package on a virtual X display.

Starts the installed game as a player does, by its command `glimmerax` (the launcher in
/usr/games, found on the PATH), from a working folder of its own that holds no game data, and
checks that the launcher found the installed data: the window titled "Glimmerax" opens, the
title screen is drawn (a screenshot of the screen is not blank or black), and the log on
standard error has no line of a problem. The game runs until it is ended: the test ends it.

Usage: smoke.py WORKDIR [SCREENSHOT]
WORKDIR is emptied first and is the game's working folder; SCREENSHOT, when given, receives
the picture of the title screen. Exits 0 when every check passes, 1 otherwise; each failed
check prints one line.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                "support"))
import virtual_display  # noqa: E402

# Words of the log lines that tell of a problem (a missing file, a broken image, a failed
# set-up step); the start-up lines of a good run have none of them.
PROBLEM = re.compile(r"error|fail|cannot|can't|could not|couldn't|missing|not found|unknown"
                     r"|invalid|broken|unable|warning", re.IGNORECASE)


class Smoke:
    def __init__(self, work):
        self.work = work
        self.failures = []
        self.processes = []
        self.env = dict(os.environ)
        # Sound goes to SDL's dummy driver: the machine may have no sound device.
        self.env.setdefault("SDL_AUDIODRIVER", "dummy")
        # The game must open its window on the virtual display, never a text-mode driver.
        self.env["SDL_VIDEODRIVER"] = "x11"
        # A player's PATH holds /usr/games (root's does not on Debian); the best scores go to
        # the work folder, not to the home folder of whoever runs the test.
        path = self.env.get("PATH", "/usr/bin:/bin").split(":")
        if "/usr/games" not in path:
            path.append("/usr/games")
        self.env["PATH"] = ":".join(path)
        self.env["XDG_DATA_HOME"] = os.path.join(work, "xdg-data")
        self.env.pop("GLIMMERAX_DATA", None)

    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
            print("FAILED: " + message, flush=True)
        return ok

    def run(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, text=True)

    def start_display(self):
        """A virtual display of our own, free of other tests' windows."""
        xvfb = virtual_display.start(self.env)
        if xvfb is not None:
            self.processes.append(xvfb)
        return xvfb is not None

    def find_window(self, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            found = self.run("xdotool", "search", "--onlyvisible", "--name", "^Glimmerax$")
            ids = found.stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.2)
        return None

    def screenshot(self, path):
        """The whole screen as raw RGB bytes (None when the shot failed); path, when given,
        receives it as a PNG file."""
        shot = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                              env=self.env, capture_output=True)
        if path and shot.stdout:
            subprocess.run(["convert", "-size", "1280x1024", "-depth", "8", "rgb:-", path],
                           input=shot.stdout, env=self.env, check=False)
        return shot.stdout if len(shot.stdout) == 1280 * 1024 * 3 else None

    def play(self, screenshot_path):
        command = shutil.which("glimmerax", path=self.env["PATH"])
        if not self.check(command == "/usr/games/glimmerax",
                          "the command glimmerax is %s, not /usr/games/glimmerax" % command):
            return
        log_path = os.path.join(self.work, "glimmerax.log")
        began = time.monotonic()
        with open(log_path, "w") as log:
            game = subprocess.Popen(["glimmerax"], cwd=self.work, env=self.env,
                                    stdout=subprocess.DEVNULL, stderr=log)
        self.processes.append(game)
        window = self.find_window(30)
        if self.check(window is not None, 'no window titled "Glimmerax" within 30 s'):
            print("window after %.1f s" % (time.monotonic() - began), flush=True)
            time.sleep(2)
            pixels = self.screenshot(screenshot_path)
            if self.check(pixels is not None, "no screenshot of the screen"):
                colours = len(set(pixels[i:i + 3] for i in range(0, len(pixels), 3 * 97)))
                lit = sum(1 for i in range(0, len(pixels), 3 * 97) if max(pixels[i:i + 3]) > 40)
                self.check(colours > 20 and lit > 1000,
                           "title screen not drawn: %d colours, %d lit samples" % (colours, lit))
                print("title screen: %d colours" % colours, flush=True)
        # The game runs until it is ended; it is still running, or it ended early.
        if not self.check(game.poll() is None,
                          "the game ended by itself with status %s" % game.poll()):
            answers = self.run("xdpyinfo").returncode == 0
            print("the display %s %s" % (self.env["DISPLAY"],
                                         "still answers" if answers else "no longer answers"))
        if game.poll() is None:
            game.send_signal(signal.SIGTERM)
            try:
                game.wait(10)
            except subprocess.TimeoutExpired:
                game.kill()
                game.wait()
        with open(log_path, encoding="utf-8", errors="replace") as log:
            lines = [line.rstrip("\n") for line in log]
        self.check("InitGL completed." in lines, "the log lacks the line InitGL completed.")
        for line in lines:
            self.check(PROBLEM.search(line) is None, "the log has the line: " + line)
        print("log: %d lines, no problem" % len(lines) if not self.failures else
              "log: %d lines" % len(lines), flush=True)

    def stop(self):
        # The game first, then the display it draws on.
        for process in reversed(self.processes):
            virtual_display.stop(process)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    work = os.path.abspath(sys.argv[1])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    smoke = Smoke(work)
    began = time.monotonic()
    try:
        if smoke.check(smoke.start_display(), "no virtual display"):
            smoke.play(os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None)
    finally:
        smoke.stop()
    print("Installed game smoke test: %s in %.1f s" % ("FAILED" if smoke.failures else "passed",
                                                     time.monotonic() - began))
    return 1 if smoke.failures else 0


if __name__ == "__main__":
    sys.exit(main())
