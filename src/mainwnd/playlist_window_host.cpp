// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/playlist_window_host.h"

#include "mainwnd/command_ids.h"
#include "mainwnd/context_menu.h"
#include "engine/media_engine.h"
#include "mainwnd/menu_presenter.h"
#include "mainwnd/player_context.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "skin/skin.h"

CPlaylistWindowHost::CPlaylistWindowHost(CMainFrame& mainFrame, CPlayerContext& context,
                                         CPlaylistFrame* playlistWindow)
    : QObject(playlistWindow), m_pMainFrame(&mainFrame), m_context(context)
{
}

CSkin* CPlaylistWindowHost::Skin() const { return m_pMainFrame ? m_pMainFrame->Skin() : nullptr; }

CSkin* CPlaylistWindowHost::SkinWithState() const
{
    if (!m_pMainFrame)
        return nullptr;
    m_pMainFrame->UpdateSkinState();
    return m_pMainFrame->Skin();
}

QRect CPlaylistWindowHost::ListArea(QSize client)
{
    QRect rc;
    if (CSkin* skin = Skin())
        skin->GetListArea(client, rc);
    return rc;
}

QRect CPlaylistWindowHost::ControlRect(QSize client, int id)
{
    QRect rc;
    if (CSkin* skin = SkinWithState())
        skin->GetPlaylistControlRect(client, id, rc);
    return rc;
}

int CPlaylistWindowHost::HitTest(QSize client, QPoint point)
{
    CSkin* skin = SkinWithState();
    return skin ? skin->HitTestPlaylist(client, point.x(), point.y()) : 0;
}

QSize CPlaylistWindowHost::MinimumSize()
{
    QRect minimum;
    if (CSkin* skin = Skin())
        skin->GetPlaylistMinRect(minimum);
    return minimum.size();
}

void CPlaylistWindowHost::PaintFrame(QPainter& painter, int pressed, QRect client)
{
    if (CSkin* skin = SkinWithState())
        skin->PaintPlaylist(painter, pressed, client);
}

void CPlaylistWindowHost::ApplyRegion(QWidget& window)
{
    if (CSkin* skin = Skin())
        skin->ApplyRegion(window);
}

QRect CPlaylistWindowHost::MainWindowRect() { return m_pMainFrame ? m_pMainFrame->geometry() : QRect(); }

bool CPlaylistWindowHost::IsFullScreen() { return m_context.engine->IsFullScreen(); }

void CPlaylistWindowHost::PlayRow(int row)
{
    if (!m_pMainFrame)
        return;
    m_context.engine->PlayRow(row);
    m_pMainFrame->update();
}

bool CPlaylistWindowHost::OnHotKeyRelease(HotKeyCode code)
{
    return m_pMainFrame && m_pMainFrame->OnHotKey(code, KeyPhase::Release);
}

PlaylistSort CPlaylistWindowHost::ChooseSort(QPoint at, QWidget* owner)
{
    if (!m_pMainFrame)
        return PlaylistSort::None;
    switch (CMenuPresenter::Get().Track(BuildSortMenu(m_pMainFrame->MenuState()), at, owner)) {
    case ID_SORT_BY_NAME: return PlaylistSort::ByName;
    case ID_SORT_BY_FOLDER: return PlaylistSort::ByFolder;
    default: return PlaylistSort::None;
    }
}
