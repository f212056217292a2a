// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: the context menus and the tray icon's events.
#include "mainwnd/main_frame.h"

#include "mainwnd/context_menu.h"
#include "engine/media_engine.h"
#include "mainwnd/menu_presenter.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "platform/tray_activation.h"

#include <QCursor>

CMenuState CMainFrame::MenuState() const
{
    const CMediaEngine& engine = *m_context.engine;
    const CPlayerSettings& settings = m_context.settings;
    CMenuState state;
    state.mainWindowVisible = isVisible();
    state.fullScreen = engine.IsFullScreen();
    state.topMost = settings.TopMost;
    state.skin = settings.Skin;
    state.userSkin = settings.UserSkin;
    state.userSkins = m_userSkins;
    state.shutdownMode = settings.m_nShutdownMode;
    state.loaded = engine.IsLoaded();
    state.hasVideo = engine.HasVideo();
    state.hasAudio = engine.HasAudio();
    state.playing = engine.IsPlaying();
    state.paused = engine.IsPaused();
    state.stopped = engine.IsStopped();
    state.muted = engine.IsMuted();
    state.repeat = engine.IsRepeat();
    if (state.loaded) {
        CMediaEngine& tracks = *m_context.engine;
        state.subtitleFile = tracks.HasSubtitleFile();
        state.audioTracks = tracks.TrackNames(StreamKind::Audio);
        state.currentAudio = tracks.CurrentTrack(StreamKind::Audio);
        state.subtitleTracks = tracks.TrackNames(StreamKind::Text);
        state.currentSubtitle = tracks.CurrentTrack(StreamKind::Text);
    }
    return state;
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos)
{
    m_userSkins = FindUserSkins(m_skinRoots);
    const CMenuState state = MenuState();
    const CMenuItem menu = state.fullScreen ? BuildFullScreenMenu(state) : BuildTrayMenu(state);
    if (!state.fullScreen && isVisible())
        activateWindow();
    if (const int chosen = CMenuPresenter::Get().Track(menu, globalPos, this))
        OnCommand(chosen);
}

int CMainFrame::OnTrayNotify(TrayMouse mouse)
{
    const bool fullScreen = m_context.engine->IsFullScreen();
    switch (mouse) {
    case TrayMouse::DoubleClick:
        if (fullScreen)
            return 1;
        if (m_context.settings.PLShow)
            ShowPlaylistWindow(true);
        ShowOwnerWindow(true);
        show();
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
        return 0;
    case TrayMouse::RightButtonUp:
        if (fullScreen)
            return 1;
        ShowContextMenu(QCursor::pos());
        return 0;
    case TrayMouse::Other: break;
    }
    return 1;
}

void CMainFrame::OnTrayActivated(int reason)
{
    static const bool statusNotifierHost = IsStatusNotifierHost();
    OnTrayNotify(TrayMouseFromActivation(reason, statusNotifierHost));
}
