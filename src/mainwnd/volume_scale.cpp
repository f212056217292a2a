// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/volume_scale.h"

#include "mainwnd/main_frame.h"
#include "engine/media_engine.h"
#include "skin/skin_ids.h"

#include <algorithm>
#include <cmath>

namespace {

// The volume bar's whole length in the engine's units: one step per
// hundredth of a decibel.
constexpr int kVolumeSpan = 4000;

}  // namespace

double VolumeFraction(const CMediaEngine& engine)
{
    if (engine.IsMuted())
        return 0.0;
    return std::clamp(double(kVolumeSpan + engine.GetVolume()) / kVolumeSpan, 0.0, 1.0);
}

void SetVolumeFraction(CMainFrame& frame, CMediaEngine& engine, double fraction)
{
    if (!std::isfinite(fraction))
        return;
    const int offset = static_cast<int>(std::lround((std::clamp(fraction, 0.0, 1.0) - 1.0) * kVolumeSpan));
    // The knob moves: its old and new places are both redrawn.
    frame.RedrawControl(MC_VOLUME);
    engine.SetVolumeFromBar(offset, kVolumeSpan);
    frame.RedrawControl(MC_VOLUMEBAR);
    frame.RedrawControl(MC_VOLUME);
}
