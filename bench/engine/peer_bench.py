#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Velmora against the players people would pick instead.

Plays the typical clips (8-bit 4:2:0 H.264 with Vorbis sound, 1080p for 20 s
and 2160p for 10 s) and the 10-bit 4:4:4 extra case to their end with bare
`gst-launch-1.0 playbin`, Velmora, mpv and VLC, every player drawing through
plain X11 at the picture's own size on one private Xvfb, sound to a null
sink. The players take turns (interleaved, the order rotating each round),
five runs each, so they share the machine's conditions. Prints each player's
median CPU seconds (user + system, children included) and maximum resident
memory beside the goals: Velmora's CPU at most VLC's on the 8-bit clips, its
memory at most 150 MB at 1080p.

mpv (`--vo=x11 --hwdec=no`) and VLC (`--vout=xcb_x11`) are measured when
installed and skipped with a note when not; on Debian:
    apt-get install mpv vlc-bin vlc-plugin-base vlc-plugin-video-output
VLC refuses to run as root, so a benchmark run as root starts it as the
unprivileged user `nobody` (runuser).

Velmora runs in a private home with AutoSizeWin on, so its picture is drawn
at its own size; it stays open after the clip, so it is ended with SIGTERM
once it has gone idle. The GStreamer players read one warm plug-in registry,
as a user's do after their first start.

Then the earlier figures with their goals: first window and hand-over
(bench/app/startup.sh), the idle player's wake-ups, open to first frame and
seek (engine_bench), the 250,000-row sorts and save (velmora_playlist_bench).
"""

import argparse
import json
import os
import pathlib
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from typing import Callable

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from bench_clips import CLIP_1080P, CLIP_1080P_444, CLIP_2160P, SPARSE_KEY_CLIP, Clip  # noqa: E402
from cpu_ratio import idle_wakeups_per_second, private_home, IDLE_SECONDS, IDLE_WAKEUPS_PER_SECOND_GOAL  # noqa: E402

RSS_GOAL_MB = 150
RSS_GOAL_CLIP = CLIP_1080P
CPU_GOAL_CLIPS = (CLIP_1080P, CLIP_2160P)
# How long Velmora may go on using the processor after the clip's length
# before it is ended anyway.
IDLE_WAIT_LIMIT_SECONDS = 15.0
IDLE_POLL_SECONDS = 0.5
OPEN_GOAL_MS = 100
SEEK_GOAL_MS = 50
VLC_USER = "nobody"


@dataclass
class Player:
    name: str
    command: Callable[[pathlib.Path], list[str]]
    env: Callable[[pathlib.Path], dict] = field(default=lambda run_dir: {})
    # Ended with SIGTERM once idle after the clip, instead of ending by itself.
    stays_open: bool = False
    is_velmora: bool = False
    cpu: dict = field(default_factory=dict)  # clip name -> CPU seconds of each run
    rss: dict = field(default_factory=dict)  # clip name -> max resident MB of each run


def start_xvfb() -> tuple[subprocess.Popen, str]:
    """A private X server, large enough for a 2160p picture with the
    player's frame around it."""
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", "1", "-screen", "0", "4200x2600x24", "-nolisten", "tcp"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    number = server.stdout.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, f":{number}"


def cpu_ticks(pid: int) -> int:
    """User + system clock ticks of every thread of pid so far."""
    fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def wait_until_idle(child: subprocess.Popen, seconds: float) -> None:
    """Sleeps for the clip's length, then until child stops using the
    processor (or the limit is reached), and ends it."""
    time.sleep(seconds)
    deadline = time.monotonic() + IDLE_WAIT_LIMIT_SECONDS
    last = cpu_ticks(child.pid)
    while time.monotonic() < deadline and child.poll() is None:
        time.sleep(IDLE_POLL_SECONDS)
        now = cpu_ticks(child.pid)
        if now == last:
            break
        last = now
    child.send_signal(signal.SIGTERM)


def measure(player: Player, clip: Clip, path: pathlib.Path, env: dict, run_dir: pathlib.Path) -> tuple[float, float]:
    """Plays path once; (CPU seconds, max resident MB). The figures of
    wait4 take in the children the player waited for (VLC under runuser)."""
    child = subprocess.Popen(player.command(path), env=dict(env, **player.env(run_dir)),
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if player.stays_open:
        wait_until_idle(child, clip.seconds)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode not in (0, -signal.SIGTERM):
        sys.exit(f"{player.name} failed on {path.name} with {child.returncode}")
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def velmora_player(name: str, binary: pathlib.Path) -> Player:
    return Player(name, lambda clip: [str(binary), str(clip)], env=lambda run_dir: private_home(run_dir),
                  stays_open=True, is_velmora=True)


def peers(scratch: pathlib.Path) -> tuple[list[Player], list[str]]:
    """mpv and VLC where installed; the notes say what was skipped."""
    found, notes = [], []
    if shutil.which("mpv"):
        found.append(Player("mpv", lambda clip: ["mpv", "--no-config", "--really-quiet", "--vo=x11", "--hwdec=no",
                                                 "--ao=null", str(clip)]))
    else:
        notes.append("mpv is not installed: skipped (Debian: apt-get install mpv)")
    vlc = shutil.which("cvlc")
    if not vlc:
        notes.append("VLC is not installed: skipped (Debian: apt-get install vlc-bin vlc-plugin-base "
                     "vlc-plugin-video-output)")
        return found, notes
    as_user = []
    vlc_home = scratch / "vlc-home"
    vlc_home.mkdir()
    if os.geteuid() == 0:
        # The clips must be readable by the unprivileged user, the home writable.
        shutil.chown(vlc_home, user=VLC_USER)
        as_user = ["runuser", "-u", VLC_USER, "--"]
        notes.append(f"VLC refuses root: it runs as {VLC_USER}")
    found.append(Player("VLC", lambda clip: [*as_user, "env", f"HOME={vlc_home}", vlc, "--quiet", "--vout=xcb_x11",
                                             "--aout=adummy", "--play-and-exit", "--no-video-title-show", str(clip)]))
    return found, notes


def print_clip_table(clip: Clip, players: list[Player]) -> None:
    vlc = next((p for p in players if p.name == "VLC" and p.cpu.get(clip.name)), None)
    bare = players[0]
    bare_cpu = statistics.median(bare.cpu[clip.name])
    print(f"\n{clip.label}: {clip.width}x{clip.height} {clip.fps} fps, {clip.seconds} s, "
          f"{len(bare.cpu[clip.name])} runs each")
    print(f"{'player':<20} {'CPU s median (min-max)':>24} {'/ playbin':>9} {'max RSS MB':>11}  goals")
    for player in players:
        cpu = player.cpu.get(clip.name)
        if not cpu:
            continue
        median_cpu = statistics.median(cpu)
        median_rss = statistics.median(player.rss[clip.name])
        goals = []
        if player.is_velmora and clip in CPU_GOAL_CLIPS:
            if vlc:
                vlc_cpu = statistics.median(vlc.cpu[clip.name])
                goals.append(f"CPU <= VLC's {vlc_cpu:.2f} s: {'holds' if median_cpu <= vlc_cpu else 'MISSED'}")
            else:
                goals.append("CPU <= VLC's: not judged, VLC not measured")
        if player.is_velmora and clip == RSS_GOAL_CLIP:
            goals.append(f"RSS <= {RSS_GOAL_MB} MB: {'holds' if median_rss <= RSS_GOAL_MB else 'MISSED'}")
        spread = f"{median_cpu:.2f} ({min(cpu):.2f}-{max(cpu):.2f})"
        print(f"{player.name:<20} {spread:>24} {median_cpu / bare_cpu:>8.2f}x {median_rss:>11.0f}  "
              + "; ".join(goals), flush=True)


def play_clips(clips: list[tuple[Clip, pathlib.Path]], players: list[Player], env: dict, scratch: pathlib.Path,
               runs: int) -> None:
    for clip, path in clips:
        print(f"\n{clip.label}: load average before {os.getloadavg()[0]:.2f}", flush=True)
        for run in range(runs):
            # The order rotates, so no player always follows the same one.
            turn = players[run % len(players):] + players[:run % len(players)]
            for player in turn:
                run_dir = scratch / f"{clip.name}-{player.name}-{run}".replace(" ", "_").replace("(", "").replace(")", "")
                cpu, rss = measure(player, clip, path, env, run_dir)
                player.cpu.setdefault(clip.name, []).append(cpu)
                player.rss.setdefault(clip.name, []).append(rss)
                print(f"  run {run + 1} {player.name}: {cpu:.2f} s CPU, {rss:.0f} MB", flush=True)
        print(f"{clip.label}: load average after {os.getloadavg()[0]:.2f}")
        print_clip_table(clip, players)


def median_ms(results: dict, name: str) -> float | None:
    """The median real time of a benchmark's iterations in engine_bench's
    JSON, in ms, or None when it was skipped."""
    times = [b["real_time"] for b in results["benchmarks"]
             if b["name"].split("/")[0] == name and b.get("run_type") == "iteration" and not b.get("error_occurred")]
    return statistics.median(times) if times else None


def other_figures(repo: pathlib.Path, build: pathlib.Path, velmora: pathlib.Path, env: dict,
                  scratch: pathlib.Path) -> None:
    print("\nEarlier figures", flush=True)
    startup = repo / "bench" / "app" / "startup.sh"
    if (build / "bench" / "app" / "velmora_start_timer").exists():
        # startup.sh starts its own Xvfb and private folders.
        subprocess.run(["sh", str(startup), "10"], cwd=repo, check=True,
                       env=dict(os.environ, BUILD_DIR=os.path.relpath(build, repo)))
    rate = idle_wakeups_per_second([str(velmora)], dict(env, **private_home(scratch / "idle")))
    print(f"idle player: {rate:.2f} wake-ups a second over {IDLE_SECONDS:.0f} s "
          f"(goal <= {IDLE_WAKEUPS_PER_SECOND_GOAL}: {'holds' if rate <= IDLE_WAKEUPS_PER_SECOND_GOAL else 'MISSED'})",
          flush=True)

    engine_bench = build / "bench" / "engine" / "engine_bench"
    if engine_bench.exists():
        out = scratch / "engine_bench.json"
        subprocess.run([str(engine_bench), f"--benchmark_out={out}", "--benchmark_out_format=json"],
                       env=dict(env, VELMORA_BENCH_CLIP=str(CLIP_1080P.make(build)),
                                VELMORA_BENCH_SPARSE_KEY_CLIP=str(SPARSE_KEY_CLIP.make(build))),
                       stdout=subprocess.DEVNULL, check=True)
        results = json.loads(out.read_text())
        for label, name, baseline, goal in (
                ("open to first frame (1080p)", "BM_OpenToFirstFrame", "BM_PlaybinPrerollBaseline", OPEN_GOAL_MS),
                ("seek, paused (1080p)", "BM_SeekLatency", "BM_PlaybinSeekBaseline", SEEK_GOAL_MS),
                ("exact seek, keys 10 s apart", "BM_AccurateSeekSparseKeys", None, None)):
            figure = median_ms(results, name)
            if figure is None:
                print(f"{label}: skipped")
                continue
            bare = median_ms(results, baseline) if baseline else None
            beside = f", bare playbin {bare:.0f} ms" if bare is not None else ""
            verdict = (f" (goal <= {goal} ms: {'holds' if figure <= goal else 'MISSED'})" if goal
                       else " (stated, no goal)")
            print(f"{label}: {figure:.0f} ms{beside}{verdict}", flush=True)

    playlist_bench = build / "bench" / "playlist" / "velmora_playlist_bench"
    if playlist_bench.exists():
        result = subprocess.run([str(playlist_bench), "--benchmark_filter=BM_Sort|BM_Save"], env=env,
                                capture_output=True, text=True, check=True)
        # The bench ends with its own table of each figure beside its goal.
        table = result.stdout[result.stdout.rfind("Figure (250,000 rows)"):]
        print(table.rstrip(), flush=True)


def main() -> None:
    here = pathlib.Path(__file__).resolve()
    repo = here.parents[2]
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=str(repo / "build"), help="the build folder")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--also", action="append", default=[], metavar="LABEL=PLAYER",
                        help="another Velmora binary measured beside build/velmora (an earlier build, say)")
    parser.add_argument("--no-extra", action="store_true", help="leave out the 10-bit 4:4:4 extra case")
    parser.add_argument("--clips-only", action="store_true", help="leave out the earlier figures")
    args = parser.parse_args()

    build = pathlib.Path(args.build).resolve()
    velmora = build / "velmora"
    if not velmora.exists():
        sys.exit(f"{velmora} is not built")
    clips = [CLIP_1080P, CLIP_2160P] + ([] if args.no_extra else [CLIP_1080P_444])
    clips = [(clip, clip.make(build)) for clip in clips]

    print("load average: {:.2f} {:.2f} {:.2f}".format(*os.getloadavg()), flush=True)
    server, display = start_xvfb()
    scratch_dir = tempfile.TemporaryDirectory(prefix="velmora-peers-")
    scratch = pathlib.Path(scratch_dir.name)
    scratch.chmod(0o755)
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", VELMORA_VIDEO_SINK="ximagesink",
                   VELMORA_AUDIO_SINK="fakeaudiosink", GST_REGISTRY=str(scratch / "gst-registry.bin"))
        subprocess.run(["gst-inspect-1.0"], env=env, stdout=subprocess.DEVNULL, check=True)
        players = [Player("bare playbin", lambda clip: ["gst-launch-1.0", "-q", "playbin", f"uri={clip.as_uri()}",
                                                         "video-sink=ximagesink", "audio-sink=fakeaudiosink"]),
                   velmora_player("Velmora", velmora)]
        for also in args.also:
            label, _, binary = also.partition("=")
            players.append(velmora_player(label, pathlib.Path(binary).resolve()))
        found, notes = peers(scratch)
        players += found
        for note in notes:
            print(note)
        play_clips(clips, players, env, scratch, args.runs)
        if not args.clips_only:
            other_figures(repo, build, velmora, env, scratch)
        print("\nload average at the end: {:.2f} {:.2f} {:.2f}".format(*os.getloadavg()))
    finally:
        scratch_dir.cleanup()
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
