#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""CPU cost of playing a clip through Velmora against bare GStreamer.

Plays a clip of bench_clips.py (by default the 20-second 1920x1080 30 fps
8-bit 4:2:0 H.264 clip with sound; --clip picks the 2160p one or the 10-bit
4:4:4 extra case) to the end several times under a private Xvfb:
with the player and with `gst-launch-1.0 playbin`, both on ximagesink and the
same audio sink. Prints the median CPU seconds (user + system) of each and
their ratio (goal: at most 1.03). It then starts the player without a clip
and counts how often its threads wake while it sits idle (goal: at most once
every 5 seconds). Then runs engine_bench for the open-to-first-frame time and
the seek latency on the 1080p clip, and for the latency of an exact seek on
a second 1080p H.264 clip whose key frames are 10 s apart (x264's default at
25 fps). bench/engine/peer_bench.py measures the player against mpv and VLC.

The player is build/velmora when it exists: it runs in a private home with
AutoSizeWin on (so the picture is drawn at its own size, as the bare playbin
draws it) and, since it stays open after the clip, is ended with SIGTERM
shortly after the clip's length. Otherwise (or with --engine-only) it is
bench/engine/velmora_engine_play, which drives the same CMediaEngine and
graph in a plain window and exits at the end of the clip.
"""

import argparse
import os
import pathlib
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from bench_clips import CLIP_1080P, CLIP_1080P_444, CLIP_2160P, SPARSE_KEY_CLIP  # noqa: E402

CLIPS = {"1080p": CLIP_1080P, "2160p": CLIP_2160P, "444-extra": CLIP_1080P_444}
RATIO_GOAL = 1.03
IDLE_SETTLE_SECONDS = 5.0
IDLE_SECONDS = 30.0
IDLE_WAKEUPS_PER_SECOND_GOAL = 0.2


def start_xvfb() -> tuple[subprocess.Popen, str]:
    """A private X server on a display it picks itself."""
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", "1", "-screen", "0", "2560x1440x24", "-nolisten", "tcp"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    number = server.stdout.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, f":{number}"


def cpu_seconds(command: list[str], env: dict, stop_after: float = 0.0) -> tuple[float, float]:
    """Runs command to its end, or ends it with SIGTERM after stop_after
    seconds; returns (CPU seconds, wall seconds)."""
    started = time.monotonic()
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if stop_after:
        time.sleep(stop_after)
        child.send_signal(signal.SIGTERM)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    wall = time.monotonic() - started
    if child.returncode != 0:
        sys.exit(f"{command[0]} failed with {child.returncode}")
    return usage.ru_utime + usage.ru_stime, wall


def context_switches(pid: int) -> int:
    """Every time one of the process's threads went to sleep or was put off
    the processor so far; each sleep ends in a wake-up."""
    total = 0
    for task in pathlib.Path(f"/proc/{pid}/task").iterdir():
        try:
            for line in (task / "status").read_text().splitlines():
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
        except FileNotFoundError:
            pass  # the thread ended meanwhile
    return total


def idle_wakeups_per_second(command: list[str], env: dict) -> float:
    """Starts command, lets it settle, then counts its threads' wake-ups over
    IDLE_SECONDS; ends it with SIGTERM."""
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(IDLE_SETTLE_SECONDS)
        if child.poll() is not None:
            sys.exit(f"{command[0]} ended while idle with {child.returncode}")
        before = context_switches(child.pid)
        time.sleep(IDLE_SECONDS)
        after = context_switches(child.pid)
    finally:
        child.send_signal(signal.SIGTERM)
        child.wait()
    return (after - before) / IDLE_SECONDS


def private_home(root: pathlib.Path) -> dict:
    """A home for the player with AutoSizeWin on; nothing of the user's."""
    config = root / "config"
    (config / "Olvistra").mkdir(parents=True)
    (config / "Olvistra" / "Velmora.ini").write_text("[Setting]\nAutoSizeWin=1\n")
    runtime = root / "runtime"
    runtime.mkdir(mode=0o700)
    return {"HOME": str(root), "XDG_CONFIG_HOME": str(config), "XDG_DATA_HOME": str(root / "data"),
            "XDG_RUNTIME_DIR": str(runtime), "DBUS_SESSION_BUS_ADDRESS": "disabled:",
            "DBUS_SYSTEM_BUS_ADDRESS": "disabled:"}


def main() -> None:
    here = pathlib.Path(__file__).resolve()
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=str(here.parents[2] / "build"), help="the build folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--engine-only", action="store_true",
                        help="measure bench/engine/velmora_engine_play even when build/velmora exists")
    parser.add_argument("--audio-sink", default="fakeaudiosink", help="audio sink of both players")
    parser.add_argument("--clip", choices=CLIPS, default="1080p", help="the clip both players play")
    args = parser.parse_args()

    build = pathlib.Path(args.build).resolve()
    played = CLIPS[args.clip]
    clip = played.make(build)
    bench_clip = CLIP_1080P.make(build)
    sparse_clip = SPARSE_KEY_CLIP.make(build)
    app = build / "velmora"
    full_app = app.exists() and not args.engine_only
    player = app if full_app else build / "bench" / "engine" / "velmora_engine_play"
    bench = build / "bench" / "engine" / "engine_bench"
    print(f"player: {player}")
    print("load average: {:.2f} {:.2f} {:.2f}".format(*os.getloadavg()), flush=True)

    server, display = start_xvfb()
    scratch = tempfile.TemporaryDirectory(prefix="velmora-bench-")
    try:
        # Both players read one GStreamer plug-in registry, built before the
        # runs: each private home would otherwise have the player rebuild
        # it, about 0.2 s of CPU that bare playbin, with a warm one, never
        # pays and a user's player pays once.
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                   VELMORA_VIDEO_SINK="ximagesink", VELMORA_AUDIO_SINK=args.audio_sink,
                   GST_REGISTRY=str(pathlib.Path(scratch.name) / "gst-registry.bin"))
        subprocess.run(["gst-inspect-1.0"], env=env, stdout=subprocess.DEVNULL, check=True)
        gst = ["gst-launch-1.0", "-q", "playbin", f"uri={clip.as_uri()}", "video-sink=ximagesink",
               f"audio-sink={args.audio_sink}"]
        ours = [str(player), str(clip)]
        cpu_gst, cpu_ours, wall_ours = [], [], []
        for run in range(args.runs):
            cpu, _ = cpu_seconds(gst, env)
            cpu_gst.append(cpu)
            if full_app:
                home = pathlib.Path(scratch.name) / f"run{run}"
                cpu, wall = cpu_seconds(ours, dict(env, **private_home(home)), stop_after=played.seconds + 2.0)
            else:
                cpu, wall = cpu_seconds(ours, env)
            cpu_ours.append(cpu)
            wall_ours.append(wall)
            print(f"run {run + 1}: gst-launch {cpu_gst[-1]:.2f} s CPU, player {cpu_ours[-1]:.2f} s CPU "
                  f"({wall:.1f} s wall)", flush=True)
        median_gst = statistics.median(cpu_gst)
        median_ours = statistics.median(cpu_ours)
        print(f"median CPU seconds: gst-launch {median_gst:.2f}, player {median_ours:.2f}")
        ratio = median_ours / median_gst
        print(f"ratio player / gst-launch: {ratio:.3f} (goal <= {RATIO_GOAL}: "
              f"{'holds' if ratio <= RATIO_GOAL else 'MISSED'})", flush=True)

        if full_app:
            home = pathlib.Path(scratch.name) / "idle"
            rate = idle_wakeups_per_second([str(player)], dict(env, **private_home(home)))
            print(f"idle player: {rate:.2f} wake-ups a second over {IDLE_SECONDS:.0f} s "
                  f"(goal <= {IDLE_WAKEUPS_PER_SECOND_GOAL}: "
                  f"{'holds' if rate <= IDLE_WAKEUPS_PER_SECOND_GOAL else 'MISSED'})", flush=True)

        if bench.exists():
            subprocess.run([str(bench)], env=dict(env, VELMORA_BENCH_CLIP=str(bench_clip),
                                                  VELMORA_BENCH_SPARSE_KEY_CLIP=str(sparse_clip)), check=True)
    finally:
        scratch.cleanup()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
