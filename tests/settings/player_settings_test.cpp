// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/autostart_entry.h"
#include "settings/player_settings.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <climits>

namespace {

const QString kExecutable = QStringLiteral("/opt/velmora/bin/velmora");

class PlayerSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = testsupport::MakeScratchDir(QStringLiteral("settings"));
        m_profile = m_dir + QStringLiteral("/Olvistra/Velmora.ini");
        QFile::remove(AutostartPath());
    }

    QString AutostartPath() const
    {
        return testsupport::ConfigHome() + QStringLiteral("/autostart/velmora.desktop");
    }

    void WriteProfile(const QByteArray& text) const
    {
        QDir().mkpath(m_dir + QStringLiteral("/Olvistra"));
        QFile file(m_profile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    void WriteAutostart(const QString& exec) const
    {
        QDir().mkpath(QFileInfo(AutostartPath()).path());
        QFile file(AutostartPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("[Desktop Entry]\nType=Application\nExec=" + exec + "\n").toUtf8());
    }

    // Loads a settings object without letting its destructor save.
    std::unique_ptr<CPlayerSettings> Loaded() const
    {
        auto settings = std::make_unique<CPlayerSettings>(m_profile, kExecutable);
        settings->Load();
        return settings;
    }

    QString m_dir;
    QString m_profile;
};

TEST_F(PlayerSettingsTest, EmptyProfileGivesEveryDefault)
{
    const auto s = Loaded();
    EXPECT_EQ(s->TopMost, 0);
    EXPECT_EQ(s->StartMinimizeToTray, 0);
    EXPECT_EQ(s->DisableScreenSaver, 1);
    EXPECT_EQ(s->DisablePowerSaver, 1);
    EXPECT_EQ(s->AutoSizeWin, 0);
    EXPECT_EQ(s->AutoLoadSubtitles, 1);  // on unless turned off
    EXPECT_FALSE(s->m_bRunAtStartup);
    EXPECT_EQ(s->Mute, 0);
    EXPECT_EQ(s->Volume, 0);
    EXPECT_EQ(s->m_rcMain, (CWindowRect{100, 100, 503, 380}));
    EXPECT_EQ(s->m_rcPlaylist, (CWindowRect{502, 100, 820, 200}));
    EXPECT_EQ(s->Skin, 0);
    EXPECT_EQ(s->m_nShutdownMode, SHUTDOWN_NONE);
    EXPECT_FALSE(s->m_bSkinSwitchFlag);
    EXPECT_EQ(s->m_hotKeys, DefaultHotKeys());
    EXPECT_EQ(s->Repeat, 0);
    EXPECT_EQ(s->PlaylistRepeat, 0);
    EXPECT_EQ(s->Shuffle, 0);
    EXPECT_EQ(s->ShowFP, 1);
    EXPECT_EQ(s->PLShow, 0);
    EXPECT_EQ(s->Docked, 1);
    EXPECT_EQ(s->DockedSide, 10);
    EXPECT_EQ(s->Distance, 0);
}

TEST_F(PlayerSettingsTest, SavedValuesReadBackUnchanged)
{
    {
        CPlayerSettings s(m_profile, kExecutable);
        s.Load();
        s.TopMost = 1;
        s.Volume = -2000;
        s.Distance = -35;
        s.DockedSide = 3;
        s.m_rcMain = {-1200, 40, -797, 320};
        s.m_rcPlaylist = {10, 20, 30, 40};
        s.m_hotKeys[HOTKEY_PLAY] = 0x80027;
        s.m_hotKeys[HOTKEY_STOP] = 0;
        s.languageID = 1031;
        s.Shuffle = 1;
        s.Skin = 1;
        s.UserSkin = QStringLiteral("dusk glass");
        s.m_nShutdownMode = SHUTDOWN_MINUTES;
        s.m_bSkinSwitchFlag = true;
    }  // the destructor saves

    const auto s = Loaded();
    EXPECT_EQ(s->TopMost, 1);
    EXPECT_EQ(s->Volume, -2000);
    EXPECT_EQ(s->Distance, -35);
    EXPECT_EQ(s->DockedSide, 3);
    EXPECT_EQ(s->m_rcMain, (CWindowRect{-1200, 40, -797, 320}));
    EXPECT_EQ(s->m_rcPlaylist, (CWindowRect{10, 20, 30, 40}));
    EXPECT_EQ(s->m_hotKeys[HOTKEY_PLAY], 0x80027u);
    EXPECT_EQ(s->m_hotKeys[HOTKEY_STOP], 0u);
    EXPECT_EQ(s->languageID, 1031);
    EXPECT_EQ(s->Shuffle, 1);
    EXPECT_EQ(s->Skin, 1);
    EXPECT_EQ(s->m_nBitmapSkin, 1);  // the switch key's way back to the chosen skin
    EXPECT_EQ(s->UserSkin, QStringLiteral("dusk glass"));
    // Never stored: every run starts without them.
    EXPECT_EQ(s->m_nShutdownMode, SHUTDOWN_NONE);
    EXPECT_FALSE(s->m_bSkinSwitchFlag);

    QSettings raw(m_profile, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Setting/Volume")).toString(), QStringLiteral("-2000"));
    EXPECT_EQ(raw.value(QStringLiteral("Setting/hotkey_Play")).toString(), QStringLiteral("524327"));
    EXPECT_FALSE(raw.contains(QStringLiteral("Setting/m_nShutdownMode")));
}

TEST_F(PlayerSettingsTest, StoredNumbersAreThirtyTwoBit)
{
    WriteProfile("[Setting]\nVolume=4294965296\nlanguageID=198663\nTopMost=99999999999\n"
                 "Shuffle=yes\nDistance= -7 \n");
    const auto s = Loaded();
    EXPECT_EQ(s->Volume, -2000);       // the unsigned form of -2000
    EXPECT_EQ(s->languageID, 0x0807);  // 0x30807: only the low 16 bits
    EXPECT_EQ(s->TopMost, 0);          // out of range: default
    EXPECT_EQ(s->Shuffle, 0);          // not a number: default
    EXPECT_EQ(s->Distance, -7);

    // The ends of both 32-bit ranges are taken; one beyond gives the default.
    const struct {
        const char* text;
        int distance;
    } ends[] = {{"4294967295", -1}, {"4294967296", 0}, {"-2147483648", INT_MIN}, {"-2147483649", 0}};
    for (const auto& c : ends) {
        WriteProfile(QByteArray("[Setting]\nDistance=") + c.text + '\n');
        EXPECT_EQ(Loaded()->Distance, c.distance) << c.text;
    }
}

TEST_F(PlayerSettingsTest, VolumeOutsideTheAudioRangeIsClamped)
{
    WriteProfile("[Setting]\nVolume=500\n");
    EXPECT_EQ(Loaded()->Volume, 0);
    WriteProfile("[Setting]\nVolume=-20000\n");
    EXPECT_EQ(Loaded()->Volume, -10000);
}

TEST_F(PlayerSettingsTest, StreamLanguagesAreShortLetterCodesOrNothing)
{
    const struct {
        const char* stored;
        const char* read;
    } cases[] = {{"RUS", "rus"}, {"pt", "pt"}, {"none", "none"}, {"e n", ""}, {"../x", ""}, {"abcdefghi", ""}};
    for (const auto& c : cases) {
        WriteProfile(QByteArray("[Setting]\nAudioLanguage=") + c.stored + "\nSubtitleLanguage=" + c.stored + "\n");
        const auto s = Loaded();
        EXPECT_EQ(s->AudioLanguage, QString::fromLatin1(c.read)) << c.stored;
        EXPECT_EQ(s->SubtitleLanguage, QString::fromLatin1(c.read)) << c.stored;
    }
}

TEST_F(PlayerSettingsTest, UnreadableProfileGivesDefaultsAndIsKept)
{
    WriteProfile("[Setting]\nVolume=-1500\n");
    QFile::setPermissions(m_profile, QFileDevice::Permissions());
    if (QFile(m_profile).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with permission to read any file";
    {
        CPlayerSettings s(m_profile, kExecutable);
        s.Load();
        EXPECT_EQ(s.Volume, 0);
    }
    QFile::setPermissions(m_profile + QStringLiteral(".unreadable"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QSettings kept(m_profile + QStringLiteral(".unreadable"), QSettings::IniFormat);
    EXPECT_EQ(kept.value(QStringLiteral("Setting/Volume")).toInt(), -1500);
}

TEST_F(PlayerSettingsTest, ProfileThatCannotBeOpenedGivesDefaults)
{
    QDir().mkpath(m_profile);  // a folder where the file should be
    CPlayerSettings s(m_profile, kExecutable);
    s.Load();
    EXPECT_EQ(s.Volume, 0);
    EXPECT_EQ(s.m_rcMain, (CWindowRect{100, 100, 503, 380}));
    s.Save();  // fails quietly, loses nothing
    EXPECT_TRUE(QFileInfo(m_profile + QStringLiteral(".unreadable")).isDir() || QFileInfo(m_profile).isDir());
}

TEST_F(PlayerSettingsTest, GarbageProfileNeverCrashes)
{
    WriteProfile(QByteArray("\x00\xff[[[Setting\n=\n==\nVolume\n[Setting]\nVolume=-300\n\xfe", 40));
    const auto s = Loaded();
    EXPECT_GE(s->Volume, -4000);
}

TEST_F(PlayerSettingsTest, OtherGroupsSurviveASave)
{
    WriteProfile("[FileTypeBackup]\n.avi=video/x-msvideo-old\n[Setting]\nVolume=-100\n");
    {
        CPlayerSettings s(m_profile, kExecutable);
        s.Load();
    }
    QSettings raw(m_profile, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("FileTypeBackup/.avi")).toString(), QStringLiteral("video/x-msvideo-old"));
    EXPECT_EQ(raw.value(QStringLiteral("Setting/Volume")).toInt(), -100);
}

TEST_F(PlayerSettingsTest, RunAtStartupMatchesOnlyTheExactCommand)
{
    WriteAutostart(QStringLiteral("\"/opt/velmora/bin/velmora\" /background"));
    EXPECT_TRUE(Loaded()->m_bRunAtStartup);

    WriteAutostart(QStringLiteral("\"/usr/bin/velmora\" /background"));
    EXPECT_FALSE(Loaded()->m_bRunAtStartup) << "another path";

    WriteAutostart(QStringLiteral("/opt/velmora/bin/velmora /background"));
    EXPECT_FALSE(Loaded()->m_bRunAtStartup) << "no quotes";

    WriteAutostart(QStringLiteral("\"/opt/velmora/bin/velmora\" -background"));
    EXPECT_FALSE(Loaded()->m_bRunAtStartup) << "another argument";
}

TEST_F(PlayerSettingsTest, SaveWritesOrDeletesTheAutostartEntry)
{
    WriteAutostart(QStringLiteral("/opt/velmora/bin/velmora /background"));
    {
        CPlayerSettings s(m_profile, kExecutable);
        s.Load();
    }
    EXPECT_FALSE(QFile::exists(AutostartPath())) << "a non-matching entry is deleted";

    {
        CPlayerSettings s(m_profile, kExecutable);
        s.Load();
        s.m_bRunAtStartup = true;
    }
    ASSERT_TRUE(QFile::exists(AutostartPath()));
    EXPECT_TRUE(Loaded()->m_bRunAtStartup);
}

TEST(AutostartEntryTest, ExecQuotesAndEscapesThePath)
{
    EXPECT_EQ(CAutostartEntry::ExecValue(QStringLiteral("/usr/bin/velmora"), QStringLiteral("/background")),
              QStringLiteral("\"/usr/bin/velmora\" /background"));
    // Inside quotes \ " ` $ take a backslash; the key file doubles every
    // backslash and field codes double %.
    EXPECT_EQ(CAutostartEntry::ExecValue(QStringLiteral("/a b/$x\"%y\\z"), QStringLiteral("/background")),
              QStringLiteral("\"/a b/\\\\$x\\\\\"%%y\\\\\\\\z\" /background"));

    const QString path = testsupport::MakeScratchDir(QStringLiteral("autostart")) + QStringLiteral("/e.desktop");
    CAutostartEntry entry(path);
    const QString odd = QStringLiteral("/tmp/my \"videos\"/$HOME/100%/velmora");
    ASSERT_TRUE(entry.Write(odd, QStringLiteral("/background")));
    EXPECT_TRUE(entry.Matches(odd, QStringLiteral("/background")));
    EXPECT_FALSE(entry.Matches(QStringLiteral("/tmp/velmora"), QStringLiteral("/background")));
    EXPECT_TRUE(entry.Remove());
    EXPECT_TRUE(entry.Remove()) << "a missing entry is not an error";
}

TEST(WindowRectTest, StoredRectanglesFitTheScreens)
{
    const QList<QRect> screens = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    const struct {
        const char* what;
        CWindowRect stored;
        CWindowRect fitted;
    } cases[] = {
        {"on screen", {100, 100, 503, 380}, {100, 100, 503, 380}},
        {"huge", {0, 0, 100000, 100000}, {0, 0, 1920, 1040}},
        {"mostly on the second", {3000, 10, 3400, 300}, {2800, 10, 3200, 300}},
        {"off every screen", {-5000, 9000, -4600, 9280}, {0, 760, 400, 1040}},
        {"extreme numbers", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 1920, 1040}},
        {"inverted", {500, 500, 400, 400}, {500, 500, 500, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored.FittedInto(screens), c.fitted) << c.what;
    EXPECT_EQ((CWindowRect{1, 2, 3, 4}).FittedInto({}), (CWindowRect{1, 2, 3, 4}));
}

}  // namespace
