#!/usr/bin/env python3
"""The .deb as a user gets it: `cpack -G DEB` from the build tree, its
metadata as `dpkg-deb -I` shows them, then its files unpacked into a scratch
root (dpkg -x) and run from there: the installed virtual meter and command
line, the permission hint, and the installed window started from its
desktop entry's Exec line on Xvfb.  The window must find its pictures and
manuals under the root's share/rv7300s, print nothing on standard error and
keep running until it is told to exit.

usage: installed_package_test.py BUILD_DIR APP_ID
The screenshot and logs go to $RV7300S_E2E_OUT/installed_package, else BUILD_DIR/e2e/installed_package.
"""
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "shell" / "qt" / "tests"))
from end_to_end_test import Desktop, Failure, run, wait_for  # noqa: E402

WINDOW_TITLE = "Quorvia for RV7300s"
METER_MODEL = "RV7341"
METER_SERIAL = "24681357"
MAIN_READING = ":FETCCNTDISP?"  # asked every acquisition cycle: the window is connected
GO_TO_LOCAL = ":SYST:GTL"
RUNNING_AT_LEAST = 3  # seconds the window runs, connected, before it is told to exit
# Libraries the programs link, by their Debian package, and what they need without linking.
DEPENDS = ["libqt6widgets6", "libqt6gui6", "libqt6core6", "libstdc++6", "libc6", "fonts-ipafont-gothic"]
RECOMMENDS = ["libreoffice-calc"]
# A document opener that only notes what it was asked to open.
FAKE_OPENER = '#!/bin/sh\nprintf "%s\\n" "$@" >> "$(dirname "$0")/opened"\n'


def package_fields(deb):
    info = run("dpkg-deb", "-I", str(deb))
    print(info, flush=True)
    fields = {}
    for line in info.splitlines():
        match = re.match(r"^ ([A-Z][A-Za-z-]*): (.*)$", line)
        if match:
            fields[match[1]] = match[2]
    return info, fields


def alternatives(relation):
    """Each entry of a Depends-like field as its list of package names."""
    return [[re.split(r"[ (:]", choice.strip())[0] for choice in entry.split("|")]
            for entry in relation.split(",") if entry.strip()]


def check_metadata(deb, version, problems):
    info, fields = package_fields(deb)
    expected = {"Package": "rv7300s", "Version": version, "Section": "electronics",
                "Architecture": run("dpkg", "--print-architecture").strip()}
    for name, value in expected.items():
        if fields.get(name) != value:
            problems.append(f"{name}: {fields.get(name)!r}, expected {value!r}")
    depends = alternatives(fields.get("Depends", ""))
    for name in DEPENDS:
        if not any(name in entry for entry in depends):
            problems.append(f"Depends names no {name}: {fields.get('Depends')}")
    # Each dependency is a real package: one of each entry's choices is known here.
    for entry in depends:
        if not any(subprocess.run(["dpkg-query", "-W", name], capture_output=True).returncode == 0 for name in entry):
            problems.append(f"Depends on {' | '.join(entry)}, which no package of this system is")
    recommends = alternatives(fields.get("Recommends", ""))
    for name in RECOMMENDS:
        if not any(name in entry for entry in recommends):
            problems.append(f"Recommends names no {name}: {fields.get('Recommends')}")
    if not re.search(r"^\s+\d+ bytes,\s+\d+ lines\s+\*\s+postinst\s", info, re.M):
        problems.append("no executable postinst (the udev rule for a cable already plugged in)")


class Installed:
    def __init__(self, build, app_id, out):
        self.build = build
        self.app_id = app_id
        self.out = out
        self.temp = Path(tempfile.mkdtemp(prefix="rv7300s-package-"))
        self.temp.chmod(0o755)  # the permission hint runs the installed programs as another user
        self.root = self.temp / "root"
        self.ports = self.temp / "ports"
        self.settings = self.temp / "settings"
        self.opener = self.temp / "opener"
        runtime = self.temp / "runtime"
        for folder in (self.ports, self.settings, self.opener, runtime):
            folder.mkdir(mode=0o755)
        runtime.chmod(0o700)
        self.bin = self.root / "usr" / "bin"
        self.share = self.root / "usr" / "share" / "rv7300s"
        self.desktop = Desktop(out, runtime)
        self.problems = []

    def close(self):
        self.desktop.close()
        shutil.rmtree(self.temp, ignore_errors=True)

    def expect(self, condition, seen):
        if not condition:
            self.problems.append(seen)
            print(f"FAILED: {seen}", file=sys.stderr, flush=True)

    def build_package(self):
        run("cpack", "-G", "DEB", "--config", str(self.build / "CPackConfig.cmake"), "-B", str(self.temp / "cpack"),
            timeout=600)
        debs = list((self.temp / "cpack").glob("*.deb"))
        if len(debs) != 1:
            raise Failure(f"cpack made {[d.name for d in debs]}, not one .deb")
        return debs[0]

    def unpack(self, deb):
        run("dpkg", "-x", str(deb), str(self.root))
        for path in (self.bin / "rv7300s", self.bin / "rv7300s-cli", self.bin / "rv7300s-sim",
                     self.share / "Manuals" / "RV7300s_UsersManual_Eng.pdf",
                     self.root / "usr" / "lib" / "udev" / "rules.d" / "60-rv7300s.rules"):
            self.expect(path.exists(), f"the package holds no {path.relative_to(self.root)}")

    def command_line(self):
        """The installed command line finds the installed virtual meter, and tells a refused port as such."""
        env = dict(os.environ, RV7300S_PORT_DIR=str(self.ports))
        meter = subprocess.Popen([str(self.bin / "rv7300s-sim"), "--model", METER_MODEL, "--serial", METER_SERIAL],
                                 env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        try:
            if not meter.stdout.readline().startswith("COM"):
                raise Failure("the installed rv7300s-sim did not start")
            identity = run(str(self.bin / "rv7300s-cli"), "identify", env=env)
            self.expect(f"model: {METER_MODEL}" in identity and f"serial: {METER_SERIAL}" in identity,
                        f"the installed rv7300s-cli identified:\n{identity}")
        finally:
            meter.terminate()
            meter.wait()
        hint = subprocess.run(["bash", str(Path(__file__).parent / "permission_hint_test.sh"),
                               str(self.bin / "rv7300s-sim"), str(self.bin / "rv7300s-cli")],
                              capture_output=True, text=True, timeout=120)
        self.expect(hint.returncode == 0, f"the permission hint of the installed programs:\n{hint.stdout}{hint.stderr}")

    def window(self):
        """The window from its desktop entry's Exec line, connected to the installed virtual meter."""
        entry = self.root / "usr" / "share" / "applications" / f"{self.app_id}.desktop"
        exec_line = next(line[5:] for line in entry.read_text().splitlines() if line.startswith("Exec="))
        command = [word for word in shlex.split(exec_line) if not re.fullmatch(r"%[fFuUick]", word)]
        (self.opener / "xdg-open").write_text(FAKE_OPENER)
        (self.opener / "xdg-open").chmod(0o755)

        self.desktop.start_display()
        meter_log = self.out / "meter-commands.log"
        meter_log.unlink(missing_ok=True)
        self.desktop.start([str(self.bin / "rv7300s-sim"), "--model", METER_MODEL, "--serial", METER_SERIAL,
                            "--log", str(meter_log)], "meter",
                           env=dict(self.desktop.env, RV7300S_PORT_DIR=str(self.ports)),
                           stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        wait_for("the installed virtual meter", lambda: list(self.ports.glob("COM*")))

        env = dict(self.desktop.env, PATH=f"{self.opener}:{self.bin}:{os.environ['PATH']}",
                   XDG_DATA_DIRS=f"{self.root / 'usr' / 'share'}:/usr/share",
                   RV7300S_SETTINGS_DIR=str(self.settings), RV7300S_PORT_DIR=str(self.ports))
        env.pop("XDG_CURRENT_DESKTOP", None)  # Qt then opens documents with xdg-open, ours
        trace = self.out / "window-files.trace"
        stderr = self.out / "window.log"
        window = self.desktop.start(["strace", "-f", "-qq", "-e", "trace=openat", "-o", str(trace)] + command,
                                    "window", env=env, cwd=self.temp)

        def alive():
            if window.poll() is not None:
                raise Failure(f"the installed window ended with {window.returncode}: {stderr.read_text()[-1500:]}")
            return True

        shown = wait_for("the installed main window",
                         lambda: alive() and self.desktop.quiet("xdotool", "search", "--onlyvisible", "--name",
                                                                WINDOW_TITLE).split())
        heard = lambda: meter_log.read_text().splitlines() if meter_log.exists() else []  # noqa: E731
        wait_for("the installed window to connect", lambda: alive() and heard().count(MAIN_READING) > 2)
        time.sleep(RUNNING_AT_LEAST)
        alive()
        shot = self.desktop.screenshot("installed-window")
        print(f"screenshot of the installed window: {shot}", flush=True)

        self.desktop.x("xdotool", "windowactivate", "--sync", shown[0])
        self.desktop.key("F1")
        manual = self.share / "Manuals" / "RV7300s_UsersManual_Eng.pdf"
        opened = wait_for("Help > PDF Manual to open a document",
                          lambda: alive() and (self.opener / "opened").exists() and
                          (self.opener / "opened").read_text().split())
        self.expect([re.sub(r"^file://", "", word) for word in opened] == [str(manual)],
                    f"Help > PDF Manual opened {opened}, not {manual}")

        files = trace.read_text()
        pictures = re.escape(str(self.share / "Pictures")) + r"/[^\"]+"
        found = re.findall(rf'openat\([^"]*"({pictures})", [^)]*\) = \d+', files)
        missing = re.findall(r'openat\([^"]*"([^"]*/Pictures/[^"]*)", [^)]*\) = -1', files)
        self.expect(found, f"the window opened no picture under {self.share / 'Pictures'}")
        self.expect(not missing, f"the window looked for pictures it did not find: {sorted(set(missing))[:5]}")

        self.desktop.key("Escape")
        question = wait_for("the exit question", lambda: alive() and [w for w in self.desktop.quiet(
            "xdotool", "search", "--onlyvisible", "--name", ".").split() if w != shown[0]])
        self.desktop.x("xdotool", "windowactivate", "--sync", question[-1])
        time.sleep(0.5)  # its buttons take the focus after the map
        self.desktop.key("y")
        try:
            status = window.wait(30)
        except subprocess.TimeoutExpired:
            raise Failure("the installed window still runs 30 s after the exit was confirmed")
        self.expect(status == 0, f"the installed window ended with {status}")
        self.expect(heard()[-1:] == [GO_TO_LOCAL], f"the meter last heard {heard()[-3:]}, not {GO_TO_LOCAL}")
        printed = stderr.read_text().strip()
        self.expect(not printed, f"the installed window printed on standard error:\n{printed[-1500:]}")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    build = Path(sys.argv[1]).resolve()
    out = Path(os.environ.get("RV7300S_E2E_OUT") or build / "e2e") / "installed_package"
    out.mkdir(parents=True, exist_ok=True)
    version = next(line.split("=", 1)[1] for line in (build / "CMakeCache.txt").read_text().splitlines()
                   if line.startswith("CMAKE_PROJECT_VERSION:"))
    installed = Installed(build, sys.argv[2], out)
    try:
        deb = installed.build_package()
        check_metadata(deb, version, installed.problems)
        installed.unpack(deb)
        installed.command_line()
        installed.window()
    except (Failure, subprocess.TimeoutExpired, OSError) as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        installed.close()
    if installed.problems:
        print("FAILED:\n  " + "\n  ".join(installed.problems), file=sys.stderr)
        return 1
    print(f"passed: the installed package (screenshot and logs in {out})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
