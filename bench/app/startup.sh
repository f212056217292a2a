#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up figures of the built player on a private Xvfb display:
#  - time from starting build/velmora to its main window being mapped;
#  - time a second instance takes to hand a file over and end;
#  - wake-ups of an idle player (no clip open) over 5 seconds.
# Usage: bench/app/startup.sh [runs]   (default 15; run from the repository)
set -eu
runs=${1:-15}
build=${BUILD_DIR:-build}
player="$PWD/$build/velmora"
timer="$PWD/$build/bench/app/velmora_start_timer"

work=$(mktemp -d)
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
# The player never meets the machine's system bus (and so never its power-off).
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

median() { sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.1f", m }'; }

# Warm the caches once, then measure.
"$timer" "$player" >/dev/null
for _ in $(seq "$runs"); do "$timer" "$player"; done >"$work/map"
echo "first window mapped: median $(median <"$work/map") ms over $runs runs (goal <= 150 ms)"

"$player" -background &
first=$!
sleep 1
for _ in $(seq "$runs"); do "$timer" --handover "$player" /tmp/velmora-bench-clip.avi; done >"$work/handover"
echo "hand-over to the running instance: median $(median <"$work/handover") ms over $runs runs (goal <= 50 ms)"

before=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$first/status")
sleep 5
after=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$first/status")
echo "idle player wake-ups in 5 s: $((after - before))"
kill -TERM $first
wait $first || true
