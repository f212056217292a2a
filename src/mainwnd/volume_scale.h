// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CMainFrame;
class CMediaEngine;

// The player's volume (-40 dB ... 0 dB in hundredths of a decibel) as the
// 0.0 ... 1.0 fraction desktop media controls and assistive technology use.
// A muted player reads 0.0.
double VolumeFraction(const CMediaEngine& engine);
// Sets the volume as the skin's volume bar does: a muted player stays muted
// and keeps the new level for when it is unmuted.
void SetVolumeFraction(CMainFrame& frame, CMediaEngine& engine, double fraction);
