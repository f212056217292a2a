#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the player, makes a short sample clip and
# plays it. Without a display the player runs under Xvfb for a few seconds
# and a screenshot is saved to build/screenshot.png.
set -eu
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target velmora

clip=build/sample.avi
if [ ! -s "$clip" ]; then
    gst-launch-1.0 -q \
        videotestsrc num-buffers=300 pattern=smpte ! \
        video/x-raw,width=640,height=360,framerate=30/1 ! \
        timeoverlay font-desc="Sans 24" ! jpegenc ! avimux name=mux ! filesink location="$clip" \
        audiotestsrc num-buffers=430 freq=440 volume=0.3 ! \
        audio/x-raw,rate=44100,channels=2 ! audioconvert ! mux.
fi

if [ -n "${DISPLAY:-}" ]; then
    exec ./build/velmora "$clip"
fi

# No display: run on a virtual one, keep the player and settings of this
# demo apart from the user's, and photograph the screen.
demo_home=$(mktemp -d)
trap 'rm -rf "$demo_home"' EXIT
mkdir -m 700 "$demo_home/runtime"
export XDG_CONFIG_HOME="$demo_home/config" XDG_DATA_HOME="$demo_home/data"
export XDG_RUNTIME_DIR="$demo_home/runtime"

Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$demo_home/display" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$demo_home"' EXIT
for _ in $(seq 100); do [ -s "$demo_home/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$demo_home/display")"

./build/velmora "$clip" &
player_pid=$!
sleep 4
import -window root build/screenshot.png
kill -TERM $player_pid
wait $player_pid || true
echo "Screenshot saved to build/screenshot.png"
