#!/usr/bin/env python3
"""Kelvora's Linux figures under Xvfb, printed beside a bare Qt window's.

Usage (from anywhere):  python3 bench/linux_bench.py [--runs N]

Builds the portable program and the floor (`Kelvora` and `bare_qt_window` in
the linux preset), starts an Xvfb display of its own (inside a D-Bus session,
as on a desktop, where dbus-run-session is installed), and prints for Kelvora,
the bare window, and the bare window with one line of text:
  - start-up: from exec to the window being mapped on the display, seen as the
    X server's MapNotify on the root window (an X client on the same display,
    through Xlib by ctypes), so neither program needs a hook of its own;
  - the CPU time all threads used until then (from /proc/<pid>/task/*/schedstat),
    less disturbed than wall time by other work on the machine;
  - resident memory (VmRSS) one second after the window is shown;
  - wake-ups per second: context switches of all the process's threads over
    5 s, with the window focused (the caret blinks, as on a desktop) and not,
    while stopped (also once the caret has rested after 10 s without input)
    and while a countdown runs;
  - alarm lateness for a 10 s setting, from file events seen through inotify
    in the data folder: the start click saves the setting file (renamed into
    place just before the countdown's timer starts), and the unload that
    follows the sound call begins by writing the profile file. The sound
    device is made unavailable, so the sound call returns at once; then
      alarm lateness = first profile write - setting saved - 10 s.
    Also printed: the same from the Enter key (which includes the saving of
    the setting file) and the program's end (which includes the saving of the
    placement).
Figures are printed, never asserted. Only the standard library and xdotool.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "linux"
KELVORA = BUILD / "Kelvora"
BARE = BUILD / "bench" / "bare_qt_window"
TITLE = b"  Kelvora"
MAP_NOTIFY = 19


# --------------------------------------------------------------------------
# Seeing windows appear, through Xlib


class XDisplay:
    def __init__(self):
        self.xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.xlib.XPending.argtypes = [ctypes.c_void_p]
        self.xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.xlib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                         ctypes.POINTER(ctypes.c_char_p)]
        self.xlib.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.xlib.XOpenDisplay(None)
        if not self.display:
            sys.exit("cannot open the X display")
        root = self.xlib.XDefaultRootWindow(self.display)
        substructure_notify = 1 << 19
        self.xlib.XSelectInput(self.display, root, substructure_notify)
        self.xlib.XFlush(self.display)
        self.fd = self.xlib.XConnectionNumber(self.display)
        self.event = (ctypes.c_long * 24)()

    def drain(self):
        while self.xlib.XPending(self.display):
            self.xlib.XNextEvent(self.display, self.event)

    def wait_for_map(self, title, timeout=30.0):
        """Seconds on the monotonic clock at which a window with the title was mapped."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while self.xlib.XPending(self.display):
                self.xlib.XNextEvent(self.display, self.event)
                seen = time.monotonic()
                if ctypes.c_int.from_buffer(self.event).value != MAP_NOTIFY:
                    continue
                window = self.event[5]  # XMapEvent: type, serial, send_event, display, event, window
                name = ctypes.c_char_p()
                if self.xlib.XFetchName(self.display, window, ctypes.byref(name)) and \
                        name.value == title:
                    return seen
            select.select([self.fd], [], [], 0.05)
        raise TimeoutError("window not shown")


# --------------------------------------------------------------------------
# Seeing files appear, through inotify


class FolderEvents:
    IN_CREATE = 0x100
    IN_MOVED_TO = 0x80

    def __init__(self, folder):
        self.libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        self.libc.inotify_add_watch(self.fd, str(folder).encode(),
                                    self.IN_CREATE | self.IN_MOVED_TO)
        self.seen = []  # (monotonic seconds, mask, name)

    def poll(self, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return
        now = time.monotonic()
        data = os.read(self.fd, 65536)
        offset = 0
        while offset < len(data):
            _, mask, _, length = struct.unpack_from("iIII", data, offset)
            name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
            self.seen.append((now, mask, name))
            offset += 16 + length

    def first(self, mask, prefix):
        return next((t for t, m, name in self.seen if m & mask and name.startswith(prefix)), None)

    def close(self):
        os.close(self.fd)


# --------------------------------------------------------------------------
# Reading the process


def rss_kib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def context_switches(pid):
    """Context switches so far, per thread name."""
    counts = {}
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            status = (task / "status").read_text().splitlines()
            name = (task / "comm").read_text().strip()
        except OSError:
            continue
        total = sum(int(line.split()[1]) for line in status
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")))
        counts[name] = counts.get(name, 0) + total
    return counts


def wakeups_per_second(pid, seconds=5.0):
    before = context_switches(pid)
    time.sleep(seconds)
    after = context_switches(pid)
    per_thread = {name: (after[name] - before.get(name, 0)) / seconds for name in after}
    return sum(per_thread.values()), per_thread


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True,
                          timeout=30).stdout.strip()


def window_of(title):
    pattern = "^" + title.decode() + "$"
    return xdotool("search", "--sync", "--onlyvisible", "--name", pattern).split()[0]


# --------------------------------------------------------------------------
# One run of a program


def cpu_ms(pid):
    """CPU time the process's threads have used so far, in ms."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (OSError, IndexError, ValueError):
            pass
    return total / 1e6


class Started:
    def __init__(self, x, command, cwd, audio="dummy"):
        runtime = Path(cwd) / "runtime"
        runtime.mkdir(mode=0o700, exist_ok=True)
        environment = dict(os.environ, SDL_AUDIODRIVER=audio, XDG_RUNTIME_DIR=str(runtime))
        environment.pop("QT_QPA_PLATFORM", None)
        x.drain()
        self.started = time.monotonic()
        command = [str(part) for part in (command if isinstance(command, list) else [command])]
        self.process = subprocess.Popen(command, env=environment, cwd=cwd,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.shown = x.wait_for_map(TITLE)
        self.pid = self.process.pid
        self.cpu_at_shown = cpu_ms(self.pid)

    def startup_ms(self):
        return (self.shown - self.started) * 1000

    def end(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def portable_copy(temp, source=KELVORA, name="Kelvora"):
    """A fresh copy of a built program's folder, without the files a run leaves."""
    folder = Path(temp) / name
    if folder.exists():
        shutil.rmtree(folder)
    shutil.copytree(source, folder)
    for leftover in ("TimerSet.txt", "Kelvora.ini"):
        (folder / "Data" / leftover).unlink(missing_ok=True)
    return folder


# The floors: a bare window, and the same window with one line of text in an
# edit field, which is what drawing any text costs (fontconfig, a font).
PROGRAMS = {"bare_qt_window": [BARE], "bare + text": [BARE, "text"], "Kelvora": None}


def command_of(program, temp):
    return PROGRAMS[program] or portable_copy(temp) / "Kelvora"


def measure_start(x, program, runs, temp):
    """Start-up times (ms) and resident sizes (KiB) of one program."""
    startups, memory = [], []
    for _ in range(runs):
        run = Started(x, command_of(program, temp), temp)
        startups.append(run.startup_ms())
        time.sleep(1.0)
        memory.append(rss_kib(run.pid))
        run.end()
    return startups, memory


def measure_starts_in_turn(x, runs, temp):
    """Start-up (wall and CPU ms) and resident size (KiB) per program, taking turns."""
    results = {program: {"wall": [], "cpu": [], "rss": []} for program in PROGRAMS}
    for _ in range(runs):
        for program in PROGRAMS:
            run = Started(x, command_of(program, temp), temp)
            results[program]["wall"].append(run.startup_ms())
            results[program]["cpu"].append(run.cpu_at_shown)
            time.sleep(1.0)
            results[program]["rss"].append(rss_kib(run.pid))
            run.end()
    return results


def measure_wakeups(x, program, temp):
    run = Started(x, command_of(program, temp), temp)
    figures = {}
    try:
        time.sleep(1.0)
        figures["stopped, not focused"] = wakeups_per_second(run.pid)
        window = window_of(TITLE)
        xdotool("windowfocus", "--sync", window)
        time.sleep(1.0)
        figures["stopped, focused"] = wakeups_per_second(run.pid)
        if program == "Kelvora":
            # The caret blinks for 10 s after the last input, then rests.
            time.sleep(6.0)
            figures["stopped, focused, idle"] = wakeups_per_second(run.pid)
            xdotool("type", "--window", window, "--delay", "30", "9")
            xdotool("key", "Tab")
            xdotool("type", "--window", window, "--delay", "30", "0")
            xdotool("key", "Return")
            time.sleep(1.5)
            figures["running, focused"] = wakeups_per_second(run.pid)
    finally:
        run.end()
    return figures


class Stall:
    """Holds a process with SIGSTOP for `seconds`, `after` seconds from now, as a
    machine too busy to run it would; step() is called from a polling loop."""

    def __init__(self, pid, seconds, after=1.5):
        self.pid, self.seconds = pid, seconds
        self.start = time.monotonic() + after
        self.state = "waiting" if seconds else "done"

    def step(self):
        now = time.monotonic()
        if self.state == "waiting" and now >= self.start:
            os.kill(self.pid, signal.SIGSTOP)
            self.state = "held"
        elif self.state == "held" and now >= self.start + self.seconds:
            os.kill(self.pid, signal.SIGCONT)
            self.state = "done"


def measure_alarm(x, temp, seconds=10, stall=0):
    """Lateness in ms: from the setting saved, from the Enter key, and the end;
    the program held for `stall` seconds on the way."""
    folder = portable_copy(temp)
    events = FolderEvents(folder / "Data")
    # No such audio driver: the sound call returns at once.
    run = Started(x, folder / "Kelvora", temp, audio="kelvora-bench-none")
    try:
        window = window_of(TITLE)
        xdotool("windowfocus", "--sync", window)
        time.sleep(0.5)
        xdotool("type", "--window", window, "--delay", "30", "0")
        xdotool("key", "Tab")
        xdotool("type", "--window", window, "--delay", "30", str(seconds))
        enter = time.monotonic()
        subprocess.Popen(["xdotool", "key", "Return"])
        held = Stall(run.pid, stall)
        while run.process.poll() is None and time.monotonic() < enter + seconds + 30:
            events.poll(0.001)
            held.step()
        ended = time.monotonic()
        events.poll(0)
    finally:
        run.end()
        events.close()
    saved = events.first(FolderEvents.IN_MOVED_TO, "TimerSet.txt")
    alarm = events.first(FolderEvents.IN_CREATE, "Kelvora.ini")
    if saved is None or alarm is None:
        return None
    return {"from the setting saved": (alarm - saved) * 1000 - seconds * 1000,
            "from the Enter key": (alarm - enter) * 1000 - seconds * 1000,
            "program end, from the setting saved": (ended - saved) * 1000 - seconds * 1000}


# --------------------------------------------------------------------------


def build():
    subprocess.run(["cmake", "--preset", "linux"], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "linux", "-j2", "--target", "Kelvora",
                    "bare_qt_window"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)


def describe(values, unit):
    return (f"median {statistics.median(values):8.1f} {unit}   "
            f"min {min(values):8.1f}   max {max(values):8.1f}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--no-build", action="store_true")
    arguments = parser.parse_args()

    if os.environ.get("KELVORA_BENCH_DISPLAY") != "1":
        if not arguments.no_build:
            build()
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", sys.executable,
                   __file__, "--runs", str(arguments.runs), "--no-build"]
        # A desktop session has a session bus; without one, libraries that
        # look for it (SDL's audio start among them) try to launch one.
        if shutil.which("dbus-run-session"):
            command = ["dbus-run-session", "--", *command]
        return subprocess.run(command, env=dict(os.environ, KELVORA_BENCH_DISPLAY="1")).returncode

    x = XDisplay()
    with tempfile.TemporaryDirectory() as temp:
        print(f"Kelvora on Xvfb, {arguments.runs} starts of each program, taking turns; "
              "no window manager; session bus: "
              f"{'yes' if os.environ.get('DBUS_SESSION_BUS_ADDRESS') else 'no'}")
        results = measure_starts_in_turn(x, arguments.runs, temp)
        print("\nStart-up, exec to window mapped (wall clock)")
        for program, figures in results.items():
            print(f"  {program:15} {describe(figures['wall'], 'ms')}")
        print("Start-up, CPU time used until the window is mapped (all threads)")
        for program, figures in results.items():
            print(f"  {program:15} {describe(figures['cpu'], 'ms')}")
        print("Resident memory, 1 s after shown")
        for program, figures in results.items():
            print(f"  {program:15} {describe([kib / 1024 for kib in figures['rss']], 'MiB')}")
        median = {program: {key: statistics.median(values) for key, values in figures.items()}
                  for program, figures in results.items()}
        for floor in ("bare_qt_window", "bare + text"):
            print(f"  Kelvora / {floor}: start-up "
                  f"{median['Kelvora']['wall'] / median[floor]['wall']:.2f}x wall, "
                  f"{median['Kelvora']['cpu'] / median[floor]['cpu']:.2f}x CPU; memory "
                  f"{median['Kelvora']['rss'] / median[floor]['rss']:.2f}x "
                  "(target: within 1.2x of the bare window)")

        print("\nWake-ups per second (context switches, all threads, over 5 s)")
        for program in PROGRAMS:
            for state, (total, per_thread) in measure_wakeups(x, program, temp).items():
                threads = ", ".join(f"{name} {rate:.1f}" for name, rate in per_thread.items()
                                    if rate > 0)
                print(f"  {program:15} {state:22} {total:6.1f}/s   {threads}")
        print("  (target: none while stopped)")

        print("\nAlarm lateness for a 10 s setting (target: within 20 ms)")
        for attempt in range(3):
            figures = measure_alarm(x, temp)
            if figures is None:
                print(f"  run {attempt + 1}: the files were not seen")
                continue
            print(f"  run {attempt + 1}: " + ", ".join(f"{name} {value:6.1f} ms"
                                                      for name, value in figures.items()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
