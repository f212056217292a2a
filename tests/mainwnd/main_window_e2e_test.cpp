// SPDX-License-Identifier: GPL-3.0-or-later
// The real player on a private X server, driven with xdotool: the play/pause
// button, the mute, repeat and stop hot keys, and dragging the window.
#include "player_harness.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSettings>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 15000;

// A 30-second clip, long enough that it never ends during a test; made once
// per build folder.
QString LongClip()
{
    QString path = testsupport::BuildPath(QStringLiteral("tests/mainwnd/long-clip.avi"));
    if (QFile(path).size() > 0)
        return path;
    const QString partial = path + QStringLiteral(".part");
    const QString pipeline =
        QStringLiteral(
            "videotestsrc num-buffers=300 pattern=smpte ! video/x-raw,width=320,height=180,framerate=10/1 ! "
            "jpegenc ! avimux name=mux ! filesink location=%1 "
            "audiotestsrc num-buffers=1300 ! audio/x-raw,rate=44100,channels=1 ! audioconvert ! mux.")
            .arg(partial);
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"), QProcess::splitCommand(QStringLiteral("-q ") + pipeline));
    if (!gst.waitForFinished(60000) || gst.exitCode() != 0)
        return {};
    QFile::rename(partial, path);
    return path;
}

class MainWindowE2eTest : public ::testing::Test {
protected:
    MainWindowE2eTest() : m_harness(QStringLiteral("mainwnd-e2e"))
    {
        qputenv("VELMORA_AUDIO_SINK", "fakeaudiosink");
    }

    // Starts the player on the clip and waits until it plays.
    bool StartPlaying()
    {
        const QString clip = LongClip();
        if (clip.isEmpty() || !m_harness.DisplayReady())
            return false;
        m_pPlayer = &m_harness.Start({clip});
        if (!m_harness.WaitForMainWindowVisible(true, kStartTimeoutMs))
            return false;
        m_strWindow = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                           QStringLiteral("^Velmora$")})
                          .section(u'\n', 0, 0);
        // A time text that moves says the clip plays; the button then shows
        // its playing look.
        QDeadlineTimer deadline(kStartTimeoutMs);
        QImage time = Grab(TimeText());
        while (!deadline.hasExpired()) {
            QThread::msleep(400);
            const QImage later = Grab(TimeText());
            if (!later.isNull() && later != time) {
                m_playingButton = Grab(PlayButton());
                return !m_strWindow.isEmpty();
            }
            time = later;
        }
        return false;
    }

    QString Xdo(const QStringList& arguments) const
    {
        return m_harness.Xvfb().Run(QStringLiteral("xdotool"), arguments).trimmed();
    }

    QRect WindowGeometry() const { return m_harness.Xvfb().WindowGeometry(m_strWindow); }

    // The circular play/pause button in screen coordinates.
    QRect PlayButton() const
    {
        const QRect window = WindowGeometry();
        return QRect(window.left() + 11, window.bottom() + 1 - 42, 31, 31);
    }

    // The time window in screen coordinates.
    QRect TimeText() const
    {
        const QRect window = WindowGeometry();
        return QRect(window.right() + 1 - 178, window.bottom() + 1 - 26, 110, 17);
    }

    QImage Screen() const
    {
        const QString path = m_harness.Folder() + QStringLiteral("/screen.png");
        QFile::remove(path);
        m_harness.Xvfb().Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
        return QImage(path);
    }

    QImage Grab(const QRect& area) const { return Screen().copy(area); }

    void ClickAt(const QPoint& at) const
    {
        Xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        Xdo({QStringLiteral("click"), QStringLiteral("1")});
    }

    void PressKey(const QString& key) const
    {
        Xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_strWindow});
        Xdo({QStringLiteral("key"), key});
    }

    // Waits until the play button shows `image` (or stops showing it).
    bool WaitForButton(const QImage& image, bool shown) const
    {
        QDeadlineTimer deadline(10000);
        do {
            if ((Grab(PlayButton()) == image) == shown)
                return true;
            QThread::msleep(100);
        } while (!deadline.hasExpired());
        return false;
    }

    void ExpectMutedRepeatingAndStopped()
    {
        EXPECT_TRUE(WaitForButton(m_playingButton, false)) << "stop did not stop";
        ASSERT_TRUE(EndPlayer());
        // Mute and repeat are stored from the engine at exit.
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        EXPECT_EQ(profile.value(QStringLiteral("Setting/Mute")).toInt(), 1);
        EXPECT_EQ(profile.value(QStringLiteral("Setting/Repeat")).toInt(), 1);
    }

    bool EndPlayer()
    {
        m_pPlayer->terminate();
        return m_pPlayer->waitForFinished(10000) && m_pPlayer->exitCode() == 0;
    }

    PlayerHarness m_harness;
    QProcess* m_pPlayer = nullptr;
    QString m_strWindow;
    QImage m_playingButton;
};

TEST_F(MainWindowE2eTest, PlayPauseButtonPausesAndResumesAndTheWindowIsPhotographed)
{
    ASSERT_TRUE(StartPlaying());
    const QRect window = WindowGeometry();
    const QImage playing = Screen().copy(window);
    EXPECT_TRUE(playing.save(testsupport::BuildPath(QStringLiteral("tests/mainwnd/playing-window.png"))));
    // Skinned: the frame's red, not the video's colours, at the title bar.
    const QColor frame = playing.pixelColor(2, 12);
    EXPECT_GT(frame.red(), frame.blue());

    ClickAt(PlayButton().center());
    EXPECT_TRUE(WaitForButton(m_playingButton, false)) << "the button still shows pause";
    const QImage paused = Grab(PlayButton());
    // Two quick clicks on one spot would make a double-click.
    QThread::msleep(QApplication::doubleClickInterval() + 300);
    ClickAt(PlayButton().center());
    EXPECT_TRUE(WaitForButton(m_playingButton, true)) << "playback did not resume";
    EXPECT_NE(paused, m_playingButton);
    EXPECT_TRUE(EndPlayer());
}

TEST_F(MainWindowE2eTest, HotKeysForMuteRepeatAndStop)
{
    ASSERT_TRUE(StartPlaying());
    PressKey(QStringLiteral("m"));
    PressKey(QStringLiteral("r"));
    PressKey(QStringLiteral("s"));
    ExpectMutedRepeatingAndStopped();
}

// Hot keys are key positions: under a Russian layout the keys where M, R and
// S are give Cyrillic symbols and still act.
TEST_F(MainWindowE2eTest, LetterHotKeysActByPositionUnderACyrillicLayout)
{
    ASSERT_TRUE(StartPlaying());
    m_harness.Xvfb().Run(QStringLiteral("setxkbmap"), {QStringLiteral("ru")});
    const QString query = m_harness.Xvfb().Run(QStringLiteral("setxkbmap"), {QStringLiteral("-query")});
    ASSERT_TRUE(query.contains(QStringLiteral("layout:     ru"))) << query.toStdString();
    PressKey(QStringLiteral("Cyrillic_softsign"));  // M
    PressKey(QStringLiteral("Cyrillic_ka"));        // R
    PressKey(QStringLiteral("Cyrillic_yeru"));      // S
    ExpectMutedRepeatingAndStopped();
}

TEST_F(MainWindowE2eTest, DraggingTheTitleMovesTheWindow)
{
    ASSERT_TRUE(StartPlaying());
    const QRect before = WindowGeometry();
    const QPoint title = before.topLeft() + QPoint(60, 14);
    Xdo({QStringLiteral("mousemove"), QString::number(title.x()), QString::number(title.y())});
    Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 10; ++step)
        Xdo({QStringLiteral("mousemove"), QString::number(title.x() + 10 * step),
             QString::number(title.y() + 6 * step)});
    Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});

    // The drag may still be catching up on a loaded machine.
    const QPoint expected = before.topLeft() + QPoint(100, 60);
    QDeadlineTimer deadline(10000);
    while (WindowGeometry().topLeft() != expected && !deadline.hasExpired())
        QThread::msleep(50);
    EXPECT_EQ(WindowGeometry().topLeft(), expected);
    EXPECT_EQ(WindowGeometry().size(), before.size());
    ASSERT_TRUE(EndPlayer());

    QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value(QStringLiteral("Setting/left")).toInt(), before.left() + 100);
}

// A player started with the desktop usually comes up before the panel's
// tray: its icon must appear once the tray does.
TEST_F(MainWindowE2eTest, TrayIconAppearsWhenTheTrayStartsAfterThePlayer)
{
    ASSERT_TRUE(m_harness.DisplayReady());
    m_pPlayer = &m_harness.Start({QStringLiteral("/background")});
    ASSERT_TRUE(m_harness.WaitUntilListening());

    QProcess tray;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_harness.Xvfb().Display());
    tray.setProcessEnvironment(environment);
    tray.start(QStringLiteral("trayer"),
               {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--width"), QStringLiteral("20")});
    ASSERT_TRUE(tray.waitForStarted());

    // The icon is a window of the player's class inside the tray's panel.
    const auto iconInPanel = [this] {
        const QStringList lines = m_harness.Xvfb()
                                      .Run(QStringLiteral("xwininfo"),
                                           {QStringLiteral("-root"), QStringLiteral("-tree")})
                                      .split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].contains(QStringLiteral("(\"panel\" \"trayer\")")))
                continue;
            // The panel's subtree: the lines indented deeper than the panel.
            const auto indent = [](const QString& line) { return line.size() - line.trimmed().size(); };
            for (qsizetype j = i + 1; j < lines.size() && indent(lines[j]) > indent(lines[i]); ++j) {
                if (lines[j].contains(QStringLiteral("(\"velmora\" \"Velmora\")")))
                    return true;
            }
        }
        return false;
    };
    QDeadlineTimer deadline(10000);
    while (!iconInPanel() && !deadline.hasExpired())
        QThread::msleep(200);
    EXPECT_TRUE(iconInPanel());
    EXPECT_TRUE(EndPlayer());
}

}  // namespace
