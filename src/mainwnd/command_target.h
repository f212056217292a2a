// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/url_opener.h"
#include "platform/tray_activation.h"

class CMediaEngine;

// The actions the command table runs. The main window implements them; the
// table reaches the window through this interface and nothing else.
class CCommandTarget {
public:
    virtual CMediaEngine& Engine() const = 0;

    // Playback.
    virtual void PlayAction() = 0;
    virtual void PlayListedAction() = 0;
    virtual void OpenClipAction() = 0;
    virtual void PauseResumeAction() = 0;
    virtual void StopOrCloseAction() = 0;
    virtual void ReplayAction() = 0;
    virtual void StepTrackAction(bool forward) = 0;
    virtual void PlayPauseButton() = 0;
    // Runs a transport operation and redraws the play button.
    virtual void Transport(bool (CMediaEngine::*operation)()) = 0;
    virtual void SetRate(double rate) = 0;
    virtual void ChangeRate(double delta) = 0;
    virtual void ChangeRateWhilePlaying(double delta) = 0;
    virtual void ToggleMute() = 0;
    virtual void ToggleRepeat() = 0;
    virtual void StepVolume(bool louder) = 0;

    // Windows.
    virtual void ToggleFullScreen() = 0;
    virtual void ToggleFullScreenWhilePlaying() = 0;
    virtual void HideOrLeaveFullScreen() = 0;
    virtual void ShowHideAction() = 0;
    virtual void HideGroup() = 0;
    virtual void MinimizeGroup() = 0;
    virtual void ToggleMaximized() = 0;
    virtual void ToggleAlwaysOnTop() = 0;
    virtual void TogglePlaylistWindow() = 0;
    virtual void ResetWindowPositions() = 0;
    virtual int OnTrayNotify(TrayMouse mouse) = 0;
    virtual void ToggleSkinOff() = 0;
    virtual void ChooseSkin(int skin) = 0;

    // Modes, dialogs and the end.
    virtual void ToggleShuffle() = 0;
    virtual void TogglePlaylistRepeat() = 0;
    virtual void SetShutdownMode(int mode) = 0;
    virtual void ShowMinutesDialog() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowPreferences() = 0;
    virtual void OpenDocPage(DocPage page) = 0;
    virtual void ExitAction() = 0;

protected:
    ~CCommandTarget() = default;
};
