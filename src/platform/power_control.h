// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Switches the computer off by asking the login manager (logind) on the
// system bus, as any desktop program does. Tests install a recorder so that
// no request ever reaches a real login manager.
class CPowerControl {
public:
    virtual ~CPowerControl() = default;

    // Asks for the machine to be powered off, without an interactive
    // authentication prompt. A refusal (no permission, no login manager, no
    // system bus) changes nothing: the caller may simply ask again later.
    virtual void PowerOff() = 0;

    // The installed control; logind's until Install() replaces it.
    static CPowerControl& Get();
    // Installs a control (not owned) or, with nullptr, restores logind's.
    static void Install(CPowerControl* control);
};
