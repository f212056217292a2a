// SPDX-License-Identifier: GPL-3.0-or-later
// Subtitle files and stream choices of the engine, on scripted graphs.
#include "engine_fixture.h"

#include "settings/language.h"
#include "settings/localized_strings.h"

#include <QFile>
#include <QLocale>

namespace {

class EngineTracksTest : public EngineTest {
protected:
    // A clip in a scratch folder with the files `beside` next to it.
    void OpenClipWith(const QStringList& beside, const QByteArray& text = "1\n00:00:01,000 --> 00:00:02,000\nHi\n")
    {
        m_strFolder = testsupport::MakeScratchDir(QStringLiteral("engine-tracks"));
        for (const QString& name : beside) {
            QFile file(m_strFolder + u'/' + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strPath = m_strFolder + QStringLiteral("/film.mkv");
        m_playlist.m_rows.push_back(std::move(row));
        OpenRow(int(m_playlist.m_rows.size()) - 1);
    }

    QString m_strFolder;
};

TEST_F(EngineTracksTest, FileBesideIsShownUnlessTurnedOffAndABadOneQuietlyIsNot)
{
    m_settings.languageID = 1049;
    OpenClipWith({QStringLiteral("film.srt"), QStringLiteral("film.ru.srt")});
    EXPECT_EQ(m_script.subtitleFile, m_strFolder + QStringLiteral("/film.ru.srt|UTF-8"));
    EXPECT_TRUE(m_engine->HasSubtitleFile());

    m_engine->Close();
    EXPECT_FALSE(m_engine->HasSubtitleFile());
    m_settings.AutoLoadSubtitles = 0;
    m_script.subtitleFile.clear();
    OpenClipWith({QStringLiteral("film.srt")});
    EXPECT_EQ(m_script.Count(QStringLiteral("SetSubtitleFile")), 1);  // the first clip's only

    m_engine->Close();
    m_settings.AutoLoadSubtitles = 1;
    OpenClipWith({QStringLiteral("film.srt")}, QByteArray("\0\1\2\3binary", 10));
    EXPECT_EQ(m_script.Count(QStringLiteral("SetSubtitleFile")), 1);
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());
}

TEST_F(EngineTracksTest, LoadStartsInTheClipsFolderAndReportsEachFailureOnce)
{
    OpenClipWith({QStringLiteral("other.srt"), QStringLiteral("bad.srt")});
    m_prompt.m_files = QStringList{m_strFolder + QStringLiteral("/other.srt")};
    m_engine->ShowSubtitleDialog();
    EXPECT_EQ(m_prompt.m_startFolders, QStringList{m_strFolder});
    EXPECT_TRUE(m_prompt.m_filters.first().contains(QLatin1String("*.srt")));
    EXPECT_TRUE(m_engine->HasSubtitleFile());

    m_engine->UnloadSubtitle();
    EXPECT_TRUE(m_script.subtitleFile.isEmpty());
    EXPECT_EQ(m_script.currentText, -1);
    EXPECT_FALSE(m_engine->HasSubtitleFile());

    // Refused before the graph sees it, and refused by the graph.
    EXPECT_FALSE(m_engine->LoadSubtitle(m_strFolder + QStringLiteral("/missing.srt"), false));
    m_script.subtitleFileResult = VFW_E_CANNOT_RENDER;
    EXPECT_FALSE(m_engine->LoadSubtitle(m_strFolder + QStringLiteral("/other.srt"), false));
    EXPECT_EQ(m_prompt.m_texts.size(), 2);
    EXPECT_FALSE(m_engine->HasSubtitleFile());
    EXPECT_TRUE(m_engine->IsPlaying());
}

TEST_F(EngineTracksTest, StreamsAreNamedAndTheChosenLanguagesPreferredNextTime)
{
    m_script.audioStreams = {
        {QStringLiteral("eng"), {}}, {QStringLiteral("rus"), QStringLiteral("Commentary")}, {{}, {}}};
    m_script.textStreams = {{QStringLiteral("de"), {}}, {{}, QStringLiteral("Signs")}};
    OpenClipWith({});
    const QStringList audio = m_engine->TrackNames(StreamKind::Audio);
    ASSERT_EQ(audio.size(), 3);
    EXPECT_EQ(audio[0], LanguageNameInInterface(QStringLiteral("en")));
    EXPECT_TRUE(audio[1].startsWith(LanguageNameInInterface(QStringLiteral("ru")))) << audio[1].toStdString();
    EXPECT_TRUE(audio[1].endsWith(QLatin1String("Commentary"))) << audio[1].toStdString();
    EXPECT_EQ(audio[2], LoadLocalizedString(235).replace(QStringLiteral("%d"), QStringLiteral("3")));
    EXPECT_EQ(m_engine->TrackNames(StreamKind::Text)[1], QStringLiteral("Signs"));

    m_engine->SelectTrack(StreamKind::Audio, 1);
    m_engine->SelectTrack(StreamKind::Text, -1);
    EXPECT_EQ(m_engine->CurrentTrack(StreamKind::Audio), 1);
    m_engine->SelectTrack(StreamKind::Audio, 2);  // no language: the preference stays

    m_engine->Close();
    m_script.currentAudio = 0;
    m_script.currentText = 0;
    m_script.audioStreams = {{QStringLiteral("fr"), {}}, {QStringLiteral("ru"), {}}};
    OpenClipWith({});
    EXPECT_EQ(m_script.currentAudio, 1);
    EXPECT_EQ(m_script.currentText, -1);
}

}  // namespace
