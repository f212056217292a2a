// SPDX-License-Identifier: GPL-3.0-or-later
// The video of a real graph on a real X server (Xvfb): the picture appears
// in the owner window, scaled and letter-boxed into its video area.
#include "test_clips.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <functional>

namespace {

class CScopedProcess {
public:
    ~CScopedProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    QProcess m_process;
};

bool IsBlack(QRgb pixel) { return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) < 40; }

bool IsYellow(QRgb pixel) { return qRed(pixel) > 150 && qGreen(pixel) > 150 && qBlue(pixel) < 80; }

// Where the test pattern's yellow bar is on the screen; empty when nowhere.
QRect YellowBar(const QImage& shot)
{
    QRect bar;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (IsYellow(shot.pixel(x, y)))
                bar |= QRect(x, y, 1, 1);
    return bar;
}

// A private X server with a black root window, and screenshots of it.
class EngineXvfbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
            GTEST_SKIP() << "needs Xvfb and ImageMagick's import";
        // Xvfb picks a free display itself and writes its number to stdout.
        m_server.m_process.start(QStringLiteral("Xvfb"),
                                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                  QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-br"),
                                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        ASSERT_TRUE(m_server.m_process.waitForReadyRead(10000));
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server.m_process.readLine().trimmed());
        ASSERT_GT(m_display.size(), 1);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("DISPLAY"), m_display);
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_env.insert(QStringLiteral("VELMORA_AUDIO_SINK"), QStringLiteral("fakeaudiosink"));
    }

    QImage Screenshot()
    {
        QProcess capture;
        capture.setProcessEnvironment(m_env);
        capture.start(QStringLiteral("import"), {QStringLiteral("-display"), m_display, QStringLiteral("-window"),
                                                 QStringLiteral("root"), QStringLiteral("png:-")});
        capture.waitForFinished(15000);
        return QImage::fromData(capture.readAllStandardOutput(), "PNG");
    }

    // Takes screenshots until the yellow bar satisfies `wanted`, for up to 5 s.
    bool WaitForBar(const std::function<bool(const QRect&)>& wanted)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            QThread::msleep(500);
            if (wanted(YellowBar(Screenshot())))
                return true;
        }
        return false;
    }

    QString m_display;
    QProcessEnvironment m_env;
    CScopedProcess m_server;
};

TEST_F(EngineXvfbTest, VideoIsScaledAndLetterBoxedInTheWindow)
{
    CScopedProcess probe;
    probe.m_process.setProcessEnvironment(m_env);
    probe.m_process.start(QStringLiteral(VIDEO_WINDOW_PROBE), {TestClipPath(TestClip::MkvH264Vorbis)});
    ASSERT_TRUE(probe.m_process.waitForReadyRead(15000)) << probe.m_process.readAllStandardError().toStdString();
    ASSERT_TRUE(probe.m_process.readAllStandardOutput().startsWith("playing"));
    QThread::msleep(700);
    const QImage shot = Screenshot();
    ASSERT_FALSE(shot.isNull());

    // A 4:3 picture in a 640x360 area: 480x360 at x 80, black bars beside it.
    EXPECT_TRUE(IsBlack(shot.pixel(40, 180)));
    EXPECT_TRUE(IsBlack(shot.pixel(600, 180)));
    // The test pattern's first two bars: grey-white, then yellow.
    const QRgb white = shot.pixel(110, 100);
    const QRgb yellow = shot.pixel(190, 100);
    EXPECT_GT(qRed(white), 150);
    EXPECT_GT(qBlue(white), 150);
    EXPECT_TRUE(IsYellow(yellow));
    // Nothing drawn outside the window.
    EXPECT_TRUE(IsBlack(shot.pixel(700, 500)));
}

#ifdef VELMORA_BINARY
// The player itself, started with a clip on its command line: the test
// pattern's yellow bar shows inside the main window with the picture's shape.
TEST_F(EngineXvfbTest, TheProgramPlaysAClipLetterBoxedInItsVideoArea)
{
    const QString clip = TestClipPath(TestClip::MkvH264Vorbis);  // 320x240
    CScopedProcess player;
    player.m_process.setProcessEnvironment(m_env);
    player.m_process.start(QStringLiteral(VELMORA_BINARY), {clip});
    ASSERT_TRUE(player.m_process.waitForStarted(5000));

    // The yellow bar is one seventh of the picture's width and two thirds of
    // its height. Early screenshots may catch the window still being laid
    // out, so the test looks until one shows the settled picture.
    QString last = QStringLiteral("no video frame appeared");
    QRect picture;
    bool settled = false;
    for (int attempt = 0; attempt < 20 && !settled; ++attempt) {
        QThread::msleep(500);
        const QImage shot = Screenshot();
        const QRect yellow = YellowBar(shot);
        if (yellow.isEmpty())
            continue;
        const double width = yellow.width() * 7.0;
        const double height = yellow.height() * 1.5;
        const int left = yellow.left() - yellow.width();
        const int right = int(left + width);
        const int y = yellow.center().y();
        // Black bars left and right of the picture, which fills the space between.
        settled = std::abs(width / height - 4.0 / 3.0) < 0.08 && IsBlack(shot.pixel(left - 4, y)) &&
                  IsBlack(shot.pixel(right + 4, y)) && !IsBlack(shot.pixel(left + 4, y));
        picture = QRect(left, yellow.top(), right - left, yellow.height());
        last = QStringLiteral("yellow bar at %1,%2 %3x%4")
                   .arg(yellow.x())
                   .arg(yellow.y())
                   .arg(yellow.width())
                   .arg(yellow.height());
    }
    ASSERT_TRUE(settled) << last.toStdString();
    EXPECT_EQ(player.m_process.state(), QProcess::Running);

    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return;
    // Full screen (the default hot key Z) and back: the picture fills the
    // screen's width, then returns to the window.
    const auto xdotool = [&](const QStringList& args) {
        QProcess tool;
        tool.setProcessEnvironment(m_env);
        tool.start(QStringLiteral("xdotool"), args);
        tool.waitForFinished(5000);
    };
    xdotool({QStringLiteral("mousemove"), QString::number(picture.center().x()),
             QString::number(picture.center().y()), QStringLiteral("click"), QStringLiteral("1")});
    xdotool({QStringLiteral("key"), QStringLiteral("z")});
    EXPECT_TRUE(WaitForBar([](const QRect& bar) { return bar.width() * 7 > 700; }))
        << "the picture did not fill the screen";
    xdotool({QStringLiteral("key"), QStringLiteral("z")});
    EXPECT_TRUE(WaitForBar([&](const QRect& bar) { return std::abs(bar.width() - picture.width() / 7) <= 1; }))
        << "the picture did not come back to the window";
}
#endif

}  // namespace
