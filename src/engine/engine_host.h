// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QRect>
#include <QSize>
#include <QString>

class QObject;
class QWidget;

// The graph notification the engine's graph posts to the host's notify
// target; the target's event() calls CMediaEngine::HandleGraphEvents.
constexpr QEvent::Type WM_GRAPH_NOTIFY = static_cast<QEvent::Type>(QEvent::User + 2);

// The main window's position timer, run while a clip plays; each tick the
// main window calls CMediaEngine::UpdateTimeText and repaints.
constexpr int TIMER_POSITION = 2;
constexpr int TIMER_POSITION_PERIOD_MS = 1000;

// What the engine needs from the windows around it: the main window, the
// playlist window and the hidden owner window. The main window implements
// it; tests record the calls.
class CEngineHost {
public:
    virtual ~CEngineHost() = default;

    // Owner of the video, receiver of its input, parent of the engine's boxes.
    virtual QWidget* MainWindow() = 0;
    // Where WM_GRAPH_NOTIFY is posted.
    virtual QObject* NotifyTarget() = 0;
    // The skin's video area in the main window's client coordinates.
    virtual QRect GetVideoArea() = 0;
    // The part of the main window's screen that windows may use (without
    // panels), in screen coordinates.
    virtual QRect AvailableScreenArea() = 0;
    // The outer rectangle the main window needs for a video area of w x h.
    virtual QRect WindowRectForVideo(int width, int height) = 0;
    virtual void ShowMainWindowNormal() = 0;
    // Moves and resizes the main window to an outer rectangle in screen coordinates.
    virtual void PlaceMainWindow(const QRect& rect) = 0;
    virtual void ShowMainWindow(bool show) = 0;
    virtual void SetMainWindowTitle(const QString& title) = 0;
    virtual void SetMainWindowNotTopMost() = 0;
    // Playing, paused or stopped changed.
    virtual void OnPlayStateChanged() = 0;
    // The position moved while the position timer was not running (a stop
    // rewinds the clip, a seek while paused), or the clip's length changed.
    virtual void OnPositionChanged() = 0;
    // The time text (CMediaEngine::m_szTime) changed.
    virtual void OnTimeTextChanged() = 0;
    virtual void InvalidateMainWindow() = 0;
    virtual void InvalidatePlaylistWindow() = 0;
    virtual bool IsPlaylistWindowVisible() = 0;
    virtual void ShowPlaylistWindow(bool show) = 0;
    virtual void ShowOwnerWindow(bool show) = 0;
    virtual void SetOwnerWindowTopMost() = 0;
    // Starts (TIMER_POSITION_PERIOD_MS) or kills TIMER_POSITION.
    virtual void SetPositionTimer(bool run) = 0;
    // The main window's power action (switch the computer off).
    virtual void PowerOff() = 0;
    // The main window's exit: store state, save the playlist, end the program.
    virtual void ExitAction() = 0;
};
