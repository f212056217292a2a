#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Velmora needs to build, run and test.
# Safe to run again: packages already present are left alone.
set -eu

PACKAGES="
cmake ninja-build g++ pkg-config git clang-format clang-tidy
qt6-base-dev qt6-qpa-plugins libqt6dbus6 libqt6svg6
libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-x
gstreamer1.0-alsa gstreamer1.0-pulseaudio
libtotem-plparser-dev
fonts-wqy-microhei fonts-thai-tlwg
libx11-dev libxext-dev libxss-dev libicu-dev
googletest libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth xdotool x11-utils x11-xkb-utils trayer imagemagick fonts-dejavu-core openbox
shared-mime-info xdg-utils libglib2.0-bin
dbus python3-dbusmock
linux-perf
playerctl python3-pyatspi at-spi2-core desktop-file-utils appstream
dpkg-dev fakeroot file
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
fi

# Sound without a sound server needs ALSA's sink, with one PulseAudio's
# (PipeWire answers as PulseAudio); the interface languages need fonts
# with Japanese, Chinese and Thai letters.
failed=""
for sink in alsasink pulsesink; do
    gst-inspect-1.0 --exists "$sink" || failed="$failed GStreamer:$sink"
done
for lang in ja zh-cn zh-tw th; do
    [ -n "$(fc-list ":lang=$lang" family)" ] || failed="$failed font:$lang"
done
if [ -n "$failed" ]; then
    echo "Still missing after the install:$failed" >&2
    exit 1
fi
