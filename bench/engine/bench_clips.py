# SPDX-License-Identifier: GPL-3.0-or-later
"""The clips the engine benchmarks play, made once with gst-launch-1.0 and
kept in the build folder.

The typical clips are 8-bit 4:2:0 H.264, what cameras and the web give: the
caps filter asks videoconvert for I420, or x264 picks 10-bit 4:4:4 from the
test source's colours. That one is kept only as a named extra case, since
GStreamer has no fast path to convert it for the X server.
"""

import pathlib
import shlex
import subprocess
from dataclasses import dataclass


@dataclass(frozen=True)
class Clip:
    name: str
    label: str
    width: int
    height: int
    seconds: int
    fps: int = 30
    video_format: str = "I420"
    key_interval: int = 60
    sound: bool = True

    def pipeline(self) -> str:
        """The gst-launch pipeline up to the file sink."""
        frames = self.seconds * self.fps
        caps = f"video/x-raw,width={self.width},height={self.height},framerate={self.fps}/1"
        video = (f"videotestsrc pattern=smpte horizontal-speed=8 num-buffers={frames} ! {caps} ! "
                 f"videoconvert ! video/x-raw,format={self.video_format} ! "
                 f"x264enc speed-preset=superfast bitrate={8000 * self.width * self.height // (1920 * 1080)} "
                 f"key-int-max={self.key_interval} ! h264parse")
        if not self.sound:
            return f"{video} ! matroskamux"
        return (f"{video} ! mux. "
                f"audiotestsrc wave=sine num-buffers={self.seconds * 10} samplesperbuffer=4410 ! "
                "audio/x-raw,rate=44100,channels=2 ! audioconvert ! vorbisenc ! mux. "
                "matroskamux name=mux")

    def make(self, build: pathlib.Path) -> pathlib.Path:
        """The clip's file in build/bench-clips, encoded on first use."""
        path = build / "bench-clips" / f"{self.name}.mkv"
        if path.exists():
            return path
        path.parent.mkdir(parents=True, exist_ok=True)
        partial = path.with_suffix(".part")
        print(f"making {path} ...", flush=True)
        subprocess.run(["gst-launch-1.0", "-q", *shlex.split(f"{self.pipeline()} ! filesink location={partial}")],
                       check=True)
        partial.rename(path)
        return path


# 20 s 1080p with Vorbis sound, a key frame every 2 s.
CLIP_1080P = Clip("h264-1080p-i420-20s", "1080p 8-bit 4:2:0", 1920, 1080, 20)
# 10 s 2160p: four times the pixels, half the length.
CLIP_2160P = Clip("h264-2160p-i420-10s", "2160p 8-bit 4:2:0", 3840, 2160, 10)
# The extra case: what the test source gives x264 when nothing asks for I420.
CLIP_1080P_444 = Clip("h264-1080p-y444-10bit-10s", "1080p 10-bit 4:4:4 (extra)", 1920, 1080, 10,
                      video_format="Y444_10LE")
# 1080p alone with key frames 10 s apart, x264's default at 25 fps.
SPARSE_KEY_CLIP = Clip("h264-1080p-i420-keys10s", "1080p, key frames 10 s apart", 1920, 1080, 20, fps=25,
                       key_interval=250, sound=False)
