// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/display_power.h"

#include <memory>

// The desktop's screen saver and display power saving. The screen saver is
// held off through org.freedesktop.ScreenSaver on the session bus where a
// desktop offers it, otherwise through the X server's screen-saver timeout;
// display power saving through the X server's DPMS. Only what this object
// changed is ever changed back.
class CDesktopDisplayPower : public CDisplayPower {
public:
    CDesktopDisplayPower();
    ~CDesktopDisplayPower() override;

    bool IsScreenSaverActive() override;
    bool SetScreenSaverActive(bool active) override;
    bool IsPowerOffActive() override;
    bool SetPowerOffActive(bool active) override;
    bool SetLowPowerActive(bool active) override;

private:
    struct XState;
    bool HasScreenSaverService() const;

    std::unique_ptr<XState> m_pX;
    unsigned m_nInhibitCookie = 0;
    bool m_bInhibited = false;
};
