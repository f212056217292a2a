// The video of a real graph on a real X server (Xvfb): the picture appears
// in the owner window, scaled and letter-boxed into its video area.
#include "test_clips.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

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

QString FreeDisplay()
{
    for (int number = 70; number < 99; ++number)
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    return {};
}

bool IsBlack(QRgb pixel)
{
    return qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

TEST(EngineXvfbVideoTest, VideoIsScaledAndLetterBoxedInTheWindow)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and ImageMagick's import";
    const QString display = FreeDisplay();
    ASSERT_FALSE(display.isEmpty());
    const QString clip = TestClipPath(TestClip::MkvH264Vorbis);  // 320x240, 2 s

    CScopedProcess server;
    server.m_process.start(QStringLiteral("Xvfb"), {display, QStringLiteral("-screen"), QStringLiteral("0"),
                                                    QStringLiteral("800x600x24"), QStringLiteral("-br"), QStringLiteral("-nolisten"),
                                                    QStringLiteral("tcp")});
    ASSERT_TRUE(server.m_process.waitForStarted(5000));
    const QString socket = QStringLiteral("/tmp/.X11-unix/X") + display.mid(1);
    for (int i = 0; i < 100 && !QFileInfo::exists(socket); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(QFileInfo::exists(socket));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("VELMORA_AUDIO_SINK"), QStringLiteral("fakeaudiosink"));
    CScopedProcess probe;
    probe.m_process.setProcessEnvironment(env);
    probe.m_process.start(QStringLiteral(VIDEO_WINDOW_PROBE), {clip});
    ASSERT_TRUE(probe.m_process.waitForReadyRead(15000)) << probe.m_process.readAllStandardError().toStdString();
    ASSERT_TRUE(probe.m_process.readAllStandardOutput().startsWith("playing"));
    QThread::msleep(700);

    QProcess capture;
    capture.setProcessEnvironment(env);
    capture.start(QStringLiteral("import"), {QStringLiteral("-display"), display, QStringLiteral("-window"),
                                             QStringLiteral("root"), QStringLiteral("png:-")});
    ASSERT_TRUE(capture.waitForFinished(15000));
    const QImage shot = QImage::fromData(capture.readAllStandardOutput(), "PNG");
    ASSERT_FALSE(shot.isNull()) << capture.readAllStandardError().toStdString();

    // A 4:3 picture in a 640x360 area: 480x360 at x 80, black bars beside it.
    EXPECT_TRUE(IsBlack(shot.pixel(40, 180)));
    EXPECT_TRUE(IsBlack(shot.pixel(600, 180)));
    // The test pattern's first two bars: grey-white, then yellow.
    const QRgb white = shot.pixel(110, 100);
    const QRgb yellow = shot.pixel(190, 100);
    EXPECT_GT(qRed(white), 150);
    EXPECT_GT(qBlue(white), 150);
    EXPECT_GT(qRed(yellow), 150);
    EXPECT_GT(qGreen(yellow), 150);
    EXPECT_LT(qBlue(yellow), 80);
    // Nothing drawn outside the window.
    EXPECT_TRUE(IsBlack(shot.pixel(700, 500)));
}

}  // namespace
