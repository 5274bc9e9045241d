#!/usr/bin/python3
"""Starts the built kinloom as a player starts it and checks what the player sees.

Each case runs the real executable (its own main) on a fresh home, under a real X server (Xvfb)
with a window manager (openbox) and a session bus, and reads the window through the desktop's
accessibility interface (AT-SPI, which Qt speaks and Debian's python3-pyatspi reads), as a screen
reader would.

    StartAsAPlayer.py CASE --kinloom PATH [--cli PATH]

Cases: user-data, wine-prefix, variable ($WINEPREFIX), remembered, launcher, no-game, demo,
options.
Exit 0 when the player sees what they should; otherwise 1, with what was seen.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TIMEOUT = 30  # seconds for a window to show up; a start takes well under one


class Failure(Exception):
    pass


def need(program, package):
    if shutil.which(program) is None:
        raise Failure(f"{program} is missing (Debian package {package}; ./test installs it)")


# --- a desktop of the test's own ---------------------------------------------------------------

class Desktop:
    """Xvfb, a session bus and openbox, in a fresh home; torn down on exit."""

    def __init__(self, root):
        self.root = root
        self.home = os.path.join(root, "home")
        os.makedirs(self.home)
        runtime = os.path.join(root, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "USER": os.environ.get("USER") or "player",
            "LANG": "C.UTF-8",
            "XDG_RUNTIME_DIR": runtime,
            # Qt speaks AT-SPI only when asked (by a screen reader, or this variable).
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": "xcb",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        self.processes = []

    def start(self):
        read_end, write_end = os.pipe()
        self.processes.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        os.close(write_end)
        display = self._read_line(read_end, "Xvfb did not start")
        self.env["DISPLAY"] = ":" + display

        read_end, write_end = os.pipe()
        self.processes.append(subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=" + str(write_end)],
            pass_fds=(write_end,), env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        os.close(write_end)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._read_line(read_end, "dbus did not start")

        self.processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL))
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:  # the window manager has taken the screen
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                   capture_output=True, text=True)
            if "window id" in probe.stdout:
                break
            time.sleep(0.05)
        else:
            raise Failure("openbox did not take the screen")
        # The reader below talks to the same buses as the program.
        os.environ.update(self.env)

    @staticmethod
    def _read_line(fd, failure):
        data = b""
        deadline = time.monotonic() + TIMEOUT
        while not data.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(fd, 256)
            if not chunk:
                break
            data += chunk
        os.close(fd)
        if not data.strip():
            raise Failure(failure)
        return data.decode().strip()

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()


# --- reading the window ------------------------------------------------------------------------

def tree_text(node, depth=0, limit=400):
    """The accessible tree as indented lines: role, name, and whether it shows."""
    import pyatspi
    lines = []

    def walk(n, d):
        if len(lines) >= limit or n is None:
            return
        try:
            showing = n.getState().contains(pyatspi.STATE_SHOWING)
            lines.append("  " * d + f"[{n.getRoleName()}] {n.name!r}" + ("" if showing else
                                                                         " (hidden)"))
            for i in range(min(n.childCount, 200)):
                walk(n.getChildAtIndex(i), d + 1)
        except Exception as e:  # a window closing while it is read
            lines.append("  " * d + f"<gone: {e}>")

    walk(node, depth)
    return "\n".join(lines)


def find_all(node, predicate, found=None):
    found = [] if found is None else found
    if node is None:
        return found
    try:
        if predicate(node):
            found.append(node)
        for i in range(min(node.childCount, 500)):
            find_all(node.getChildAtIndex(i), predicate, found)
    except Exception:
        pass
    return found


def kinloom_application():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "kinloom":
            return app
    return None


def showing_windows(app):
    import pyatspi
    windows = []
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.getState().contains(pyatspi.STATE_SHOWING):
            windows.append(w)
    return windows


def wait_for(program, description, check):
    """Polls the program's windows until check(windows) gives a result, which is returned."""
    deadline = time.monotonic() + TIMEOUT
    last = "(the program never appeared on the accessibility bus)"
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise Failure(f"kinloom ended (exit {program.returncode}) before {description}; "
                          f"last seen:\n{last}")
        try:
            app = kinloom_application()
            if app is not None:
                windows = showing_windows(app)
                last = "\n".join(tree_text(w) for w in windows) or "(no window shows)"
                result = check(windows)
                if result is not None:
                    return result
        except Failure:
            raise
        except Exception as e:  # the bus or a window in the middle of changing
            last = f"(reading failed: {e})"
        time.sleep(0.2)
    raise Failure(f"no {description} within {TIMEOUT} s; the window showed:\n{last}")


def role(node):
    return node.getRoleName()


def picker(title):
    """The neighborhood picker with exactly this title: the names of its list's entries."""

    def check(windows):
        for w in windows:
            if w.name != title:
                continue
            lists = find_all(w, lambda n: role(n) == "list")
            if not lists:
                return None
            items = [n.name for n in find_all(lists[0], lambda n: role(n) == "list item")]
            if items:
                return w, items
        return None

    return check


def expect_picker(program, title, names):
    window, items = wait_for(program, f"picker titled {title!r}", picker(title))
    missing = [n for n in names if not any(n in item for item in items)]
    if missing or len(items) != len(names):
        raise Failure(f"the picker lists {items}, expected the neighborhoods {names}")
    print(f"picker {title!r} lists {items}")
    return window


# --- what the test sets up ---------------------------------------------------------------------

def demo_folder(cli, folder):
    subprocess.run([cli, "demo", folder], check=True, stdout=subprocess.DEVNULL)
    listed = subprocess.run([cli, "neighborhoods", "--user-data", folder], check=True,
                            capture_output=True, text=True).stdout
    names = [line.split("\t")[1] for line in listed.splitlines() if line]
    if not names:
        raise Failure(f"kinloom-cli demo made no neighborhoods in {folder}")
    return names


def reg_text(keys):
    text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n"
    for key, values in keys:
        text += "\n[" + key.replace("\\", "\\\\") + "] 1700000000\n#time=1d9a0b1c2d3e4f5\n"
        for name, value in values.items():
            text += f'"{name}"="{value}"\n'
    return text


def game_prefix(cli, prefix, user):
    """A Wine prefix holding the game: its registry keys and a user-data folder in Documents."""
    os.makedirs(prefix)
    with open(os.path.join(prefix, "system.reg"), "w") as f:
        f.write(reg_text([
            ("Software\\Wow6432Node\\EA GAMES\\The Sims 2", {"DisplayName": "The Sims 2"}),
            ("Software\\Wow6432Node\\EA GAMES\\The Sims 2 University", {}),
        ]))
    with open(os.path.join(prefix, "user.reg"), "w") as f:
        f.write(reg_text([]))
    data = os.path.join(prefix, "drive_c", "users", user, "Documents", "EA Games", "The Sims 2")
    os.makedirs(os.path.dirname(data))
    return demo_folder(cli, data)


def start(desktop, kinloom, arguments):
    log = open(os.path.join(desktop.root, "kinloom.log"), "w")
    return subprocess.Popen([kinloom] + arguments, env=desktop.env, stdout=log,
                            stderr=subprocess.STDOUT), log


# --- the cases -----------------------------------------------------------------------------------

def case_options(kinloom, _cli, root):
    """The command line is answered before any window: exit codes and the usage."""
    env = {"PATH": os.environ.get("PATH", ""), "HOME": os.path.join(root, "home")}
    os.makedirs(env["HOME"])
    for arguments, code, expected in (
            (["--userdata", "/nowhere"], 1, "Usage: kinloom"),
            (["--help"], 0, "Usage: kinloom"),
            (["--version"], 0, "Kinloom "),
    ):
        run = subprocess.run([kinloom] + arguments, env=env, capture_output=True, text=True,
                             timeout=TIMEOUT)
        said = run.stdout + run.stderr
        if run.returncode != code or expected not in said:
            raise Failure(f"kinloom {' '.join(arguments)}: exit {run.returncode}, said:\n{said}")
        if code == 1 and "unknown option --userdata" not in run.stderr:
            raise Failure(f"kinloom --userdata does not name the unknown option:\n{said}")
        print(f"kinloom {' '.join(arguments)}: exit {code}")


def case_user_data(kinloom, cli, desktop):
    folder = os.path.join(desktop.root, "My Game Folder")
    names = demo_folder(cli, folder)
    return [
        "--user-data", folder], lambda program: expect_picker(program, "Select Neighborhood", names)


def case_wine_prefix(kinloom, cli, desktop):
    prefix = os.path.join(desktop.root, "games", "sims2-prefix")
    names = game_prefix(cli, prefix, desktop.env["USER"])
    return [
        "--wine-prefix", prefix], lambda program: expect_picker(program, "Select Neighborhood",
                                                                names)


def case_variable(kinloom, cli, desktop):
    prefix = os.path.join(desktop.root, "games", "from-the-variable")
    names = game_prefix(cli, prefix, desktop.env["USER"])
    desktop.env["WINEPREFIX"] = prefix
    return [], lambda program: expect_picker(program, "Select Neighborhood", names)


def case_remembered(kinloom, cli, desktop):
    """A folder chosen on an earlier run (kept in the settings) opens without being named."""
    folder = os.path.join(desktop.root, "Chosen Before")
    names = demo_folder(cli, folder)
    config = os.path.join(desktop.home, ".config", "Quillfern")
    os.makedirs(config)
    with open(os.path.join(config, "Kinloom.conf"), "w") as f:
        f.write(f"[General]\nGameUserData={folder}\n")
    return [], lambda program: expect_picker(program, "Select Neighborhood", names)


def case_launcher(kinloom, cli, desktop):
    prefix = os.path.join(desktop.home, ".local", "share", "Steam", "steamapps", "compatdata",
                          "11790", "pfx")
    names = game_prefix(cli, prefix, "steamuser")
    return [], lambda program: expect_picker(program, "Select Neighborhood", names)


def case_demo(kinloom, cli, desktop):
    def check(program):
        window = wait_for(program, "demo picker",
                          picker("Select Neighborhood (demo neighborhoods)"))[0]
        labels = [n.name for n in find_all(window, lambda n: role(n) == "label")]
        if not any("demo" in label.lower() for label in labels):
            raise Failure(f"the demo picker does not say it is the demo: labels {labels}")
        print("demo picker labelled: " + next(l for l in labels if "demo" in l.lower()))

    return ["--demo"], check


def case_no_game(kinloom, cli, desktop):
    wanted = ["Choose the User Data Folder...", "Choose a Wine Prefix...",
              "Open the Demo Neighborhoods", "Quit"]

    def question(windows):
        for w in windows:
            texts = [n.name for n in find_all(w, lambda n: role(n) == "label")]
            if any(t.startswith("Unable to continue, Game User Data Not Found.") for t in texts):
                buttons = [n.name for n in find_all(w, lambda n: role(n) == "push button")]
                return texts, buttons
        return None

    def check(program):
        texts, buttons = wait_for(program, "not-found question", question)
        if sorted(buttons) != sorted(wanted):
            raise Failure(f"the not-found question offers {buttons}, not {wanted}")
        print(f"not-found question offers {buttons}")

    return [], check


CASES = {
    "user-data": case_user_data,
    "wine-prefix": case_wine_prefix,
    "launcher": case_launcher,
    "variable": case_variable,
    "remembered": case_remembered,
    "no-game": case_no_game,
    "demo": case_demo,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(list(CASES) + ["options"]))
    parser.add_argument("--kinloom", required=True)
    parser.add_argument("--cli")
    args = parser.parse_args()
    kinloom = os.path.abspath(args.kinloom)
    cli = os.path.abspath(args.cli) if args.cli else None

    root = tempfile.mkdtemp(prefix="kinloom-player-")
    desktop = None
    program = None
    log = None
    try:
        if args.case == "options":
            case_options(kinloom, cli, root)
            return 0
        for program_name, package in (("Xvfb", "xvfb"), ("openbox", "openbox"),
                                       ("dbus-daemon", "dbus-daemon"), ("xprop", "x11-utils")):
            need(program_name, package)
        try:
            import pyatspi  # noqa: F401
        except ImportError:
            raise Failure("pyatspi is missing (Debian package python3-pyatspi; ./test installs it)")
        desktop = Desktop(root)
        desktop.start()
        arguments, check = CASES[args.case](kinloom, cli, desktop)
        program, log = start(desktop, kinloom, arguments)
        check(program)
        print(f"PASS {args.case}")
        return 0
    except Failure as failure:
        print(f"FAIL {args.case}: {failure}", file=sys.stderr)
        if log is not None:
            log.flush()
            with open(log.name) as f:
                said = f.read()
            if said:
                print("kinloom said:\n" + said, file=sys.stderr)
        return 1
    finally:
        if program is not None and program.poll() is None:
            program.send_signal(signal.SIGTERM)
            try:
                program.wait(5)
            except subprocess.TimeoutExpired:
                program.kill()
        if desktop is not None:
            desktop.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
