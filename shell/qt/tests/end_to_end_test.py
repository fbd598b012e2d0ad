#!/usr/bin/env python3
"""The real rv7300s program, end to end: its own main and event loop in a real
X server (Xvfb) under a real window manager (openbox), driven only by
keyboard and mouse events (xdotool) against the virtual meter, and judged
only from outside: the process, the window title and place, the meter's
command log, the files written, screenshots.

usage: end_to_end_test.py BIN_DIR SCENARIO
  SCENARIO: language | files | exit | restart
Screenshots and logs go to $RV7300S_E2E_OUT/SCENARIO, else BIN_DIR/../e2e/SCENARIO.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

GO_TO_LOCAL = ":SYST:GTL"  # the meter's last word: let the keys work again
MAIN_READING = ":FETCCNTDISP?"  # asked every acquisition cycle: the window is connected
METER_SERIAL = "12345678"
WINDOW_TITLE = "Quorvia for RV7300s"
SETTINGS_FILE = "RV7300s.ini"
JOURNAL_FILE = "recording.journal"
SCREEN = "1280x1024x24"
# Where the window is moved before exit, for the next start to come back to.
PARKED_AT = (137, 91)
# The record panel's Start and Stop buttons as fractions of the window's
# client area: its buttons have no mnemonic and our window has no
# accessibility bridge, so they are clicked where a user sees them.
START_BUTTON = (0.554, 0.964)
STOP_BUTTON = (0.650, 0.964)
MENU_BAR_STRIP = 20  # pixels from the client area's top: the menu titles, in the language shown
SECONDS_RECORDED = 3
TIMEOUT = 30  # for anything the window is waited for


class Failure(Exception):
    pass


def run(*command, timeout=TIMEOUT, env=None):
    done = subprocess.run(command, capture_output=True, text=True, timeout=timeout, env=env)
    if done.returncode != 0:
        raise Failure(f"{' '.join(command)} ended with {done.returncode}: {done.stderr.strip()}")
    return done.stdout


def wait_for(what, condition, timeout=TIMEOUT):
    """Polls `condition` until it returns something true; fails with `what`."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = condition()
        except Failure as failure:
            raise Failure(f"while waiting for {what}: {failure}") from None
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout} s for {what}")
        time.sleep(0.2)


class Desktop:
    """Xvfb on a free display with openbox on it; screenshots of the whole screen."""

    def __init__(self, out, runtime):
        self.out = out
        self.runtime = runtime
        self.shots = 0
        self.processes = []
        self.logs = []
        self.env = None

    def start_display(self):
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", SCREEN, "-nolisten", "tcp"], "xvfb",
                   pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure(f"Xvfb did not start (see {self.out / 'xvfb.log'})")
        self.env = dict(os.environ, DISPLAY=":" + number, XDG_RUNTIME_DIR=str(self.runtime))
        self.env.pop("WAYLAND_DISPLAY", None)
        self.start(["openbox", "--sm-disable"], "openbox")
        wait_for("openbox to manage the screen",
                 lambda: "window id" in self.quiet("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))

    def start(self, command, name, pass_fds=(), **options):
        log = open(self.out / f"{name}.log", "w")
        self.logs.append(log)
        options.setdefault("stdout", log)
        env = options.pop("env", self.env)  # Xvfb itself starts before there is a display
        process = subprocess.Popen(command, stderr=log, pass_fds=pass_fds, env=env, **options)
        self.processes.append(process)
        return process

    def quiet(self, *command):
        """The output of a command on the display, empty when it fails."""
        done = subprocess.run(command, capture_output=True, text=True, env=self.env, timeout=TIMEOUT)
        return done.stdout if done.returncode == 0 else ""

    def x(self, *command):
        return run(*command, env=self.env)

    def key(self, *keys):
        self.x("xdotool", "key", "--clearmodifiers", "--delay", "120", *keys)
        time.sleep(0.5)

    def type(self, text):
        self.x("xdotool", "type", "--clearmodifiers", "--delay", "30", text)

    def screenshot(self, name):
        self.shots += 1
        path = self.out / f"{self.shots:02d}-{name}.png"
        self.x("import", "-window", "root", str(path))
        return path

    def pixels(self, left, top, width, height):
        """The screen's raw RGB bytes in a rectangle."""
        done = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "-depth", "8",
                               "rgb:-"], capture_output=True, env=self.env, timeout=TIMEOUT)
        if done.returncode != 0 or len(done.stdout) != width * height * 3:
            raise Failure(f"cannot read the screen: {done.stderr.decode(errors='replace').strip()}")
        return done.stdout

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for log in self.logs:
            log.close()


class Program:
    """One run of build/bin/rv7300s on the desktop, with its main window."""

    def __init__(self, desktop, bin_dir, settings, ports, files, name):
        self.desktop = desktop
        env = dict(desktop.env, RV7300S_SETTINGS_DIR=str(settings), RV7300S_PORT_DIR=str(ports))
        self.process = desktop.start([str(bin_dir / "rv7300s")], name, env=env, cwd=files)
        self.stderr = desktop.out / f"{name}.log"
        self.window = wait_for("the main window", lambda: self.find(WINDOW_TITLE)[:1])[0]

    def find(self, name):
        """Its visible top-level windows whose title matches `name`."""
        self.check_alive()
        return self.desktop.quiet("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                                      "--name", name).split()

    def windows(self):
        """All its visible top-level windows, the main window first."""
        return sorted(self.find("."), key=lambda w: w != self.window)

    def check_alive(self):
        status = self.process.poll()
        if status is not None:
            tail = self.stderr.read_text(errors="replace")[-1500:].strip()
            raise Failure(f"rv7300s ended with status {status} (it should still run)"
                          + (f"; it printed:\n{tail}" if tail else ""))

    def title(self):
        return self.desktop.x("xdotool", "getwindowname", self.window).strip()

    def client_area(self):
        """Left, top, width and height of the main window's client area on the screen."""
        info = self.desktop.x("xwininfo", "-id", self.window)
        value = {line.split(":")[0].strip(): line.split(":")[1].strip() for line in info.splitlines() if ":" in line}
        return tuple(int(value[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def activate(self):
        self.desktop.x("xdotool", "windowactivate", "--sync", self.window)
        time.sleep(0.3)

    def keys(self, *keys):
        self.activate()
        self.desktop.key(*keys)

    def click(self, fraction):
        left, top, width, height = self.client_area()
        self.desktop.x("xdotool", "mousemove", "--sync", str(left + round(fraction[0] * width)),
                       str(top + round(fraction[1] * height)), "click", "1")
        self.desktop.x("xdotool", "mousemove", "0", "0")  # nothing stays highlighted under the pointer
        time.sleep(0.3)

    def dialog(self, what, shot):
        """The window that came up over the main window, active, ready for keys; its screenshot is `shot`."""
        shown = wait_for(what, lambda: self.windows()[1:])
        self.desktop.x("xdotool", "windowactivate", "--sync", shown[-1])
        time.sleep(0.5)  # its widgets take the focus after the map
        self.desktop.screenshot(shot)
        return shown[-1]

    def answer(self, question, key):
        box = self.dialog(f'the question "{question}"', "question")
        self.desktop.key(key)  # a message box takes its buttons' mnemonics (y, n) without Alt

        def closed():
            try:
                return box not in self.windows()
            except Failure:
                return True  # the answer may end the program: the caller judges whether it should have

        wait_for(f'the question "{question}" to close', closed)

    def choose_file(self, keys, path):
        """Opens a file dialog with `keys` (none: it is coming) and types the path into it."""
        if keys:
            self.keys(*keys)
        dialog = self.dialog(f"the file dialog for {path.name}", "file-dialog")
        self.type_path(path)
        # The name box's completion list may take the first Return.
        closing = f"the file dialog for {path.name} to close"
        try:
            wait_for(closing, lambda: dialog not in self.windows(), timeout=3)
        except Failure:
            self.desktop.key("Return")
            wait_for(closing, lambda: dialog not in self.windows())
        time.sleep(0.5)
        self.check_alive()

    def type_path(self, path):
        """Into the file dialog's name box, in place of what it shows."""
        self.desktop.key("ctrl+a")
        self.desktop.type(str(path))
        self.desktop.key("Return")

    def record(self, seconds):
        self.activate()
        self.click(START_BUTTON)
        time.sleep(seconds)
        self.click(STOP_BUTTON)

    def wait_ended(self):
        try:
            return self.process.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"rv7300s still runs {TIMEOUT} s after the exit was confirmed")


class Scenario:
    def __init__(self, bin_dir, out):
        self.bin = bin_dir
        self.out = out
        self.temp = Path(tempfile.mkdtemp(prefix="rv7300s-e2e-"))
        self.settings = self.temp / "settings"
        self.ports = self.temp / "ports"
        self.files = self.temp / "files"
        runtime = self.temp / "runtime"
        for folder in (self.settings, self.ports, self.files, runtime):
            folder.mkdir(mode=0o700)
        self.desktop = Desktop(out, runtime)
        self.meter_log = out / "meter-commands.log"
        self.meter_log.unlink(missing_ok=True)
        self.program = None
        self.step = "set-up"
        self.failures = []

    def start(self):
        """The display, the window manager and the virtual meter."""
        self.desktop.start_display()
        meter = self.desktop.start([str(self.bin / "rv7300s-sim"), "--model", "RV7361", "--serial", METER_SERIAL,
                                    "--log", str(self.meter_log)], "meter",
                                   env=dict(self.desktop.env, RV7300S_PORT_DIR=str(self.ports)),
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        if not meter.stdout.readline().startswith("COM"):
            raise Failure("the virtual meter did not start (see meter.log)")

    def close(self):
        if self.program and self.program.process.poll() is None:
            self.program.process.kill()
            self.program.process.wait()
        self.desktop.close()
        shutil.rmtree(self.temp, ignore_errors=True)

    def start_program(self, name="rv7300s"):
        self.program = Program(self.desktop, self.bin, self.settings, self.ports, self.files, name)
        self.desktop.x("xdotool", "mousemove", "0", "0")
        return self.program

    def heard(self):
        return self.meter_log.read_text().splitlines() if self.meter_log.exists() else []

    def wait_connected(self):
        already = self.heard().count(MAIN_READING)
        wait_for("the window to connect to the virtual meter (readings asked)",
                 lambda: self.program.check_alive() or self.heard().count(MAIN_READING) > already + 2)

    def done(self, name):
        """After each step: the program still runs, and the screen is kept."""
        if self.program:
            self.program.check_alive()
        self.step = name
        shot = self.desktop.screenshot(name)
        print(f"ok: {name} ({shot.name})", flush=True)

    def expect(self, condition, seen):
        """A check from outside; the scenario goes on after a wrong outcome, to show what else is wrong."""
        if not condition:
            self.failures.append(f"after step '{self.step}': {seen}")
            print(f"FAILED: {seen}", file=sys.stderr, flush=True)

    def require(self, condition, seen):
        """A check that what follows depends on."""
        if not condition:
            raise Failure(seen)

    def recording_count(self, path):
        info = run(str(self.bin / "rv7300s-cli"), "info", str(path))
        fields = dict(line.split(": ", 1) for line in info.splitlines() if ": " in line)
        self.expect(fields.get("serial") == METER_SERIAL, f"{path.name} names meter {fields.get('serial')!r}:\n{info}")
        return int(fields["records"])


def leave(s, p, save_to=None):
    """Esc, Yes to the exit question and, with `save_to`, Yes to "Save data?" and that path in the Save As
    dialog; then the program ends by itself with status 0 and lets the meter go."""
    p.keys("Escape")
    p.answer("This will exit the application. Do you want to proceed?", "y")
    if save_to:
        p.answer("Save data?", "y")
        p.dialog("the Save As dialog of the exit", "file-dialog")
        p.type_path(save_to)
    status = p.wait_ended()
    s.step = "exit"
    s.desktop.screenshot("exited")
    s.expect(status == 0, f"rv7300s ended with status {status} after the exit (expected 0)")
    heard = s.heard()
    s.expect(heard and heard[-1] == GO_TO_LOCAL, f"the meter last heard {heard[-3:]} (expected {GO_TO_LOCAL} last)")
    s.expect((s.settings / SETTINGS_FILE).exists(), f"no {SETTINGS_FILE} in the settings folder after the exit")


def language(s):
    """Language > Japanese, then back to English: every word of the window changes, then comes back."""
    p = s.start_program()
    s.wait_connected()
    s.done("connected")
    left, top, width, _ = p.client_area()

    def menu_bar():
        return s.desktop.pixels(left, top, width, MENU_BAR_STRIP)

    english = menu_bar()
    title = p.title()
    p.keys("alt+l", "j")
    time.sleep(1)
    s.done("japanese")
    japanese = menu_bar()
    s.expect(japanese != english, "the menu bar looks the same after Language > Japanese")
    s.expect(p.title() == title, f"the title changed to {p.title()!r}")
    p.keys("alt+l", "e")
    time.sleep(1)
    s.done("english-again")
    s.expect(menu_bar() == english, "the menu bar is not the English one again after Language > English")
    leave(s, p)


def files(s):
    """Record, Save As, Save as CSV, then Open that recording, each through the real file dialog."""
    p = s.start_program()
    s.wait_connected()
    s.done("connected")
    p.record(SECONDS_RECORDED)
    s.done("recorded")
    saved = s.files / "first run.vdmm"
    p.choose_file(["alt+f", "a"], saved)
    s.require(saved.exists(), f"Save As wrote no {saved}; the folder holds {sorted(os.listdir(s.files))}")
    s.expect(saved.name in p.title(), f"the title {p.title()!r} does not name {saved.name}")
    count = s.recording_count(saved)
    s.expect(count >= SECONDS_RECORDED - 1, f"{saved.name} holds {count} records after {SECONDS_RECORDED} s")
    s.done("saved-as")
    csv = s.files / "first run.csv"
    p.choose_file(["alt+f", "Up", "Up", "Return"], csv)  # Save as CSV: above Exit at the menu's end
    s.require(csv.exists(), f"Save as CSV wrote no {csv}; the folder holds {sorted(os.listdir(s.files))}")
    rows = csv.read_text(encoding="utf-8", errors="replace").splitlines()
    s.expect(len(rows) > count, f"{csv.name} has {len(rows)} lines for {count} records")
    s.done("saved-csv")
    # A new run, unsaved: the title marks the file as changed; opening it again must drop the mark.
    p.record(SECONDS_RECORDED)
    s.expect(p.title().endswith(f" - [{saved.name} *]"), f"the title {p.title()!r} after a new unsaved run")
    s.done("recorded-again")
    p.keys("alt+f", "o")
    p.answer("Save data?", "n")
    p.choose_file([], saved)
    s.expect(p.title().endswith(f" - [{saved.name}]"), f"the title {p.title()!r} after File > Open of {saved.name}")
    s.done("opened")
    leave(s, p)  # nothing unsaved: no question


def exit_with_recording(s):
    """Exit with an unsaved recording: asked, saved, the meter let go, the settings written."""
    p = s.start_program()
    s.wait_connected()
    p.record(SECONDS_RECORDED)
    s.done("recorded")
    saved = s.files / "at exit.vdmm"
    leave(s, p, save_to=saved)
    s.require(saved.exists(), f"the exit's Save As wrote no {saved}")
    count = s.recording_count(saved)
    s.expect(count >= SECONDS_RECORDED - 1, f"{saved.name} holds {count} records after {SECONDS_RECORDED} s")


def restart(s):
    """The next start puts the window back where the user left it."""
    p = s.start_program()
    s.wait_connected()
    placed = p.client_area()[:2]
    s.desktop.x("xdotool", "windowmove", "--sync", p.window, *map(str, PARKED_AT))
    time.sleep(0.5)
    parked = p.client_area()[:2]
    s.require(parked != placed, f"xdotool windowmove left the window at {placed}")
    s.done("parked")
    leave(s, p)
    p = s.start_program("rv7300s-second")
    s.wait_connected()
    s.done("second-start")
    again = p.client_area()[:2]
    s.expect(again == parked, f"the window starts at {again}, the first run left it at {parked}")


def recovery(s):
    """A run killed without a word: the next start offers its records back, and they can be saved."""
    p = s.start_program()
    s.wait_connected()
    p.activate()
    p.click(START_BUTTON)
    time.sleep(SECONDS_RECORDED)
    journal = s.settings / JOURNAL_FILE
    s.expect(journal.exists(), f"no {JOURNAL_FILE} in the settings folder while recording")
    time.sleep(1.5)  # one more second's block reaches the disk
    s.done("recording")
    p.process.kill()  # as a crash or a power cut would end it
    p.process.wait()
    p = s.start_program("rv7300s-after-kill")
    p.answer("Recover the records that were not saved?", "y")
    s.done("recovered")
    s.expect(not list(s.settings.glob("recording-*" + ".journal")),
             f"a journal was kept aside after Yes: {sorted(os.listdir(s.settings))}")
    saved = s.files / "recovered.vdmm"
    p.choose_file(["alt+f", "a"], saved)
    s.require(saved.exists(), f"Save As wrote no {saved} after the recovery")
    count = s.recording_count(saved)
    s.expect(count >= SECONDS_RECORDED - 1, f"{saved.name} holds {count} records of a {SECONDS_RECORDED} s run")
    s.expect(not journal.exists(), f"{JOURNAL_FILE} is still there after the records were saved")
    s.done("saved")
    leave(s, p)


SCENARIOS = {"language": language, "files": files, "exit": exit_with_recording, "restart": restart,
             "recovery": recovery}


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in SCENARIOS:
        print(__doc__, file=sys.stderr)
        return 2
    bin_dir = Path(sys.argv[1]).resolve()
    name = sys.argv[2]
    out = Path(os.environ.get("RV7300S_E2E_OUT") or bin_dir.parent / "e2e") / name
    out.mkdir(parents=True, exist_ok=True)
    for old in out.glob("*.png"):
        old.unlink()
    scenario = Scenario(bin_dir, out)
    try:
        scenario.start()
        SCENARIOS[name](scenario)
    except (Failure, subprocess.TimeoutExpired, OSError) as failure:
        print(f"FAILED: {name}, after step '{scenario.step}': {failure}", file=sys.stderr)
        if scenario.desktop.env:
            try:
                shot = scenario.desktop.screenshot("failure")
                print(f"screen at the failure: {shot}", file=sys.stderr)
            except Failure:
                pass
        return 1
    finally:
        scenario.close()
    if scenario.failures:
        print(f"FAILED: {name}:\n  " + "\n  ".join(scenario.failures), file=sys.stderr)
        return 1
    print(f"passed: {name} (screenshots in {out})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
