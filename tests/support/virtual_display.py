"""A virtual X display of a test's own, shared by the release smoke tests.

Xvfb picks the display number itself (-displayfd) and writes it once it accepts connections,
so the display is never one that another server holds. Picking a number whose /tmp socket
and lock file are absent is not enough: a server in another mount namespace (another
container of the same machine) can hold the number through its abstract socket, and then the
test's own Xvfb dies while the probe talks to the stranger.

The server runs with -noreset. By default X resets itself whenever its last client leaves,
and drops a client that connects during the reset: the probe that saw the server ready leaves
it empty, and the game started next (SDL 1.2 connects twice in a row as it starts) now and
then finds no display ("No available video device").
"""

import os
import select
import subprocess
import time


def start(env, timeout=20.0):
    """Starts a 1280x1024 Xvfb with GLX and sets env["DISPLAY"] to it. Returns the Xvfb process
    (terminate it when done), or None when no server came up within timeout seconds."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "+extension", "GLX", "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    end = time.monotonic() + timeout
    while not number.endswith(b"\n") and time.monotonic() < end:
        ready, _, _ = select.select([read_end], [], [], max(0.0, end - time.monotonic()))
        if not ready:
            break
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    if not number.strip().isdigit() or xvfb.poll() is not None:
        stop(xvfb)
        return None
    env["DISPLAY"] = ":" + number.decode().strip()
    return xvfb


def stop(process):
    """Ends the server, or a program drawing on it: SIGTERM first (a killed Xvfb leaves its
    lock and socket in /tmp), SIGKILL after ten seconds."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
