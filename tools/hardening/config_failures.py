#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Folders the player cannot write: each gives one clear message, and the
player still runs.

Scenarios: a read-only configuration folder (a read-only tmpfs), a full disk
under the configuration folder and under the default playlist's folder (a
small tmpfs filled up), and a settings file that is a directory. For each
the player is started, must answer its socket, is asked to end (SIGTERM, so
it writes its settings and default playlist), and its stderr and any error
box on screen are reported. Needs root for the mounts (skips them
otherwise). Runs in a private temporary folder; not part of CTest.

Usage: tools/hardening/config_failures.py [build/velmora]
"""
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sandbox import Sandbox  # noqa: E402


def mount_tmpfs(where, options):
    return subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", where],
                          stderr=subprocess.DEVNULL).returncode == 0


def fill(folder):
    fd = os.open(os.path.join(folder, "filler"), os.O_WRONLY | os.O_CREAT, 0o600)
    try:
        while os.write(fd, b"\0" * 512) > 0:
            pass
    except OSError:
        pass
    os.close(fd)


def run(binary, name, prepare):
    box = Sandbox(binary, "velmora-config")
    mounts = []
    try:
        box.start_display()
        if not prepare(box, mounts):
            print(f"{name}: skipped (cannot mount here)")
            return
        stderr_path = box.path("stderr.txt")
        with open(stderr_path, "w") as stderr:
            player = box.start_player(stderr=stderr)
            running = box.wait_until_answering(60)
            time.sleep(0.5)
            # Windows up before the exit are the player's own; any new one
            # named like the player is a message box (playlist file errors
            # carry the title "Velmora", engine errors "Velmora Message").
            own = set(box.xdotool("search", "--name", "^Velmora").split("\n"))
            player.send_signal(signal.SIGTERM)
            boxes, titles = [], []
            deadline = time.monotonic() + 20
            while player.poll() is None and time.monotonic() < deadline:
                found = box.xdotool("search", "--onlyvisible", "--name", "^Velmora")
                for window in [w for w in found.split("\n") if w and w not in own]:
                    if window not in boxes:
                        boxes.append(window)
                        titles.append(box.xdotool("getwindowname", window))
                    box.xdotool("windowfocus", "--sync", window)
                    box.xdotool("key", "--window", window, "Return")
                time.sleep(0.2)
            ended = player.poll() is not None
        with open(stderr_path) as f:
            messages = [line.strip() for line in f if line.startswith("Velmora")]
        messages += [f"box: {title}" for title in titles]
        if os.path.exists(box.default_playlist) and name.endswith("playlist's folder"):
            with open(box.default_playlist, "rb") as f:
                kept = f.read() == old_playlist(box)
            messages.append(f"default.vml after the failed save: {'the old list, whole' if kept else 'CHANGED'}")
        print(f"{name}: {'answered' if running else 'DID NOT ANSWER'}, "
              f"{'ended' if ended else 'DID NOT END'} after SIGTERM, {len(boxes)} error box(es)")
        for message in messages:
            print(f"    stderr: {message}")
    finally:
        box.stop_player()
        for where in reversed(mounts):
            subprocess.run(["umount", "-l", where])
        box.close()


def read_only_config(box, mounts):
    where = box.path("config")
    if not mount_tmpfs(where, "ro,size=64k"):
        return False
    mounts.append(where)
    return True


def full_config(box, mounts):
    where = box.path("config")
    if not mount_tmpfs(where, "size=64k"):
        return False
    mounts.append(where)
    fill(where)
    return True


def old_playlist(box):
    from vml import encode
    return encode([(f"clip{i:05d}.mp3", "/nonexistent", "00:00") for i in range(2000)])


def full_playlist_folder(box, mounts):
    where = box.path("bin")
    executable = open(box.executable, "rb").read()
    if not mount_tmpfs(where, f"size={len(executable) + 256 * 1024}"):
        return False
    mounts.append(where)
    with open(box.executable, "wb") as f:
        f.write(executable)
    os.chmod(box.executable, 0o755)
    # The old default playlist, which a failed save must leave whole.
    with open(box.default_playlist, "wb") as f:
        f.write(old_playlist(box))
    fill(where)
    return True


def settings_is_a_directory(box, mounts):
    os.makedirs(box.path("config", "Olvistra", "Velmora.ini"))
    return True


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/velmora"
    run(binary, "read-only configuration folder", read_only_config)
    run(binary, "full disk under the configuration folder", full_config)
    run(binary, "full disk under the default playlist's folder", full_playlist_folder)
    run(binary, "settings file that is a directory", settings_is_a_directory)
    return 0


if __name__ == "__main__":
    sys.exit(main())
