// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/next_row.h"
#include "playlist/playlist.h"
#include "playlist_test_util.h"

#include <temp_home.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using playlisttest::FileNames;
using playlisttest::Fill;

namespace {

struct Indexes {
    int selected;
    int top;
    int current;
    bool operator==(const Indexes&) const = default;
};

Indexes IndexesOf(const CPlaylist& playlist)
{
    return {playlist.m_nSelected, playlist.m_nTop, playlist.GetCurrent()};
}

void PrintTo(const Indexes& i, std::ostream* os)
{
    *os << "{selected " << i.selected << ", top " << i.top << ", current " << i.current << "}";
}

class PlaylistModel : public playlisttest::PlaylistTest {};

TEST_F(PlaylistModel, FreshPlaylistIsEmptyWithNoIndexes)
{
    EXPECT_EQ(playlist.m_strStatus, "0 Files");
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));
    EXPECT_EQ(playlist.GetCount(), 0);
}

TEST_F(PlaylistModel, AddingAppliesTheAfterAddRuleAndKeepsDuplicates)
{
    const QString dir = testsupport::MakeScratchDir(QStringLiteral("add"));
    const QString song = dir + QStringLiteral("/song.mp3");
    playlisttest::WriteAll(song, "x");

    ASSERT_TRUE(playlist.AddFileByPath(song));
    EXPECT_EQ(IndexesOf(playlist), (Indexes{0, 0, -1}));
    EXPECT_EQ(playlist.m_strStatus, "1 Files");
    const CPlaylistRow& row = playlist.GetRow(0);
    EXPECT_EQ(row.m_strFileName, "song.mp3");
    EXPECT_EQ(row.m_strFolder, dir);
    EXPECT_EQ(row.m_strPath, song);
    EXPECT_EQ(row.m_strDuration, "00:00");

    playlist.m_nSelected = 0;
    playlist.SetCurrent(0);
    ASSERT_TRUE(playlist.AddFileByPath(song));
    EXPECT_EQ(playlist.GetCount(), 2);
    EXPECT_EQ(playlist.m_strStatus, "2 Files");
    EXPECT_EQ(IndexesOf(playlist), (Indexes{0, 0, 0}));
}

TEST_F(PlaylistModel, FailedAddsChangeNothing)
{
    const QString dir = testsupport::MakeScratchDir(QStringLiteral("failed-add"));
    playlist.m_strStatus = QStringLiteral("untouched");
    EXPECT_FALSE(playlist.AddFileByPath(dir + QStringLiteral("/missing.mp3")));
    EXPECT_FALSE(playlist.AddFileByPath(dir + QStringLiteral("/no-folder/x.mp3")));
    EXPECT_FALSE(playlist.AddFoundFile(dir + QStringLiteral("/no-folder"), QStringLiteral("x.mp3")));
    EXPECT_FALSE(playlist.AddFolder(dir + QStringLiteral("/no-folder")));
    EXPECT_EQ(playlist.GetCount(), 0);
    EXPECT_EQ(playlist.m_strStatus, "untouched");
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));

    // An empty folder adds nothing but still refreshes the status; the
    // selection stays -1 as there is no row to select.
    EXPECT_FALSE(playlist.AddFolder(dir));
    EXPECT_EQ(playlist.m_strStatus, "0 Files");
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));
}

TEST_F(PlaylistModel, AddFileByPathTakesAnyTypeAndFolders)
{
    const QString dir = testsupport::MakeScratchDir(QStringLiteral("any-type"));
    playlisttest::WriteAll(dir + QStringLiteral("/notes.txt"), "x");
    QDir(dir).mkdir(QStringLiteral("folder"));
    EXPECT_TRUE(playlist.AddFileByPath(dir + QStringLiteral("/notes.txt")));
    EXPECT_TRUE(playlist.AddFileByPath(dir + QStringLiteral("/folder")));
    EXPECT_EQ(FileNames(playlist), (QStringList{"notes.txt", "folder"}));
}

TEST_F(PlaylistModel, FileInTheRootFolderGetsTheDoubledSeparator)
{
    QStringList rootEntries = QDir(QStringLiteral("/")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ASSERT_FALSE(rootEntries.isEmpty());
    ASSERT_TRUE(playlist.AddFileByPath(QLatin1Char('/') + rootEntries.first()));
    EXPECT_EQ(playlist.GetRow(0).m_strFolder, "/");
    EXPECT_EQ(playlist.GetRow(0).m_strPath, "//" + rootEntries.first());
}

TEST_F(PlaylistModel, AddFoundFileAcceptsNameOrFullPathAndCleansTheFolder)
{
    const QString dir = testsupport::MakeScratchDir(QStringLiteral("found"));
    playlisttest::WriteAll(dir + QStringLiteral("/a.mp3"), "x");
    playlisttest::WriteAll(dir + QStringLiteral("/b.avi"), "x");
    EXPECT_TRUE(playlist.AddFoundFile(dir + QStringLiteral("/"), QStringLiteral("a.mp3")));
    EXPECT_TRUE(playlist.AddFoundFile(dir, dir + QStringLiteral("/b.avi")));
    EXPECT_FALSE(playlist.AddFoundFile(dir, QStringLiteral("c.mp3")));
    ASSERT_EQ(playlist.GetCount(), 2);
    EXPECT_EQ(playlist.GetRow(0).m_strPath, dir + QStringLiteral("/a.mp3"));
    EXPECT_EQ(playlist.GetRow(1).m_strPath, dir + QStringLiteral("/b.avi"));
    EXPECT_EQ(playlist.GetRow(1).m_strFolder, dir);
}

TEST_F(PlaylistModel, RemovingRowsKeepsTheIndexesOnTheirRows)
{
    Fill(playlist, {"a", "b", "c", "d"});

    // Above the current row: the same row stays current, one index lower.
    playlist.SetCurrent(2);
    playlist.m_nSelected = 0;
    playlist.RemoveSelected();
    EXPECT_EQ(FileNames(playlist), (QStringList{"b", "c", "d"}));
    EXPECT_EQ(playlist.GetCurrent(), 1);
    EXPECT_EQ(closeCalls, 0);
    EXPECT_EQ(playlist.m_strStatus, "3 Files");

    // The current row itself: the media closes and nothing is current.
    playlist.m_nSelected = 1;
    playlist.RemoveSelected();
    EXPECT_EQ(FileNames(playlist), (QStringList{"b", "d"}));
    EXPECT_EQ(playlist.GetCurrent(), -1);
    EXPECT_EQ(closeCalls, 1);

    // The last row while selected: the selection and top follow to the new end.
    playlist.m_nSelected = 1;
    playlist.m_nTop = 1;
    playlist.RemoveSelected();
    EXPECT_EQ(IndexesOf(playlist), (Indexes{0, 0, -1}));

    // The last remaining row: every index is -1.
    playlist.RemoveSelected();
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));
    EXPECT_EQ(playlist.m_strStatus, "0 Files");

    // Nothing selected: only the status is refreshed.
    playlist.m_strStatus.clear();
    playlist.RemoveSelected();
    EXPECT_EQ(playlist.m_strStatus, "0 Files");
}

TEST_F(PlaylistModel, ClearAlwaysClosesTheMedia)
{
    playlist.Clear();
    EXPECT_EQ(closeCalls, 1);
    Fill(playlist, {"a", "b"});
    playlist.SetCurrent(1);
    playlist.Clear();
    EXPECT_EQ(closeCalls, 2);
    EXPECT_EQ(playlist.GetCount(), 0);
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));
    EXPECT_EQ(playlist.m_strStatus, "0 Files");
}

TEST_F(PlaylistModel, MovingTheSelectedRowKeepsSelectionAndCurrentOnTheirRows)
{
    Fill(playlist, {"a", "b", "c", "d"});
    playlist.m_nSelected = 2;
    playlist.SetCurrent(2);
    playlist.MoveSelectedUp();
    EXPECT_EQ(FileNames(playlist), (QStringList{"a", "c", "b", "d"}));
    EXPECT_EQ(playlist.m_nSelected, 1);
    EXPECT_EQ(playlist.GetCurrent(), 1);

    playlist.MoveSelectedDown(10);
    playlist.MoveSelectedDown(10);
    EXPECT_EQ(FileNames(playlist), (QStringList{"a", "b", "d", "c"}));
    EXPECT_EQ(playlist.m_nSelected, 3);
    EXPECT_EQ(playlist.GetCurrent(), 3);

    // The current row is the neighbour that gets pushed aside: the marker
    // stays on it.
    playlist.SetCurrent(2);
    playlist.MoveSelectedUp();
    EXPECT_EQ(FileNames(playlist), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(playlist.GetCurrent(), 3);
    EXPECT_EQ(playlist.GetRow(playlist.GetCurrent()).m_strFileName, "d");

    // At the ends nothing moves.
    playlist.m_nSelected = 0;
    playlist.MoveSelectedUp();
    playlist.m_nSelected = 3;
    playlist.MoveSelectedDown(10);
    EXPECT_EQ(FileNames(playlist), (QStringList{"a", "b", "c", "d"}));
}

TEST_F(PlaylistModel, SelectUpClampsToOneRowAndScrollsUp)
{
    Fill(playlist, {"0", "1", "2", "3", "4", "5", "6"});
    playlist.m_nSelected = 2;
    playlist.m_nTop = 2;
    playlist.SelectUp(3);
    EXPECT_EQ(playlist.m_nSelected, 1);
    EXPECT_EQ(playlist.m_nTop, 1);
    playlist.SelectUp(1);
    playlist.SelectUp(3);
    EXPECT_EQ(IndexesOf(playlist), (Indexes{0, 0, -1}));

    playlist.m_nSelected = 6;
    playlist.m_nTop = 2;
    playlist.SelectUp(3);
    EXPECT_EQ(playlist.m_nSelected, 3);
    EXPECT_EQ(playlist.m_nTop, 2);
}

TEST_F(PlaylistModel, SelectDownClampsToOneRowAndKeepsTheSelectionVisible)
{
    QStringList names;
    for (int i = 0; i < 20; ++i)
        names << QString::number(i);
    Fill(playlist, names);

    // Two rows before the end a step of 3 moves by one.
    playlist.m_nSelected = 18;
    playlist.m_nTop = 15;
    playlist.SelectDown(3, 10);
    EXPECT_EQ(playlist.m_nSelected, 19);
    // Five rows drawn from row 15: the selection may not sit on the last one.
    EXPECT_EQ(playlist.m_nTop, 16);
    playlist.SelectDown(3, 10);
    EXPECT_EQ(playlist.m_nSelected, 19);

    // In a long list the top row follows at v - 2 rows above the selection.
    playlist.m_nSelected = 0;
    playlist.m_nTop = 0;
    for (int i = 0; i < 7; ++i)
        playlist.SelectDown(1, 8);
    EXPECT_EQ(playlist.m_nSelected, 7);
    EXPECT_EQ(playlist.m_nTop, 1);
}

TEST_F(PlaylistModel, SelectDownScrollsAShortListByOneAtItsEnd)
{
    Fill(playlist, {"0", "1", "2", "3", "4"});
    playlist.m_nSelected = 3;
    playlist.SelectDown(1, 30);
    EXPECT_EQ(playlist.m_nSelected, 4);
    EXPECT_EQ(playlist.m_nTop, 1);
}

TEST_F(PlaylistModel, SelectDownNeverScrollsTheTopRowPastTheEnd)
{
    Fill(playlist, {"0", "1", "2", "3", "4"});
    // The thumb scrolled the top row below the selection.
    playlist.m_nSelected = 3;
    playlist.m_nTop = 4;
    playlist.SelectDown(1, 30);
    EXPECT_EQ(IndexesOf(playlist), (Indexes{4, 4, -1}));

    // A list area too small for even one row.
    playlist.m_nSelected = 3;
    playlist.m_nTop = 3;
    playlist.SelectDown(1, 1);
    EXPECT_EQ(IndexesOf(playlist), (Indexes{4, 4, -1}));
}

TEST_F(PlaylistModel, EmptyListIgnoresSelectionAndMoves)
{
    playlist.SelectUp(1);
    playlist.SelectDown(3, 10);
    playlist.MoveSelectedUp();
    playlist.MoveSelectedDown(10);
    playlist.RemoveSelected();
    EXPECT_EQ(IndexesOf(playlist), (Indexes{-1, -1, -1}));
    EXPECT_EQ(closeCalls, 0);
}

TEST(PlaylistRandom, FollowsTheClassicSequenceFromSeedOne)
{
    CPlaylistRandom random;
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    EXPECT_EQ(random.Next(), 26500);
    random.Seed(1);
    EXPECT_EQ(random.Next(), 41);
}

TEST(NextRow, StepsWithoutShuffle)
{
    CPlaylistRandom random;
    const auto next = [&](PlaylistStep step, int count, int current, bool repeat = false) {
        return ChooseNextRow(step, count, current, false, repeat, random);
    };
    EXPECT_EQ(next(PlaylistStep::Next, 3, 0), 1);
    EXPECT_EQ(next(PlaylistStep::Next, 3, -1), 0);
    EXPECT_EQ(next(PlaylistStep::Next, 3, 2), -1);
    EXPECT_EQ(next(PlaylistStep::Next, 3, 2, true), -1);  // no wrap, even with repeat
    EXPECT_EQ(next(PlaylistStep::Previous, 3, 2), 1);
    EXPECT_EQ(next(PlaylistStep::Previous, 3, 0), -1);
    EXPECT_EQ(next(PlaylistStep::Previous, 3, -1), -1);
    EXPECT_EQ(next(PlaylistStep::Previous, 3, 0, true), -1);
    EXPECT_EQ(next(PlaylistStep::EndOfMedia, 3, 1), 2);
    EXPECT_EQ(next(PlaylistStep::EndOfMedia, 3, 2), -1);
    EXPECT_EQ(next(PlaylistStep::EndOfMedia, 3, 2, true), 0);
    EXPECT_EQ(next(PlaylistStep::Next, 0, -1), -1);
    EXPECT_EQ(next(PlaylistStep::EndOfMedia, 0, -1, true), -1);
    // A current row left stale by loading a shorter list.
    EXPECT_EQ(next(PlaylistStep::Previous, 3, 10), -1);
    EXPECT_EQ(next(PlaylistStep::EndOfMedia, 3, 10, true), 0);
}

TEST(NextRow, ShuffleDrawsFromTheRandomSourceButNotAtTheLastRow)
{
    CPlaylistRandom random;
    const auto shuffle = [&](PlaylistStep step, int count, int current, bool repeat = false) {
        return ChooseNextRow(step, count, current, true, repeat, random);
    };
    EXPECT_EQ(shuffle(PlaylistStep::Next, 10, 9), 41 % 10);
    EXPECT_EQ(shuffle(PlaylistStep::Previous, 10, 0), 18467 % 10);
    EXPECT_EQ(shuffle(PlaylistStep::EndOfMedia, 10, 3), 6334 % 10);
    // The last row stops or wraps to row 0 and draws nothing.
    EXPECT_EQ(shuffle(PlaylistStep::EndOfMedia, 10, 9), -1);
    EXPECT_EQ(shuffle(PlaylistStep::EndOfMedia, 10, 9, true), 0);
    // An empty list does nothing and draws nothing.
    EXPECT_EQ(shuffle(PlaylistStep::Next, 0, -1), -1);
    EXPECT_EQ(shuffle(PlaylistStep::Previous, 0, -1), -1);
    EXPECT_EQ(random.Next(), 26500);
}

TEST(NextRow, CanStepExactlyWhenPreviousOrNextTakesARow)
{
    for (const int count : {0, 1, 3}) {
        for (int current = -1; current <= count + 1; ++current) {
            for (const bool shuffle : {false, true}) {
                for (const PlaylistStep step : {PlaylistStep::Previous, PlaylistStep::Next}) {
                    CPlaylistRandom random;
                    EXPECT_EQ(CanStep(step, count, current, shuffle),
                              ChooseNextRow(step, count, current, shuffle, false, random) >= 0)
                        << count << ' ' << current << ' ' << shuffle << ' ' << int(step);
                }
            }
        }
    }
}

TEST(NextRow, LivePlaylistUsesItsOwnCurrentRowAndRandomSource)
{
    CPlaylist playlist;
    Fill(playlist, {"a", "b", "c"});
    playlist.SetCurrent(1);
    EXPECT_EQ(ChooseNextRow(playlist, PlaylistStep::Next, false, false), 2);
    EXPECT_EQ(ChooseNextRow(playlist, PlaylistStep::Next, true, false), 41 % 3);
    EXPECT_EQ(playlist.m_random.Next(), 18467);
}

}  // namespace
