#!/usr/bin/python3
"""The whole program, as a player sees it: from OK in the neighborhood picker to a usable window.

Starts the built kinloom on a demo user-data folder with a large neighborhood (N001), presses
Enter in the picker (N001 is chosen) and reads the window through the accessibility interface,
as a screen reader does, until the sim list is filled and no longer greyed. Run it on a desktop
of its own (Debian's python3-pyatspi, with the system's /usr/bin/python3; xdotool):

    bench/on-desktop.sh /usr/bin/python3 bench/window-open.py --kinloom build/src/gui/kinloom \\
        --cli build/src/cli/kinloom-cli [--sims 1000] [--runs 7]

Prints each run's times (frame shown, usable) and their medians, in seconds. The reader asks the
window every few milliseconds, which costs the program a little, as a screen reader does.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

POLL = 0.005  # seconds between looks at the window
TIMEOUT = 30


def find_all(node, predicate, found, limit=2000):
    """Nodes under node matching predicate; a list's entries are not walked."""
    import pyatspi
    if node is None or len(found) >= limit:
        return found
    if predicate(node):
        found.append(node)
    if node.getRole() == pyatspi.ROLE_LIST:
        return found
    for i in range(node.childCount):
        find_all(node.getChildAtIndex(i), predicate, found, limit)
    return found


def kinloom_application():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "kinloom":
            return app
    return None


def showing(node):
    import pyatspi
    return node.getState().contains(pyatspi.STATE_SHOWING)


def wait(program, what, look):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise RuntimeError(f"kinloom ended before {what}")
        try:
            result = look()
            if result is not None:
                return result
        except Exception:  # a window in the middle of changing
            pass
        time.sleep(POLL)
    raise RuntimeError(f"no {what} within {TIMEOUT} s")


def picker_shown():
    app = kinloom_application()
    if app is None:
        return None
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is not None and w.name.startswith("Select Neighborhood") and showing(w):
            return w
    return None


def main_window_state(sims):
    """(frame showing, usable): usable once the sim list holds every sim and is not greyed, or
    the load has ended in a message (the reminder that the neighborhood has no backup) the player
    answers first."""
    import pyatspi
    app = kinloom_application()
    if app is None:
        return False, False
    shown = filled = enabled = alert = False
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        if w is None or not showing(w):
            continue
        if w.getRole() == pyatspi.ROLE_ALERT:
            alert = True
        if not w.name.startswith("Kinloom") or w.getRole() != pyatspi.ROLE_FRAME:
            continue
        shown = True
        combos = find_all(w, lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX, [], limit=2)
        if len(combos) < 2:
            continue
        sim_list = combos[1]  # Neighborhoods:, then Characters:
        entries = sim_list.getChildAtIndex(0)
        filled = entries is not None and entries.childCount == sims
        enabled = sim_list.getState().contains(pyatspi.STATE_SENSITIVE)
    return shown, filled and (enabled or alert)


def one_run(kinloom, folder, sims):
    home = tempfile.mkdtemp(prefix="kinloom-bench-home-")
    env = dict(os.environ, HOME=home, LANG="C.UTF-8")
    program = subprocess.Popen([kinloom, "--user-data", folder], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait(program, "picker", picker_shown)
        # The picker active and drawn, and the program idle, as when a player presses Enter (the
        # accessible OK action would press the button for 0.1 s first, as a click it shows).
        window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                 "^Select Neighborhood"], check=True, capture_output=True,
                                text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
        time.sleep(0.2)
        pressed = time.monotonic()
        subprocess.run(["xdotool", "key", "Return"], check=True)
        frame = None
        while True:
            if time.monotonic() - pressed > TIMEOUT:
                raise RuntimeError("the window did not become usable")
            shown, usable = main_window_state(sims)
            now = time.monotonic()
            if shown and frame is None:
                frame = now - pressed
            if usable:
                return frame, now - pressed
            time.sleep(POLL)
    finally:
        program.terminate()
        try:
            program.wait(5)
        except subprocess.TimeoutExpired:
            program.kill()
        shutil.rmtree(home, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kinloom", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--sims", type=int, default=1000)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    root = tempfile.mkdtemp(prefix="kinloom-bench-window-")
    try:
        folder = os.path.join(root, "user-data")
        subprocess.run([os.path.abspath(args.cli), "demo", folder, "--sims", str(args.sims)],
                       check=True, stdout=subprocess.DEVNULL)
        frames, usables = [], []
        for run in range(args.runs):
            frame, usable = one_run(os.path.abspath(args.kinloom), folder, args.sims)
            frames.append(frame)
            usables.append(usable)
            print(f"run {run + 1}: frame {frame:.3f} s, usable {usable:.3f} s", flush=True)
        print(f"median of {args.runs}: frame {statistics.median(frames):.3f} s, "
              f"usable {statistics.median(usables):.3f} s "
              f"(min {min(usables):.3f}, max {max(usables):.3f})")
    finally:
        shutil.rmtree(root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
