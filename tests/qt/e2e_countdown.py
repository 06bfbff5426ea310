#!/usr/bin/env python3
"""Kelvora end to end, as a user meets it, on an X display (run under xvfb-run).

Usage: e2e_countdown.py <portable folder>   (build/linux/Kelvora)

On a copy of the folder without its data folder: the first start creates it;
move the window, type 0, Tab, 3, Enter, and the program ends by itself after
about 3 seconds, leaving "0,3" and the placement. The next start opens at the
saved place, and closing it keeps that place. Timeouts are generous: this
checks that things happen, not how fast.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

PROFILE_KEYS = ["Left", "Right", "Top", "Bottom", "showCmd"]


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def xdotool(*args, timeout=30):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    if result.returncode != 0:
        fail(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout.strip()


def start(folder):
    """The program started from a folder, and its window, found and focused."""
    runtime = folder.parent / "runtime"
    runtime.mkdir(mode=0o700, exist_ok=True)
    environment = dict(os.environ, SDL_AUDIODRIVER="dummy", XDG_RUNTIME_DIR=str(runtime))
    environment.pop("WAYLAND_DISPLAY", None)
    environment.pop("QT_QPA_PLATFORM", None)
    process = subprocess.Popen([str(folder / "Kelvora")], env=environment)
    window = xdotool("search", "--sync", "--onlyvisible", "--name", "^  Kelvora$",
                     timeout=60).split()[0]
    # No window manager runs under Xvfb: give the window the keyboard.
    xdotool("windowfocus", "--sync", window)
    time.sleep(0.5)
    return process, window


def wait_for_exit(process, timeout):
    try:
        code = process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        fail(f"the program did not end within {timeout} s")
    if code != 0:
        fail(f"exit code {code}")


def read_profile(path):
    lines = path.read_bytes().decode("ascii").split("\r\n")
    if lines[0] != "[WinPos]":
        fail(f"profile does not start with [WinPos]: {lines!r}")
    values = dict(line.split("=", 1) for line in lines[1:] if line)
    if list(values) != PROFILE_KEYS:
        fail(f"profile keys {list(values)}, expected {PROFILE_KEYS}")
    return {key: int(value) for key, value in values.items()}


def main():
    portable = Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as temp:
        folder = Path(temp) / "Kelvora"
        shutil.copytree(portable, folder)
        shutil.rmtree(folder / "Data")

        process, window = start(folder)
        if not (folder / "Data").is_dir():
            fail("the data folder was not created at start-up")
        xdotool("windowmove", "--sync", window, "200", "120")
        time.sleep(0.3)
        xdotool("type", "--window", window, "--delay", "50", "0")
        xdotool("key", "--delay", "50", "Tab")
        xdotool("type", "--window", window, "--delay", "50", "3")
        started = time.monotonic()
        xdotool("key", "Return")
        wait_for_exit(process, 60)
        elapsed = time.monotonic() - started
        if elapsed < 2.5:
            fail(f"a 3-second countdown ended after {elapsed:.1f} s")
        setting = (folder / "Data" / "TimerSet.txt").read_bytes()
        if setting != b"0,3\r\n":
            fail(f"TimerSet.txt is {setting!r}")
        profile = read_profile(folder / "Data" / "Kelvora.ini")
        if (profile["Left"], profile["Top"], profile["showCmd"]) != (200, 120, 1):
            fail(f"profile values {profile}, the window was at 200,120")
        if profile["Right"] - profile["Left"] < 98 or profile["Bottom"] - profile["Top"] < 27:
            fail(f"profile rectangle smaller than the window: {profile}")
        print(f"ok: first start made Data/; 0:03 ended after {elapsed:.1f} s; both files written")

        process, window = start(folder)
        position = re.search(r"Position: (-?\d+),(-?\d+)", xdotool("getwindowgeometry", window))
        if (int(position.group(1)), int(position.group(2))) != (200, 120):
            fail(f"opened at {position.groups()}, saved at 200,120")
        # The close box: WM_DELETE_WINDOW from a window manager; without one,
        # SIGTERM, which the program treats alike.
        process.terminate()
        wait_for_exit(process, 30)
        if read_profile(folder / "Data" / "Kelvora.ini") != profile:
            fail("closing without moving changed the saved placement")
        print("ok: reopened at the saved place; closing kept it")
    return 0


if __name__ == "__main__":
    sys.exit(main())
