// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/default_application.h"
#include "assoc/desktop_entry.h"
#include "assoc/file_assoc.h"
#include <file_size_limit.h>
#include <xdg_folders.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#include <gtest/gtest.h>

namespace {

constexpr int MP3 = 8;
constexpr int DAT = 4;

class FileAssocTest : public XdgFoldersTest {};

TEST_F(FileAssocTest, ExtensionWithoutMimeTypeIsAKeyThatDoesNotExist)
{
    ASSERT_TRUE(CFileAssoc::Key(DAT).isEmpty()) << "this machine has a MIME type for .dat";
    const QByteArray list = "[Default Applications]\napplication/octet-stream=velmora.desktop\n";
    WriteFile(UserList(), list);
    InstallApp(SystemApplications(), kPlayerDesktopId);

    EXPECT_FALSE(CFileAssoc::IsAssociatedExt(QStringLiteral("dat")));
    EXPECT_FALSE(CFileAssoc::BackupType(DAT));
    EXPECT_FALSE(CFileAssoc::Associate(DAT));
    EXPECT_FALSE(CFileAssoc::RestoreType(DAT));
    EXPECT_EQ(ReadFile(UserList()), list);
    EXPECT_TRUE(Backup(QStringLiteral(".dat")).isNull());
}

TEST_F(FileAssocTest, OnlyTheExactDesktopIdCountsAsAssociated)
{
    InstallApp(SystemApplications(), QStringLiteral("Velmora.desktop"));
    InstallApp(SystemApplications(), kPlayerDesktopId);
    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=Velmora.desktop\n");
    EXPECT_FALSE(CFileAssoc::IsAssociated(MP3));

    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=velmora.desktop;\n");
    EXPECT_TRUE(CFileAssoc::IsAssociated(MP3));
    EXPECT_TRUE(CFileAssoc::IsAssociatedExt(QStringLiteral("mp3")));
}

TEST_F(FileAssocTest, EffectiveDefaultFollowsTheDesktopsLookupOrder)
{
    const QString mp3 = QStringLiteral("audio/mpeg");
    InstallApp(SystemApplications(), QStringLiteral("system.desktop"));
    InstallApp(UserApplications(), QStringLiteral("user.desktop"));
    InstallApp(SystemApplications() + QStringLiteral("/vendor"), QStringLiteral("sub.desktop"));
    WriteFile(SystemApplications() + QStringLiteral("/mimeapps.list"),
              "[Default Applications]\naudio/mpeg=data.desktop\n");
    InstallApp(SystemApplications(), QStringLiteral("data.desktop"));
    EXPECT_EQ(defaultapp::EffectiveDefault(mp3), QStringLiteral("data.desktop"));

    // The system's config folder comes before the data folders; a listed
    // desktop ID installed nowhere is passed over.
    WriteFile(SystemConfigDir() + QStringLiteral("/mimeapps.list"),
              "[Default Applications]\naudio/mpeg=gone.desktop;system.desktop;\n");
    EXPECT_EQ(defaultapp::EffectiveDefault(mp3), QStringLiteral("system.desktop"));

    // The user's list comes first; a dash may name a subfolder.
    WriteFile(UserList(), "[Added Associations]\naudio/mpeg=user.desktop\n"
                          "[Default Applications]\naudio/mpeg=vendor-sub.desktop\n");
    EXPECT_EQ(defaultapp::EffectiveDefault(mp3), QStringLiteral("vendor-sub.desktop"));

    // A desktop's own list comes before the plain one in the same folder.
    WriteFile(QFileInfo(UserList()).path() + QStringLiteral("/xfce-mimeapps.list"),
              "[Default Applications]\naudio/mpeg=user.desktop\n");
    setenv("XDG_CURRENT_DESKTOP", "Foo:XFCE", 1);
    EXPECT_EQ(defaultapp::EffectiveDefault(mp3), QStringLiteral("user.desktop"));
    unsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_EQ(defaultapp::EffectiveDefault(mp3), QStringLiteral("vendor-sub.desktop"));
}

TEST_F(FileAssocTest, AssociateThenRestoreGivesTheUserEntryBack)
{
    InstallApp(SystemApplications(), QStringLiteral("old.desktop"));
    InstallApp(SystemApplications(), QStringLiteral("system.desktop"));
    WriteFile(SystemConfigDir() + QStringLiteral("/mimeapps.list"),
              "[Default Applications]\naudio/mpeg=system.desktop\n");
    // A repeated key counts with its last value.
    WriteFile(UserList(), "[Default Applications]\naudio/mpeg=first.desktop\n"
                          "audio/mpeg=old.desktop;system.desktop;\n");

    ASSERT_TRUE(CFileAssoc::BackupType(MP3));
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    EXPECT_TRUE(CFileAssoc::IsAssociated(MP3));
    EXPECT_EQ(ReadFile(UserList()), QByteArray("[Default Applications]\naudio/mpeg=velmora.desktop\n"));
    EXPECT_EQ(Backup(QStringLiteral(".mp3")), QStringLiteral("old.desktop;system.desktop;"));

    ASSERT_TRUE(CFileAssoc::RestoreType(MP3));
    EXPECT_FALSE(CFileAssoc::IsAssociated(MP3));
    EXPECT_EQ(ReadFile(UserList()),
              QByteArray("[Default Applications]\naudio/mpeg=old.desktop;system.desktop;\n"));
    EXPECT_EQ(Backup(QStringLiteral(".mp3")), QStringLiteral("old.desktop;system.desktop;"));

    // Without an entry of the user's own, restoring removes the player's,
    // and the system's default applies again.
    WriteFile(UserList(), "[Default Applications]\n");
    ASSERT_TRUE(CFileAssoc::BackupType(MP3));
    EXPECT_EQ(Backup(QStringLiteral(".mp3")), QStringLiteral(""));
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    EXPECT_EQ(defaultapp::EffectiveDefault(QStringLiteral("audio/mpeg")), kPlayerDesktopId);
    ASSERT_TRUE(CFileAssoc::RestoreType(MP3));
    EXPECT_EQ(ReadFile(UserList()), QByteArray("[Default Applications]\n"));
    EXPECT_EQ(defaultapp::EffectiveDefault(QStringLiteral("audio/mpeg")), QStringLiteral("system.desktop"));
}

TEST_F(FileAssocTest, HandWrittenListSurvivesByteForByte)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    const QByteArray original = "# my associations\n"
                                "[Added Associations]\n"
                                "audio/mpeg=old.desktop;other.desktop;\n"
                                "\n"
                                "[Default Applications]\n"
                                "video/mpeg = mpv.desktop\r\n"
                                "#  keep this comment\n"
                                "text/plain=gedit.desktop\n"
                                "\n"
                                "[Removed Associations]\n"
                                "image/png=gimp.desktop\n"
                                "x-scheme-handler/unknown=\xff\xfe raw bytes";
    WriteFile(UserList(), original);

    ASSERT_TRUE(CFileAssoc::BackupType(MP3));
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    QByteArray expected = original;
    expected.replace("text/plain=gedit.desktop\n", "text/plain=gedit.desktop\naudio/mpeg=velmora.desktop\n");
    EXPECT_EQ(ReadFile(UserList()), expected);

    ASSERT_TRUE(CFileAssoc::BackupType(10));  // .mpg: video/mpeg
    ASSERT_TRUE(CFileAssoc::Associate(10));
    expected.replace("video/mpeg = mpv.desktop\r\n", "video/mpeg=velmora.desktop\r\n");
    EXPECT_EQ(ReadFile(UserList()), expected);

    ASSERT_TRUE(CFileAssoc::RestoreType(MP3));
    ASSERT_TRUE(CFileAssoc::RestoreType(10));
    QByteArray restored = original;
    restored.replace("video/mpeg = mpv.desktop", "video/mpeg=mpv.desktop");
    EXPECT_EQ(ReadFile(UserList()), restored);
}

TEST_F(FileAssocTest, FullDiskLeavesTheListWhole)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    const QByteArray original = "[Default Applications]\naudio/mpeg=velmora.desktop\ntext/plain=gedit.desktop\n";
    WriteFile(UserList(), original);
    bool restored = true;
    {
        testsupport::CFileSizeLimit full(0);
        restored = CFileAssoc::RestoreType(MP3);
    }
    EXPECT_FALSE(restored);
    EXPECT_EQ(ReadFile(UserList()), original);
}

TEST_F(FileAssocTest, MissingListAndGroupAreCreated)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    EXPECT_EQ(ReadFile(UserList()), QByteArray("[Default Applications]\naudio/mpeg=velmora.desktop\n"));

    WriteFile(UserList(), "[Added Associations]\naudio/mpeg=old.desktop");
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    EXPECT_EQ(ReadFile(UserList()), QByteArray("[Added Associations]\naudio/mpeg=old.desktop\n\n"
                                               "[Default Applications]\naudio/mpeg=velmora.desktop\n"));
}

TEST_F(FileAssocTest, ListThatCannotBeReadIsLeftAloneAndNotAssociated)
{
    InstallApp(SystemApplications(), kPlayerDesktopId);
    {
        QFile huge(UserList());
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(64 * 1024 * 1024));
    }
    EXPECT_FALSE(CFileAssoc::BackupType(MP3));
    EXPECT_FALSE(CFileAssoc::Associate(MP3));
    EXPECT_FALSE(CFileAssoc::RestoreType(MP3));
    EXPECT_EQ(QFileInfo(UserList()).size(), 64 * 1024 * 1024);
    EXPECT_TRUE(Backup(QStringLiteral(".mp3")).isNull());
}

TEST_F(FileAssocTest, FirstAssociationInstallsAnEntryStartingThisProgram)
{
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    const QString entry = UserApplications() + u'/' + kPlayerDesktopId;
    const QByteArray text = ReadFile(entry);
    const QByteArray exec = "\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + " %f\n";
    ASSERT_FALSE(QCoreApplication::applicationFilePath().contains(u' '));
    EXPECT_TRUE(text.contains(exec)) << text.constData();
    EXPECT_TRUE(UserDesktopEntryText(QStringLiteral("/opt/my player/50%/velmora"))
                    .contains("\nExec=\"/opt/my player/50%%/velmora\" %f\n"));
    EXPECT_TRUE(CFileAssoc::IsAssociated(MP3));

    // The shipped entry offers the player for every type it can take over.
    const QByteArray mimeLine = text.mid(text.indexOf("\nMimeType=") + 10).split('\n').first();
    const QList<QByteArray> offered = mimeLine.split(';');
    for (int i = 0; i < FILE_TYPE_COUNT; ++i) {
        if (!CFileAssoc::Key(i).isEmpty()) {
            EXPECT_TRUE(offered.contains(CFileAssoc::Key(i).toUtf8())) << qPrintable(CFileAssoc::Key(i));
        }
    }

    // An entry installed elsewhere is used as it is.
    QFile::remove(entry);
    InstallApp(SystemApplications(), kPlayerDesktopId);
    ASSERT_TRUE(CFileAssoc::Associate(MP3));
    EXPECT_FALSE(QFile::exists(entry));
}

TEST_F(FileAssocTest, UserEntryIsFoundAsTheDesktopReadsIt)
{
    constexpr int AVI = 3;
    constexpr int WAV = 12;
    const QString wav = CFileAssoc::Key(WAV);
    ASSERT_TRUE(QMimeDatabase().mimeTypeForName(wav).aliases().contains(QStringLiteral("audio/wav")))
        << qPrintable(wav);
    InstallApp(SystemApplications(), kPlayerDesktopId);
    struct Case {
        int index;
        QByteArray list;
        QString previous;
        QByteArray associated;
    };
    const Case cases[] = {
        // An alias of the type.
        {WAV, "[Default Applications]\naudio/wav=prev.desktop\n", QStringLiteral("prev.desktop"),
         "[Default Applications]\n" + wav.toUtf8() + "=velmora.desktop\n"},
        // CRLF line ends.
        {AVI, "[Default Applications]\r\nvideo/x-msvideo=vlc.desktop\r\ntext/plain=gedit.desktop\r\n",
         QStringLiteral("vlc.desktop"),
         "[Default Applications]\r\nvideo/x-msvideo=velmora.desktop\r\ntext/plain=gedit.desktop\r\n"},
        // Blanks around key and value.
        {AVI, "[Default Applications]\n video/x-msvideo = vlc;mpv; \n", QStringLiteral("vlc;mpv;"),
         "[Default Applications]\nvideo/x-msvideo=velmora.desktop\n"},
    };
    for (const Case& c : cases) {
        WriteFile(UserList(), c.list);
        ASSERT_TRUE(CFileAssoc::BackupType(c.index));
        ASSERT_TRUE(CFileAssoc::Associate(c.index));
        EXPECT_EQ(Backup(CFileAssoc::GetExtension(c.index)), c.previous) << c.list.constData();
        EXPECT_EQ(ReadFile(UserList()), c.associated);
        EXPECT_EQ(GioDefault(CFileAssoc::Key(c.index)), kPlayerDesktopId) << c.list.constData();
    }
}

}  // namespace
