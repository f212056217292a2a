// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist.h"
#include "playlist/playlist_sort_keys.h"
#include "playlist_test_util.h"

#include <QCollator>

#include <gtest/gtest.h>

#include <unicode/ucol.h>

#include <array>
#include <cstring>

using playlisttest::AddRow;
using playlisttest::FileNames;
using playlisttest::Fill;
using playlisttest::Folders;
using playlisttest::Paths;

namespace {

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// The locales of the 21 interface languages.
const std::array kInterfaceLocales = {"ca_ES", "da_DK", "de_DE", "en_US", "es_ES", "fr_FR", "he_IL",
                                      "hu_HU", "it_IT", "ja_JP", "nl_NL", "nb_NO", "pl_PL", "pt_BR",
                                      "ro_RO", "ru_RU", "sv_SE", "th_TH", "uk_UA", "zh_CN", "zh_TW"};

// Texts that probe what keys can get wrong: every Latin-1 character including
// controls and "/", digraphs that some locales contract (ch, aa, cs, dzs,
// ly), accents precomposed and combining, case, and other scripts.
QString RandomText(uint32_t& state, int maxLength)
{
    static const QStringList pieces = {"ch",
                                       "CH",
                                       "aa",
                                       "Aa",
                                       "dzs",
                                       "ly",
                                       "ll",
                                       "/",
                                       " ",
                                       "-",
                                       "_",
                                       ".",
                                       "\t",
                                       "e\u0301",
                                       "\u00e9",
                                       "\u00c9",
                                       "\u00e5",
                                       "\u00df",
                                       "\u0130",
                                       "\u03a9\u03c8",
                                       "\u0436",
                                       "\u05d0",
                                       "\u0e40\u0e01",
                                       "\u65e5\u672c",
                                       "\u30fc",
                                       "\u30ab\u30fc",
                                       "\U0001F3B5"};
    const auto next = [&] { return (state = state * 1103515245u + 12345u) >> 8; };
    QString text;
    const int length = int(next() % uint32_t(maxLength + 1));
    for (int i = 0; i < length; ++i) {
        if (next() % 3 == 0)
            text += pieces[int(next() % uint32_t(pieces.size()))];
        else
            text += QChar(char16_t(1 + next() % 255));
    }
    return text;
}

TEST(PlaylistSort, CaseDecidesOnlyBetweenOtherwiseEqualNames)
{
    CPlaylist playlist;
    Fill(playlist, {"b.mp3", "A.mp3", "c.mp3", "a.mp3", "B.mp3"});
    playlist.SortByName();
    const QStringList names = FileNames(playlist);
    ASSERT_EQ(names.size(), 5);
    EXPECT_EQ(names.mid(0, 2).join(QLatin1Char(',')).toLower(), "a.mp3,a.mp3");
    EXPECT_EQ(names.mid(2, 2).join(QLatin1Char(',')).toLower(), "b.mp3,b.mp3");
    EXPECT_EQ(names[4], "c.mp3");
}

TEST(PlaylistSort, CaseFoldingReachesBeyondAscii)
{
    CPlaylist playlist;
    Fill(playlist, {QString::fromUtf8("Ébc.mp3"), QString::fromUtf8("STRASSE.mp3"), QString::fromUtf8("éab.mp3"),
                    QString::fromUtf8("straße.mp3")});
    playlist.SortByName();
    const QStringList names = FileNames(playlist);
    ASSERT_EQ(names.size(), 4);
    // Folded, "straße" and "STRASSE" are the same key; ties go by code point.
    EXPECT_EQ(names.mid(0, 2), (QStringList{"STRASSE.mp3", QString::fromUtf8("straße.mp3")}));
    EXPECT_EQ(names.mid(2, 2), (QStringList{QString::fromUtf8("éab.mp3"), QString::fromUtf8("Ébc.mp3")}));
}

TEST(PlaylistSort, FollowsTheLocaleOfTheUserInterface)
{
    const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    CPlaylist playlist;
    Fill(playlist, {"z.mp3", QString::fromUtf8("Ärger.mp3"), "b.mp3", "a.mp3"});
    playlist.SortByName();
    EXPECT_EQ(FileNames(playlist), (QStringList{"a.mp3", QString::fromUtf8("Ärger.mp3"), "b.mp3", "z.mp3"}));
}

TEST(PlaylistSort, EqualKeysEndWhereTheThreeWayQuicksortPutsThem)
{
    CPlaylist playlist;
    const QStringList names = {"B", "A", "B", "A", "B"};
    for (int i = 0; i < names.size(); ++i)
        AddRow(playlist, QString::number(i + 1), names[i]);
    playlist.SortByName();
    EXPECT_EQ(Folders(playlist), (QStringList{"4", "2", "5", "3", "1"}));
}

TEST(PlaylistSort, ByFolderComparesWholePathsAndDropsTheCurrentRow)
{
    CPlaylist playlist;
    AddRow(playlist, "/music/b", "1.mp3");
    AddRow(playlist, "/music/a", "2.mp3");
    AddRow(playlist, "/Music/a", "0.mp3");
    AddRow(playlist, "/music", "z.mp3");
    playlist.m_nSelected = 2;
    playlist.m_nTop = 1;
    playlist.SetCurrent(1);
    playlist.SortByFolder();
    EXPECT_EQ(Paths(playlist),
              (QStringList{"/Music/a/0.mp3", "/music/a/2.mp3", "/music/b/1.mp3", "/music/z.mp3"}));
    EXPECT_EQ(playlist.GetCurrent(), -1);
    EXPECT_EQ(playlist.m_nSelected, 2);
    EXPECT_EQ(playlist.m_nTop, 1);
}

TEST(PlaylistSort, LargeListEndsInOrderWithEveryRowKept)
{
    CPlaylist playlist;
    uint32_t state = 7;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        // Few distinct keys, so long runs of equal names are partitioned.
        AddRow(playlist, QString::number(i), QStringLiteral("Track %1.mp3").arg((state >> 16) % 300));
    }
    playlist.SortByName();
    ASSERT_EQ(playlist.GetCount(), 20000);
    QCollator collator;
    for (int i = 1; i < playlist.GetCount(); ++i) {
        ASSERT_LE(collator.compare(playlist.GetRow(i - 1).m_strFileName.toCaseFolded(),
                                   playlist.GetRow(i).m_strFileName.toCaseFolded()),
                  0)
            << i;
    }
    QStringList folders = Folders(playlist);
    folders.removeDuplicates();
    EXPECT_EQ(folders.size(), 20000);
}

// Paths that share long folders and titles, differ late, in case only or
// not at all, sorted under ICU and under the C locale: every neighbour pair
// must be in the order the collator gives, case deciding only between
// otherwise equal paths, and no row lost.
TEST(PlaylistSort, RowsSharingLongPrefixesEndInTheCollatorsOrder)
{
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        const LocaleGuard guard(locale);
        CPlaylist playlist;
        uint32_t state = 11;
        const auto next = [&] { return (state = state * 1103515245u + 12345u) >> 16; };
        const QStringList artists = {"Artist", "ARTIST", QString::fromUtf8("Ärtist"), "Artist Ensemble"};
        for (int i = 0; i < 3000; ++i) {
            const QString folder = QStringLiteral("/home/user/Music/Library/%1/Album %2")
                                       .arg(artists[next() % artists.size()])
                                       .arg(next() % 4);
            AddRow(playlist, folder,
                   QStringLiteral("%1 - A Rather Long Common Title %2.mp3").arg(i).arg(next() % 50));
        }
        playlist.SortByFolder();
        ASSERT_EQ(playlist.GetCount(), 3000);
        QCollator collator;
        if (locale.language() == QLocale::C)
            collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (int i = 1; i < playlist.GetCount(); ++i) {
            const QString& a = playlist.GetRow(i - 1).m_strPath;
            const QString& b = playlist.GetRow(i).m_strPath;
            const int order = collator.compare(a, b);
            ASSERT_TRUE(order < 0 || (order == 0 && QString::compare(a, b) <= 0))
                << locale.name().toStdString() << " row " << i << ": " << a.toStdString() << " > "
                << b.toStdString();
        }
        QStringList names = FileNames(playlist);
        names.removeDuplicates();
        EXPECT_EQ(names.size(), 3000);
    }
}

// The keys made with short cuts (ASCII characters' keys in turn, a folder's
// key made once) must be, byte for byte, ICU's primary key of the whole text,
// under every interface language's locale.
TEST(PlaylistSort, KeysAreIcusPrimaryKeysUnderEveryInterfaceLocale)
{
    for (const char* name : kInterfaceLocales) {
        const LocaleGuard guard{QLocale(QString::fromLatin1(name))};
        std::vector<std::unique_ptr<CPlaylistRow>> rows;
        uint32_t state = 5;
        for (int i = 0; i < 1500; ++i) {
            auto row = std::make_unique<CPlaylistRow>();
            row->InitFromFoundName(QLatin1Char('/') + RandomText(state, 3) + QLatin1Char('/') +
                                       RandomText(state, 12),
                                   RandomText(state, 16));
            rows.push_back(std::move(row));
        }
        UErrorCode status = U_ZERO_ERROR;
        const QByteArray icuName = QLocale().bcp47Name().replace(QLatin1Char('-'), QLatin1Char('_')).toLatin1();
        UCollator* collator = ucol_open(icuName.constData(), &status);
        ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_PRIMARY, &status);
        ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        ASSERT_TRUE(U_SUCCESS(status)) << name;
        for (QString CPlaylistRow::*text : {&CPlaylistRow::m_strFileName, &CPlaylistRow::m_strPath}) {
            const CSortKeys keys(rows, text);
            for (size_t i = 0; i < rows.size(); ++i) {
                const QString& value = (*rows[i]).*text;
                uint8_t expected[1024];
                const int32_t length = ucol_getSortKey(collator, QStringView(value).utf16(), int32_t(value.size()),
                                                       expected, sizeof expected);
                ASSERT_LE(length, int32_t(sizeof expected));
                ASSERT_TRUE(keys.Length(i) == uint32_t(length - 1) &&
                            std::memcmp(keys.Bytes(i), expected, size_t(length - 1)) == 0)
                    << name << ": " << value.toStdString();
            }
        }
        ucol_close(collator);
    }
}

// Rows whose primary keys tie (case, accents, ignorable characters) end in
// the full collation's order, then by code point, in every interface
// locale, for both sorts.
TEST(PlaylistSort, TiedKeysEndInTheFullCollationOrderUnderEveryInterfaceLocale)
{
    for (const char* name : kInterfaceLocales) {
        const LocaleGuard guard{QLocale(QString::fromLatin1(name))};
        CPlaylist playlist;
        uint32_t state = 9;
        const QStringList variants = {
            "resume",       "Resume", "RESUME", "r\u00e9sum\u00e9", "R\u00e9sum\u00e9", "re\u0301sume\u0301",
            "res\u0001ume", "Chata",  "chata",  "cs\u00e1rda"};
        for (int i = 0; i < 400; ++i) {
            const QString& word = variants[i % variants.size()];
            AddRow(playlist, QStringLiteral("/m/") + RandomText(state, 2) + word, word + RandomText(state, 1));
        }
        for (void (CPlaylist::*sort)() : {&CPlaylist::SortByName, &CPlaylist::SortByFolder}) {
            (playlist.*sort)();
            const QStringList texts = sort == &CPlaylist::SortByName ? FileNames(playlist) : Paths(playlist);
            const QCollator collator;
            for (int i = 1; i < texts.size(); ++i) {
                const int order = collator.compare(texts[i - 1], texts[i]);
                ASSERT_TRUE(order < 0 || (order == 0 && QString::compare(texts[i - 1], texts[i]) <= 0))
                    << name << " row " << i << ": " << texts[i - 1].toStdString() << " > "
                    << texts[i].toStdString();
            }
        }
    }
}

TEST(PlaylistSort, EmptyListSortsToNothing)
{
    CPlaylist playlist;
    playlist.SortByName();
    playlist.SortByFolder();
    EXPECT_EQ(playlist.GetCount(), 0);
    EXPECT_EQ(playlist.GetCurrent(), -1);
}

}  // namespace
