// SPDX-License-Identifier: GPL-3.0-or-later
// The real player under a window manager: the playlist window is dragged
// away from the main window, then against its bottom edge, where it docks;
// the main window is moved by the window manager and the playlist window
// follows; the docking is stored at exit. The playlist window maximised by
// its button comes back to its size. A player ended while maximized stores
// its normal rectangle.
#include "player_harness.h"
#include "playlist/playlist.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QThread>

namespace {

class PlaylistDockingE2eTest : public ::testing::Test {
protected:
    PlaylistDockingE2eTest() : m_harness(QStringLiteral("playlist-e2e")) {}
    ~PlaylistDockingE2eTest() override
    {
        if (m_wm.state() != QProcess::NotRunning) {
            m_wm.kill();
            m_wm.waitForFinished(5000);
        }
    }

    bool StartWindowManager()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_harness.Xvfb().Display());
        environment.insert(QStringLiteral("HOME"), m_harness.Folder());
        m_wm.setProcessEnvironment(environment);
        m_wm.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!m_wm.waitForStarted(5000))
            return false;
        QThread::msleep(800);
        return m_wm.state() == QProcess::Running;
    }

    QString Xdo(const QStringList& arguments) const
    {
        return m_harness.Xvfb().Run(QStringLiteral("xdotool"), arguments).trimmed();
    }

    QString FindWindow(const QString& name) const
    {
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            const QString id = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), name})
                                   .section(u'\n', 0, 0);
            if (!id.isEmpty())
                return id;
            QThread::msleep(200);
        }
        return {};
    }

    QRect Geometry(const QString& window) const { return m_harness.Xvfb().WindowGeometry(window); }

    // Drags with the left button from `from` to `to` in ten steps and waits
    // until the window stops moving.
    void Drag(QPoint from, QPoint to) const
    {
        Xdo({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y())});
        Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int step = 1; step <= 10; ++step) {
            const QPoint at = from + (to - from) * step / 10;
            Xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
            QThread::msleep(30);
        }
        Xdo({QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y() + 1)});
        Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    QRect SettledGeometry(const QString& window) const
    {
        QRect last = Geometry(window);
        for (int i = 0; i < 20; ++i) {
            QThread::msleep(150);
            const QRect now = Geometry(window);
            if (now == last)
                return now;
            last = now;
        }
        return last;
    }

    // Thirty rows for the screenshot, from files that exist.
    void WriteDefaultPlaylist() const
    {
        const QString folder = m_harness.Folder() + QStringLiteral("/music");
        QDir().mkpath(folder);
        CPlaylist playlist;
        for (int i = 1; i <= 30; ++i) {
            const QString path = folder +
                                 QStringLiteral("/Track %1 - Harbour Lights.mp3").arg(i, 2, 10, QChar(u'0'));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.close();
            playlist.AddFileByPath(path);
        }
        QDir().mkpath(QFileInfo(m_harness.DefaultPlaylistPath()).absolutePath());
        playlist.SaveToFile(m_harness.DefaultPlaylistPath());
    }

    PlayerHarness m_harness;
    QProcess m_wm;
};

TEST_F(PlaylistDockingE2eTest, DragAwayDockBelowFollowAndStore)
{
    ASSERT_TRUE(m_harness.DisplayReady());
    ASSERT_TRUE(StartWindowManager()) << "openbox is missing (tools/install-deps.sh)";
    {
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        profile.setValue(QStringLiteral("Setting/PLShow"), 1);
        profile.setValue(QStringLiteral("Setting/top"), 100);
        profile.setValue(QStringLiteral("Setting/left"), 100);
    }
    WriteDefaultPlaylist();
    QProcess& player = m_harness.Start({});
    const QString main = FindWindow(QStringLiteral("^Velmora$"));
    const QString list = FindWindow(QStringLiteral("^Playlist$"));
    ASSERT_FALSE(main.isEmpty());
    ASSERT_FALSE(list.isEmpty());
    const QRect mainRect = SettledGeometry(main);
    QRect listRect = SettledGeometry(list);

    // Away from the main window: undocked, and it stays where it was left.
    const QRect start = listRect;
    QPoint grip = listRect.topLeft() + QPoint(60, 6);
    Drag(grip, grip + QPoint(60, 200));
    listRect = SettledGeometry(list);
    EXPECT_EQ(listRect.topLeft(), start.topLeft() + QPoint(60, 201));

    // Its top near the main window's bottom edge: docked below it.
    grip = listRect.topLeft() + QPoint(60, 6);
    const QPoint target(mainRect.left() + 40, mainRect.top() + mainRect.height() + 5);
    Drag(grip, grip + (target - listRect.topLeft()));
    listRect = SettledGeometry(list);
    EXPECT_EQ(listRect.top(), mainRect.top() + mainRect.height() - 1);

    // The window manager moves the main window; the playlist window follows.
    Xdo({QStringLiteral("windowmove"), main, QString::number(mainRect.left() + 50),
         QString::number(mainRect.top() + 30)});
    const QRect movedMain = SettledGeometry(main);
    ASSERT_NE(movedMain.topLeft(), mainRect.topLeft());
    const QRect followed = SettledGeometry(list);
    EXPECT_EQ(followed.top() - movedMain.top(), listRect.top() - mainRect.top());
    EXPECT_EQ(followed.left() - movedMain.left(), listRect.left() - mainRect.left());

    const QString shot = testsupport::BuildPath(QStringLiteral("tests/mainwnd/playlist-docked.png"));
    QFile::remove(shot);
    m_harness.Xvfb().Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), shot});

    player.terminate();
    ASSERT_TRUE(player.waitForFinished(10000));
    QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/Docked")).toInt(), 1);
    const int side = profile.value(QStringLiteral("Setting/DockedSide")).toInt();
    EXPECT_TRUE(side == 7 || side == 14) << side;
}

// Run in Hebrew, so that the screenshots also show the skin's texts in a
// right-to-left interface.
TEST_F(PlaylistDockingE2eTest, PlaylistMaximizeAndRestoreRoundTrip)
{
    ASSERT_TRUE(m_harness.DisplayReady());
    ASSERT_TRUE(StartWindowManager()) << "openbox is missing (tools/install-deps.sh)";
    {
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        profile.setValue(QStringLiteral("Setting/PLShow"), 1);
        profile.setValue(QStringLiteral("Setting/languageID"), 1037);
    }
    WriteDefaultPlaylist();
    QProcess& player = m_harness.Start({});
    const QString list = FindWindow(QStringLiteral("^Playlist$"));
    ASSERT_FALSE(list.isEmpty());
    const QRect normal = SettledGeometry(list);

    // The maximise button sits on the title strip, 32 pixels from the right.
    auto clickMaximize = [this](const QRect& window) {
        const QPoint button = window.topLeft() + QPoint(window.width() - 32, 13);
        Xdo({QStringLiteral("mousemove"), QString::number(button.x()), QString::number(button.y())});
        Xdo({QStringLiteral("click"), QStringLiteral("1")});
    };
    auto shoot = [this](const char* name) {
        const QString shot = testsupport::BuildPath(
            QStringLiteral("tests/mainwnd/%1.png").arg(QLatin1String(name)));
        QFile::remove(shot);
        m_harness.Xvfb().Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), shot});
    };
    shoot("playlist-before-maximize");
    clickMaximize(normal);
    QDeadlineTimer deadline(10000);
    while (SettledGeometry(list).width() <= normal.width() && !deadline.hasExpired())
        QThread::msleep(100);
    const QRect maximized = SettledGeometry(list);
    ASSERT_GT(maximized.width(), normal.width());
    shoot("playlist-maximized");

    clickMaximize(maximized);
    deadline.setRemainingTime(10000);
    while (SettledGeometry(list) != normal && !deadline.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(SettledGeometry(list), normal);
    shoot("playlist-restored");

    player.terminate();
    ASSERT_TRUE(player.waitForFinished(10000));
}

TEST_F(PlaylistDockingE2eTest, ExitWhileMaximizedStoresTheNormalRectangle)
{
    ASSERT_TRUE(m_harness.DisplayReady());
    ASSERT_TRUE(StartWindowManager()) << "openbox is missing (tools/install-deps.sh)";
    {
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        profile.setValue(QStringLiteral("Setting/PLShow"), 0);
        profile.setValue(QStringLiteral("Setting/left"), 150);
        profile.setValue(QStringLiteral("Setting/top"), 120);
    }
    QProcess& player = m_harness.Start({});
    const QString main = FindWindow(QStringLiteral("^Velmora$"));
    ASSERT_FALSE(main.isEmpty());
    const QRect normal = SettledGeometry(main);

    // A double click on the title maximizes the window.
    const QPoint title = normal.topLeft() + QPoint(40, 14);
    Xdo({QStringLiteral("mousemove"), QString::number(title.x()), QString::number(title.y())});
    Xdo({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
    QDeadlineTimer deadline(10000);
    while (SettledGeometry(main).width() <= normal.width() && !deadline.hasExpired())
        QThread::msleep(100);
    ASSERT_GT(SettledGeometry(main).width(), normal.width());

    player.terminate();
    ASSERT_TRUE(player.waitForFinished(10000));
    QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
    const QRect stored(QPoint(profile.value(QStringLiteral("Setting/left")).toInt(),
                              profile.value(QStringLiteral("Setting/top")).toInt()),
                       QPoint(profile.value(QStringLiteral("Setting/right")).toInt() - 1,
                              profile.value(QStringLiteral("Setting/bottom")).toInt() - 1));
    EXPECT_EQ(stored, normal);
}

}  // namespace
