// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/display_power.h"
#include "engine/engine_host.h"
#include "engine/media_engine.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "platform/prompt.h"
#include "scripted_graph.h"
#include "temp_home.h"
#include "platform/tray_icon.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>

// Records what the engine asks of the windows around it.
class CRecordingHost : public CEngineHost {
public:
    QWidget* MainWindow() override { return &m_mainWindow; }
    QObject* NotifyTarget() override { return m_pNotifyTarget ? m_pNotifyTarget : &m_mainWindow; }
    QRect GetVideoArea() override { return m_rcVideoArea; }
    QRect AvailableScreenArea() override { return m_rcScreen; }
    QRect WindowRectForVideo(int width, int height) override
    {
        m_calls << QStringLiteral("WindowRectForVideo %1x%2").arg(width).arg(height);
        return QRect(0, 0, width + 20, height + 60);
    }
    void ShowMainWindowNormal() override { m_calls << QStringLiteral("ShowMainWindowNormal"); }
    void PlaceMainWindow(const QRect& rect) override
    {
        m_calls << QStringLiteral("PlaceMainWindow %1,%2 %3x%4")
                       .arg(rect.left())
                       .arg(rect.top())
                       .arg(rect.width())
                       .arg(rect.height());
    }
    void ShowMainWindow(bool show) override { m_calls << QStringLiteral("ShowMainWindow %1").arg(show); }
    void SetMainWindowTitle(const QString& title) override { m_strTitle = title; }
    void SetMainWindowNotTopMost() override { m_calls << QStringLiteral("SetMainWindowNotTopMost"); }
    void OnPlayStateChanged() override { m_calls << QStringLiteral("PlayStateChanged"); }
    void OnPositionChanged() override { m_calls << QStringLiteral("PositionChanged"); }
    void OnTimeTextChanged() override { ++m_nTimeTextChanges; }
    void InvalidateMainWindow() override { m_calls << QStringLiteral("InvalidateMainWindow"); }
    void InvalidatePlaylistWindow() override { m_calls << QStringLiteral("InvalidatePlaylistWindow"); }
    bool IsPlaylistWindowVisible() override { return m_bPlaylistVisible; }
    void ShowPlaylistWindow(bool show) override
    {
        m_bPlaylistVisible = show;
        m_calls << QStringLiteral("ShowPlaylistWindow %1").arg(show);
    }
    void ShowOwnerWindow(bool show) override { m_calls << QStringLiteral("ShowOwnerWindow %1").arg(show); }
    void SetOwnerWindowTopMost() override { m_calls << QStringLiteral("SetOwnerWindowTopMost"); }
    void SetPositionTimer(bool run) override { m_bTimer = run; }
    void PowerOff() override { ++m_nPowerOffs; }
    void ExitAction() override { ++m_nExits; }

    QWidget m_mainWindow;
    QObject* m_pNotifyTarget = nullptr;
    QRect m_rcVideoArea{10, 20, 400, 300};
    QRect m_rcScreen{0, 0, 1280, 800};
    bool m_bPlaylistVisible = true;
    bool m_bTimer = false;
    int m_nPowerOffs = 0;
    int m_nExits = 0;
    int m_nTimeTextChanges = 0;
    QString m_strTitle;
    QStringList m_calls;
};

// Answers the engine's questions instead of a person.
class CRecordingPrompt : public CPrompt {
public:
    Answer MessageBox(QWidget*, const QString& title, const QString& text, Icon, Buttons) override
    {
        m_titles << title;
        m_texts << text;
        return Answer::Ok;
    }
    QStringList GetOpenFileNames(QWidget*, const QString&, const QString& folder,
                                 const QStringList& filters) override
    {
        m_startFolders << folder;
        m_filters = filters;
        return m_files;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QStringList&, const QString&) override
    {
        ++m_nSaveDialogs;
        return {};
    }
    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }

    QStringList m_titles;
    QStringList m_texts;
    int m_nSaveDialogs = 0;
    QStringList m_files;
    QStringList m_filters;
    QStringList m_startFolders;
};

// Stands in for the desktop's screen saver and display power switches.
class CRecordingDisplayPower : public CDisplayPower {
public:
    bool IsScreenSaverActive() override { return m_bSaver; }
    bool SetScreenSaverActive(bool active) override
    {
        m_bSaver = active;
        return true;
    }
    bool IsPowerOffActive() override { return m_bPowerOff; }
    bool SetPowerOffActive(bool active) override
    {
        m_bPowerOff = active;
        return true;
    }
    bool SetLowPowerActive(bool active) override
    {
        m_bLowPower = active;
        return true;
    }

    bool m_bSaver = true;
    bool m_bPowerOff = true;
    bool m_bLowPower = true;
};

// An engine on scripted graphs, with a playlist of `rows` made-up paths.
class EngineTest : public ::testing::Test {
protected:
    EngineTest()
        : m_settings(testsupport::MakeScratchDir(QStringLiteral("engine-settings")) +
                     QStringLiteral("/Velmora.ini"))
    {
        CPrompt::Install(&m_prompt);
        m_settings.AutoSizeWin = 0;
        m_engine = std::make_unique<CMediaEngine>(m_host, m_playlist, m_settings, m_factory, m_power);
        m_engine->SetTrayIcon(&m_tray);
        m_playlist.SetCloseMedia([this] { m_engine->Close(); });
    }
    ~EngineTest() override
    {
        m_engine.reset();
        CPrompt::Install(nullptr);
    }

    void AddRows(int rows)
    {
        for (int i = 0; i < rows; ++i) {
            auto row = std::make_unique<CPlaylistRow>();
            row->m_strPath = QStringLiteral("/media/clip%1.avi").arg(i);
            m_playlist.m_rows.push_back(std::move(row));
        }
    }
    // Makes row `index` current, opens and plays it.
    void OpenRow(int index, bool play = true)
    {
        m_engine->Open(index);
        if (play)
            m_engine->Play();
    }

    CGraphScript m_script;
    CScriptedGraphFactory m_factory{m_script};
    CRecordingHost m_host;
    CRecordingPrompt m_prompt;
    CRecordingDisplayPower m_power;
    CPlayerSettings m_settings;
    CPlaylist m_playlist;
    CTrayIcon m_tray;
    std::unique_ptr<CMediaEngine> m_engine;
};
