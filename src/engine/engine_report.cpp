// SPDX-License-Identifier: GPL-3.0-or-later
// CMediaEngine: the time texts and the error report.
#include "engine/media_engine.h"

#include "engine/engine_host.h"

#include "settings/localized_strings.h"
#include "playlist/playlist.h"
#include "platform/prompt.h"

QString CMediaEngine::FormatTime(LONGLONG time)
{
    const LONGLONG seconds = time / kUnitsPerSecond;
    return QString::asprintf("%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                             static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
}

void CMediaEngine::UpdateTimeText()
{
    LONGLONG position = 0;
    QString text;
    if (!m_pGraph || FAILED(m_pGraph->GetCurrentPosition(&position))) {
        text = QString::asprintf("%02d:%02d", 0, 0);
    } else {
        // A position past the known length means the length was an estimate.
        if (position > m_llDuration)
            RefreshDuration();
        text = FormatTime(position) + QLatin1Char('|') + m_szDuration;
    }
    if (text == m_szTime)
        return;
    m_szTime = text;
    m_host.OnTimeTextChanged();
}

void CMediaEngine::ReportGraphError(HRESULT hr)
{
    if (hr >= 0)
        return;
    m_playlist.SetCurrent(-1);
    QString text = m_factory.GetErrorText(hr);
    if (text.isEmpty())
        text = QString::asprintf("Unknown Error: 0x%2x", static_cast<unsigned>(hr));
    CPrompt::Get().MessageBox(m_host.MainWindow(), QStringLiteral("Velmora Message"), text,
                              CPrompt::Icon::Information, CPrompt::Buttons::Ok);
}

int CMediaEngine::ReportSubtitleUnavailable()
{
    CPrompt::Get().MessageBox(m_host.MainWindow(), QStringLiteral("Velmora"),
                              LoadLocalizedString(IDS_VIDEO_UNAVAILABLE), CPrompt::Icon::Information,
                              CPrompt::Buttons::Ok);
    return 0;
}
