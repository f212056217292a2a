// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

// playbin's flags (GstPlayFlags is private to the playback plug-ins).
enum : guint {
    kPlayFlagText = 0x004,
    kPlayFlagNativeVideo = 0x040,
    kPlayFlagSoftColorBalance = 0x400,
};

// Decoder threads for a picture of this size: 0 lets the decoder take one
// per processor. Up to 1080p one thread keeps up with time on any current
// processor and spares the frames that each extra thread holds.
int DecoderThreadsFor(int width, int height);

// Leaves out of playbin what the player does not use: software colour
// balance (it has no colour controls) and, when the video sink converts and
// scales by itself, playbin's own converter and scaler in front of it. Keeps
// software decoders of small pictures to one thread.
void MakePlaybinLean(GstElement* playbin, bool sinkConverts);
