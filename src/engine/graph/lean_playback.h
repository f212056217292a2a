// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

// playbin's flags (GstPlayFlags is private to the playback plug-ins).
enum : guint {
    kPlayFlagText = 0x004,
    kPlayFlagSoftColorBalance = 0x400,
};

// Decoder threads for a picture of this size: 0 lets the decoder take one
// per processor. Up to 1080p one thread keeps up with time on any current
// processor and spares the frames that each extra thread holds.
int DecoderThreadsFor(int width, int height);

// Leaves out of playbin what the player does not use, software colour
// balance (it has no colour controls), and keeps software decoders of small
// pictures to one thread. playbin's own converter in front of the sink
// stays: without it no subtitles are drawn into the picture.
void MakePlaybinLean(GstElement* playbin);
