// SPDX-License-Identifier: GPL-3.0-or-later
// The real player powers the machine off through logind: "Clip End" chosen
// in the context menu, a one-second clip played to its end with clip repeat
// on. logind here is
// python3-dbusmock's on a private bus; the real one is never reached.
#include "player_harness.h"
#include "private_bus.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 15000;

// A one-second audio clip, made once per build folder.
QString OneSecondClip()
{
    const QString path = testsupport::BuildPath(QStringLiteral("tests/mainwnd/one-second.wav"));
    if (QFile(path).size() > 0)
        return path;
    const QString partial = path + QStringLiteral(".part");
    QProcess gst;
    gst.start(
        QStringLiteral("gst-launch-1.0"),
        QProcess::splitCommand(QStringLiteral("-q audiotestsrc num-buffers=43 ! "
                                              "audio/x-raw,rate=44100,channels=1 ! wavenc ! filesink location=%1")
                                   .arg(partial)));
    if (!gst.waitForFinished(60000) || gst.exitCode() != 0)
        return {};
    QFile::rename(partial, path);
    return path;
}

// Sets an environment variable for the players a test starts, and puts the
// old value back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QString& value)
        : m_name(name), m_bWasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(m_name, value.toLocal8Bit());
    }
    ~ScopedEnvironment()
    {
        if (m_bWasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_bWasSet;
    QByteArray m_old;
};

// The calls the mock logind logged, without their time stamps.
QStringList LoggedCalls(const QString& logFile)
{
    QFile log(logFile);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList calls;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            calls << QString::fromUtf8(line).section(u' ', 1).trimmed();
    }
    return calls;
}

TEST(ShutdownE2eTest, ClipEndChosenInTheMenuPowersOffOnceThroughLogind)
{
    testsupport::PrivateBus bus;
    if (!bus.IsRunning())
        GTEST_SKIP() << "no private D-Bus daemon (install dbus)";
    const QString log = testsupport::MakeScratchDir(QStringLiteral("logind")) + QStringLiteral("/calls.log");
    if (!bus.StartMock(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"), log))
        GTEST_SKIP() << "no mock logind (install python3-dbusmock)";
    const QString clip = OneSecondClip();
    ASSERT_FALSE(clip.isEmpty());

    PlayerHarness harness(QStringLiteral("shutdown-e2e"));
    if (!harness.DisplayReady())
        GTEST_SKIP() << "no Xvfb";
    ScopedEnvironment systemBus("DBUS_SYSTEM_BUS_ADDRESS", bus.Address());
    ScopedEnvironment sink("VELMORA_AUDIO_SINK", QStringLiteral("fakeaudiosink"));

    QProcess& player = harness.Start({});
    ASSERT_TRUE(harness.WaitForMainWindowVisible(true, kStartTimeoutMs));
    auto xdo = [&harness](const QStringList& arguments) {
        return harness.Xvfb().Run(QStringLiteral("xdotool"), arguments).trimmed();
    };
    // The player's visible windows; every open menu adds one.
    auto VisibleWindows = [&] {
        const QString ids = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--pid"), QString::number(player.processId())});
        return int(ids.split(u'\n', Qt::SkipEmptyParts).size());
    };
    auto WaitForVisibleWindows = [&](int count) {
        QDeadlineTimer deadline(kStartTimeoutMs);
        while (VisibleWindows() != count && !deadline.hasExpired())
            QThread::msleep(50);
        return VisibleWindows() == count;
    };
    const QString window = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--name"), QStringLiteral("^Velmora$")})
                               .section(u'\n', 0, 0);
    ASSERT_FALSE(window.isEmpty());

    // Clip repeat on: "Playlist End" would then never power off, so only
    // "Clip End" passes.
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    xdo({QStringLiteral("key"), QStringLiteral("r")});

    // Right-click the video area, then Options > Shutdown > Clip End by
    // keyboard: Down selects the first item and Up from there wraps to
    // Exit; two more reach Options (Help lies between). Options opens on its
    // first item, so Up wraps to its last, the Shutdown popup, whose "NULL"
    // comes before "Clip End".
    xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("200"),
         QStringLiteral("100")});
    const int windows = VisibleWindows();
    xdo({QStringLiteral("click"), QStringLiteral("3")});
    ASSERT_TRUE(WaitForVisibleWindows(windows + 1)) << "no context menu";
    for (const char* key : {"Down", "Up", "Up", "Up", "Right"})
        xdo({QStringLiteral("key"), QString::fromLatin1(key)});
    ASSERT_TRUE(WaitForVisibleWindows(windows + 2)) << "no Options popup";
    for (const char* key : {"Up", "Right"})
        xdo({QStringLiteral("key"), QString::fromLatin1(key)});
    ASSERT_TRUE(WaitForVisibleWindows(windows + 3)) << "no Shutdown popup";
    for (const char* key : {"Down", "Return"})
        xdo({QStringLiteral("key"), QString::fromLatin1(key)});
    ASSERT_TRUE(WaitForVisibleWindows(windows)) << "the menu stayed open";
    EXPECT_TRUE(LoggedCalls(log).isEmpty()) << "power-off before any clip ended";

    // A second start hands the clip to the running player, which plays it.
    EXPECT_EQ(harness.RunToEnd({clip}, kStartTimeoutMs), 0);
    QDeadlineTimer deadline(kStartTimeoutMs);
    while (LoggedCalls(log).isEmpty() && !deadline.hasExpired())
        QThread::msleep(100);
    // Time for a second request, which must not come.
    QThread::msleep(1500);
    EXPECT_EQ(LoggedCalls(log), QStringList{QStringLiteral("PowerOff False")});

    player.terminate();
    EXPECT_TRUE(player.waitForFinished(10000));
}

}  // namespace
