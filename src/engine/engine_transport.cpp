// SPDX-License-Identifier: GPL-3.0-or-later
// CMediaEngine: transport, seeking, rate, volume, zoom, video fitting and
// full screen.
#include "engine/media_engine.h"

#include "engine/engine_host.h"

#include "settings/player_settings.h"
#include "platform/tray_icon.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr long kSilence = -10000;
constexpr int kVolumeStep = 300;
constexpr int kVolumeFloor = -4000;
constexpr int kZoomMax = 10;

// The longest path the tray tip shows whole after each state's prefix; a
// longer one is cut to "..." and its tail, so the tip keeps its length.
constexpr int kPlayingTipPath = 42;
constexpr int kPausedTipPath = 46;
constexpr int kStoppedTipPath = 48;
constexpr int kEllipsis = 3;  // the length of "..."

// Rate steps are tenths; sums are rounded back onto that grid so that ten
// steps down from 1.0 reach exactly 0 (which the graph refuses) instead of a
// tiny positive rate nothing can play.
double OnRateGrid(double rate) { return std::round(rate * 10.0) / 10.0; }

}  // namespace

void CMediaEngine::ShowPlayState(const QString& prefix, int maxPath, int keptTail, int iconId)
{
    if (!m_pTray)
        return;
    const QString path = m_pszPath.size() > maxPath ? QStringLiteral("...") + m_pszPath.right(keptTail)
                                                    : m_pszPath;
    m_pTray->SetTip(prefix + path);
    m_pTray->SetIcon(iconId);
}

bool CMediaEngine::Play()
{
    if (!m_pGraph || !(m_nFlags & EF_READY) || !(m_nFlags & (EF_STOPPED | EF_PAUSED)))
        return false;
    const HRESULT hr = m_pGraph->Run();
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return false;
    }
    m_nFlags = (m_nFlags | EF_PLAYING) & ~(EF_PAUSED | EF_STOPPED);
    ShowPlayState(QStringLiteral("Playing - "), kPlayingTipPath, kPlayingTipPath - kEllipsis, IDI_PLAYING);
    m_host.OnPlayStateChanged();
    m_host.SetPositionTimer(true);
    return true;
}

bool CMediaEngine::Pause()
{
    if (!m_pGraph || (m_nFlags & (EF_PAUSED | EF_STOPPED)))
        return false;
    const HRESULT hr = m_pGraph->Pause();
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return false;
    }
    m_nFlags = (m_nFlags | EF_PAUSED) & ~(EF_PLAYING | EF_STOPPED);
    ShowPlayState(QStringLiteral("Pause - "), kPausedTipPath, kPausedTipPath - kEllipsis, IDI_PAUSED);
    // The position timer stops, so the text shows where the clip halted.
    UpdateTimeText();
    m_host.OnPlayStateChanged();
    m_host.SetPositionTimer(false);
    return true;
}

bool CMediaEngine::Stop()
{
    if (!m_pGraph || !(m_nFlags & (EF_PLAYING | EF_PAUSED)))
        return false;
    HRESULT hr = m_pGraph->Stop();
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return false;
    }
    hr = m_pGraph->SetPosition(0);
    if (FAILED(hr))
        ReportGraphError(hr);
    // Paused at the start, so the first frame is on show.
    m_pGraph->Pause();
    m_nFlags = (m_nFlags | EF_STOPPED) & ~(EF_PLAYING | EF_PAUSED);
    ShowPlayState(QStringLiteral("Stop - "), kStoppedTipPath, kStoppedTipPath - kEllipsis, IDI_STOPPED);
    UpdateTimeText();
    m_host.OnPlayStateChanged();
    m_host.OnPositionChanged();
    m_host.SetPositionTimer(false);
    return true;
}

HRESULT CMediaEngine::Seek(int numerator, int denominator)
{
    if (!m_pGraph)
        return S_FALSE;
    if (denominator == 0)
        return E_INVALIDARG;
    std::uint32_t capabilities = 0;
    const HRESULT hr = m_pGraph->GetCapabilities(&capabilities);
    if (FAILED(hr))
        return hr;
    if (!(capabilities & AM_SEEKING_CanSeekAbsolute))
        return S_FALSE;
    // Wide enough that no bar length can overflow the product.
    const HRESULT result = m_pGraph->SetPosition(
        static_cast<LONGLONG>(static_cast<__int128>(m_llDuration) * numerator / denominator));
    // Paused or stopped, no timer tick would show the new position.
    UpdateTimeText();
    m_host.OnPositionChanged();
    return result;
}

int CMediaEngine::GetPositionScaled(int scale)
{
    LONGLONG position = 0;
    if (!m_pGraph || FAILED(m_pGraph->GetCurrentPosition(&position)) || m_llDuration == 0)
        return 0;
    return static_cast<int>(double(position) / double(m_llDuration) * scale);
}

LONGLONG CMediaEngine::GetCurrentPosition()
{
    LONGLONG position = 0;
    if (!m_pGraph || FAILED(m_pGraph->GetCurrentPosition(&position)))
        return 0;
    return position;
}

int CMediaEngine::GetPositionPercent() { return GetPositionScaled(100); }

void CMediaEngine::SetRate(double rate)
{
    if (m_pGraph && SUCCEEDED(m_pGraph->SetRate(rate)))
        m_dRate = rate;
}

void CMediaEngine::ChangeRate(double delta)
{
    if (!m_pGraph || delta == 0.0)
        return;
    double current = 0.0;
    if (m_pGraph->GetRate(&current) != S_OK)
        return;
    const double rate = OnRateGrid(current + delta);
    if (SUCCEEDED(m_pGraph->SetRate(rate)))
        m_dRate = rate;
}

bool CMediaEngine::IsRateChanged() const { return m_dRate != 1.0; }

// Every volume change asks the audio for its level first: false for a clip
// without adjustable audio, and after reporting a failed read.
bool CMediaEngine::CanSetVolume()
{
    long present = 0;
    const HRESULT hr = m_pGraph->GetVolume(&present);
    if (hr == E_NOTIMPL)
        return false;
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return false;
    }
    return true;
}

void CMediaEngine::ApplyVolume(long level, bool unmute)
{
    if (!CanSetVolume())
        return;
    if (unmute)
        m_nFlags &= ~EF_MUTED;
    const HRESULT hr = m_pGraph->SetVolume(level);
    if (FAILED(hr))
        ReportGraphError(hr);
}

void CMediaEngine::StepVolume(bool louder)
{
    m_nVolume = louder ? std::min(m_nVolume + kVolumeStep, 0) : std::max(m_nVolume - kVolumeStep, kVolumeFloor);
    // A step makes the sound audible again, so the mute mark goes with it.
    if (m_pGraph)
        ApplyVolume(m_nVolume, true);
}

void CMediaEngine::SetVolumeFromBar(int offset, int range)
{
    if (range < 1 || range > -kVolumeFloor)
        return;
    offset = std::clamp(offset, -range, 0);
    m_nVolume = offset * static_cast<int>(4000u / static_cast<unsigned>(range));
    if (IsMuted() || !m_pGraph)
        return;
    ApplyVolume(m_nVolume, false);
}

int CMediaEngine::GetVolumeLevel(unsigned range) const
{
    const unsigned step = range == 0 ? 0 : 4000u / range;
    if (step == 0)
        return 0;
    return -(m_nVolume / static_cast<int>(step));
}

void CMediaEngine::ToggleMute()
{
    if (!m_pGraph) {
        m_nFlags ^= EF_MUTED;
        return;
    }
    if (!CanSetVolume())
        return;
    const bool muting = !(m_nFlags & EF_MUTED);
    const HRESULT hr = m_pGraph->SetVolume(muting ? kSilence : m_nVolume);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    if (muting)
        m_nFlags |= EF_MUTED;
    else
        m_nFlags &= ~EF_MUTED;
}

void CMediaEngine::SetZoom(int numerator, int denominator)
{
    if (IsFullScreen() || denominator == 0)
        return;
    m_nZoom = numerator * 5 / denominator;
    if (!m_pGraph)
        return;
    long width = 0;
    long height = 0;
    const HRESULT hr = m_pGraph->GetVideoSize(&width, &height);
    if (hr == E_NOINTERFACE)
        return;
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    int targetWidth = int(width * numerator / denominator);
    int targetHeight = int(height * numerator / denominator);
    if (m_host.GetVideoArea().size() == QSize(targetWidth, targetHeight))
        return;
    m_host.ShowMainWindowNormal();
    QRect outer = m_host.WindowRectForVideo(targetWidth, targetHeight);
    const QRect screen = m_host.AvailableScreenArea();
    if (!screen.isEmpty()) {
        // The skin around the video keeps its size; the video shrinks, keeping
        // its shape, until the whole window fits on the screen.
        if (outer.width() > screen.width() || outer.height() > screen.height()) {
            const int frameWidth = outer.width() - targetWidth;
            const int frameHeight = outer.height() - targetHeight;
            const double scale = std::min(double(screen.width() - frameWidth) / targetWidth,
                                          double(screen.height() - frameHeight) / targetHeight);
            targetWidth = std::max(1, int(targetWidth * scale));
            targetHeight = std::max(1, int(targetHeight * scale));
            outer = m_host.WindowRectForVideo(targetWidth, targetHeight);
        }
        outer.moveLeft(std::max(screen.left(), std::min(outer.left(), screen.right() + 1 - outer.width())));
        outer.moveTop(std::max(screen.top(), std::min(outer.top(), screen.bottom() + 1 - outer.height())));
    }
    m_host.PlaceMainWindow(outer);
    FitVideoWindow();
}

void CMediaEngine::StepZoom(bool larger)
{
    if (IsFullScreen())
        return;
    if (larger && m_nZoom + 1 <= kZoomMax)
        ++m_nZoom;
    else if (!larger && m_nZoom - 1 >= 1)
        --m_nZoom;
    SetZoom(m_nZoom, 5);
}

// The video area's largest part of a width x height picture's shape,
// centred; false when the picture has no size.
bool CMediaEngine::LetterBox(long width, long height, QRect* out)
{
    if (width <= 0 || height <= 0)
        return false;
    const QRect area = m_host.GetVideoArea();
    const long areaWidth = area.width();
    const long areaHeight = area.height();
    if (areaHeight < double(areaWidth) / double(width) * double(height)) {
        const long fitWidth = static_cast<long>(double(areaHeight * width) / double(height));
        *out = QRect(int(area.left() + (areaWidth - fitWidth) / 2), area.top(), int(fitWidth), int(areaHeight));
    } else {
        const long fitHeight = static_cast<long>(double(areaWidth * height) / double(width));
        *out = QRect(area.left(), int(area.top() + (areaHeight - fitHeight) / 2), int(areaWidth), int(fitHeight));
    }
    return true;
}

HRESULT CMediaEngine::FitVideoWindow()
{
    if (!m_pGraph)
        return S_OK;
    HRESULT hr = m_pGraph->SetMessageDrain(m_host.MainWindow());
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return hr;
    }
    long width = 0;
    long height = 0;
    hr = m_pGraph->GetVideoSize(&width, &height);
    if (FAILED(hr))
        return hr;
    QRect rect;
    if (LetterBox(width, height, &rect))
        m_pGraph->SetVideoPosition(rect);
    return hr;
}

void CMediaEngine::GetVideoRect(QRect* out)
{
    if (!out)
        return;
    long width = 0;
    long height = 0;
    if (!m_pGraph || FAILED(m_pGraph->GetVideoSize(&width, &height)) || !LetterBox(width, height, out))
        *out = m_host.GetVideoArea();
}

void CMediaEngine::ToggleFullScreen()
{
    if ((m_nFlags & EF_NOVIDEO) || !m_pGraph)
        return;
    bool fullScreen = false;
    HRESULT hr = m_pGraph->GetFullScreen(&fullScreen);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    if (!fullScreen) {
        hr = m_pGraph->SetFullScreen(true);
        if (FAILED(hr)) {
            ReportGraphError(hr);
            return;
        }
        m_host.ShowMainWindow(false);
        m_host.SetOwnerWindowTopMost();
        m_bPlaylistWasVisible = m_host.IsPlaylistWindowVisible();
        if (m_bPlaylistWasVisible)
            m_host.ShowPlaylistWindow(false);
        m_host.ShowOwnerWindow(false);
        m_nFlags |= EF_FULLSCREEN;
        return;
    }
    m_host.ShowMainWindow(true);
    hr = m_pGraph->SetFullScreen(false);
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    hr = m_pGraph->BringVideoToFront();
    if (FAILED(hr)) {
        ReportGraphError(hr);
        return;
    }
    if (m_bPlaylistWasVisible)
        m_host.ShowPlaylistWindow(true);
    if (!m_settings.TopMost)
        m_host.SetMainWindowNotTopMost();
    m_host.ShowOwnerWindow(true);
    m_nFlags &= ~EF_FULLSCREEN;
}
