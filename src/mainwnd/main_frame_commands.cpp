// SPDX-License-Identifier: GPL-3.0-or-later
// CMainFrame: running commands from the command table, and the player's
// actions behind them.
#include "mainwnd/main_frame.h"

#include "mainwnd/about_dlg.h"
#include "mainwnd/command_ids.h"
#include "mainwnd/command_table.h"
#include "engine/media_engine.h"
#include "playlist/next_row.h"
#include "mainwnd/parent_wnd.h"
#include "mainwnd/player_context.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "preferences/preference_dlg.h"
#include "skin/skin_ids.h"
#include "mainwnd/url_opener.h"

#include <utility>

void CMainFrame::OnCommand(int id)
{
    if (id >= ID_USER_SKIN_FIRST && id <= ID_USER_SKIN_LAST) {
        const auto index = static_cast<std::size_t>(id - ID_USER_SKIN_FIRST);
        if (index < m_userSkins.size())
            ChooseUserSkin(m_userSkins[index].name);
        emit stateChanged();
        return;
    }
    // The track menus' entries stand for streams, not rows.
    for (const auto& [first, kind] : {std::pair{ID_AUDIO_TRACK_FIRST, StreamKind::Audio},
                                      std::pair{ID_SUBTITLE_TRACK_FIRST, StreamKind::Text}}) {
        if (id >= first && id < first + kMaxMenuTracks) {
            Engine().SelectTrack(kind, id - first);
            emit stateChanged();
            return;
        }
    }
    RunRow(FindCommandById(id));
}

void CMainFrame::RunCommand(Command name) { RunRow(FindCommand(name)); }

bool CMainFrame::OnHotKey(HotKeyCode code, KeyPhase phase)
{
    return RunRow(FindHotKeyCommand(code, m_context.settings.m_hotKeys, phase));
}

bool CMainFrame::RunRow(const CCommand* command)
{
    if (!command || !command->run)
        return false;
    command->run(*this);
    // Not every command redraws what it changed: the desktop's view is
    // compared after each one.
    emit stateChanged();
    return true;
}

CMediaEngine& CMainFrame::Engine() const { return *m_context.engine; }

void CMainFrame::ResetWindowPositions() { m_context.owner->ResetWindowPositions(); }

void CMainFrame::Transport(bool (CMediaEngine::*operation)())
{
    (Engine().*operation)();
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::SetRate(double rate)
{
    Engine().SetRate(rate);
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::ChangeRate(double delta)
{
    Engine().ChangeRate(delta);
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::ChangeRateWhilePlaying(double delta)
{
    if (Engine().IsPlaying())
        Engine().ChangeRate(delta);
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::ToggleMute()
{
    Engine().ToggleMute();
    RedrawControl(MC_MUTE);
}

void CMainFrame::ToggleRepeat()
{
    Engine().ToggleRepeat();
    RedrawControl(MC_REPEAT);
}

void CMainFrame::ToggleFullScreen()
{
    show();
    Engine().ToggleFullScreen();
}

void CMainFrame::HideOrLeaveFullScreen()
{
    if (Engine().IsFullScreen())
        Engine().ToggleFullScreen();
    else
        ShowHideAction();
}

// The built-in looks: a bitmap skin becomes the one the Switch Skin key
// returns to; the plain look keeps that choice.
void CMainFrame::ChooseSkin(int skin)
{
    CPlayerSettings& settings = m_context.settings;
    if (skin != SKIN_NONE) {
        settings.m_nBitmapSkin = skin == SKIN_BLUE_CURVE ? SKIN_BLUE_CURVE : SKIN_METAL_RED;
        settings.UserSkin.clear();
    }
    ShowSkinLook(skin == SKIN_NONE);
}

void CMainFrame::PlayPauseButton()
{
    CMediaEngine& engine = Engine();
    if (engine.IsLoaded() && engine.IsRateChanged())
        engine.SetRate(1.0);
    else if (engine.IsLoaded() && engine.IsPlaying())
        PauseResumeAction();
    else
        PlayAction();
}

void CMainFrame::PlayAction()
{
    CMediaEngine& engine = *m_context.engine;
    CPlaylist& playlist = m_context.playlist;
    if (engine.IsPaused()) {
        engine.Play();
        return;
    }
    if (engine.IsStopped() && engine.IsLoaded()) {
        engine.Play();
        return;
    }
    if (!engine.IsLoaded()) {
        if (playlist.GetCount() == 0) {
            OpenClipAction();
            return;
        }
        engine.PlayRow(playlist.m_nSelected >= 0 ? playlist.m_nSelected : 0);
        RedrawControl(MC_TITLE);
        if (IsPlaylistWindowVisible())
            InvalidatePlaylistWindow();
        return;
    }
    if (engine.IsPlaying()) {
        if (engine.IsFullScreen())
            engine.ToggleFullScreen();
        OpenClipAction();
    }
}

void CMainFrame::OpenClipAction()
{
    CMediaEngine& engine = *m_context.engine;
    // Taken before the dialog: filling the playlist closes the clip, which
    // leaves full screen.
    const bool fullScreen = engine.IsFullScreen();
    if (engine.ShowOpenDialog() != IDOK)
        return;
    engine.PlayRow(0, fullScreen);
    InvalidatePlaylistWindow();
}

void CMainFrame::PauseResumeAction()
{
    CMediaEngine& engine = *m_context.engine;
    if (engine.IsPlaying())
        engine.Pause();
    else if (engine.IsPaused())
        engine.Play();
}

void CMainFrame::PlayListedAction()
{
    const CMediaEngine& engine = Engine();
    if (engine.IsPlaying() || (!engine.IsLoaded() && m_context.playlist.GetCount() == 0))
        return;
    PlayAction();
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::StopOrCloseAction()
{
    CMediaEngine& engine = *m_context.engine;
    if (engine.IsPlaying() || engine.IsPaused())
        engine.Stop();
    else
        engine.Close();
    RedrawControl(MC_PLAYPAUSE);
}

void CMainFrame::ReplayAction()
{
    m_context.engine->Stop();
    m_context.engine->Play();
}

void CMainFrame::StepTrackAction(bool forward)
{
    const int next = ChooseNextRow(m_context.playlist, forward ? PlaylistStep::Next : PlaylistStep::Previous,
                                   m_context.settings.Shuffle != 0, m_context.settings.PlaylistRepeat != 0);
    if (next >= 0)
        m_context.engine->PlayRow(next);
}

void CMainFrame::ToggleAlwaysOnTop()
{
    CPlayerSettings& settings = m_context.settings;
    m_context.owner->SetTopMost(!settings.TopMost);
    settings.TopMost = !settings.TopMost;
    RedrawControl(MC_TOPMOST);
}

void CMainFrame::StoreWindowPlacement()
{
    if (m_context.engine->IsFullScreen())
        m_context.engine->ToggleFullScreen();
    // Read while still maximized or minimized: the window is not restored
    // first, since the window manager restores asynchronously and would leave
    // the maximized size in place when the rectangle is read (and a
    // minimized window must not flash back on screen at exit).
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    m_context.settings.m_rcMain = CWindowRect::FromQRect(normal);
    // The playlist window keeps its normal rectangle while maximised.
    m_context.settings.m_rcPlaylist = CWindowRect::FromQRect(m_context.playlistFrame->NormalGeometry());
}

void CMainFrame::ExitAction()
{
    if (m_bDestroyed)
        return;
    CPlayerSettings& settings = m_context.settings;
    if (settings.m_bSkinSwitchFlag) {
        settings.m_bSkinSwitchFlag = false;
        RebuildSkin();
    }
    StoreWindowPlacement();
    m_context.playlist.SaveList(false, this);
    const CMediaEngine& engine = *m_context.engine;
    settings.Mute = engine.IsMuted();
    settings.Volume = engine.GetVolume();
    settings.Repeat = engine.IsRepeat();
    DestroyWindow();
}

void CMainFrame::HideGroup()
{
    hide();
    ShowPlaylistWindow(false);
    ShowOwnerWindow(false);
}

void CMainFrame::ShowHideAction()
{
    if (isVisible()) {
        HideGroup();
        return;
    }
    show();
    ShowOwnerWindow(true);
    raise();
    activateWindow();
}

void CMainFrame::MinimizeGroup()
{
    m_bWasZoomed = isMaximized();
    m_context.owner->setGeometry(x(), y(), width(), 1);
    showMinimized();
}

void CMainFrame::ToggleMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void CMainFrame::ToggleFullScreenWhilePlaying()
{
    if (m_context.engine->IsPlaying())
        m_context.engine->ToggleFullScreen();
}

void CMainFrame::TogglePlaylistWindow()
{
    // PLShow records what the user chose, so the next start shows the
    // playlist window only when it was left open.
    if (IsPlaylistWindowVisible()) {
        ShowPlaylistWindow(false);
        m_context.settings.PLShow = 0;
    } else {
        m_context.playlistFrame->showNormal();
        m_context.settings.PLShow = 1;
    }
}

void CMainFrame::TogglePlaylistRepeat()
{
    m_context.settings.PlaylistRepeat = !m_context.settings.PlaylistRepeat;
    InvalidatePlaylistWindow();
}

void CMainFrame::ToggleShuffle()
{
    CPlayerSettings& settings = m_context.settings;
    settings.Shuffle = !settings.Shuffle;
    if (!settings.Shuffle)
        return;
    m_context.playlist.m_random.SeedFromTime();
    if (m_context.engine->IsRepeat()) {
        m_context.engine->ToggleRepeat();
        RedrawControl(MC_REPEAT);
    }
}

void CMainFrame::OpenDocPage(DocPage page)
{
    if (m_context.engine->IsFullScreen())
        m_context.engine->ToggleFullScreen();
    const QUrl url = DocumentationUrl(page);
    if (url.isValid())
        CUrlOpener::Get().Open(url);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg about(this, [this] { OpenDocPage(DocPage::AboutUs); });
    about.exec();
}

void CMainFrame::ShowPreferences()
{
    // One sheet at a time: asking again brings the open one forward.
    if (m_pPrefsDlg) {
        m_pPrefsDlg->raise();
        m_pPrefsDlg->activateWindow();
        return;
    }
    CPreferenceDlg sheet(
        m_context.settings, [this] { OpenDocPage(DocPage::Preferences); }, this);
    m_pPrefsDlg = &sheet;
    sheet.exec();
}
