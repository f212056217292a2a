// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

// Draws subtitles into the picture after the sink's scaler rather than before
// it. The pads between `entry` (the first sink pad of a scaling chain) and
// `scaled` (the source pad of its last element) take the subtitle overlay as
// metadata: the overlay element then hands over its rendered text instead of
// copying each full-size frame to blend it in. The text is scaled once per
// cue to the displayed size and blended only where it has ink, so a shown
// subtitle costs next to nothing per frame and looks as if drawn before
// scaling.
void BlendOverlaysAfterScaling(GstPad* entry, GstPad* scaled);
