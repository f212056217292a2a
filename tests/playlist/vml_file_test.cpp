// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist.h"
#include "playlist_test_util.h"
#include "recording_prompt.h"

#include <file_size_limit.h>
#include <temp_home.h>

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using playlisttest::AddRow;
using playlisttest::FileNames;
using playlisttest::Hex;
using playlisttest::ReadAll;
using playlisttest::WriteAll;

namespace {

QByteArray Byte(uint8_t value) { return QByteArray(1, char(value)); }

QByteArray U16(uint16_t value) { return Byte(uint8_t(value & 0xFF)) + Byte(uint8_t(value >> 8)); }

QByteArray U32(uint32_t value) { return U16(uint16_t(value & 0xFFFF)) + U16(uint16_t(value >> 16)); }

// A counted wide text exactly as the writer must produce it.
QByteArray Wide(const QString& text)
{
    QByteArray bytes("\xFF\xFE\xFF", 3);
    const auto length = uint32_t(text.size());
    if (length < 0xFF)
        bytes += Byte(uint8_t(length));
    else if (length < 0xFFFE)
        bytes += Byte(0xFF) + U16(uint16_t(length));
    else
        bytes += Byte(0xFF) + U16(0xFFFF) + U32(length);
    for (QChar c : text)
        bytes += U16(c.unicode());
    return bytes;
}

// A single-byte text with the shortest length form.
QByteArray Narrow(const QByteArray& text)
{
    if (text.size() < 0xFF)
        return Byte(uint8_t(text.size())) + text;
    return Byte(0xFF) + U16(uint16_t(text.size())) + text;
}

const QByteArray kNewRowClass = QByteArray("\xFF\xFF\x02\x00\x0C\x00", 6) + "CPlaylistRow";
const QByteArray kRowClassRef("\x01\x80", 2);

QByteArray Row(const QByteArray& tag, const QString& name, const QString& folder, const QString& path,
               const QString& duration)
{
    return tag + Wide(name) + Wide(folder) + Wide(path) + Wide(duration);
}

class VmlFile : public playlisttest::PlaylistTest {
protected:
    VmlFile() : dir(testsupport::MakeScratchDir(QStringLiteral("vml")))
    {
        playlist.SetDefaultFile(dir + QStringLiteral("/default.vml"));
    }

    QString File(const char* name) const { return dir + QLatin1Char('/') + QLatin1String(name); }

    // Writes `bytes` and loads them; returns whether the load succeeded.
    bool LoadBytes(const QByteArray& bytes)
    {
        WriteAll(File("in.vml"), bytes);
        return playlist.LoadFromFile(File("in.vml"));
    }

    QByteArray SaveBytes()
    {
        EXPECT_TRUE(playlist.SaveToFile(File("out.vml")));
        return ReadAll(File("out.vml"));
    }

    void ExpectLoadFailsClearingTheList(const QByteArray& bytes, const QString& message)
    {
        AddRow(playlist, QStringLiteral("/old"), QStringLiteral("old.mp3"));
        prompt.m_messages.clear();
        const int closesBefore = closeCalls;
        EXPECT_FALSE(LoadBytes(bytes)) << Hex(bytes);
        EXPECT_EQ(playlist.GetCount(), 0);
        EXPECT_EQ(playlist.m_nSelected, -1);
        EXPECT_EQ(closeCalls, closesBefore + 1);
        EXPECT_EQ(prompt.m_messages, QStringList{message.arg(File("in.vml"))}) << Hex(bytes);
    }

    CRecordingPrompt prompt;
    QString dir;
};

const QString kBadFormat = QStringLiteral("%1 has a bad format.");
const QString kPastEnd = QStringLiteral("An attempt was made to read past the end of %1.");
const QString kUnexpectedObject = QStringLiteral("%1 contains an unexpected object.");

TEST_F(VmlFile, WorkedExampleIsWrittenByteForByte)
{
    auto row = std::make_unique<CPlaylistRow>();
    row->m_strFileName = QStringLiteral("a.mp3");
    row->m_strFolder = QStringLiteral("C:\\M");
    row->m_strPath = QStringLiteral("C:\\M\\a.mp3");
    playlist.m_rows.push_back(std::move(row));

    QByteArray expected("\x01\x00", 2);
    expected += kNewRowClass;
    expected += QByteArray("\xFF\xFE\xFF\x05", 4) + QByteArray("a\0.\0m\0p\0003\0", 10);
    expected += QByteArray("\xFF\xFE\xFF\x04", 4) + QByteArray("C\0:\0\\\0M\0", 8);
    expected += QByteArray("\xFF\xFE\xFF\x0A", 4) + QByteArray("C\0:\0\\\0M\0\\\0a\0.\0m\0p\0003\0", 20);
    expected += QByteArray("\xFF\xFE\xFF\x05", 4) + QByteArray("0\0000\0:\0000\0000\0", 10);
    ASSERT_EQ(expected.size(), 84);
    EXPECT_EQ(Hex(SaveBytes()), Hex(expected));
}

TEST_F(VmlFile, SecondRowRefersToTheClassOfTheFirst)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    AddRow(playlist, QStringLiteral("/n"), QStringLiteral("b.avi"));
    playlist.GetRow(1).SetDuration(QStringLiteral("01:02:03"));
    const QByteArray expected = QByteArray("\x02\x00", 2) + Row(kNewRowClass, "a.mp3", "/m", "/m/a.mp3", "00:00") +
                                Row(kRowClassRef, "b.avi", "/n", "/n/b.avi", "01:02:03");
    EXPECT_EQ(Hex(SaveBytes()), Hex(expected));
}

TEST_F(VmlFile, EmptyListIsTwoZeroBytesAndLoadsEmpty)
{
    EXPECT_EQ(Hex(SaveBytes()), "00 00");
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("old.mp3"));
    playlist.m_nSelected = playlist.m_nTop = 0;
    EXPECT_TRUE(playlist.LoadFromFile(File("out.vml")));
    EXPECT_EQ(playlist.GetCount(), 0);
    EXPECT_EQ(playlist.m_nSelected, -1);
    EXPECT_EQ(playlist.m_nTop, -1);
    EXPECT_EQ(playlist.m_strStatus, "0 Files");
}

TEST_F(VmlFile, RoundTripKeepsOrderAndEveryTextIncludingLongOnes)
{
    const QString nonAscii = QString::fromUtf8("Müßig – 東京 \xF0\x9F\x8E\xB5.mp3");
    const QList<qsizetype> lengths = {0, 1, 254, 255, 256, 65533, 65534, 65535, 70000};
    for (qsizetype length : lengths) {
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strFileName = QString(length, QLatin1Char('n'));
        row->m_strFolder = nonAscii;
        row->m_strPath = QString(length, QChar(0x00E9));
        row->m_strDuration = QString();
        playlist.m_rows.push_back(std::move(row));
    }
    const QByteArray bytes = SaveBytes();
    // The length forms of the file names: one byte, 0xFF + 16 bits, or
    // 0xFF FFFF + 32 bits.
    const auto nameLengthForm = [&](qsizetype length) {
        return bytes.indexOf(QByteArray("\xFF\xFE\xFF", 3) + [&] {
            if (length < 255)
                return Byte(uint8_t(length));
            if (length < 65534)
                return Byte(0xFF) + U16(uint16_t(length));
            return Byte(0xFF) + U16(0xFFFF) + U32(uint32_t(length));
        }() + QByteArray("n\0", 2));
    };
    for (qsizetype length : lengths.mid(1))
        EXPECT_GE(nameLengthForm(length), 0) << length;

    CPlaylist loaded;
    ASSERT_TRUE(loaded.LoadFromFile(File("out.vml")));
    ASSERT_EQ(loaded.GetCount(), lengths.size());
    for (int i = 0; i < loaded.GetCount(); ++i) {
        EXPECT_EQ(loaded.GetRow(i).m_strFileName, playlist.GetRow(i).m_strFileName);
        EXPECT_EQ(loaded.GetRow(i).m_strFolder, nonAscii);
        EXPECT_EQ(loaded.GetRow(i).m_strPath, playlist.GetRow(i).m_strPath);
        EXPECT_EQ(loaded.GetRow(i).m_strDuration, QString());
    }
}

TEST_F(VmlFile, CountOf65535UsesTheEscape)
{
    for (int i = 0; i < 65535; ++i)
        AddRow(playlist, QStringLiteral("/m"), QString::number(i));
    QByteArray bytes = SaveBytes();
    EXPECT_EQ(Hex(bytes.left(6)), "ff ff ff ff 00 00");

    CPlaylist loaded;
    ASSERT_TRUE(loaded.LoadFromFile(File("out.vml")));
    ASSERT_EQ(loaded.GetCount(), 65535);
    EXPECT_EQ(loaded.GetRow(65534).m_strPath, "/m/65534");
    EXPECT_EQ(loaded.m_strStatus, "65535 Files");

    playlist.m_rows.pop_back();
    EXPECT_EQ(Hex(SaveBytes().left(2)), "fe ff");
}

TEST_F(VmlFile, SingleByteTextsAreReadAsWindows1252)
{
    const QByteArray longName(300, 'x');
    const QByteArray bytes = QByteArray("\x02\x00", 2) + kNewRowClass + Narrow("caf\xE9 \x80.mp3") +
                             Narrow("C:\\M") + Narrow("C:\\M\\caf\xE9 \x80.mp3") + Narrow("") + kRowClassRef +
                             Narrow(longName) + Narrow("\x81\x9F") +
                             // the 32-bit length form of a single-byte text
                             QByteArray("\xFF\xFF\xFF\x02\x00\x00\x00", 7) + "ab" + Narrow("1:00");
    ASSERT_TRUE(LoadBytes(bytes));
    ASSERT_EQ(playlist.GetCount(), 2);
    EXPECT_EQ(playlist.GetRow(0).m_strFileName, QString::fromUtf8("café €.mp3"));
    EXPECT_EQ(playlist.GetRow(0).m_strPath, QString::fromUtf8("C:\\M\\café €.mp3"));
    EXPECT_EQ(playlist.GetRow(0).m_strDuration, QString());
    EXPECT_EQ(playlist.GetRow(1).m_strFileName, QString::fromLatin1(longName));
    EXPECT_EQ(playlist.GetRow(1).m_strFolder, QString(QChar(0x81)) + QChar(0x0178));
    EXPECT_EQ(playlist.GetRow(1).m_strPath, "ab");
}

TEST_F(VmlFile, LoadingReplacesRowsSelectsRowZeroAndKeepsTheCurrentRow)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("new.mp3"));
    const QByteArray bytes = SaveBytes();
    playlist.m_rows.clear();
    for (const char* name : {"a", "b", "c", "d", "e"})
        AddRow(playlist, QStringLiteral("/old"), QString::fromLatin1(name));
    playlist.m_nSelected = playlist.m_nTop = 3;
    playlist.SetCurrent(4);

    ASSERT_TRUE(LoadBytes(bytes + "trailing bytes are ignored"));
    EXPECT_EQ(FileNames(playlist), QStringList{"new.mp3"});
    EXPECT_EQ(playlist.m_nSelected, 0);
    EXPECT_EQ(playlist.m_nTop, 0);
    EXPECT_EQ(playlist.GetCurrent(), 4);
    EXPECT_EQ(playlist.m_strStatus, "1 Files");
    EXPECT_EQ(closeCalls, 0);
    EXPECT_TRUE(prompt.m_messages.isEmpty());
}

TEST_F(VmlFile, FileCutShortAtAnyByteIsAnErrorAndLeavesTheListEmpty)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("b.mp3"));
    const QByteArray bytes = SaveBytes();
    for (qsizetype size = 0; size < bytes.size(); ++size)
        ExpectLoadFailsClearingTheList(bytes.left(size), kPastEnd);
}

TEST_F(VmlFile, ForeignClassesAndMalformedTagsAreErrors)
{
    const QByteArray texts = Wide("a") + Wide("b") + Wide("c") + Wide("d");
    const QByteArray one("\x01\x00", 2);
    const QByteArray two("\x02\x00", 2);
    const QByteArray otherClass = QByteArray("\xFF\xFF\x02\x00\x0C\x00", 6) + "CPlaylistRoW";
    ExpectLoadFailsClearingTheList(one + otherClass + texts, kUnexpectedObject);
    const QByteArray longName(64, 'C');
    ExpectLoadFailsClearingTheList(one + QByteArray("\xFF\xFF\x02\x00\x40\x00", 6) + longName + texts,
                                   kUnexpectedObject);
    // A null object, a reference to an object, a reference to a class that
    // was never introduced (index 2 is row 1's object), a 32-bit tag naming
    // an object.
    ExpectLoadFailsClearingTheList(one + U16(0) + texts, kBadFormat);
    ExpectLoadFailsClearingTheList(two + kNewRowClass + texts + U16(2) + texts, kBadFormat);
    ExpectLoadFailsClearingTheList(two + kNewRowClass + texts + U16(0x8002) + texts, kBadFormat);
    ExpectLoadFailsClearingTheList(one + U16(0x8001) + texts, kBadFormat);
    ExpectLoadFailsClearingTheList(two + kNewRowClass + texts + U16(0x7FFF) + U32(1) + texts, kBadFormat);
}

TEST_F(VmlFile, EveryTagFormTheArchiveAllowsIsAccepted)
{
    const QByteArray texts = Wide("a") + Wide("b") + Wide("c") + Wide("d");
    // Class 1, row 2, a second introduction of the class (index 3, any
    // schema), row 4, then references to both classes, one in 32-bit form.
    const QByteArray secondIntroduction = QByteArray("\xFF\xFF\x07\x00\x0C\x00", 6) + "CPlaylistRow";
    const QByteArray bytes = QByteArray("\x04\x00", 2) + kNewRowClass + texts + secondIntroduction + texts +
                             U16(0x8003) + texts + U16(0x7FFF) + U32(0x80000001u) + texts;
    ASSERT_TRUE(LoadBytes(bytes));
    EXPECT_EQ(playlist.GetCount(), 4);
}

TEST_F(VmlFile, CountsAndLengthsFromTheFileNeverOutgrowTheFile)
{
    // A 6-byte file claiming four billion rows, and a text claiming four
    // billion characters, fail at once.
    ExpectLoadFailsClearingTheList(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF", 6), kPastEnd);
    ExpectLoadFailsClearingTheList(QByteArray("\x01\x00", 2) + kNewRowClass +
                                       QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10),
                                   kPastEnd);
}

TEST_F(VmlFile, SaveDialogUsesThePlaylistFilterAndExtension)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    prompt.m_saveAnswer = File("chosen.vml");
    EXPECT_TRUE(playlist.SaveList(true));
    EXPECT_EQ(prompt.m_lastFilters, QStringList{"Play List (*.vml)"});
    EXPECT_EQ(prompt.m_lastSuffix, "vml");
    EXPECT_EQ(ReadAll(File("chosen.vml")).size(), 2 + 18 + 4 * 4 + 2 * (5 + 2 + 8 + 5));

    prompt.m_saveAnswer.clear();
    EXPECT_FALSE(playlist.SaveList(true));
    EXPECT_TRUE(prompt.m_messages.isEmpty());
}

TEST_F(VmlFile, LoadDialogCancelOnlyRefreshesTheStatus)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    EXPECT_FALSE(playlist.LoadList(true));
    EXPECT_EQ(playlist.GetCount(), 1);
    EXPECT_EQ(playlist.m_strStatus, "1 Files");

    WriteAll(File("list.vml"), QByteArray("\x00\x00", 2));
    prompt.m_openAnswer = QStringList{File("list.vml")};
    EXPECT_TRUE(playlist.LoadList(true));
    EXPECT_EQ(prompt.m_lastFilters, QStringList{"Play List (*.vml)"});
    EXPECT_EQ(playlist.GetCount(), 0);
}

TEST_F(VmlFile, DefaultFileRoundTripsAndAMissingOneIsSilent)
{
    playlist.m_strStatus = QStringLiteral("untouched");
    EXPECT_FALSE(playlist.LoadList(false));
    EXPECT_TRUE(prompt.m_messages.isEmpty());
    EXPECT_EQ(playlist.m_strStatus, "untouched");

    // The data-home fallback folder is made when needed.
    playlist.SetDefaultFile(dir + QStringLiteral("/Velmora/default.vml"));
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    ASSERT_TRUE(playlist.SaveList(false));
    CPlaylist loaded;
    loaded.SetDefaultFile(playlist.DefaultFile());
    ASSERT_TRUE(loaded.LoadList(false));
    EXPECT_EQ(FileNames(loaded), QStringList{"a.mp3"});
}

TEST_F(VmlFile, MissingAndForbiddenFilesAreReportedByName)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    EXPECT_FALSE(playlist.LoadFromFile(File("missing.vml")));
    EXPECT_FALSE(playlist.SaveToFile(dir + QStringLiteral("/no-folder/x.vml")));
    EXPECT_FALSE(playlist.SaveToFile(dir));
    EXPECT_EQ(prompt.m_messages, (QStringList{File("missing.vml") + " was not found.",
                                              dir + "/no-folder/x.vml contains an invalid path.",
                                              "An unexpected error occurred while writing " + dir + "."}));
    EXPECT_EQ(FileNames(playlist), QStringList{"a.mp3"});
    EXPECT_EQ(closeCalls, 0);
}

TEST_F(VmlFile, UnreadableAndUnwritableFilesAreAccessDenied)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    WriteAll(File("locked.vml"), QByteArray("\x00\x00", 2));
    QFile::setPermissions(File("locked.vml"), QFile::Permissions());
    {
        playlisttest::CUnprivileged unprivileged;
        EXPECT_FALSE(playlist.LoadFromFile(File("locked.vml")));
        EXPECT_FALSE(playlist.SaveToFile(File("locked.vml")));
    }
    EXPECT_EQ(prompt.m_messages, (QStringList{"Access to " + File("locked.vml") + " was denied.",
                                              "Access to " + File("locked.vml") + " was denied."}));
    EXPECT_EQ(FileNames(playlist), QStringList{"a.mp3"});
}

TEST_F(VmlFile, FailedSaveKeepsThePreviousFileWhole)
{
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("a.mp3"));
    const QByteArray previous = SaveBytes();
    AddRow(playlist, QStringLiteral("/m"), QStringLiteral("more.mp3"));

    // No room for a single byte, as on a full disk.
    bool saved = true;
    {
        testsupport::CFileSizeLimit limit(0);
        saved = playlist.SaveToFile(File("out.vml"));
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(prompt.m_messages.size(), 1);
    EXPECT_TRUE(prompt.m_messages.first().contains(File("out.vml")));
    EXPECT_EQ(ReadAll(File("out.vml")), previous);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"out.vml"});
    EXPECT_EQ(playlist.GetCount(), 2);
}

}  // namespace
