// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist.h"
#include "playlist_test_util.h"

#include <QCollator>

#include <gtest/gtest.h>

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
    playlist.m_nCurrent = 1;
    playlist.SortByFolder();
    EXPECT_EQ(Paths(playlist),
              (QStringList{"/Music/a/0.mp3", "/music/a/2.mp3", "/music/b/1.mp3", "/music/z.mp3"}));
    EXPECT_EQ(playlist.m_nCurrent, -1);
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

TEST(PlaylistSort, EmptyListSortsToNothing)
{
    CPlaylist playlist;
    playlist.SortByName();
    playlist.SortByFolder();
    EXPECT_EQ(playlist.GetCount(), 0);
    EXPECT_EQ(playlist.m_nCurrent, -1);
}

}  // namespace
