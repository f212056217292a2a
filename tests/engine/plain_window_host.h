// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/display_power.h"
#include "engine/engine_host.h"

#include <QDir>
#include <QPalette>
#include <QScreen>
#include <QWidget>

// The smallest home for the engine's video: a plain black window whose
// whole client area is the video area. Used by the video window probe and
// the engine benchmarks.
class CPlainWindowHost : public CEngineHost {
public:
    CPlainWindowHost()
    {
        m_window.resize(640, 360);
        QPalette palette = m_window.palette();
        palette.setColor(QPalette::Window, Qt::black);
        m_window.setPalette(palette);
        m_window.setAutoFillBackground(true);
    }

    QWidget* MainWindow() override { return &m_window; }
    QObject* NotifyTarget() override { return m_pNotifyTarget ? m_pNotifyTarget : &m_window; }
    QRect GetVideoArea() override { return m_window.rect(); }
    QRect AvailableScreenArea() override { return m_window.screen()->availableGeometry(); }
    QRect WindowRectForVideo(int width, int height) override
    {
        return QRect(m_window.pos(), QSize(width, height));
    }
    void ShowMainWindowNormal() override { m_window.showNormal(); }
    void PlaceMainWindow(const QRect& rect) override { m_window.setGeometry(rect); }
    void ShowMainWindow(bool show) override { m_window.setVisible(show); }
    void SetMainWindowTitle(const QString& title) override { m_window.setWindowTitle(title); }
    void SetMainWindowNotTopMost() override {}
    void OnPlayStateChanged() override {}
    void OnPositionChanged() override {}
    void OnTimeTextChanged() override {}
    void InvalidateMainWindow() override {}
    void InvalidatePlaylistWindow() override {}
    bool IsPlaylistWindowVisible() override { return false; }
    void ShowPlaylistWindow(bool) override {}
    void ShowOwnerWindow(bool) override {}
    void SetOwnerWindowTopMost() override {}
    void SetPositionTimer(bool) override {}
    void PowerOff() override {}
    void ExitAction() override {}

    QWidget m_window;
    QObject* m_pNotifyTarget = nullptr;
};

// Leaves the screen saver as it is: probes and benchmarks must not change the desktop.
class CUntouchedDisplayPower : public CDisplayPower {
public:
    bool IsScreenSaverActive() override { return false; }
    bool SetScreenSaverActive(bool) override { return true; }
    bool IsPowerOffActive() override { return false; }
    bool SetPowerOffActive(bool) override { return true; }
    bool SetLowPowerActive(bool) override { return true; }
};

// Points HOME and the XDG folders into `folder`, so that the settings and
// playlist objects a probe or benchmark needs never reach the user's files.
inline void UsePrivateHome(const QString& folder)
{
    QDir().mkpath(folder + QStringLiteral("/config"));
    QDir().mkpath(folder + QStringLiteral("/data"));
    qputenv("HOME", folder.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (folder + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (folder + QStringLiteral("/data")).toLocal8Bit());
}
