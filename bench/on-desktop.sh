#!/usr/bin/env bash
# Runs a command on a desktop of its own, as a player's window runs: a real X server (Xvfb), a
# session bus, openbox, Qt's xcb platform and its accessibility bridge switched on (what a
# screen reader, or the desktop's accessibility setting, does). The window benchmarks measure
# offscreen by default; this is how to measure them where X, the window manager and the
# accessibility bus take their share:
#
#   bench/on-desktop.sh build/bench/kinloom_bench_window --benchmark_repetitions=5
#
# Needs Debian's xvfb, openbox, dbus-daemon and at-spi2-core (./test installs them).
set -euo pipefail

if [ $# -eq 0 ]; then
  sed -n '2,10p' "$0"
  exit 64
fi

root=$(mktemp -d)
pids=()
finish() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$root"
}
trap finish EXIT

mkdir -m 700 "$root/runtime"
export XDG_RUNTIME_DIR="$root/runtime"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$root/display" \
  >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.05; done
[ -s "$root/display" ] || { echo "on-desktop: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$root/display")"

dbus-daemon --session --nofork --print-address=3 3>"$root/bus" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$root/bus" ] && break; sleep 0.05; done
[ -s "$root/bus" ] || { echo "on-desktop: the session bus did not start" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$root/bus")"

openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.05
done

# The accessibility bus, started as a desktop session starts it; Qt's bridge connects only to a
# bus already there.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || { echo "on-desktop: the accessibility bus did not start" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
