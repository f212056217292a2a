// SPDX-License-Identifier: GPL-3.0-or-later
// End-to-end tests of start-up and the second-start protocol on the real
// binary, on a private X server.
#include "mainwnd/copy_data.h"
#include "app/instance_protocol.h"
#include "player_harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <vector>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kEndTimeoutMs = 15000;

QByteArray Utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!m_harness.DisplayReady())
            GTEST_SKIP() << "Xvfb is not available";
    }

    QProcess& StartFirst(const QStringList& arguments)
    {
        QProcess& first = m_harness.Start(arguments);
        EXPECT_TRUE(m_harness.WaitUntilListening());
        return first;
    }

    // A one-second tone in the test's folder.
    QString MakeClip(const QString& name) const
    {
        const QString path = m_harness.Folder() + u'/' + name;
        QProcess gst;
        gst.start(QStringLiteral("gst-launch-1.0"),
                  {QStringLiteral("-q"), QStringLiteral("audiotestsrc"), QStringLiteral("num-buffers=44"),
                   QStringLiteral("!"), QStringLiteral("wavenc"), QStringLiteral("!"), QStringLiteral("filesink"),
                   QStringLiteral("location=") + path});
        return gst.waitForFinished(30000) && gst.exitCode() == 0 ? path : QString();
    }

    static bool EndsWithin(QProcess& process, int timeoutMs)
    {
        return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    }

    PlayerHarness m_harness{QStringLiteral("e2e")};
};

TEST_F(SingleInstanceTest, BackgroundSwitchHidesTheWindowsEitherWay)
{
    for (const char* hidden : {"/background", "-background"}) {
        PlayerHarness harness(QStringLiteral("background"));
        harness.Start({QString::fromLatin1(hidden)});
        ASSERT_TRUE(harness.WaitUntilListening());
        QThread::msleep(300);
        EXPECT_FALSE(harness.MainWindowVisible()) << hidden;
    }
    PlayerHarness harness(QStringLiteral("capital"));
    harness.Start({QStringLiteral("/Background")});
    ASSERT_TRUE(harness.WaitUntilListening());
    EXPECT_TRUE(harness.WaitForMainWindowVisible(true)) << "the switch is case-sensitive";
}

TEST_F(SingleInstanceTest, SecondStartWithoutFileShowsTheFirstAndEnds)
{
    QProcess& first = StartFirst({QStringLiteral("-background")});
    EXPECT_FALSE(m_harness.MainWindowVisible());

    qint64 elapsed = 0;
    EXPECT_EQ(m_harness.RunToEnd({}, kEndTimeoutMs, &elapsed), 0);
    EXPECT_TRUE(m_harness.WaitForMainWindowVisible(true));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, SecondStartWithFileHandsItOverAndEnds)
{
    const QString clip = MakeClip(QStringLiteral("handed over.wav"));
    ASSERT_FALSE(clip.isEmpty());
    QProcess& first = StartFirst({QStringLiteral("-background")});

    // Given relative to the second instance's own working folder.
    m_harness.SetWorkingDirectory(QFileInfo(clip).path());
    EXPECT_EQ(m_harness.RunToEnd({QFileInfo(clip).fileName()}, kEndTimeoutMs), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    // Handing over a file does not show a hidden player.
    QThread::msleep(500);
    EXPECT_FALSE(m_harness.MainWindowVisible());

    first.terminate();
    ASSERT_TRUE(EndsWithin(first, kEndTimeoutMs));
    const QByteArray saved = ReadFile(m_harness.DefaultPlaylistPath());
    EXPECT_TRUE(saved.contains(Utf16(clip))) << "the running player took the full path";
}

TEST_F(SingleInstanceTest, StartWithFileReplacesTheDefaultPlaylist)
{
    const QString before = MakeClip(QStringLiteral("before.wav"));
    const QString after = MakeClip(QStringLiteral("after.wav"));
    ASSERT_FALSE(before.isEmpty());
    ASSERT_FALSE(after.isEmpty());
    for (const QString& clip : {before, after}) {
        QProcess& player = StartFirst({QStringLiteral("-background"), clip});
        QThread::msleep(500);
        player.terminate();
        ASSERT_TRUE(EndsWithin(player, kEndTimeoutMs));
    }
    const QByteArray saved = ReadFile(m_harness.DefaultPlaylistPath());
    EXPECT_TRUE(saved.contains(Utf16(after)));
    EXPECT_FALSE(saved.contains(Utf16(before))) << "the default playlist was not loaded";
}

TEST_F(SingleInstanceTest, SecondStartFailsWhenTheFirstNeverAnswers)
{
    // Hold the lock the way a hung first instance would, with no socket.
    QProcess holder;
    holder.start(QStringLiteral("flock"), {m_harness.Folder() + QStringLiteral("/runtime/") +
                                               QString::fromLatin1(kInstanceName) + QStringLiteral(".lock"),
                                           QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted());
    QThread::msleep(200);
    qint64 elapsed = 0;
    EXPECT_EQ(m_harness.RunToEnd({QStringLiteral("/tmp/x.avi")}, 20000, &elapsed), 1);
    EXPECT_GE(elapsed, 9000) << "it waits for the time limit";
    holder.kill();
    holder.waitForFinished();
}

TEST_F(SingleInstanceTest, CloseRequestEndsTheFirstWithoutTheExitAction)
{
    QProcess& first = StartFirst({});
    const QByteArray reply = ExchangeRaw(m_harness.SocketPath(), EncodeRecordHeader(kInstanceQueryMessage, 0) +
                                                                     EncodeRecord({COPYDATA_CLOSE, {}}));
    EXPECT_EQ(reply, EncodeUint32(kInstanceQueryMessage) + EncodeUint32(1));
    ASSERT_TRUE(EndsWithin(first, kEndTimeoutMs));
    EXPECT_EQ(first.exitCode(), 0);
    // The settings are still written at exit; the default playlist is not.
    EXPECT_TRUE(QFile::exists(m_harness.ProfilePath()));
    EXPECT_FALSE(QFile::exists(m_harness.DefaultPlaylistPath()));
}

TEST_F(SingleInstanceTest, HostileRecordsLeaveTheFirstRunning)
{
    QProcess& first = StartFirst({});
    const QByteArray query = EncodeRecordHeader(kInstanceQueryMessage, 0);
    ExchangeRaw(m_harness.SocketPath(), QByteArray(1 << 20, '\xff'));
    ExchangeRaw(m_harness.SocketPath(), query + EncodeRecordHeader(COPYDATA_OPEN_FILE, 0x7FFFFFFF));
    ExchangeRaw(m_harness.SocketPath(), query + EncodeRecord({COPYDATA_OPEN_FILE, QByteArray("a\0b", 3)}));
    ExchangeRaw(m_harness.SocketPath(), query + EncodeRecord({99, QByteArray(16, 'x')}));
    ExchangeRaw(m_harness.SocketPath(), query + EncodeRecordHeader(COPYDATA_OPEN_FILE, 64));
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(ExchangeRaw(m_harness.SocketPath(), query + EncodeRecord({COPYDATA_ACTIVATE, {}})),
              EncodeUint32(kInstanceQueryMessage) + EncodeUint32(1));
}

TEST_F(SingleInstanceTest, FiftyClientsAtOnceLeaveTheFirstAnswering)
{
    QProcess& first = StartFirst({QStringLiteral("-background")});
    const QByteArray query = EncodeRecordHeader(kInstanceQueryMessage, 0);
    const QByteArray path = QFile::encodeName(m_harness.SocketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));

    // Every third client behaves; the rest send noise, half a record, or
    // nothing at all, and all of them connect before any is served.
    std::vector<int> clients;
    for (int i = 0; i < 50; ++i) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ASSERT_GE(fd, 0);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(fd);
            continue;
        }
        clients.push_back(fd);
    }
    ASSERT_FALSE(clients.empty());
    for (size_t i = 0; i < clients.size(); ++i) {
        QByteArray bytes;
        switch (i % 3) {
        case 0: bytes = query + EncodeRecord({COPYDATA_ACTIVATE, {}}); break;
        case 1: bytes = QByteArray(4096, char(0x5A + i)); break;
        default: bytes = i % 2 ? query + EncodeRecordHeader(COPYDATA_OPEN_FILE, 1000) : QByteArray(); break;
        }
        [[maybe_unused]] const ssize_t sent = send(clients[i], bytes.constData(), size_t(bytes.size()),
                                                   MSG_NOSIGNAL);
    }
    QThread::msleep(1000);
    for (const int fd : clients)
        close(fd);

    EXPECT_EQ(first.state(), QProcess::Running);
    // Once the stalled connections have timed out, requests are served again.
    QByteArray reply;
    for (int attempt = 0; attempt < 20 && reply.isEmpty(); ++attempt) {
        reply = ExchangeRaw(m_harness.SocketPath(), query + EncodeRecord({COPYDATA_ACTIVATE, {}}));
        if (reply.isEmpty())
            QThread::msleep(500);
    }
    EXPECT_EQ(reply, EncodeUint32(kInstanceQueryMessage) + EncodeUint32(1));
}

TEST_F(SingleInstanceTest, TwoStartsAtOnceLeaveExactlyOne)
{
    QProcess& a = m_harness.Start({QStringLiteral("-background")});
    QProcess& b = m_harness.Start({QStringLiteral("-background")});
    ASSERT_TRUE(m_harness.WaitUntilListening());
    // One of them hands over and ends; the other keeps running.
    QProcess* ended = nullptr;
    for (int i = 0; i < 150 && !ended; ++i) {
        if (a.waitForFinished(50))
            ended = &a;
        else if (b.waitForFinished(50))
            ended = &b;
    }
    ASSERT_NE(ended, nullptr);
    EXPECT_EQ(ended->exitCode(), 0);
    QProcess& running = ended == &a ? b : a;
    QThread::msleep(300);
    EXPECT_EQ(running.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, StaleSocketFromAKilledInstanceIsReplaced)
{
    QProcess& killed = StartFirst({QStringLiteral("-background")});
    ::kill(pid_t(killed.processId()), SIGKILL);
    killed.waitForFinished();
    ASSERT_TRUE(QFile::exists(m_harness.SocketPath())) << "the killed instance leaves its socket";

    QProcess& next = StartFirst({QStringLiteral("-background")});
    EXPECT_EQ(next.state(), QProcess::Running);
    EXPECT_EQ(m_harness.RunToEnd({}, kEndTimeoutMs), 0);
    EXPECT_TRUE(m_harness.WaitForMainWindowVisible(true));
}

TEST_F(SingleInstanceTest, AFolderWhereTheSocketBelongsEndsTheStart)
{
    ASSERT_TRUE(QDir().mkpath(m_harness.SocketPath()));
    EXPECT_EQ(m_harness.RunToEnd({QStringLiteral("-background")}, kEndTimeoutMs), 1);
    EXPECT_TRUE(QFileInfo(m_harness.SocketPath()).isDir());
}

TEST_F(SingleInstanceTest, TerminationEndsThroughTheExitPathAndWritesSettings)
{
    QProcess& first = StartFirst({});
    ASSERT_TRUE(m_harness.WaitForMainWindowVisible(true));
    first.terminate();
    ASSERT_TRUE(EndsWithin(first, kEndTimeoutMs));
    EXPECT_EQ(first.exitCode(), 0);
    QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/left")).toInt(), 100);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/right")).toInt(), 503);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/hotkey_IncPBRate")).toInt(), 0x80027);
}

}  // namespace
