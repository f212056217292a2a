// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/default_playlist_path.h"
#include "playlistwnd/folder_browse.h"
#include "playlist/media_files.h"
#include "platform/path_codec.h"
#include "playlist/foreign_playlist.h"
#include "playlistwnd/pl_file_dialog.h"
#include "playlist/playlist.h"
#include "playlist_test_util.h"
#include "recording_prompt.h"

#include <temp_home.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

using playlisttest::FileNames;
using playlisttest::Paths;
using playlisttest::WriteAll;

namespace {

class FolderTree : public playlisttest::PlaylistTest {
protected:
    FolderTree() : root(testsupport::MakeScratchDir(QStringLiteral("tree"))) {}

    QString Make(const QString& relative)
    {
        QString path = root + QLatin1Char('/') + relative;
        if (relative.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).absolutePath());
            WriteAll(path, "x");
        }
        return path;
    }

    QString root;
};

TEST_F(FolderTree, ScanAddsMediaFilesOfEveryFolderWithTheirOwnFolder)
{
    Make("a.mp3");
    Make("sub/b.avi");
    Make("c.txt");
    Make("x.MPEG");
    Make("x.mpeg.bak");
    Make("archive.tar.gz");
    Make("noextension");
    Make(".hidden/h.wma");
    Make("sub/deeper/d.rmvb");

    ASSERT_TRUE(playlist.AddFolder(root));
    QStringList paths = Paths(playlist);
    paths.sort();
    EXPECT_EQ(paths, (QStringList{root + "/.hidden/h.wma", root + "/a.mp3", root + "/sub/b.avi",
                                  root + "/sub/deeper/d.rmvb", root + "/x.MPEG"}));
    for (const auto& row : playlist.m_rows)
        EXPECT_EQ(row->m_strFolder + QLatin1Char('/') + row->m_strFileName, row->m_strPath);
    EXPECT_EQ(playlist.m_nSelected, 0);
    EXPECT_EQ(playlist.m_nTop, 0);
    EXPECT_EQ(playlist.GetCurrent(), -1);
    EXPECT_EQ(playlist.m_strStatus, "5 Files");
}

TEST_F(FolderTree, SubFolderRowsComeWhereTheSubFolderIsListed)
{
    Make("1.mp3");
    Make("4.mp3");
    Make("d/2.mp3");
    Make("d/3.mp3");
    Make("5.mp3");

    QStringList expected;
    for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); it.hasNext();) {
        it.next();
        if (it.fileInfo().isDir()) {
            QStringList inner;
            for (QDirIterator sub(it.filePath(), QDir::Files); sub.hasNext();)
                inner << sub.next();
            expected += inner;
        } else {
            expected << it.filePath();
        }
    }
    playlist.AddFolder(root);
    ASSERT_EQ(Paths(playlist), expected);
}

TEST_F(FolderTree, SymbolicLinksAreNeverEntered)
{
    Make("real/z.mp3");
    ASSERT_TRUE(QFile::link(root + "/real", root + "/real/loop"));
    ASSERT_TRUE(QFile::link(root, root + "/real/up"));
    ASSERT_TRUE(QFile::link(root + "/real", root + "/x.avi"));
    ASSERT_TRUE(QFile::link(root + "/nowhere", root + "/dangling.mp3"));

    playlist.AddFolder(root);
    QStringList paths = Paths(playlist);
    paths.sort();
    // The link named like a media file is a row of its own; what it points
    // to appears once, from its real place.
    EXPECT_EQ(paths, (QStringList{root + "/dangling.mp3", root + "/real/z.mp3", root + "/x.avi"}));
}

TEST_F(FolderTree, NamesThatAreNotUtf8KeepTheirBytesThroughScanDropAndPlaylistFile)
{
    // Latin-1 names, as an old disk or archive leaves them.
    const QByteArray folder = EncodePath(root) + "/f\xF6lder";
    const QByteArray file = folder + "/caf\xE9.mp3";
    ASSERT_EQ(mkdir(folder.constData(), 0700), 0);
    std::ofstream(file.toStdString()) << "x";

    ASSERT_TRUE(playlist.AddFolder(root));
    ASSERT_TRUE(
        playlist.AddFileByPath(PathFromLocalUrl(QUrl::fromEncoded("file://" + file.toPercentEncoding("/")))));
    ASSERT_EQ(playlist.GetCount(), 2);
    for (const auto& row : playlist.m_rows) {
        EXPECT_EQ(EncodePath(row->m_strPath), file);
        EXPECT_EQ(EncodePath(row->m_strFolder), folder);
    }

    const QString vml = root + QStringLiteral("/list.vml");
    ASSERT_TRUE(playlist.SaveToFile(vml));
    CPlaylist loaded;
    ASSERT_TRUE(loaded.LoadFromFile(vml));
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(EncodePath(loaded.GetRow(1).m_strPath), file);
    EXPECT_EQ(DisplayPath(loaded.GetRow(1).m_strFileName), QStringLiteral("caf\uFFFD.mp3"));

    // Playlists of other players with such names, listing the file by its
    // bytes and by a URI escaping them.
    const QByteArray lists[][2] = {
        {folder + "/l\xEFst.m3u", "caf\xE9.mp3\n"},
        {folder + "/l\xEFst.xspf",
         "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">"
         "<trackList><track><location>file://" +
             file.toPercentEncoding("/") + "</location></track></trackList></playlist>"},
    };
    for (const auto& [list, text] : lists) {
        std::ofstream(list.toStdString()) << text.toStdString();
        playlist.Clear();
        EXPECT_TRUE(playlist.AddFileByPath(DecodePath(list))) << list.toStdString();
        ASSERT_EQ(playlist.GetCount(), 1) << list.toStdString();
        EXPECT_EQ(EncodePath(playlist.GetRow(0).m_strPath), file);
    }
}

TEST_F(FolderTree, FoldersThatCannotBeReadOrEnteredAreSkipped)
{
    Make("ok.mp3");
    Make("closed/hidden.mp3");
    Make("listonly/unreachable.mp3");
    Make("enteronly/unlisted.mp3");
    QFile::setPermissions(root + "/closed", QFile::Permissions());
    QFile::setPermissions(root + "/enteronly", QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    QFile::setPermissions(root + "/listonly", QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);
    {
        playlisttest::CUnprivileged unprivileged;
        playlist.AddFolder(root);
        EXPECT_FALSE(playlist.AddFolder(root + "/closed"));
        EXPECT_FALSE(playlist.AddFileByPath(root + "/listonly/unreachable.mp3"));
    }
    QFile::setPermissions(root + "/closed", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(root + "/listonly", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(root + "/enteronly", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Paths(playlist), QStringList{root + "/ok.mp3"});
}

TEST(MediaFiles, ExtensionTestFoldsOnlyAsciiLettersAndUsesTheLastDot)
{
    for (const char* name :
         {"a.mpeg", "a.mpg",    "a.avi",     "a.wmv",          "a.asf",  "a.wm",   "a.wma",  "a.mp3", "a.wav",
          "a.mid",  "a.m2v",    "a.dat",     "a.avs",          "a.divx", "a.xvid", "a.mkv",  "a.mov", "a.mp4",
          "a.ogm",  "a.vob",    "a.ts",      "a.asx",          "a.b4s",  "a.m3u",  "a.wpl",  "a.zpl", "a.cda",
          "a.mp2",  "a.mpa",    "a.ogg",     "a.rm",           "a.rmvb", "a.flac", "a.opus", "a.oga", "a.m4a",
          "a.aac",  "a.mka",    "a.webm",    "a.ogv",          "a.m4v",  "a.wv",   "a.m3u8", "a.pls", "a.xspf",
          "x.MPEG", "Song.MP3", "clip.divx", "/m/dir.d/a.Mp3", ".mp3"})
        EXPECT_TRUE(IsMediaFile(QString::fromUtf8(name))) << name;
    for (const char* name : {"x.mpeg.bak", "archive.tar.gz", "noext", "movie.mpeg4", "a.vml", "a.", "a.mp3 ",
                             "a.m\u0130\u0130", "mp3", "/m/x.mp3/readme"})
        EXPECT_FALSE(IsMediaFile(QString::fromUtf8(name))) << name;
}

TEST(MediaFiles, DialogFiltersBecomeQtNameFilters)
{
    const QStringList filters = MediaFileNameFilters();
    ASSERT_EQ(filters.size(), 7);
    EXPECT_TRUE(filters[0].startsWith("Media files (All types) (*.mpeg *.mpg *.avi"));
    EXPECT_TRUE(filters[0].contains("*.ogg *.rmvb *.rm *.flac"));
    // The dialog offers exactly the files a folder scan takes.
    const QString allTypes = filters[0].section(QLatin1Char('('), 2).chopped(1);
    for (const QString& pattern : allTypes.split(QLatin1Char(' ')))
        EXPECT_TRUE(IsMediaFile(QStringLiteral("clip") + pattern.mid(1))) << pattern.toStdString();
    EXPECT_EQ(filters[1], "Movie file (*.mpeg *.mpg)");
    EXPECT_EQ(filters[3], "Windows Media file (*.asf *.wm *.wma *.wmv)");
    EXPECT_EQ(filters[6], "All Files (*)");
    EXPECT_EQ(ToNameFilters(QString::fromLatin1(kPlaylistFileFilter)), QStringList{"Play List (*.vml)"});
}

TEST_F(FolderTree, PlaylistsOfOtherPlayersAddTheLocalFilesTheyList)
{
    const QString a = Make("music/a.flac");
    const QString b = Make("music/b.flac");
    Make("music/c.flac");
    Make("lists/");
    WriteAll(root + "/lists/mix.m3u",
             "#EXTM3U\n../music/b.flac\n" + a.toUtf8() + "\nhttp://radio.example/stream\n../music/gone.flac\n");
    WriteAll(root + "/lists/mix.pls",
             "[playlist]\nFile1=" + b.toUtf8() + "\nFile2=" + a.toUtf8() + "\nNumberOfEntries=2\nVersion=2\n");
    WriteAll(root + "/lists/mix.xspf",
             "<?xml version=\"1.0\"?><playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><trackList>"
             "<track><location>file://" +
                 a.toUtf8() +
                 "</location></track>"
                 "<track><location>file://" +
                 b.toUtf8() + "</location></track></trackList></playlist>");
    WriteAll(root + "/lists/mix.asx",
             "<asx version=\"3.0\"><entry><ref href=\"file://" + b.toUtf8() + "\"/></entry></asx>");
    WriteAll(root + "/lists/mix.wpl",
             "<?wpl version=\"1.0\"?><smil><body><seq><media src=\"" + a.toUtf8() + "\"/></seq></body></smil>");
    WriteAll(root + "/lists/broken.pls", QByteArray("\x00\x01\x02\xff binary", 12));

    const struct {
        const char* list;
        QStringList rows;
    } cases[] = {
        {"mix.m3u", {b, a}}, {"mix.pls", {b, a}}, {"mix.xspf", {a, b}}, {"mix.asx", {b}}, {"mix.wpl", {a}},
    };
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        playlist.Clear();
        EXPECT_TRUE(playlist.AddFileByPath(root + "/lists/" + c.list)) << c.list;
        EXPECT_EQ(Paths(playlist), c.rows) << c.list;
        EXPECT_TRUE(prompt.m_messages.isEmpty()) << c.list;
    }

    CRecordingPrompt prompt;
    playlist.Clear();
    EXPECT_FALSE(playlist.AddFileByPath(root + "/lists/broken.pls"));
    EXPECT_EQ(playlist.GetCount(), 0);
    ASSERT_EQ(prompt.m_messages.size(), 1);
    EXPECT_TRUE(prompt.m_messages[0].contains(root + "/lists/broken.pls"));

    // A scanned folder holding the music and a list of it: the list's files
    // come in once more, the list itself never becomes a row.
    playlist.Clear();
    QFile::remove(root + "/lists/broken.pls");
    ASSERT_TRUE(playlist.AddFolder(root + "/music"));
    EXPECT_EQ(playlist.GetCount(), 3);
    WriteAll(root + "/music/all.m3u", "a.flac\nb.flac\n");
    playlist.Clear();
    ASSERT_TRUE(playlist.AddFolder(root + "/music"));
    EXPECT_EQ(playlist.GetCount(), 5);
    for (const auto& row : playlist.m_rows)
        EXPECT_TRUE(row->m_strFileName.endsWith(".flac")) << row->m_strFileName.toStdString();
}

TEST_F(FolderTree, PlaylistsOfOtherPlayersAreReadWithinTheirSize)
{
    const QString a = Make("a.flac");
    // 80 bytes that claim 2^31 - 1 entries and hold one.
    WriteAll(root + "/huge.pls", "[playlist]\nNumberOfEntries=2147483647\nFile0=" + a.toUtf8() + "\n");
    QByteArray many;
    for (int i = 0; i <= kMaxForeignEntries; ++i)
        many += "a.flac\n";
    WriteAll(root + "/many.m3u", many);

    const struct {
        const char* list;
        int rows;
        int messages;
    } cases[] = {{"huge.pls", 1, 0}, {"many.m3u", kMaxForeignEntries, 1}};
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        playlist.Clear();
        EXPECT_TRUE(playlist.AddFileByPath(root + '/' + c.list)) << c.list;
        EXPECT_EQ(playlist.GetCount(), c.rows) << c.list;
        ASSERT_EQ(prompt.m_messages.size(), c.messages) << c.list;
        if (c.messages) {
            EXPECT_TRUE(prompt.m_messages[0].contains(root + '/' + c.list));
        }
    }
}

TEST_F(FolderTree, EachPlaylistIsReadOncePerAdd)
{
    const QString a = Make("a.flac");
    const QString b = Make("b.flac");
    Make("sub/c.flac");
    WriteAll(root + "/sub/other.m3u", "c.flac\n");
    WriteAll(root + "/self.m3u", "a.flac\nself.m3u\n" + root.toUtf8() + "/./self.m3u\n");
    WriteAll(root + "/x.m3u", "a.flac\ny.m3u\n");
    WriteAll(root + "/y.m3u", "b.flac\nx.m3u\n");
    WriteAll(root + "/folder.m3u", "sub\nb.flac\n");

    const struct {
        const char* list;
        QStringList rows;
    } cases[] = {{"self.m3u", {a}}, {"x.m3u", {a, b}}, {"folder.m3u", {b}}};
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        playlist.Clear();
        EXPECT_TRUE(playlist.AddFileByPath(root + '/' + c.list)) << c.list;
        EXPECT_EQ(Paths(playlist), c.rows) << c.list;
        EXPECT_TRUE(prompt.m_messages.isEmpty()) << c.list;
    }
}

TEST(MediaFiles, TheDesktopEntryOffersEveryMediaTypeTheListHas)
{
    QFile entry(QStringLiteral(VELMORA_DESKTOP_ENTRY));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QStringList offered;
    for (const QByteArray& line : entry.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            offered = QString::fromUtf8(line.mid(9)).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QMimeDatabase types;
    const QString allTypes = MediaFileNameFilters()[0].section(QLatin1Char('('), 2).chopped(1);
    for (const QString& pattern : allTypes.split(QLatin1Char(' '))) {
        const QMimeType type = types.mimeTypeForFile(QStringLiteral("clip") + pattern.mid(1),
                                                     QMimeDatabase::MatchExtension);
        // Extensions without a media type of their own (.dat, .cda, .ts) are not claimed.
        if (type.isDefault() || type.name().startsWith(QLatin1String("text/")))
            continue;
        EXPECT_TRUE(offered.contains(type.name())) << pattern.toStdString() << " " << type.name().toStdString();
    }
}

TEST_F(FolderTree, FileDialogAddsTheChosenFilesInItsOrder)
{
    CRecordingPrompt prompt;
    const QStringList chosen = {Make("c.mp3"), Make("a.txt"), Make("b.avi")};
    CPLFileDialog addFiles(playlist);
    prompt.m_openAnswer = chosen;
    ASSERT_TRUE(addFiles.DoModal(nullptr));
    ASSERT_TRUE(addFiles.DoModal(nullptr));
    EXPECT_EQ(prompt.m_lastFilters.size(), 7);
    EXPECT_EQ(Paths(playlist), chosen + chosen);
    EXPECT_EQ(closeCalls, 0);

    CPLFileDialog open(playlist);
    open.m_bClearFirst = true;
    prompt.m_openAnswer = QStringList{chosen[1]};
    ASSERT_TRUE(open.DoModal(nullptr));
    EXPECT_EQ(FileNames(playlist), QStringList{"a.txt"});
    EXPECT_EQ(closeCalls, 1);

    // Cancelled: not even the clearing happens.
    prompt.m_openAnswer.clear();
    EXPECT_FALSE(open.DoModal(nullptr));
    EXPECT_EQ(playlist.GetCount(), 1);
    EXPECT_EQ(closeCalls, 1);
}

TEST_F(FolderTree, AddDirectoryAsksForAFolderAndScansIt)
{
    CRecordingPrompt prompt;
    Make("a.mp3");
    EXPECT_FALSE(AddFolderFromBrowser(playlist, nullptr));
    EXPECT_EQ(prompt.m_lastTitle, "Select folder");
    EXPECT_EQ(playlist.GetCount(), 0);

    prompt.m_folderAnswer = root;
    EXPECT_TRUE(AddFolderFromBrowser(playlist, nullptr));
    EXPECT_EQ(FileNames(playlist), QStringList{"a.mp3"});
}

TEST(DefaultPlaylistPath, BesideAWritableExecutableElseInTheDataHome)
{
    const QString exeDir = testsupport::MakeScratchDir(QStringLiteral("exe"));
    const QString dataHome = testsupport::MakeScratchDir(QStringLiteral("data"));
    EXPECT_EQ(DefaultPlaylistPath(exeDir, dataHome), exeDir + "/default.vml");
    EXPECT_EQ(DefaultPlaylistPath(exeDir + "/missing", dataHome), dataHome + "/Velmora/default.vml");
    // An installed player, even one run by root, keeps its playlist out of
    // the system's program folders.
    EXPECT_EQ(DefaultPlaylistPath(QStringLiteral("/usr/bin"), dataHome), dataHome + "/Velmora/default.vml");
    EXPECT_EQ(DefaultPlaylistPath(QStringLiteral("/bin"), dataHome), dataHome + "/Velmora/default.vml");
    QFile::setPermissions(exeDir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                                      QFile::ReadGroup | QFile::ExeGroup);
    {
        playlisttest::CUnprivileged unprivileged;
        EXPECT_EQ(DefaultPlaylistPath(exeDir, dataHome), dataHome + "/Velmora/default.vml");
    }
}

}  // namespace
