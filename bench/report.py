#!/usr/bin/env python3
"""Kelvora's figures on both systems, side by side from one run.

Run through scripts/bench-report.sh, which builds both front ends and the two
bare windows, prepares a Wine prefix of the benchmark's own and starts an Xvfb
display. On that one display, with no window manager, this measures:
  - the Linux program and a bare Qt window, with the Linux benchmark's own
    routines (bench/linux_bench.py: start-up to the window mapped, resident
    memory, wake-ups, alarm lateness from the setting file's save to the
    profile file's creation at unload);
  - Kelvora.exe and a bare Win32 window under Wine, the same way: the same
    X events, the same files, the same counters. A warm Wine server is kept
    running, so start-up is that of a program on a running Wine, as on a
    running Windows; memory and wake-ups are those of the program's own
    process, with what Wine's shared services use printed apart;
  - the size of each executable, stripped as a release ships it.
Figures are printed, never asserted.
"""

import argparse
import datetime
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import linux_bench as lb  # noqa: E402  (the Linux benchmark's routines)

ROOT = Path(__file__).resolve().parent.parent
WINDOWS_BUILD = ROOT / "build" / "windows"
KELVORA_EXE_FOLDER = WINDOWS_BUILD / "Kelvora"
BARE_WIN32 = WINDOWS_BUILD / "bench" / "win32" / "bare_win32_window.exe"
WINE_PREFIX = Path(os.environ.get("KELVORA_BENCH_WINEPREFIX", ROOT / "build" / "wine-prefix-bench"))
# Wine's own processes that every Windows program on the prefix shares.
WINE_SERVICES = ("wineserver", "services.exe", "winedevice.exe", "explorer.exe", "plugplay.exe",
                 "rpcss.exe", "svchost.exe", "conhost.exe", "start.exe")


# --------------------------------------------------------------------------
# Wine


def wine_environment():
    return dict(os.environ, WINEPREFIX=str(WINE_PREFIX), WINEDEBUG="-all",
                LC_ALL=os.environ.get("KELVORA_WINE_LOCALE", "ja_JP.UTF-8"),
                # No audio drivers: the sound call returns at once, as the
                # Linux program's does with no audio device.
                WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=")


def wineserver(*arguments):
    subprocess.run(["wineserver", *arguments], env=wine_environment(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def process_command_line(pid):
    try:
        return Path(f"/proc/{pid}/cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
    except OSError:
        return ""


def pids_matching(text):
    return [int(entry.name) for entry in Path("/proc").iterdir()
            if entry.name.isdigit() and text in process_command_line(entry.name)]


def wine_services_rss_kib():
    total = 0
    for name in WINE_SERVICES:
        for pid in pids_matching(name):
            try:
                total += lb.rss_kib(pid)
            except OSError:
                pass
    return total


class WineStarted(lb.Started):
    """A Windows program started under the warm Wine server, up to its window shown."""

    def __init__(self, x, exe, cwd):
        x.drain()
        self.started = time.monotonic()
        self.process = subprocess.Popen(["wine", str(exe)], env=wine_environment(), cwd=cwd,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.shown = x.wait_for_map(lb.TITLE)
        # Wine's loader keeps the process it was started as, under the
        # program's name; look it up rather than trust that.
        candidates = pids_matching(exe.name)
        self.pid = self.process.pid if self.process.pid in candidates else \
            (candidates[0] if candidates else self.process.pid)

    # startup_ms() and end() are the Linux benchmark's own.


def windows_copy(temp):
    return lb.portable_copy(temp, KELVORA_EXE_FOLDER, "KelvoraWindows")


def windows_program(program, temp):
    return windows_copy(temp) / "Kelvora.exe" if program == "Kelvora.exe" else BARE_WIN32


def wine_measure_start(x, program, runs, temp):
    startups, memory = [], []
    for _ in range(runs):
        run = WineStarted(x, windows_program(program, temp), temp)
        startups.append(run.startup_ms())
        time.sleep(1.0)
        memory.append(lb.rss_kib(run.pid))
        run.end()
    return startups, memory


def starts_in_turn(x, programs, runs, temp):
    """Start-up times (ms) and resident sizes (KiB) of each program, the programs
    taking turns: a machine that speeds up or slows down during the run weighs on
    each of them alike."""
    figures = {program: ([], []) for program in programs}
    for _ in range(runs):
        for program in programs:
            windows = program.endswith(("exe", "win32_window"))
            startups, memory = (wine_measure_start if windows else lb.measure_start)(
                x, program, 1, temp)
            figures[program][0].extend(startups)
            figures[program][1].extend(memory)
    return figures


def focus_and_type(window, minutes, seconds):
    """The keyboard as a user's: XTEST into the focused window, which Wine reads."""
    lb.xdotool("windowfocus", "--sync", window)
    time.sleep(0.5)
    lb.xdotool("type", "--delay", "30", minutes)
    lb.xdotool("key", "Tab")
    lb.xdotool("type", "--delay", "30", seconds)


def wine_measure_wakeups(x, program, temp):
    run = WineStarted(x, windows_program(program, temp), temp)
    figures = {}
    server = (pids_matching("wineserver") or [None])[0]
    try:
        time.sleep(1.0)
        figures["stopped, not focused"] = wakeups_with_server(run.pid, server)
        window = lb.window_of(lb.TITLE)
        lb.xdotool("windowfocus", "--sync", window)
        time.sleep(1.0)
        figures["stopped, focused"] = wakeups_with_server(run.pid, server)
        if program == "Kelvora.exe":
            # As long as the Linux benchmark waits for its caret to rest.
            time.sleep(6.0)
            figures["stopped, focused, idle"] = wakeups_with_server(run.pid, server)
            focus_and_type(window, "9", "0")
            lb.xdotool("key", "Return")
            time.sleep(1.5)
            figures["running, focused"] = wakeups_with_server(run.pid, server)
            figures["after a tooltip"] = memory_after_tooltip(run.pid, window)
    finally:
        run.end()
    return figures


def memory_after_tooltip(pid, window):
    """Resident memory once the pointer has rested on the minutes field and its
    tip has shown: the tooltips' common controls are loaded only then."""
    geometry = dict(line.split("=") for line in
                    lb.xdotool("getwindowgeometry", "--shell", window).splitlines())
    # The field's middle: 20 pixels in, 10 up from the bottom of the client area.
    lb.xdotool("mousemove", "--window", window, "20", str(int(geometry["HEIGHT"]) - 10))
    time.sleep(2.0)
    return lb.rss_kib(pid)


def wakeups_with_server(pid, server, seconds=5.0):
    """The program's wake-ups per second, and the Wine server's over the same time."""
    before = lb.context_switches(pid)
    server_before = sum(lb.context_switches(server).values()) if server else 0
    time.sleep(seconds)
    after = lb.context_switches(pid)
    server_after = sum(lb.context_switches(server).values()) if server else 0
    total = sum(after[name] - before.get(name, 0) for name in after) / seconds
    return total, (server_after - server_before) / seconds


def wine_measure_alarm(x, temp, seconds, stall=0):
    folder = windows_copy(temp)
    events = lb.FolderEvents(folder / "Data")
    run = WineStarted(x, folder / "Kelvora.exe", temp)
    try:
        window = lb.window_of(lb.TITLE)
        focus_and_type(window, "0", str(seconds))
        subprocess.Popen(["xdotool", "key", "Return"])
        held = lb.Stall(run.pid, stall)
        while run.process.poll() is None and time.monotonic() < run.shown + seconds + 60:
            events.poll(0.001)
            held.step()
        events.poll(0)
    finally:
        run.end()
        events.close()
    saved = events.first(lb.FolderEvents.IN_MOVED_TO | lb.FolderEvents.IN_CREATE, "TimerSet.txt")
    alarm = events.first(lb.FolderEvents.IN_CREATE, "Kelvora.ini")
    if saved is None or alarm is None:
        return None
    return (alarm - saved) * 1000 - seconds * 1000


# --------------------------------------------------------------------------
# The table


def median(values):
    return statistics.median(values) if values else None


def cell(value, unit="", digits=1):
    if value is None:
        return "—"
    return f"{value:.{digits}f}{unit}"


def spread(values, unit, digits=1):
    if not values:
        return "—"
    if len(values) == 1:
        return cell(values[0], unit, digits)
    return (f"{cell(statistics.median(values), unit, digits)} "
            f"({cell(min(values), '', digits)}–{cell(max(values), '', digits)})")


def print_table(title, columns, rows):
    width = max(len(name) for name, _ in rows)
    widths = [max(len(column), *(len(values[i]) for _, values in rows if values))
              for i, column in enumerate(columns)]
    print(f"\n{title}")
    print("  " + " " * width + "  " + "  ".join(c.rjust(w) for c, w in zip(columns, widths)))
    for name, values in rows:
        if not values:
            print(f"  {name}")
            continue
        print(f"  {name.ljust(width)}  " + "  ".join(v.rjust(w) for v, w in zip(values, widths)))


def stripped_kib(path, strip):
    """The size without symbols or debug information, as a release would ship."""
    if not path.is_file() or shutil.which(strip) is None:
        return None
    with tempfile.TemporaryDirectory() as temp:
        copy = Path(temp) / path.name
        subprocess.run([strip, "--strip-all", "-o", str(copy), str(path)], check=True)
        return copy.stat().st_size / 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    # Under Wine the medians of 20 starts moved by up to 50 ms from one run to
    # the next, more than the two Windows programs differ by.
    parser.add_argument("--runs", type=int, default=40, help="starts of each program")
    parser.add_argument("--alarm-runs", type=int, default=3, help="runs of the 10 s alarm")
    parser.add_argument("--long-alarm-runs", type=int, default=1, help="runs of the 60 s alarm")
    arguments = parser.parse_args()

    x = lb.XDisplay()
    wine_version = subprocess.run(["wine", "--version"], capture_output=True,
                                  text=True).stdout.strip()
    # One warm server for every Windows program of the run, ended at the end.
    wineserver("-k")
    subprocess.Popen(["wineserver", "-p"], env=wine_environment(),
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).wait(timeout=60)
    figures = {}
    with tempfile.TemporaryDirectory() as temp:
        try:
            # Wine's first start on a server brings up its services: not counted.
            WineStarted(x, BARE_WIN32, temp).end()
            # Each pair on its own: the first Wine start after a Linux program
            # is slower by some 200 ms, whichever it is.
            starts = starts_in_turn(x, ("bare_win32_window", "Kelvora.exe"), arguments.runs, temp)
            starts.update(starts_in_turn(x, ("bare_qt_window", "Kelvora"), arguments.runs, temp))
            for program in ("bare_qt_window", "Kelvora"):
                figures[program] = {"start": starts[program],
                                    "wakeups": lb.measure_wakeups(x, program, temp)}
            for program in ("bare_win32_window", "Kelvora.exe"):
                figures[program] = {"start": starts[program],
                                    "wakeups": wine_measure_wakeups(x, program, temp)}
            services_kib = wine_services_rss_kib()

            alarms = {"Kelvora": {}, "Kelvora.exe": {}}
            # (setting, seconds held on the way): a 3 s stall, as of a machine
            # too busy to run the program, must not make the alarm late.
            for setting, runs in (((10, 0), arguments.alarm_runs), ((60, 0), arguments.long_alarm_runs),
                                  ((10, 3), arguments.alarm_runs)):
                linux, windows = [], []
                for _ in range(runs):
                    measured = lb.measure_alarm(x, temp, *setting)
                    if measured is not None:
                        linux.append(measured["from the setting saved"])
                    measured = wine_measure_alarm(x, temp, *setting)
                    if measured is not None:
                        windows.append(measured)
                alarms["Kelvora"][setting] = linux
                alarms["Kelvora.exe"][setting] = windows
        finally:
            wineserver("-k")

    columns = ["Kelvora (Qt)", "bare Qt", "Kelvora.exe", "bare Win32"]
    programs = ["Kelvora", "bare_qt_window", "Kelvora.exe", "bare_win32_window"]

    def times_bare(index, kelvora, bare):
        """Kelvora's median over its bare window's, start-up (0) or memory (1)."""
        return f"{median(figures[kelvora]['start'][index]) / median(figures[bare]['start'][index]):.2f}×"

    def after_tooltip(program):
        kib = figures[program]["wakeups"].get("after a tooltip")
        return "—" if kib is None else cell(kib / 1024)

    def wake(program, state):
        found = figures[program]["wakeups"].get(state)
        if found is None:
            return "—"
        total, extra = found
        if program.endswith(("exe", "win32_window")):
            return f"{total:.1f} (+{extra:.1f} server)"
        return f"{total:.1f}"

    rows = [
        ("Start-up, exec to window shown, ms",
         [spread(figures[p]["start"][0], "", 0) for p in programs]),
        ("Resident memory, MiB",
         [spread([m / 1024 for m in figures[p]["start"][1]], "", 1) for p in programs]),
        ("Start-up and memory, times the bare window's",
         [f"{times_bare(0, 'Kelvora', 'bare_qt_window')}, {times_bare(1, 'Kelvora', 'bare_qt_window')}",
          "—",
          f"{times_bare(0, 'Kelvora.exe', 'bare_win32_window')}, "
          f"{times_bare(1, 'Kelvora.exe', 'bare_win32_window')}",
          "—"]),
        ("Resident memory after a tooltip, MiB", [after_tooltip(p) for p in programs]),
        ("Wake-ups/s, stopped, not focused", [wake(p, "stopped, not focused") for p in programs]),
        ("Wake-ups/s, stopped, focused", [wake(p, "stopped, focused") for p in programs]),
        ("Wake-ups/s, stopped, focused, 12 s idle",
         [wake(p, "stopped, focused, idle") for p in programs]),
        ("Wake-ups/s, running, focused", [wake(p, "running, focused") for p in programs]),
        *((f"Alarm lateness, {name}, ms",
           [spread(alarms["Kelvora"][setting], "", 1), "—",
            spread(alarms["Kelvora.exe"][setting], "", 1), "—"])
          for name, setting in (("10 s setting", (10, 0)), ("60 s setting", (60, 0)),
                                ("10 s setting, held 3 s", (10, 3)))),
        ("Executable size, stripped, KiB",
         [cell(stripped_kib(lb.KELVORA / "Kelvora", "strip"), "", 0),
          cell(stripped_kib(lb.BARE, "strip"), "", 0),
          cell(stripped_kib(KELVORA_EXE_FOLDER / "Kelvora.exe", "x86_64-w64-mingw32-strip"), "", 0),
          cell(stripped_kib(BARE_WIN32, "x86_64-w64-mingw32-strip"), "", 0)]),
    ]
    today = datetime.date.today().isoformat()
    print(f"Kelvora benchmark, {today}: {platform.machine()}, {os.cpu_count()} cores, Xvfb with no "
          f"window manager, {wine_version}")
    print_table(f"Median (min–max) of {arguments.runs} starts; wake-ups over 5 s; alarm: "
                f"{arguments.alarm_runs} × 10 s, {arguments.long_alarm_runs} × 60 s and "
                f"{arguments.alarm_runs} × 10 s held 3 s",
                columns, rows)
    print(f"""
Notes
  Start-up: exec to the X server mapping the window; each program starts in
    turn with its bare window. Under Wine a warm Wine
    server was already running; its services ({services_kib / 1024:.0f} MiB resident in
    all) are shared by every Windows program and not counted above.
  Memory after a tooltip: Kelvora.exe loads the common controls for its tips
    when the pointer first moves over its window, so a window left alone does
    without them; this is after the minutes field's tip has shown.
  Wake-ups: context switches of all the program's threads. Under Wine, "+ server"
    is the Wine server's over the same seconds: Windows messages pass through it.
  Alarm lateness: the profile file's creation at unload, minus the setting
    file's save at the start click, minus the setting. Sound drivers are off
    on both sides, so the sound call returns at once. "Held 3 s": the
    program's process is stopped (SIGSTOP) 1.5 s after the start for 3 s.
  Sizes: the Linux executables link Qt's shared libraries (not counted);
    the Windows ones are linked statically and stand alone.""")
    return 0


if __name__ == "__main__":
    sys.exit(main())
