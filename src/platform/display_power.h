// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Switches for the screen saver and display power saving. The engine turns
// them off while a video is open and back on afterwards; each Set call
// reports whether it took effect.
class CDisplayPower {
public:
    virtual ~CDisplayPower() = default;

    virtual bool IsScreenSaverActive() = 0;
    virtual bool SetScreenSaverActive(bool active) = 0;
    virtual bool IsPowerOffActive() = 0;
    virtual bool SetPowerOffActive(bool active) = 0;
    virtual bool SetLowPowerActive(bool active) = 0;
};
