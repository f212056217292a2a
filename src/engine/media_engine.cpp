// SPDX-License-Identifier: GPL-3.0-or-later
// CMediaEngine: construction, opening and closing a clip, graph events and
// the open dialog.
#include "engine/media_engine.h"

#include "platform/display_power.h"
#include "engine/engine_host.h"

#include "playlist/media_files.h"
#include "playlist/next_row.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "platform/prompt.h"
#include "platform/tray_icon.h"
#include "platform/wait_cursor.h"

#include <QFileInfo>

namespace {

const QString kAppName = QStringLiteral("Velmora");

}  // namespace

CMediaEngine::CMediaEngine(CEngineHost& host, CPlaylist& playlist, CPlayerSettings& settings,
                           CMediaGraphFactory& factory, CDisplayPower& displayPower)
    : m_host(host), m_playlist(playlist), m_settings(settings), m_factory(factory), m_displayPower(displayPower)
{
    m_szDuration = QStringLiteral("00:00");
    UpdateTimeText();
}

CMediaEngine::~CMediaEngine()
{
    RestoreDisplayPower();
    // The graph's video lives in the main window, which may already be gone;
    // a graph still held is destroyed without the tear-down calls.
    m_pGraph.reset();
}

void CMediaEngine::Open(int row)
{
    CWaitCursor waitCursor;
    if (!m_playlist.IsValidIndex(row))
        return;
    m_playlist.SetCurrent(row);
    m_pszPath = m_playlist.GetRow(row).m_strPath;
    const QString localPath = m_pszPath;

    // A graph left from an earlier Open that was not closed goes first.
    m_pGraph.reset();
    m_strSubtitlePath.clear();
    m_nFlags &= ~EF_READY;

    // The graph becomes the engine's only once it holds the clip, so that
    // nothing reads a half-built graph while the error box is up.
    std::unique_ptr<CMediaGraph> graph = m_factory.CreateGraph();
    if (!graph) {
        ReportGraphError(E_FAIL);
        return;
    }
    HRESULT hr = graph->RenderFile(localPath);
    // A file that ran into the open time limit is not tried again: the
    // window would stay blocked for twice the limit.
    if (FAILED(hr) && hr != VFW_E_TIMEOUT)
        hr = graph->RenderFile(localPath);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    m_pGraph = std::move(graph);
    m_nFlags |= EF_LOADED | EF_READY;

    m_llDuration = 0;
    m_pGraph->GetDuration(&m_llDuration);
    m_szDuration = FormatTime(m_llDuration);

    bool visible = false;
    hr = m_pGraph->GetVideoVisible(&visible);
    if (hr == E_NOINTERFACE) {
        m_nFlags |= EF_NOVIDEO;
    } else if (SUCCEEDED(hr)) {
        m_nFlags &= ~EF_NOVIDEO;
    } else {
        ReportGraphError(hr);
        Close();
        return;
    }

    m_pGraph->SetNotifyTarget(m_host.NotifyTarget(), WM_GRAPH_NOTIFY);

    long volume = 0;
    hr = m_pGraph->GetVolume(&volume);
    if (hr == E_NOTIMPL) {
        m_nFlags |= EF_NOAUDIO;
    } else if (hr == S_OK) {
        m_nFlags &= ~EF_NOAUDIO;
        hr = m_pGraph->SetVolume((m_nFlags & EF_MUTED) ? -10000 : m_nVolume);
        if (FAILED(hr)) {
            ReportGraphError(hr);
            return;
        }
    }

    if (!(m_nFlags & EF_NOVIDEO)) {
        hr = m_pGraph->SetVideoOwner(m_host.MainWindow());
        if (FAILED(hr)) {
            ReportGraphError(hr);
            Close();
            return;
        }
        FitVideoWindow();
    }

    const int slash = m_pszPath.lastIndexOf(QLatin1Char('/'));
    m_pszFileName = slash < 0 ? m_pszPath : m_pszPath.mid(slash + 1);
    m_nFlags |= EF_STOPPED;

    // A stream without a decoder is left out; the user hears of it once.
    if (const QStringList missing = m_pGraph->MissingDecoders(); !missing.isEmpty() && m_pTray)
        m_pTray->ShowMessage(missing.join(QLatin1Char(' ')));

    if (HasVideo())
        SwitchDisplayPowerOff();
    if (m_settings.AutoSizeWin)
        SetZoom(1, 1);
    ApplyTrackChoices();

    SetDurationTexts();
}

void CMediaEngine::SetDurationTexts()
{
    m_szDuration = FormatTime(m_llDuration);
    const LONGLONG hours = m_llDuration / kUnitsPerSecond / 3600;
    // An error box on the way has dropped the current row: no row to label.
    if (const int current = m_playlist.GetCurrent(); m_playlist.IsValidIndex(current))
        m_playlist.GetRow(current).SetDuration(hours != 0 ? m_szDuration : m_szDuration.mid(3));
}

// Some clips learn their length only while they play (an MPEG elementary
// stream, an MP3 without a length header): the engine's length, its text,
// the seek bar and the row follow. True when the length changed.
bool CMediaEngine::RefreshDuration()
{
    LONGLONG duration = 0;
    if (!m_pGraph || FAILED(m_pGraph->GetDuration(&duration)) || duration <= 0 || duration == m_llDuration)
        return false;
    m_llDuration = duration;
    SetDurationTexts();
    m_host.OnPositionChanged();
    m_host.InvalidatePlaylistWindow();
    return true;
}

void CMediaEngine::SwitchDisplayPowerOff()
{
    if (m_settings.DisableScreenSaver) {
        m_bScreenSaverOff = false;
        if (m_displayPower.IsScreenSaverActive() && m_displayPower.SetScreenSaverActive(false))
            m_bScreenSaverOff = true;
    }
    if (m_settings.DisablePowerSaver) {
        m_bPowerSaverOff = false;
        if (m_displayPower.IsPowerOffActive()) {
            m_displayPower.SetPowerOffActive(false);
            m_displayPower.SetLowPowerActive(false);
            m_bPowerSaverOff = true;
        }
    }
}

void CMediaEngine::RestoreDisplayPower()
{
    if (m_bScreenSaverOff)
        m_displayPower.SetScreenSaverActive(true);
    if (m_bPowerSaverOff) {
        m_displayPower.SetPowerOffActive(true);
        m_displayPower.SetLowPowerActive(true);
    }
    m_bScreenSaverOff = false;
    m_bPowerSaverOff = false;
}

void CMediaEngine::Close()
{
    if (IsFullScreen())
        ToggleFullScreen();
    m_host.SetMainWindowTitle(kAppName);

    if (m_pGraph) {
        m_pGraph->Stop();
        m_pGraph->SetVideoVisible(false);
        m_pGraph->SetVideoOwner(nullptr);
        m_pGraph->SetNotifyTarget(nullptr, 0);
        m_pGraph.reset();
    }
    m_nFlags = (m_nFlags & (EF_MUTED | EF_REPEAT)) | EF_NOVIDEO;
    m_strSubtitlePath.clear();
    // Each graph starts at the normal rate.
    m_dRate = 1.0;

    if (m_pTray) {
        m_pTray->SetTip(kAppName);
        m_pTray->SetIcon(IDI_APPLICATION_ICON);
    }
    m_host.SetPositionTimer(false);
    m_szDuration = QStringLiteral("00:00");
    m_llDuration = 0;
    UpdateTimeText();
    RestoreDisplayPower();
    m_playlist.SetCurrent(-1);
    m_host.InvalidateMainWindow();
    m_host.InvalidatePlaylistWindow();
}

void CMediaEngine::HandleGraphEvents()
{
    // The actions below may close the graph or build a new one, so the
    // graph is looked up afresh for every event.
    while (m_pGraph) {
        const std::optional<CGraphEvent> event = m_pGraph->TakeEvent();
        if (!event)
            return;
        if (event->code == EC_COMPLETE) {
            if (m_settings.m_nShutdownMode == SHUTDOWN_CLIP_END) {
                m_host.PowerOff();
                return;
            }
            if (m_nFlags & EF_REPEAT) {
                if (FAILED(m_pGraph->SetPosition(0))) {
                    Stop();
                    Play();
                }
                continue;
            }
            if (m_settings.m_nShutdownMode == SHUTDOWN_PLAYLIST_END &&
                m_playlist.GetCurrent() + 1 == m_playlist.GetCount()) {
                m_host.PowerOff();
                return;
            }
            // A clip that played full screen hands full screen on to the next.
            AdvanceAfterEndOfClip(IsFullScreen());
        } else if (event->code == EC_USERABORT) {
            Close();
            m_host.ExitAction();
        } else if (event->code == EC_LENGTH_CHANGED) {
            if (RefreshDuration())
                UpdateTimeText();
        } else if (event->code == EC_ERRORABORT) {
            // Playback broke down: say why and stop, rather than show a
            // clip as playing while nothing plays.
            ReportGraphError(FAILED(event->status) ? event->status : E_FAIL);
            Close();
        }
    }
}

bool CMediaEngine::PlayRow(int row, bool fullScreen)
{
    Close();
    Open(row);
    if (!IsLoaded())
        return false;
    Play();
    if (fullScreen && !IsFullScreen())
        ToggleFullScreen();
    return true;
}

void CMediaEngine::AdvanceAfterEndOfClip(bool fullScreen)
{
    const auto nextRow = [this](int current) {
        return ChooseNextRow(PlaylistStep::EndOfMedia, m_playlist.GetCount(), current, m_settings.Shuffle != 0,
                             m_settings.PlaylistRepeat != 0, m_playlist.m_random);
    };
    int next = nextRow(m_playlist.GetCurrent());
    if (next < 0) {
        Stop();
        // The list is over: full screen ends with it.
        if (fullScreen)
            ToggleFullScreen();
        return;
    }
    // A row that cannot be opened has had its error box; playback goes on
    // from the row after it. Each advance tries at most as many rows as the
    // list holds, so a list of nothing but broken rows ends instead of
    // going round for ever.
    for (int tried = 0; next >= 0 && tried < m_playlist.GetCount(); ++tried) {
        if (PlayRow(next, fullScreen))
            return;
        next = nextRow(next);
    }
}

QStringList CMediaEngine::OpenDialogFilters() { return MediaFileNameFilters(); }

int CMediaEngine::ShowOpenDialog()
{
    m_bDialogActive = true;
    const QStringList files = CPrompt::Get().GetOpenFileNames(m_host.MainWindow(), QStringLiteral("Open"),
                                                              m_strOpenFolder, OpenDialogFilters());
    m_bDialogActive = false;
    if (files.isEmpty())
        return IDCANCEL;
    m_strOpenFolder = QFileInfo(files.first()).absolutePath();
    m_playlist.Clear();
    for (const QString& file : files)
        m_playlist.AddFoundFile(QFileInfo(file).absolutePath(), file);
    return IDOK;
}
