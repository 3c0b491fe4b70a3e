#!/usr/bin/env python3
"""Where the game's start-up time goes: starts the real binary in data/ several times with the
first-frame probe preloaded (as startup_bench does), stamps every log line as it arrives on
standard error (the game writes its log unbuffered) and prints, for each milestone of Init, the
median time since the start of the process, and the median first frame.

Usage (on a display, from the repository root, after building the benchmarks):
    xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" \
        python3 bench/startup_phases.py build-bench [runs]
"""

import ctypes
import ctypes.util
import os
import statistics
import struct
import subprocess
import sys
import time

# Log lines that mark the end of a start-up step, in the order Init writes them.
MILESTONES = [
    ("SDL Initialised!", "SDL initialised (process start, libraries, X connection)"),
    ("SDL SetVideoMode worked correctly!", "window and OpenGL context (driver loaded)"),
    ("OpenGL Viewport and whatnot set.", "fixed state, accumulation buffer cleared"),
    ("InitGL completed.", "GLEW, motion-blur frame ring made and cleared"),
    ('CSprite: Sprite "shade" Loaded', "all sprite sheets decoded and uploaded"),
]


def one_start(build, data):
    read_end, write_end = os.pipe()
    env = dict(os.environ,
               LD_PRELOAD=os.path.join(build, "bench", "libfirst_frame_probe.so"),
               GLIMMERAX_FIRST_FRAME_FD=str(write_end))
    start = time.monotonic()
    game = subprocess.Popen([os.path.join(build, "glimmerax")], cwd=data, env=env,
                            stderr=subprocess.PIPE, pass_fds=(write_end,))
    os.close(write_end)
    stamps = {}
    for line in game.stderr:
        text = line.decode(errors="replace").rstrip("\n")
        stamps.setdefault(text, (time.monotonic() - start) * 1000.0)
    game.wait()
    answer = os.read(read_end, 8)
    os.close(read_end)
    if game.returncode != 0 or len(answer) != 8:
        sys.stderr.write("a start failed (status %d): %s\n" % (game.returncode, list(stamps)[-1:]))
        return None
    first_frame_ns = struct.unpack("q", answer)[0]
    stamps["first frame"] = (first_frame_ns / 1e9 - start) * 1000.0
    return stamps


def hold_display():
    """Keeps a connection to the display open: an X server whose last client leaves resets
    itself and refuses connections meanwhile."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    return xlib.XOpenDisplay(None)


def main():
    display = hold_display()
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-bench")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    if not display:
        sys.exit("no display: run under xvfb-run")
    results = [r for r in (one_start(build, data) for _ in range(runs)) if r]
    if not results:
        sys.exit("the game showed no frame")
    print("median of %d starts, ms since the process started" % len(results))
    previous = 0.0
    for line, meaning in MILESTONES + [("first frame", "first update and frame swapped")]:
        times = [r[line] for r in results if line in r]
        if not times:
            continue
        median = statistics.median(times)
        print("%8.0f  (+%5.0f)  %s" % (median, median - previous, meaning))
        previous = median


if __name__ == "__main__":
    main()
