// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwnd/context_menu.h"
#include "engine_fixture.h"
#include "mainwnd/main_frame.h"
#include "engine/media_engine.h"
#include "mainwnd/menu_presenter.h"
#include "mainwnd/parent_wnd.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "platform/power_control.h"
#include "scripted_graph.h"
#include "skin/skin.h"
#include "temp_home.h"
#include "platform/tray_icon.h"
#include "mainwnd/url_opener.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>
#include <vector>

// Chooses for the user in every context menu and keeps what was shown.
class CRecordingMenuPresenter : public CMenuPresenter {
public:
    int Track(const CMenuItem& menu, const QPoint& at, QWidget*) override
    {
        m_menus.push_back(menu);
        m_points.push_back(at);
        return m_nChoice;
    }

    std::vector<CMenuItem> m_menus;
    std::vector<QPoint> m_points;
    int m_nChoice = 0;
};

class CRecordingUrlOpener : public CUrlOpener {
public:
    bool Open(const QUrl& url) override
    {
        m_urls << url;
        return true;
    }
    QList<QUrl> m_urls;
};

// Counts the power-off requests that would have gone to logind.
class CRecordingPowerControl : public CPowerControl {
public:
    void PowerOff() override { ++m_nPowerOffs; }
    int m_nPowerOffs = 0;
};

// A main window with its owner, playlist window, tray record and an engine
// on scripted graphs, shown on the offscreen platform.
class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest();
    ~MainFrameTest() override;

    // Adds made-up rows (the scripted graph plays any path).
    void AddRows(int rows);
    void OpenRow(int index, bool play = true);

    QPoint ControlCenter(int id) const;
    QRect ControlRect(int id) const;

    // Real mouse and key events, delivered as the window system would.
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void Move(QPoint to, Qt::MouseButtons held = Qt::LeftButton);
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void Click(int controlId);
    void DoubleClick(QPoint at);
    void KeyDown(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Wheel(int delta);

    CMainFrame& Main() { return *m_pMain; }
    CMediaEngine& Engine() { return *m_pEngine; }

    QString m_strFolder;
    CGraphScript m_script;
    CScriptedGraphFactory m_factory{m_script};
    CRecordingPrompt m_prompt;
    CRecordingDisplayPower m_power;
    CRecordingMenuPresenter m_menus;
    CRecordingUrlOpener m_urls;
    CRecordingPowerControl m_logind;
    CPlayerSettings m_settings;
    CPlaylist m_playlist;
    CTrayIcon m_tray;
    CPlayerContext m_context{m_settings, m_playlist};
    std::unique_ptr<CParentWnd> m_pOwner;
    std::unique_ptr<CMainFrame> m_pMain;
    std::unique_ptr<CPlaylistFrame> m_pPlaylistFrame;
    std::unique_ptr<CMediaEngine> m_pEngine;
};
