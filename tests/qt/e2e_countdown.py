#!/usr/bin/env python3
# Kelvora end to end, as a user meets it: installed for a user with
# scripts/install.sh and started by its menu entry, upgraded and uninstalled;
# on an X display under a real window manager (openbox), typed at with xdotool
# and read the way a screen reader reads it, through AT-SPI, in a user's
# comma-decimal locale. The install uses the build that holds the portable
# folder, and runs `cmake --install` of it for the tarball's tree.
#
# Usage: xvfb-run -a dbus-run-session -- e2e_countdown.py <portable folder>
# KELVORA_E2E_LOCALE overrides the locale (de_DE.UTF-8). Every step prints
# "ok" or "FAIL [step]"; the run goes on after a failure, so each step's label
# shows which behaviour broke. Timeouts are generous: this checks that things
# happen, not how fast.

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import wave
from pathlib import Path

import pyatspi
from gi.repository import Gio, GLib

LOCALE = os.environ.get("KELVORA_E2E_LOCALE", "de_DE.UTF-8")
failures = []
programs = []


def check(step, passed, detail=""):
    print(f"{'ok  ' if passed else 'FAIL'} [{step}] {detail}", flush=True)
    failures.extend([] if passed else [step])


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=60).stdout.strip()


def wait_for(find, timeout=20):
    deadline = time.monotonic() + timeout
    while not (found := find()) and time.monotonic() < deadline:
        time.sleep(0.2)
    return found


def names_in(node):
    # Every name under an accessible: what a screen reader can reach.
    return [node.name] + [name for child in node for name in names_in(child)]


def launch(*command):
    environment = {key: value for key, value in os.environ.items()
                   if key not in ["WAYLAND_DISPLAY", "QT_QPA_PLATFORM"]}
    environment.update(LC_ALL=LOCALE, SDL_AUDIODRIVER="dummy", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    programs.append(subprocess.Popen(command, env=environment))
    return programs[-1]


def shown_window():
    return run("xdotool", "search", "--onlyvisible", "--name", "^  Kelvora$")


class Kelvora:
    # The program started, its window active.

    def __init__(self, *command):
        self.process = launch(*command)
        self.window = wait_for(shown_window)
        check("window shown", self.window, f"started as {command}")
        run("xdotool", "windowactivate", "--sync", self.window)
        self.app = wait_for(lambda: next((app for app in pyatspi.Registry.getDesktop(0)
                                          if app and app.get_process_id() == self.process.pid
                                          and app.childCount), None))
        time.sleep(0.5)

    def controls(self):
        return {child.name: child for child in self.app[0]}

    def value(self, name):
        return self.controls()[name].queryText().getText(0, -1)

    def keys(self, *keys):
        run("xdotool", "key", "--delay", "80", *keys)
        time.sleep(0.5)

    def ended(self, timeout, close=False):
        if close:  # the close box: SIGTERM, which the program treats alike
            self.process.terminate()
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            # Still open: say what it shows (an error's message box, say).
            print("   still showing:", [name for name in names_in(self.app) if name])
            self.process.kill()
            return self.process.wait()


def read_profile(path):
    lines = path.read_bytes().decode("ascii").split("\r\n") if path.exists() else [""]
    values = dict(line.split("=", 1) for line in lines[1:] if line)
    ok = lines[0] == "[WinPos]" and list(values) == ["Left", "Right", "Top", "Bottom", "showCmd"]
    return {key: int(value) for key, value in values.items()} if ok else None


def late_window_manager(folder):
    # A login starts both at once on a new display: openbox a moment after the
    # program, within the time the program takes to show its window. The
    # display's number follows xvfb-run's, which keeps concurrent runs apart;
    # -noreset keeps the server from restarting as the readiness probe leaves.
    display = os.environ["DISPLAY"]
    new_display = f":{int(display[1:].split('.')[0]) + 1000}"
    for delay in [0] * 4 + [0.02, 0.05] * 2:
        server = subprocess.Popen(["Xvfb", new_display, "-nolisten", "tcp", "-noreset"], stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = new_display
        wait_for(lambda: run("xprop", "-root", "WM_NAME"))  # once it is ready
        kelvora = launch(folder / "Kelvora")
        time.sleep(delay)
        openbox = subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL)
        managed = wait_for(lambda: "Normal" in run("xprop", "-id", shown_window(), "WM_STATE"), 10)
        check("late window manager", managed, f"openbox started {delay} s after the program")
        for program in [kelvora, openbox, server]:
            program.terminate(), program.wait(30)
        os.environ["DISPLAY"] = display


def installed_from_menu(folder):
    # Installed from the checkout for a user whose home a shell would split at
    # its space, and started by its menu entry; upgraded from the tarball's
    # tree while it runs; then uninstalled.
    home = folder.parent / "ホーム a$b"
    shared, checkout, tree = home / ".local/share", Path(__file__).resolve().parents[2], folder.parent / "tar"
    data, entry = shared / "kelvora/Data", shared / "applications/kelvora.desktop"
    build = str(Path(sys.argv[1]).parent)

    def install(script, *arguments):
        environment = dict(os.environ, HOME=str(home), KELVORA_BUILD_DIR=build)
        done = subprocess.run([script, *arguments], env=environment, capture_output=True, text=True)
        check("install", done.returncode == 0, f"{arguments}: {done.stdout}{done.stderr}")
        return sorted(os.path.relpath(path, data) for path in home.rglob("*") if not path.is_dir())
    install(checkout / "scripts/install.sh")
    valid = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
    app = Gio.DesktopAppInfo.new_from_filename(str(entry))  # None when TryExec is not found
    check("menu entry", valid.returncode == 0 and app, valid.stdout)
    command = GLib.shell_parse_argv(app.get_commandline())[1]
    # A fresh install's first countdown, to the alarm, which closes the window.
    kelvora = Kelvora(*command)
    state = run("xprop", "-id", kelvora.window, "_NET_WM_STATE")
    check("taskbar", all(f"_NET_WM_STATE_{n}" in state for n in ["SKIP_TASKBAR", "SKIP_PAGER", "ABOVE"]), state)
    seen = sorted((name, c.getRoleName(), c.description) for name, c in kelvora.controls().items())
    check("screen reader", seen == [("分", "text", "1～999分を設定"), ("秒", "text", "1～999秒を設定"),
                                    ("開始", "push button", "")], f"{seen}")
    kelvora.keys("0", "Tab", "5", "Return")
    check("screen reader", "停止" in kelvora.controls(), "the button says 停止 while running")
    # Held for 3 s, as by a machine too busy to run it: the count goes on.
    kelvora.process.send_signal(signal.SIGSTOP)
    time.sleep(3)
    kelvora.process.send_signal(signal.SIGCONT)
    check(f"countdown under {LOCALE}", (code := kelvora.ended(20)) == 0, f"exit code {code}")
    check("setting file", (data / "TimerSet.txt").read_bytes() == b"0,5\r\n")
    # From the start's save to the close's, which follows the whole sound: the
    # alarm came on time all the same.
    with wave.open(str(data / "notify.wav")) as sound:
        late = (data / "Kelvora.ini").stat().st_mtime - (data / "TimerSet.txt").stat().st_mtime \
            - 5 - sound.getnframes() / sound.getframerate()
    check("on time after a stall", -0.05 < late < 0.5, f"{late * 1000:.0f} ms late")
    profile = read_profile(data / "Kelvora.ini")
    check("profile", profile is not None and profile["showCmd"] == 1
          and profile["Right"] - profile["Left"] >= 98, f"{profile}")

    # The user's own setting, sound and (damaged) stop picture, and a window
    # closed minimized at the screen's corner, which an unplaced window
    # reports too; a newer version that ships another go picture.
    corner = b"[WinPos]\r\nLeft=0\r\nRight=99\r\nTop=0\r\nBottom=9\r\nshowCmd=2\r\n"
    for name, own in [("TimerSet.txt", b"0,3\r\n"), ("button_stop.gif", b"GIF89a"),
                      ("notify.wav", b"RIFF own"), ("Kelvora.ini", corner)]:
        (data / name).write_bytes(own)
    run("cmake", "--install", build, "--prefix", tree)
    (tree / "Data/button_go.gif").write_bytes(b"GIF89a new")
    # Qt's own options are not the program's: it still opens on this display.
    kelvora = Kelvora(*command, "-platform", "offscreen", "-reverse")
    check(f"load under {LOCALE}", (kelvora.value("分"), kelvora.value("秒")) == ("00", "03"))
    check("minimized", "Normal" in run("xprop", "-id", kelvora.window, "WM_STATE"), "opens normal")
    kelvora.keys("2", "KP_Enter")
    check("screen reader", "停止" in kelvora.controls(), "running, with a damaged stop picture")
    install(tree / "install.sh")
    kelvora.keys("space")  # the focus is on the button while it runs
    check("screen reader", "開始" in kelvora.controls(), "stopped, the button says 開始")
    kelvora.keys("Tab", "1", "0", "0", "0", "Escape")
    check("message box", wait_for(lambda: "秒の設定は1～999です。" in names_in(kelvora.app), 5),
          "1000 seconds is refused with a message")
    kelvora.keys("Return")
    check("close", kelvora.ended(30, close=True) == 0)
    placed = read_profile(data / "Kelvora.ini")
    check("saved placement", (placed["Left"], placed["Top"]) == (0, 0), f"closes at {placed}")
    contents = [(data / name).read_bytes() for name in ["TimerSet.txt", "notify.wav", "button_go.gif"]]
    check("upgrade", contents == [b"2,3\r\n", b"RIFF own", b"GIF89a new"], f"{contents}")
    kept = ["Kelvora.ini", "TimerSet.txt", "button_stop.gif", "notify.wav"]
    check("uninstall", install(shared / "kelvora/install.sh", "--uninstall") == kept)
    check("uninstall", install(checkout / "scripts/install.sh", "--uninstall", "--purge") == [])


def main():
    # The accessibility bus and a window manager before the program starts.
    pyatspi.Registry.getDesktop(0)
    openbox = subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL)
    wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    with tempfile.TemporaryDirectory() as temp:
        folder = Path(temp) / "Kelvora"
        shutil.copytree(Path(sys.argv[1]), folder)
        os.environ["XDG_RUNTIME_DIR"] = temp
        for steps in [installed_from_menu, late_window_manager]:
            try:
                steps(folder)
            except Exception as error:  # the program went away; the next run starts afresh
                check(steps.__name__, False, repr(error))
                for program in programs:
                    program.kill()
    openbox.terminate()
    print("failed steps:", sorted(set(failures)) or "none")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
