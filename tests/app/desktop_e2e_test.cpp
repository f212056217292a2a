// SPDX-License-Identifier: GPL-3.0-or-later
// The player as a citizen of the desktop, through real clients on a private
// session bus: playerctl drives it as a media player, and an AT-SPI client
// finds and presses its skin's play/pause button.
#include "settings/localized_strings.h"
#include "player_harness.h"
#include "playlist/playlist.h"
#include "private_bus.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QThread>

namespace {

constexpr int kTimeoutMs = 15000;
constexpr int kGerman = 1031;
constexpr int kPlayPauseTip = 164;

// A 30-second tone, long enough never to end during a test.
QString Clip(const QString& name)
{
    const QString path = testsupport::BuildPath(QStringLiteral("tests/app/") + name);
    if (QFile(path).size() > 0)
        return path;
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"),
              QProcess::splitCommand(QStringLiteral("-q audiotestsrc num-buffers=1300 ! audioconvert ! wavenc ! "
                                                    "filesink location=") +
                                     path + QStringLiteral(".part")));
    if (!gst.waitForFinished(60000) || gst.exitCode() != 0)
        return {};
    QFile::rename(path + QStringLiteral(".part"), path);
    return path;
}

class DesktopE2eTest : public ::testing::Test {
protected:
    DesktopE2eTest() : m_harness(QStringLiteral("desktop-e2e")), m_savedBus(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
    {
        qputenv("VELMORA_AUDIO_SINK", "fakeaudiosink");
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        // The player and every client meet on the private bus only.
        if (m_bus.IsRunning())
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.Address().toLocal8Bit());
    }

    ~DesktopE2eTest() override
    {
        if (m_pPlayer && m_pPlayer->state() != QProcess::NotRunning) {
            m_pPlayer->terminate();
            m_pPlayer->waitForFinished(kTimeoutMs);
        }
        if (m_pBusLauncher) {
            m_pBusLauncher->terminate();
            m_pBusLauncher->waitForFinished(3000);
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_savedBus);
    }

    bool Ready() const { return m_bus.IsRunning() && m_harness.DisplayReady(); }

    void StartPlayer(const QStringList& arguments) { m_pPlayer = &m_harness.Start(arguments); }

    // Runs playerctl on the player; its trimmed output.
    QString Ctl(const QStringList& arguments) const
    {
        QProcess ctl;
        ctl.start(QStringLiteral("playerctl"),
                  QStringList{QStringLiteral("-p"), QStringLiteral("velmora")} + arguments);
        ctl.waitForFinished(kTimeoutMs);
        return QString::fromUtf8(ctl.readAllStandardOutput()).trimmed();
    }

    bool WaitForStatus(const QString& status) const
    {
        QDeadlineTimer deadline(kTimeoutMs);
        do {
            if (Ctl({QStringLiteral("status")}) == status)
                return true;
            QThread::msleep(100);
        } while (!deadline.hasExpired());
        return false;
    }

    double Position() const { return Ctl({QStringLiteral("position")}).toDouble(); }

    // Stores a setting in the profile the player reads at start.
    void SetProfileValue(const QString& key, const QVariant& value) const
    {
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        profile.setValue(QStringLiteral("Setting/") + key, value);
    }

    // Ends the player as the session does and reads a setting it stored.
    QVariant ProfileValueAfterExit(const QString& key)
    {
        m_pPlayer->terminate();
        if (!m_pPlayer->waitForFinished(kTimeoutMs))
            return {};
        return QSettings(m_harness.ProfilePath(), QSettings::IniFormat).value(QStringLiteral("Setting/") + key);
    }

    testsupport::PrivateBus m_bus;
    PlayerHarness m_harness;
    QByteArray m_savedBus;
    QProcess* m_pPlayer = nullptr;
    std::unique_ptr<QProcess> m_pBusLauncher;
};

TEST_F(DesktopE2eTest, PlayerctlReadsAndDrivesThePlayer)
{
    const QString first = Clip(QStringLiteral("desktop-first.wav"));
    const QString second = Clip(QStringLiteral("desktop-second.wav"));
    if (!Ready() || first.isEmpty() || second.isEmpty())
        GTEST_SKIP() << "no private bus, display or clips";
    // A two-row default playlist: the player starts with nothing playing.
    CPlaylist playlist;
    ASSERT_TRUE(playlist.AddFileByPath(first));
    ASSERT_TRUE(playlist.AddFileByPath(second));
    ASSERT_TRUE(playlist.SaveToFile(m_harness.DefaultPlaylistPath()));
    StartPlayer({});
    ASSERT_TRUE(WaitForStatus(QStringLiteral("Stopped")));

    // Announced changes reach a client that follows them.
    QProcess follower;
    follower.start(QStringLiteral("playerctl"), {QStringLiteral("-p"), QStringLiteral("velmora"),
                                                 QStringLiteral("--follow"), QStringLiteral("status")});
    ASSERT_TRUE(follower.waitForStarted(kTimeoutMs));

    // Play starts the selected row without asking for a file.
    Ctl({QStringLiteral("play")});
    ASSERT_TRUE(WaitForStatus(QStringLiteral("Playing")));
    EXPECT_EQ(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:title")}),
              QStringLiteral("desktop-first.wav"));
    EXPECT_EQ(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:url")}),
              QStringLiteral("file://") + QFileInfo(first).absoluteFilePath());
    const qlonglong lengthUs = Ctl({QStringLiteral("metadata"), QStringLiteral("mpris:length")}).toLongLong();
    EXPECT_NEAR(lengthUs, 30000000, 500000);
    const double early = Position();
    QThread::msleep(1500);
    EXPECT_GT(Position(), early + 0.5);

    Ctl({QStringLiteral("play-pause")});
    EXPECT_TRUE(WaitForStatus(QStringLiteral("Paused")));
    const double paused = Position();
    QThread::msleep(800);
    EXPECT_NEAR(Position(), paused, 0.1);
    QDeadlineTimer heard(kTimeoutMs);
    while (!follower.readAllStandardOutput().contains("Paused") && !heard.hasExpired())
        follower.waitForReadyRead(200);
    EXPECT_FALSE(heard.hasExpired()) << "no PropertiesChanged for the pause";
    follower.kill();
    follower.waitForFinished();

    Ctl({QStringLiteral("play-pause")});
    EXPECT_TRUE(WaitForStatus(QStringLiteral("Playing")));
    Ctl({QStringLiteral("next")});
    QDeadlineTimer next(kTimeoutMs);
    while (Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:title")}) != u"desktop-second.wav" &&
           !next.hasExpired())
        QThread::msleep(100);
    EXPECT_FALSE(next.hasExpired()) << "next did not move to the second row";
    EXPECT_TRUE(WaitForStatus(QStringLiteral("Playing")));

    // SetPosition seeks through the engine as the seek bar does.
    Ctl({QStringLiteral("position"), QStringLiteral("12")});
    EXPECT_NEAR(Position(), 12.0, 1.0);

    Ctl({QStringLiteral("stop")});
    EXPECT_TRUE(WaitForStatus(QStringLiteral("Stopped")));
    EXPECT_NEAR(Position(), 0.0, 0.2);

    // A quarter of the bar is -30 dB on the player's own scale.
    Ctl({QStringLiteral("volume"), QStringLiteral("0.25")});
    EXPECT_NEAR(Ctl({QStringLiteral("volume")}).toDouble(), 0.25, 0.001);
    EXPECT_EQ(ProfileValueAfterExit(QStringLiteral("Volume")).toInt(), -3000);
}

TEST_F(DesktopE2eTest, ScreenReaderPressesThePlayButtonByItsLocalizedName)
{
    const QString clip = Clip(QStringLiteral("desktop-first.wav"));
    if (!Ready() || clip.isEmpty() || !QFile::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")))
        GTEST_SKIP() << "no private bus, display, clip or AT-SPI";
    m_pBusLauncher = std::make_unique<QProcess>();
    m_pBusLauncher->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_pBusLauncher->start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                          {QStringLiteral("--launch-immediately")});
    ASSERT_TRUE(m_pBusLauncher->waitForStarted(kTimeoutMs));

    SetProfileValue(QStringLiteral("languageID"), kGerman);
    SetInterfaceLanguage(kGerman);
    const QString name = LoadLocalizedString(kPlayPauseTip);
    SetInterfaceLanguage(1033);
    ASSERT_NE(name, LoadLocalizedString(kPlayPauseTip)) << "the German name must differ from the English one";

    StartPlayer({clip});
    ASSERT_TRUE(WaitForStatus(QStringLiteral("Playing")));

    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VELMORA_ATSPI_PRESS_SCRIPT), name});
    ASSERT_TRUE(client.waitForFinished(30000));
    ASSERT_EQ(client.exitCode(), 0) << "the AT-SPI client found no button named " << name.toStdString();
    EXPECT_TRUE(WaitForStatus(QStringLiteral("Paused")));
}

}  // namespace
