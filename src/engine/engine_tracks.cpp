// SPDX-License-Identifier: GPL-3.0-or-later
// CMediaEngine: subtitle files and the choice of audio and subtitle streams.
#include "engine/media_engine.h"

#include "engine/engine_host.h"
#include "engine/subtitle_files.h"
#include "platform/prompt.h"
#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "settings/string_ids.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

// The stored preference for subtitles turned off; no language has this code.
const QString kNoSubtitles = QStringLiteral("none");

// A language code in one form ("en" for "eng" and "en"), lower case; codes
// QLocale does not know stay as they are.
QString NormalLanguage(const QString& code)
{
    const QLocale::Language language = QLocale::codeToLanguage(code);
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return code.toLower();
    const QString shortCode = QLocale::languageToCode(language, QLocale::ISO639Part1);
    return (shortCode.isEmpty() ? QLocale::languageToCode(language) : shortCode).toLower();
}

QString TrackName(const CStreamInfo& stream, int number, const QString& subtitlePath)
{
    if (stream.external && !subtitlePath.isEmpty())
        return QFileInfo(subtitlePath).fileName();
    QString language = stream.language;
    if (!language.isEmpty()) {
        if (const QString name = LanguageNameInInterface(NormalLanguage(language)); !name.isEmpty())
            language = name;
    }
    if (!language.isEmpty() && !stream.title.isEmpty() && stream.title.compare(language, Qt::CaseInsensitive) != 0)
        return language + QStringLiteral(" – ") + stream.title;
    if (!language.isEmpty())
        return language;
    if (!stream.title.isEmpty())
        return stream.title;
    return LoadLocalizedString(IDS_TRACK_NUMBER).replace(QStringLiteral("%d"), QString::number(number));
}

// The first stream in `preferred` language; -1 when none is.
int StreamInLanguage(const std::vector<CStreamInfo>& streams, const QString& preferred)
{
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (!streams[i].external && !streams[i].language.isEmpty() &&
            NormalLanguage(streams[i].language) == preferred)
            return int(i);
    }
    return -1;
}

}  // namespace

void CMediaEngine::ShowSubtitleDialog()
{
    if (!m_pGraph || !HasVideo())
        return;
    QStringList patterns;
    for (const QString& extension : SubtitleExtensions())
        patterns << QStringLiteral("*.") + extension;
    const QString filter = LoadLocalizedString(IDS_SUBTITLE_FILES) + QStringLiteral(" (") +
                           patterns.join(QLatin1Char(' ')) + u')';
    QString title = LoadLocalizedString(IDS_MENU_LOAD_SUBTITLE);
    title.remove(QStringLiteral("..."));
    m_bDialogActive = true;
    const QStringList files = CPrompt::Get().GetOpenFileNames(m_host.MainWindow(), title,
                                                              QFileInfo(m_pszPath).absolutePath(), {filter});
    m_bDialogActive = false;
    if (!files.isEmpty())
        LoadSubtitle(files.first(), false);
}

void CMediaEngine::ReportSubtitleError(int textId, bool quiet)
{
    if (quiet)
        return;
    CPrompt::Get().MessageBox(m_host.MainWindow(), QStringLiteral("Velmora"), LoadLocalizedString(textId),
                              CPrompt::Icon::Warning, CPrompt::Buttons::Ok);
}

bool CMediaEngine::LoadSubtitle(const QString& path, bool quiet)
{
    if (!m_pGraph || !HasVideo())
        return false;
    QByteArray head;
    switch (CheckSubtitleFile(path, &head)) {
    case SubtitleRefusal::None: break;
    case SubtitleRefusal::Unreadable: ReportSubtitleError(IDS_SUBTITLE_UNREADABLE, quiet); return false;
    case SubtitleRefusal::TooLarge: ReportSubtitleError(IDS_SUBTITLE_TOO_LARGE, quiet); return false;
    case SubtitleRefusal::NotText: ReportSubtitleError(IDS_SUBTITLE_NOT_TEXT, quiet); return false;
    }
    const HRESULT hr = m_pGraph->SetSubtitleFile(path, ChooseSubtitleEncoding(head, m_settings.languageID));
    m_host.InvalidateMainWindow();
    if (SUCCEEDED(hr)) {
        m_strSubtitlePath = path;
        return true;
    }
    // The graph went back to the file shown before when it still could.
    const std::vector<CStreamInfo> streams = m_pGraph->Streams(StreamKind::Text);
    if (std::none_of(streams.begin(), streams.end(), [](const CStreamInfo& s) { return s.external; }))
        m_strSubtitlePath.clear();
    ReportSubtitleError(IDS_SUBTITLE_FAILED, quiet);
    return false;
}

void CMediaEngine::UnloadSubtitle()
{
    if (!m_pGraph || m_strSubtitlePath.isEmpty())
        return;
    m_pGraph->SetSubtitleFile({}, {});
    // The user asked for the text to go: a stream of the clip's own does
    // not take its place.
    m_pGraph->SelectStream(StreamKind::Text, -1);
    m_strSubtitlePath.clear();
    m_host.InvalidateMainWindow();
}

QStringList CMediaEngine::TrackNames(StreamKind kind)
{
    QStringList names;
    if (!m_pGraph)
        return names;
    const std::vector<CStreamInfo> streams = m_pGraph->Streams(kind);
    for (std::size_t i = 0; i < streams.size(); ++i)
        names << TrackName(streams[i], int(i) + 1, m_strSubtitlePath);
    return names;
}

int CMediaEngine::CurrentTrack(StreamKind kind) { return m_pGraph ? m_pGraph->CurrentStream(kind) : -1; }

void CMediaEngine::SelectTrack(StreamKind kind, int index)
{
    if (!m_pGraph || FAILED(m_pGraph->SelectStream(kind, index)))
        return;
    QString& preference = kind == StreamKind::Audio ? m_settings.AudioLanguage : m_settings.SubtitleLanguage;
    if (index < 0) {
        preference = kNoSubtitles;
        return;
    }
    const std::vector<CStreamInfo> streams = m_pGraph->Streams(kind);
    // A stream without a language, or the file, leaves the preference as it was.
    if (std::size_t(index) < streams.size() && !streams[index].external && !streams[index].language.isEmpty())
        preference = NormalLanguage(streams[index].language);
}

void CMediaEngine::ApplyTrackChoices()
{
    if (!m_pGraph)
        return;
    if (const QString audio = m_settings.AudioLanguage; !audio.isEmpty()) {
        const std::vector<CStreamInfo> streams = m_pGraph->Streams(StreamKind::Audio);
        if (const int index = StreamInLanguage(streams, audio); index >= 0)
            m_pGraph->SelectStream(StreamKind::Audio, index);
    }
    if (!HasVideo())
        return;
    if (m_settings.AutoLoadSubtitles) {
        const QString beside = FindSubtitleBeside(m_pszPath, LanguageTagsFor(m_settings.languageID));
        if (!beside.isEmpty() && LoadSubtitle(beside, true))
            return;
    }
    const QString subtitles = m_settings.SubtitleLanguage;
    if (subtitles == kNoSubtitles) {
        m_pGraph->SelectStream(StreamKind::Text, -1);
    } else if (!subtitles.isEmpty()) {
        const std::vector<CStreamInfo> streams = m_pGraph->Streams(StreamKind::Text);
        if (const int index = StreamInLanguage(streams, subtitles); index >= 0)
            m_pGraph->SelectStream(StreamKind::Text, index);
    }
}
