#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in Release, installs it with apt-get as a user
# would, checks that the installed player starts and ends on SIGTERM, and
# removes the package again so the next run starts clean. Run as root on
# Debian 12 from anywhere in the repository.
set -eu
cd "$(dirname "$0")/.."

sh tools/install-deps.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF
cmake --build build-deb
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/velmora_*_amd64.deb)
echo "Built $deb:"
dpkg-deb --field "$deb" Package Version Depends Recommends

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb"
trap 'apt-get remove -y -qq velmora' EXIT

test -x /usr/bin/velmora
if file /usr/bin/velmora | grep -q "not stripped"; then
    echo "The installed player is not stripped" >&2
    exit 1
fi
test -f /usr/share/applications/velmora.desktop
test -f /usr/share/icons/hicolor/48x48/apps/velmora.png

# The installed player under a private X server and session bus, as an
# unprivileged user with a home of its own: it must come up, claim its
# media-player name and end cleanly on SIGTERM.
home=$(mktemp -d)
chown nobody "$home"
cat > "$home/run.sh" <<'RUN'
velmora & player=$!
for _ in $(seq 50); do
    if dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.mpris.MediaPlayer2.velmora 2>/dev/null | grep -q true; then
        kill -TERM $player
        wait $player
        exit $?
    fi
    sleep 0.2
done
kill -KILL $player
exit 1
RUN
status=0
runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home" \
    DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/velmora-bus \
    xvfb-run -a dbus-run-session -- sh "$home/run.sh" || status=$?
rm -rf "$home"
if [ "$status" -ne 0 ]; then
    echo "The installed player did not start and end cleanly ($status)" >&2
    exit 1
fi
echo "The installed player starts and ends cleanly."
