#!/usr/bin/env python3
"""Kelvora end to end, as a user meets it, on an X display (run under xvfb-run).

Usage: e2e_countdown.py <portable folder>   (build/linux/Kelvora)

Each run works on a copy of the portable folder in a temporary folder:
  1. first start without a data folder: the folder is created; a 1-second
     countdown ends the program by itself and leaves both files;
  2. the packaged folder: move the window, type 0, Tab, 3, Enter; the program
     ends by itself after about 3 seconds, leaving "0,3" and the placement;
  3. the next start opens at the saved place with the saved setting; Enter
     starts it again, and Escape stops it, keeping the remaining time.
Only the standard library and xdotool are used. Timeouts are generous: this
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

WINDOW_NAME = "^  Kelvora$"
PROFILE_KEYS = ["Left", "Right", "Top", "Bottom", "showCmd"]


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def xdotool(*args, timeout=30):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    if result.returncode != 0:
        fail(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout.strip()


class Kelvora:
    """The program started from a folder, with its window found and focused."""

    def __init__(self, folder):
        runtime = folder.parent / "runtime"
        runtime.mkdir(mode=0o700, exist_ok=True)
        environment = dict(os.environ, SDL_AUDIODRIVER="dummy", XDG_RUNTIME_DIR=str(runtime))
        environment.pop("WAYLAND_DISPLAY", None)
        environment.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([str(folder / "Kelvora")], env=environment)
        self.window = xdotool("search", "--sync", "--onlyvisible", "--name", WINDOW_NAME,
                              timeout=60).split()[0]
        # No window manager runs under Xvfb: give the window the keyboard.
        xdotool("windowfocus", "--sync", self.window)
        time.sleep(0.5)

    def type(self, text):
        xdotool("type", "--window", self.window, "--delay", "50", text)

    def key(self, *keys):
        xdotool("key", "--delay", "50", *keys)
        time.sleep(0.2)

    def move(self, x, y):
        xdotool("windowmove", "--sync", self.window, str(x), str(y))
        time.sleep(0.3)

    def position(self):
        output = xdotool("getwindowgeometry", self.window)
        match = re.search(r"Position: (-?\d+),(-?\d+)", output)
        return int(match.group(1)), int(match.group(2))

    def wait_for_exit(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            fail(f"the program did not end within {timeout} s")

    def close(self):
        # The close box: the window manager's WM_DELETE_WINDOW; without one,
        # SIGTERM, which the program treats alike.
        self.process.terminate()
        return self.wait_for_exit(30)


def read_profile(path):
    if not path.is_file():
        fail(f"no profile file {path}")
    text = path.read_bytes().decode("ascii")
    lines = text.split("\r\n")
    if lines[0] != "[WinPos]":
        fail(f"profile does not start with [WinPos]: {text!r}")
    values = dict(line.split("=", 1) for line in lines[1:] if line)
    if list(values) != PROFILE_KEYS:
        fail(f"profile keys {list(values)}, expected {PROFILE_KEYS}")
    return {key: int(value) for key, value in values.items()}


def first_start_creates_the_data_folder(folder):
    shutil.rmtree(folder / "Data")
    kelvora = Kelvora(folder)
    if not (folder / "Data").is_dir():
        fail("the data folder was not created at start-up")
    kelvora.type("0")
    kelvora.key("Tab")
    kelvora.type("1")
    kelvora.key("Return")
    code = kelvora.wait_for_exit(60)
    if code != 0:
        fail(f"exit code {code} after a 1-second countdown")
    if (folder / "Data" / "TimerSet.txt").read_bytes() != b"0,1\r\n":
        fail("setting file after the first start")
    read_profile(folder / "Data" / "Kelvora.ini")
    print("ok: first start created Data/, ran 0:01 to the end, left both files")


def countdown_of_three_seconds(folder):
    kelvora = Kelvora(folder)
    kelvora.move(200, 120)
    kelvora.type("0")
    kelvora.key("Tab")
    kelvora.type("3")
    started = time.monotonic()
    kelvora.key("Return")
    code = kelvora.wait_for_exit(60)
    elapsed = time.monotonic() - started
    if code != 0:
        fail(f"exit code {code}")
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
    print(f"ok: 0:03 ended by itself after {elapsed:.1f} s; TimerSet.txt and Kelvora.ini written")
    return profile


def next_start_reopens_where_it_was(folder, profile):
    kelvora = Kelvora(folder)
    if kelvora.position() != (profile["Left"], profile["Top"]):
        fail(f"opened at {kelvora.position()}, saved at {profile['Left']},{profile['Top']}")
    kelvora.key("Return")  # starts the saved 0:03 again
    time.sleep(1.5)
    kelvora.key("Escape")  # and stops it
    time.sleep(1.5)
    if kelvora.process.poll() is not None:
        fail("the program ended although the countdown was stopped")
    setting = (folder / "Data" / "TimerSet.txt").read_bytes()
    if setting not in (b"0,1\r\n", b"0,2\r\n"):
        fail(f"the stop saved {setting!r}, expected the remaining time")
    code = kelvora.close()
    if code != 0:
        fail(f"exit code {code} after closing")
    if read_profile(folder / "Data" / "Kelvora.ini") != profile:
        fail("closing without moving changed the saved placement")
    print(f"ok: reopened at the saved place, stop kept {setting!r}, closing saved the same place")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    portable = Path(sys.argv[1])
    if not (portable / "Kelvora").is_file():
        fail(f"no program in {portable}")
    with tempfile.TemporaryDirectory() as temp:
        first = Path(temp) / "first" / "Kelvora"
        shutil.copytree(portable, first)
        first_start_creates_the_data_folder(first)

        packaged = Path(temp) / "packaged" / "Kelvora"
        shutil.copytree(portable, packaged)
        for leftover in ("TimerSet.txt", "Kelvora.ini"):
            (packaged / "Data" / leftover).unlink(missing_ok=True)
        profile = countdown_of_three_seconds(packaged)
        next_start_reopens_where_it_was(packaged, profile)
    return 0


if __name__ == "__main__":
    sys.exit(main())
