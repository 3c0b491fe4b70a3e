#!/usr/bin/env python3
r"""Smoke test of the Windows release under Wine on a virtual X display.

Unzips the release, starts glimmerax.exe with wine64 in a fresh Wine prefix, from the
program's own folder as a double-click does, and checks what a player would see: the window
titled "Glimmerax" at the configured size, the title screen drawn, a click on Start and a few
seconds of firing raising the score, Escape ending the game with status 1, the score kept in
%APPDATA%\glimmerax\scores.xml, and stderr.txt beside the program holding the start-up lines
and no other line.

The Windows user is named "Łukasz", so %APPDATA% is C:\users\Łukasz\AppData\Roaming: a name
that the system's code page (1252, for the English locale Wine runs in) cannot hold, so only the
wide Windows calls reach it; through the narrow ones the game names another folder
(C:\users\Lukasz under Wine). For the same reason the data checker, which reads the data with
the game's readers, is run on a copy of the data whose files are named with a Ł.

Usage: smoke.py ZIP WORKDIR [SCREENSHOT]
WORKDIR is emptied first; SCREENSHOT, when given, receives a picture of the game in play.
Exits 0 when every check passes, 1 otherwise; each failed check prints one line.
"""

import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                "support"))
import virtual_display  # noqa: E402

WINE = "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else "wine64"
WINESERVER = "/usr/lib/wine/wineserver" if os.path.exists("/usr/lib/wine/wineserver") \
    else "wineserver"
WIDTH, HEIGHT = 1024, 512  # the default data's config.xml
START_BUTTON = (512, 322)  # centre of the title layer's start button, in window pixels
SCORE_AREA = (630, 4, 900, 44)  # the HUD's score digits: x0, y0, x1, y1
USER = "\u0141ukasz"  # the Windows user, whose profile folder Wine names after it

# Lines a clean start-up writes: set-up steps and one line per loaded sprite.
PROGRESS = re.compile(
    r'^(SDL Initialised!|SDL SetVideoMode worked correctly!|OpenGL Viewport and whatnot set\.'
    r'|GLEW initialised!|FBO Initialised!|Renderbuffer initialised!|Framebuffers created!'
    r'|Renderbuffer created!|InitGL completed\.|Accumulation buffer: .*'
    r"|Vertical sync honoured: frames follow the display's refresh\."
    r'|CSprite: Sprite ".*" Loaded)$')


class Smoke:
    def __init__(self, work):
        self.work = work
        self.failures = []
        self.env = dict(os.environ)
        # The sounds go through the real mixer into SDL's dummy driver, which consumes them at
        # the playing rate, whatever sound the machine has (the disk driver, as the Linux tests
        # use, writes a warning of its own to stderr.txt).
        if "SDL_AUDIODRIVER" not in self.env:
            self.env["SDL_AUDIODRIVER"] = "dummy"
        # Wine takes the Windows user's name from USER, and reads it, the other variables and
        # the file names as UTF-8 under a UTF-8 locale. The game would prefer XDG_DATA_HOME to
        # %APPDATA% for its scores.
        self.env.update(USER=USER, LOGNAME=USER, LC_ALL="C.UTF-8")
        self.env.pop("XDG_DATA_HOME", None)
        self.processes = []

    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
            print("FAILED: " + message, flush=True)
        return ok

    def run(self, *args, **kwargs):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, **kwargs)

    def start_display(self):
        """A virtual display of our own, free of other tests' windows."""
        xvfb = virtual_display.start(self.env)
        if xvfb is not None:
            self.processes.append(xvfb)
        return xvfb is not None

    def boot_wine(self):
        """A fresh 64-bit Wine prefix. Mono and Gecko are switched off: nothing is fetched."""
        prefix = os.path.join(self.work, "wineprefix")
        self.env.update(WINEPREFIX=prefix, WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        began = time.monotonic()
        boot = self.run(WINE, "wineboot", "--init", timeout=600)
        self.run(WINESERVER, "-w", timeout=600)
        print("wineboot --init: %.1f s" % (time.monotonic() - began), flush=True)
        if not self.check(boot.returncode == 0, "wineboot --init failed: " + boot.stderr[-500:]):
            return False
        return self.check(os.path.isdir(self.application_data()),
                          "Wine made no profile folder %s" % self.application_data())

    def application_data(self):
        """%APPDATA% of the Wine user, as a Linux path."""
        return os.path.join(self.work, "wineprefix", "drive_c", "users", USER, "AppData",
                            "Roaming")

    def find_window(self, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            found = self.run("xdotool", "search", "--onlyvisible", "--name", "^Glimmerax$")
            ids = found.stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.2)
        return None

    def geometry(self, window):
        """Position and size of the window's drawing area on the screen."""
        info = self.run("xwininfo", "-id", window).stdout
        value = lambda name: int(re.search(name + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"),
                value("Width"), value("Height"))

    def screenshot(self, origin, path=None):
        """The window's pixels, row by row, 3 bytes (r, g, b) each, cut from a shot of the screen;
        None when the shot failed. path, when given, receives the picture as a file."""
        x, y = origin
        shot = subprocess.run(
            ["import", "-silent", "-window", "root", "-crop", "%dx%d+%d+%d" % (WIDTH, HEIGHT, x, y),
             "+repage", "-depth", "8", "rgb:-"], env=self.env, capture_output=True)
        data = shot.stdout
        if path:
            subprocess.run(["convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "-depth", "8",
                            "rgb:-", path], input=data, env=self.env, check=False)
        return data if len(data) == WIDTH * HEIGHT * 3 else None

    @staticmethod
    def count(pixels, area, test):
        x0, y0, x1, y1 = area
        total = 0
        for y in range(y0, y1):
            row = pixels[(y * WIDTH) * 3:(y * WIDTH + WIDTH) * 3]
            for x in range(x0, x1):
                if test(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]):
                    total += 1
        return total

    def xdotool(self, *args):
        self.run("xdotool", *args)

    def play(self, release):
        began = time.monotonic()
        game = subprocess.Popen([WINE, "glimmerax.exe"], cwd=release, env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(game)
        window = self.find_window(60)
        if not self.check(window is not None, 'no window titled "Glimmerax" within 60 s'):
            return
        print("window after %.1f s" % (time.monotonic() - began), flush=True)
        time.sleep(2)
        x, y, width, height = self.geometry(window)
        self.check((width, height) == (WIDTH, HEIGHT),
                   "window is %dx%d, not the configured %dx%d" % (width, height, WIDTH, HEIGHT))

        title = self.screenshot((x, y))
        if not self.check(title is not None, "no screenshot of the title screen"):
            return
        colours = len(set(title[i:i + 3] for i in range(0, len(title), 3 * 97)))
        self.check(colours > 20, "title screen not drawn (%d colours)" % colours)

        self.xdotool("mousemove", "--sync", str(x + START_BUTTON[0]), str(y + START_BUTTON[1]))
        time.sleep(0.3)
        self.xdotool("mousedown", "1")
        time.sleep(0.15)
        self.xdotool("mouseup", "1")
        self.xdotool("mousemove", str(x + 600), str(y + 300))
        time.sleep(1)
        white = lambda r, g, b: r > 200 and g > 200 and b > 200
        playing = self.screenshot((x, y))
        score_at_start = self.count(playing, SCORE_AREA, white) if playing else 0
        self.check(score_at_start > 20, "no score in the HUD after clicking Start")

        self.xdotool("key", "3")
        self.xdotool("keydown", "space")
        risen = False
        for _ in range(25):
            time.sleep(1)
            shot = self.screenshot((x, y))
            if shot and self.count(shot, SCORE_AREA, white) > score_at_start + 20:
                risen = True
                break
        self.xdotool("keyup", "space")
        self.check(risen, "the score did not change after 25 s of firing")
        if len(sys.argv) > 3:
            self.screenshot((x, y), sys.argv[3])

        self.xdotool("key", "Escape")
        try:
            status = game.wait(30)
        except subprocess.TimeoutExpired:
            status = None
        self.check(status == 1, "exit status %s after Escape, not 1" % status)

    def check_log(self, release):
        path = os.path.join(release, "stderr.txt")
        if not self.check(os.path.isfile(path), "no stderr.txt beside glimmerax.exe"):
            return
        with open(path, encoding="utf-8", errors="replace") as log:
            lines = [line.rstrip("\r\n") for line in log]
        for needed in ("SDL Initialised!", "InitGL completed."):
            self.check(needed in lines, "stderr.txt lacks the line " + needed)
        for line in lines:
            self.check(PROGRESS.match(line) is not None, "stderr.txt has the line: " + line)
        blur = [line for line in lines if line.startswith("Accumulation buffer: ")]
        print("stderr.txt: %d lines; %s" % (len(lines), blur[0] if blur else "no accumulation line"))

    def check_scores(self):
        """The game scored before Escape: the best-score table holds it in %APPDATA%."""
        path = os.path.join(self.application_data(), "glimmerax", "scores.xml")
        if not os.path.isfile(path):
            users = os.path.join(self.work, "wineprefix", "drive_c", "users")
            found = [os.path.relpath(os.path.join(folder, "scores.xml"), users)
                     for folder, _, files in os.walk(users) if "scores.xml" in files]
            self.check(False, "no scores file %s; scores files under C:\\users: %s" %
                       (path, ", ".join(found) or "none"))
            return
        with open(path, encoding="utf-8", errors="replace") as table:
            text = table.read()
        self.check(re.search(r'<score points="[1-9][0-9]*"', text) is not None,
                   "the scores file holds no score: " + text[:300])
        print("scores file: " + os.path.relpath(path, self.work))

    def check_checker(self, release):
        """The data checker, when the release has it: the shipped data is clean and its map a PNG."""
        if not os.path.isfile(os.path.join(release, "glimmerax-check.exe")):
            print("no glimmerax-check.exe in the release")
            return
        began = time.monotonic()
        checked = subprocess.run([WINE, "glimmerax-check.exe", "--map", "map.png", "data"],
                                 cwd=release, env=self.env, capture_output=True, text=True,
                                 timeout=300)
        report = (checked.stdout + checked.stderr).strip()
        self.check(checked.returncode == 0, "glimmerax-check.exe data: status %d: %s" %
                   (checked.returncode, report[-500:]))
        map_path = os.path.join(release, "map.png")
        header = b""
        if os.path.isfile(map_path):
            with open(map_path, "rb") as picture:
                header = picture.read(8)
        self.check(header == b"\x89PNG\r\n\x1a\n", "glimmerax-check.exe wrote no PNG map")
        print("glimmerax-check.exe: %s (%.1f s)" % (report.splitlines()[-1] if report else "",
                                                  time.monotonic() - began))

    def check_data_names(self, release):
        """The data checker, when the release has it, reads data files whose names the code
        page cannot hold, as the game's own readers must: a copy of the data with the sprite
        set, its images, the sound set and its sounds renamed with a Ł."""
        if not os.path.isfile(os.path.join(release, "glimmerax-check.exe")):
            return
        data = os.path.join(release, "names")
        shutil.copytree(os.path.join(release, "data"), data)
        renamed = 0
        for set_file in rename_listed(data, "config.xml", ("spritesetfile", "soundsetfile")):
            renamed += len(rename_listed(data, set_file, ("image", "sample", "music")))
        checked = subprocess.run([WINE, "glimmerax-check.exe", "names"], cwd=release,
                                 env=self.env, capture_output=True, text=True, timeout=300)
        report = (checked.stdout + checked.stderr).strip().splitlines()
        if self.check(renamed > 2 and checked.returncode == 0,
                      "glimmerax-check.exe on data named with a %s (%d files renamed): "
                      "status %d: %s" % (USER[0], renamed, checked.returncode,
                                         " | ".join(report[:3]))):
            print("glimmerax-check.exe on data named with a %s (%d files renamed): %s" %
                  (USER[0], renamed, report[-1] if report else ""))

    def stop(self):
        # The game first, then the display it draws on.
        for process in reversed(self.processes):
            virtual_display.stop(process)
        if "WINEPREFIX" in self.env:
            self.run(WINESERVER, "-k")


def rename_listed(data, xml_name, tags):
    """Renames each file that the XML file data/xml_name names in an element of one of the
    tags, inserting "_Ł" before its extension, and the XML file's text with it; the new names.
    The files are found under the folder of its basedir attribute, else under data."""
    path = os.path.join(data, xml_name)
    with open(path, encoding="utf-8") as xml:
        text = xml.read()
    base = re.search(r'basedir="([^"]*)"', text)
    folder = os.path.join(data, base.group(1)) if base else data
    renamed = []

    def rename(match):
        stem, extension = os.path.splitext(match.group(2))
        name = stem + "_" + USER[0] + extension
        os.rename(os.path.join(folder, match.group(2)), os.path.join(folder, name))
        renamed.append(name)
        return match.group(1) + name + match.group(3)

    pattern = r"(<(?:%s)\b[^>]*>)([^<]+)(</)" % "|".join(tags)
    text = re.sub(pattern, rename, text)
    with open(path, "w", encoding="utf-8") as xml:
        xml.write(text)
    return renamed


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    archive, work = sys.argv[1], os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with zipfile.ZipFile(archive) as release:
        release.extractall(work)
    folder = os.path.join(work, "glimmerax")
    smoke = Smoke(work)
    began = time.monotonic()
    try:
        if smoke.check(smoke.start_display(), "no virtual display") and smoke.boot_wine():
            smoke.play(folder)
            smoke.check_scores()
            smoke.check_log(folder)
            smoke.check_checker(folder)
            smoke.check_data_names(folder)
    finally:
        smoke.stop()
    if not smoke.failures:
        # 700 MB of Wine set-up, only worth keeping to look into a failure.
        shutil.rmtree(os.path.join(work, "wineprefix"), ignore_errors=True)
    print("Windows smoke test: %s in %.1f s" % ("FAILED" if smoke.failures else "passed",
                                                 time.monotonic() - began))
    return 1 if smoke.failures else 0


if __name__ == "__main__":
    sys.exit(main())
