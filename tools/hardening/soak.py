#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Long runs stay flat.

Plays a default playlist of 300 one-second clips (WAV, MP3 and Matroska with
video, in turn) in the real player to the end with Shuffle off, switches
Shuffle on with the skin's button and lets it advance 300 times more (the
list repeats: PlaylistRepeat is on from the start, which matters only at the
end of the list). Every 50 clips it prints the player's resident memory,
open file descriptors and threads, and at the end the growth after the
first 50 clips.

Usage: tools/hardening/soak.py [build/velmora]
With an AddressSanitizer build, set ASAN_OPTIONS/LSAN_OPTIONS as wanted: the
leak report comes on the player's stderr when it ends (SIGTERM).
Runs in a private temporary folder on a private X server; not part of CTest.
"""
import os
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sandbox import Sandbox, gst, process_figures  # noqa: E402
import vml  # noqa: E402

CLIPS = 300
SOURCES = {
    "wav": "audiotestsrc num-buffers=10 samplesperbuffer=4410 ! wavenc ! filesink location={location}",
    "mp3": "audiotestsrc num-buffers=10 samplesperbuffer=4410 ! audioconvert ! lamemp3enc ! "
           "filesink location={location}",
    "mkv": "videotestsrc num-buffers=10 ! video/x-raw,width=160,height=120,framerate=10/1 ! x264enc ! "
           "matroskamux ! filesink location={location}",
}


def media_open(pid, folder):
    """The name of the clip the player has open, or None."""
    fd_dir = f"/proc/{pid}/fd"
    try:
        for fd in os.listdir(fd_dir):
            try:
                target = os.readlink(os.path.join(fd_dir, fd))
            except OSError:
                continue
            if target.startswith(folder + "/"):
                return target[len(folder) + 1:]
    except OSError:
        pass
    return None


def click_shuffle(box):
    window = box.xdotool("search", "--onlyvisible", "--name", "^Velmora$").split("\n")[0]
    geometry = dict(line.split("=") for line in box.xdotool("getwindowgeometry", "--shell", window).split("\n"))
    width, height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
    box.xdotool("mousemove", "--window", window, str(width - 32), str(height - 17), "click", "1")


def main():
    binary = sys.argv[1] if len(sys.argv) > 1 else "build/velmora"
    box = Sandbox(binary, "velmora-soak")
    try:
        box.start_display()
        folder = box.path("media")
        sources = {ext: gst(p, box.path(f"source.{ext}")) for ext, p in SOURCES.items()}
        rows = []
        for i in range(CLIPS):
            ext = ("wav", "mp3", "mkv")[i % 3]
            name = f"clip{i:03d}.{ext}"
            os.link(sources[ext], os.path.join(folder, name))
            rows.append((name, folder, "00:00"))
        with open(box.default_playlist, "wb") as f:
            f.write(vml.encode(rows))
        os.makedirs(box.path("config", "Olvistra"), exist_ok=True)
        with open(box.path("config", "Olvistra", "Velmora.ini"), "w") as f:
            f.write("[Setting]\nShuffle=0\nPlaylistRepeat=1\n")

        stderr = open(box.path("player-stderr.txt"), "w")
        player = box.start_player(stderr=stderr)
        if not box.wait_until_answering(120):
            raise SystemExit("the player did not start")
        time.sleep(1)
        box.press_in_main_window("p")

        figures = []
        advances, last, shuffled = 0, None, False
        started = time.monotonic()
        deadline = started + 30 * 60
        while advances < 2 * CLIPS and time.monotonic() < deadline:
            if player.poll() is not None:
                raise SystemExit(f"the player ended (status {player.returncode})")
            current = media_open(player.pid, folder)
            if current and current != last:
                if last is not None:
                    advances += 1
                    if advances % 50 == 0:
                        rss, fds, threads = process_figures(player.pid)
                        figures.append((advances, rss, fds, threads))
                        phase = "shuffle" if shuffled else "in order"
                        print(f"{advances:4d} clips ({phase}): resident {rss / 1024:.1f} MB, "
                              f"{fds} descriptors, {threads} threads, {time.monotonic() - started:.0f} s",
                              flush=True)
                last = current
                if advances == CLIPS - 1 and not shuffled:
                    # The last row plays: the next end of clip wraps to row 0.
                    click_shuffle(box)
                    shuffled = True
            time.sleep(0.05)

        player.send_signal(signal.SIGTERM)
        try:
            player.wait(120)
        except Exception:
            player.kill()
        stderr.close()
        if len(figures) >= 2:
            first, final = figures[0], figures[-1]
            print(f"after {final[0]} clips, since clip 50: resident {(final[1] - first[1]) / 1024:+.1f} MB, "
                  f"descriptors {final[2] - first[2]:+d}, threads {final[3] - first[3]:+d}")
        if advances < 2 * CLIPS:
            print(f"only {advances} advances within the time limit")
        with open(box.path("player-stderr.txt")) as f:
            text = f.read()
        leaks = [line for line in text.splitlines() if "SUMMARY:" in line or "ERROR:" in line]
        print("player stderr:", "\n".join(leaks) if leaks else "no sanitizer report")
        if os.environ.get("SOAK_KEEP_STDERR"):
            print(text)
        return 0
    finally:
        box.close()


if __name__ == "__main__":
    sys.exit(main())
