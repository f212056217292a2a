// CMediaEngine: construction, opening and closing a clip, graph events and
// the open dialog.
#include "media_engine.h"

#include "display_power.h"
#include "engine_host.h"

#include "media_files.h"
#include "next_row.h"
#include "player_settings.h"
#include "playlist.h"
#include "prompt.h"
#include "tray_icon.h"
#include "wait_cursor.h"

#include <QFileInfo>

namespace {

const QString kAppName = QStringLiteral("Velmora");
constexpr long kVideoChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

template <class T>
void ReleaseAndNull(T*& object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}

struct OpenFilter {
    const char* description;
    const char* patterns;
};

// The patterns as the player has always listed them; matching ignores case.
constexpr OpenFilter kOpenFilters[] = {
    {"Media files (All types)",
     "*.mpeg;*.mpg;*.avi;*.wmv;*.asf;*.wm;*.wma;*.mp3;*.wav;*.mid;*.m2v;*.dat;*.avs;*.divx;*.xvid;*.MKV;*.MOV;"
     "*.MP4;*.OGM;*.VOB;*.TS;*.WM;*.ASX;*.B4S;*.M3U;*.WPL;*.ZPL;*.CDA;*.MP2;*.MPA;*.OGG;*.rmvb;*.rm "},
    {"Movie file (*.mpeg;*.mpg)", "*.mpeg;*.mpg"},
    {"Video file (*.avi;*.wmv)", "*.avi;*.wmv"},
    {"Windows Media file(*.asf;*.wm;*.wma;*.wmv)", "*.asf;*.wm;*.wma;*.wmv"},
    {"Audio file (*.mp3;*.wav;*.mid)", "*.mp3;*.wav;*.mid"},
    {"Real file (*.rmvb;*.rm)", "*.rmvb;*.rm"},
    {"All Files (*.*)", "*.*"},
};

}  // namespace

CMediaEngine::CMediaEngine(CEngineHost& host, CPlaylist& playlist, CPlayerSettings& settings,
                           IGraphFactory& factory, CDisplayPower& displayPower)
    : m_host(host), m_playlist(playlist), m_settings(settings), m_factory(factory), m_displayPower(displayPower)
{
    m_szDuration = QStringLiteral("00:00");
    UpdateTimeText();
}

CMediaEngine::~CMediaEngine()
{
    RestoreDisplayPower();
    // The graph's video lives in the main window, which may already be gone;
    // a graph still held is released without the tear-down calls.
    ReleaseGraph();
}

void CMediaEngine::ReleaseGraph()
{
    ReleaseAndNull(m_pEvent);
    ReleaseAndNull(m_pSeeking);
    ReleaseAndNull(m_pPosition);
    ReleaseAndNull(m_pControl);
    ReleaseAndNull(m_pVideo);
    ReleaseAndNull(m_pAudio);
    ReleaseAndNull(m_pWindow);
    ReleaseAndNull(m_pGraph);
}

void CMediaEngine::Open()
{
    CWaitCursor waitCursor;
    const int current = m_playlist.m_nCurrent;
    if (current < 0 || current >= m_playlist.GetCount())
        return;
    m_pszPath = m_playlist.GetRow(current).m_strPath;
    const QString localPath = m_pszPath;

    // A graph left from an earlier Open that was not closed would otherwise
    // leak, and its interfaces would be taken for the new graph's.
    if (m_pGraph) {
        ReleaseGraph();
        m_nFlags &= ~EF_READY;
    }

    HRESULT hr = m_factory.CreateGraph(&m_pGraph);
    if (FAILED(hr)) {
        m_pGraph = nullptr;
        ReportGraphError(hr);
        return;
    }
    hr = m_pGraph->RenderFile(localPath);
    if (FAILED(hr))
        hr = m_pGraph->RenderFile(localPath);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        ReleaseAndNull(m_pGraph);
        return;
    }

    m_nFlags |= EF_LOADED;
    if (!(m_nFlags & EF_READY)) {
        if (FAILED(hr = m_pGraph->Query(&m_pControl)) || FAILED(hr = m_pGraph->Query(&m_pEvent)) ||
            FAILED(hr = m_pGraph->Query(&m_pSeeking)) || FAILED(hr = m_pGraph->Query(&m_pPosition)) ||
            FAILED(hr = m_pGraph->Query(&m_pWindow)) || FAILED(hr = m_pGraph->Query(&m_pVideo)) ||
            FAILED(hr = m_pGraph->Query(&m_pAudio))) {
            ReportGraphError(hr);
            Close();
            return;
        }
        m_nFlags |= EF_READY;
    }

    m_llDuration = 0;
    if (m_pSeeking)
        m_pSeeking->GetDuration(&m_llDuration);
    m_szDuration = FormatTime(m_llDuration);
    const LONGLONG hours = m_llDuration / kUnitsPerSecond / 3600;

    bool videoProbed = false;
    if (!m_pWindow || !m_pVideo) {
        m_nFlags |= EF_NOVIDEO;
    } else {
        m_nFlags &= ~EF_NOVIDEO;
        long visible = 0;
        hr = m_pWindow->get_Visible(&visible);
        if (SUCCEEDED(hr)) {
            videoProbed = true;
        } else if (hr == E_NOINTERFACE) {
            m_nFlags |= EF_NOVIDEO;
            videoProbed = true;
        } else {
            ReportGraphError(hr);
        }
    }
    if (!videoProbed) {
        Close();
        return;
    }

    hr = m_pEvent->SetNotifyWindow(m_host.NotifyTarget(), WM_GRAPH_NOTIFY, 0);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        Close();
        return;
    }

    long volume = 0;
    hr = m_pAudio->get_Volume(&volume);
    if (hr == E_NOTIMPL) {
        m_nFlags |= EF_NOAUDIO;
    } else if (hr == S_OK) {
        m_nFlags &= ~EF_NOAUDIO;
        hr = m_pAudio->put_Volume((m_nFlags & EF_MUTED) ? -10000 : m_nVolume);
        if (FAILED(hr)) {
            ReportGraphError(hr);
            return;
        }
    }

    if (!(m_nFlags & EF_NOVIDEO)) {
        if (FAILED(hr = m_pWindow->put_Owner(m_host.MainWindow())) ||
            FAILED(hr = m_pWindow->put_WindowStyle(kVideoChildStyle))) {
            ReportGraphError(hr);
            Close();
            return;
        }
        FitVideoWindow();
    }

    const int slash = m_pszPath.lastIndexOf(QLatin1Char('/'));
    m_pszFileName = slash < 0 ? m_pszPath : m_pszPath.mid(slash + 1);
    m_nFlags |= EF_STOPPED;

    if (HasVideo())
        SwitchDisplayPowerOff();
    if (m_settings.AutoSizeWin)
        SetZoom(1, 1);

    if (m_playlist.IsValidIndex(m_playlist.m_nCurrent))
        m_playlist.GetRow(m_playlist.m_nCurrent).SetDuration(hours != 0 ? m_szDuration : m_szDuration.mid(3));
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

    if (m_pControl)
        m_pControl->Stop();
    if (m_pWindow) {
        m_pWindow->put_Visible(OAFALSE);
        m_pWindow->put_Owner(nullptr);
    }
    if (m_pEvent)
        m_pEvent->SetNotifyWindow(nullptr, 0, 0);
    ReleaseGraph();
    m_nFlags = (m_nFlags & (EF_MUTED | EF_REPEAT)) | EF_NOVIDEO;

    if (m_pTray) {
        m_pTray->SetTip(kAppName);
        m_pTray->SetIcon(IDI_APPLICATION_ICON);
    }
    m_host.SetPositionTimer(false);
    m_szDuration = QStringLiteral("00:00");
    m_llDuration = 0;
    UpdateTimeText();
    RestoreDisplayPower();
    m_playlist.m_nCurrent = -1;
    m_host.InvalidateMainWindow();
    m_host.InvalidatePlaylistWindow();
}

HRESULT CMediaEngine::HandleGraphEvents()
{
    if (!m_pEvent)
        return S_OK;
    HRESULT result = S_OK;
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    // The actions below may close the graph or build a new one, so the
    // event interface is read afresh for every event.
    while (m_pEvent && SUCCEEDED(m_pEvent->GetEvent(&code, &param1, &param2, 0))) {
        result = m_pEvent->FreeEventParams(code, param1, param2);
        if (code == EC_COMPLETE) {
            if (m_settings.m_nShutdownMode == SHUTDOWN_CLIP_END) {
                m_host.PowerOff();
                return result;
            }
            if (m_nFlags & EF_REPEAT) {
                LONGLONG start = 0;
                if (FAILED(m_pSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr,
                                                    AM_SEEKING_NoPositioning))) {
                    Stop();
                    Play();
                }
                continue;
            }
            if (m_settings.m_nShutdownMode == SHUTDOWN_PLAYLIST_END &&
                m_playlist.m_nCurrent + 1 == m_playlist.GetCount()) {
                m_host.PowerOff();
                return result;
            }
            AdvanceAfterEndOfClip();
            if (m_bFullScreenUsed)
                ToggleFullScreen();
        } else if (code == EC_USERABORT) {
            Close();
            m_host.ExitAction();
        } else if (code == EC_ERRORABORT) {
            // Playback broke down: say why and stop, rather than show a
            // clip as playing while nothing plays.
            ReportGraphError(FAILED(HRESULT(param1)) ? HRESULT(param1) : E_FAIL);
            Close();
        }
    }
    return result;
}

void CMediaEngine::AdvanceAfterEndOfClip()
{
    const int next = ChooseNextRow(m_playlist, PlaylistStep::EndOfMedia, m_settings.Shuffle != 0,
                                   m_settings.PlaylistRepeat != 0);
    if (next < 0) {
        Stop();
        return;
    }
    Close();
    m_playlist.m_nCurrent = next;
    Open();
    Play();
}

QStringList CMediaEngine::OpenDialogFilters()
{
    QString filter;
    for (const OpenFilter& entry : kOpenFilters)
        filter += QLatin1String(entry.description) + QLatin1Char('|') + QLatin1String(entry.patterns) + QLatin1Char('|');
    return ToNameFilters(filter + QLatin1Char('|'));
}

int CMediaEngine::ShowOpenDialog()
{
    m_bDialogActive = true;
    const QStringList files =
        CPrompt::Get().GetOpenFileNames(m_host.MainWindow(), QStringLiteral("Open"), QString(), OpenDialogFilters());
    m_bDialogActive = false;
    if (files.isEmpty())
        return IDCANCEL;
    m_playlist.Clear();
    for (const QString& file : files)
        m_playlist.AddFoundFile(QFileInfo(file).absolutePath(), file);
    return IDOK;
}
