// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Media clips for the engine tests, made with gst-launch-1.0 the first time
// a test asks for one. They are kept in the build folder so that the many
// test processes share them.
enum class TestClip {
    Wav3s,           // PCM WAV, 3 s
    Wav1s,           // PCM WAV, 1 s
    Mp3Xing,         // MP3 with a Xing header, 2 s
    Mp3Plain,        // MP3 without a Xing header, 2 s
    Mp3VbrPlain,     // VBR MP3 without a Xing header, 30 s: 4 s of noise, then silence
    Mpeg2Video,      // MPEG-2 elementary stream (.m2v) 320x240, 10 s
    AviMjpegPcm,     // AVI: MJPEG 320x240 and PCM, 2 s
    MkvH264Vorbis,   // Matroska: H.264 320x240 and Vorbis, 2 s
    VideoOnly,       // Matroska: H.264 160x120, no audio, 1 s
    TextAsMp3,       // a text file named .mp3
    Wav30s,          // PCM WAV, 30 s
    AviMjpegPcm30s,  // AVI: MJPEG 320x240 at 10 fps and PCM, 30 s
    H264SparseKeys,  // Matroska: H.264 320x240, a key frame every 10 s, 20 s
};

QString TestClipPath(TestClip clip);
QString MissingClipPath();
