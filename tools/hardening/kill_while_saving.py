#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hard kills never cost the playlist.

Loads a default playlist of 250,000 rows into the real player, makes it
change the list (playing the first row gives that row its length), asks it
to end (SIGTERM, which saves the default playlist) and kills it with SIGKILL
at a random moment while it saves. After every round default.vml must be
byte for byte either the old list or the new one.

Usage: tools/hardening/kill_while_saving.py [build/velmora] [rounds]
Runs in a private temporary folder on a private X server; not part of CTest.
"""
import os
import random
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sandbox import Sandbox, gst  # noqa: E402
import vml  # noqa: E402

ROWS = 250_000


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/velmora"
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 50
    box = Sandbox(binary, "velmora-kill")
    try:
        box.start_display()
        clip = gst("audiotestsrc num-buffers=20 samplesperbuffer=4410 ! wavenc ! filesink location={location}",
                   box.path("media", "first.wav"))
        folder = os.path.dirname(clip)
        rows = [("first.wav", folder, "00:00")]
        rows += [(f"clip{i:06d}.mp3", "/nonexistent/media", "00:00") for i in range(1, ROWS)]
        old = vml.encode(rows)

        def run_once(kill_after):
            with open(box.default_playlist, "wb") as f:
                f.write(old)
            player = box.start_player()
            if not box.wait_until_answering(120):
                raise SystemExit("the player did not start")
            time.sleep(0.5)
            box.press_in_main_window("p")
            time.sleep(1.0)
            started = time.monotonic()
            player.send_signal(signal.SIGTERM)
            if kill_after is None:
                player.wait(120)
                return time.monotonic() - started
            time.sleep(kill_after)
            player.kill()
            player.wait()
            return kill_after

        # One clean exit gives the new list and how long saving takes.
        save_time = run_once(None)
        with open(box.default_playlist, "rb") as f:
            new = f.read()
        if new == old:
            print("warning: the list did not change; every round checks for the old list only")
        print(f"rows {ROWS}, file {len(old)} bytes, clean exit after SIGTERM {save_time:.2f} s")

        counts = {"old": 0, "new": 0}
        for n in range(rounds):
            delay = random.uniform(0, save_time * 1.2)
            run_once(delay)
            with open(box.default_playlist, "rb") as f:
                found = f.read()
            kind = "old" if found == old else "new" if found == new else None
            leftovers = [e for e in os.listdir(box.path("bin")) if e not in ("velmora", "default.vml")]
            if kind is None:
                print(f"round {n + 1}: killed after {delay:.3f} s: default.vml is neither list "
                      f"({len(found)} bytes)")
                return 1
            counts[kind] += 1
            print(f"round {n + 1}: killed after {delay:.3f} s: {kind} list"
                  + (f", left over: {leftovers}" if leftovers else ""))
            for entry in leftovers:
                os.remove(box.path("bin", entry))
        print(f"{rounds} rounds: old list {counts['old']} times, new list {counts['new']} times, never torn")
        return 0
    finally:
        box.close()


if __name__ == "__main__":
    sys.exit(main())
