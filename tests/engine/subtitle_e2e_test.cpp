// SPDX-License-Identifier: GPL-3.0-or-later
// Subtitles and audio streams of a real engine on a private X server: the
// file found beside the clip is drawn in the lower video area and goes with
// Unload, a Windows-1251 file is drawn as the same Cyrillic as its UTF-8
// twin, and choosing the other audio stream changes what reaches the sink.
#include "temp_home.h"
#include "xvfb_server.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QThread>

#include <cstdlib>

namespace {

constexpr int kAnswerTimeoutMs = 15000;
// The probe's window is 640x360 at (100, 80); the clip is a dark plain
// picture, so bright pixels in its lower part are subtitle text.
const QRect kLowerVideoArea(100, 320, 640, 120);

// Several cues: GStreamer's subtitle type finder needs more than a line.
QString Cues()
{
    return QStringLiteral("1\n00:00:00,000 --> 00:10:00,000\nПривет, мир\n\n"
                          "2\n00:10:00,000 --> 00:10:01,000\nВторая строка субтитров\n\n"
                          "3\n00:10:01,000 --> 00:10:02,000\nТретья строка\n\n");
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A 30 s Matroska clip: a dark picture, an English 440 Hz and a Russian
// 1760 Hz audio stream, and a German subtitle stream of its own.
bool MakeClip(const QString& folder)
{
    if (!WriteFile(folder + QStringLiteral("/own.srt"), "1\n00:00:00,000 --> 00:10:00,000\nEingebettete Zeile\n\n"
                                                        "2\n00:10:00,000 --> 00:10:01,000\nZweite Zeile\n\n"))
        return false;
    QProcess ffmpeg;
    ffmpeg.setWorkingDirectory(folder);
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QProcess::splitCommand(QStringLiteral(
                     "-v error -y -f lavfi -i color=c=0x203040:s=320x240:r=10:d=30 "
                     "-f lavfi -i sine=f=440:r=44100:d=30 -f lavfi -i sine=f=1760:r=44100:d=30 -i own.srt "
                     "-map 0 -map 1 -map 2 -map 3 -c:v libx264 -preset ultrafast -c:a libvorbis -c:s srt "
                     "-metadata:s:a:0 language=eng -metadata:s:a:1 language=rus -metadata:s:s:0 language=deu "
                     "film.mkv")));
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

int BrightPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 200)
                ++count;
    return count;
}

class SubtitleE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty() || !m_server.IsRunning())
            GTEST_SKIP() << "needs ffmpeg, ImageMagick's import and Xvfb";
        m_strFolder = testsupport::MakeScratchDir(QStringLiteral("subtitle-e2e"));
        ASSERT_TRUE(MakeClip(m_strFolder));
        // Found beside the clip by itself, in UTF-8; its twin in Windows-1251.
        ASSERT_TRUE(WriteFile(m_strFolder + QStringLiteral("/film.srt"), Cues().toUtf8()));
        QStringEncoder legacy("windows-1251");
        ASSERT_TRUE(legacy.isValid());
        ASSERT_TRUE(WriteFile(m_strFolder + QStringLiteral("/legacy.srt"), legacy.encode(Cues())));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_server.Display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_probe.setProcessEnvironment(environment);
        m_probe.start(QStringLiteral(SUBTITLE_PROBE), {m_strFolder + QStringLiteral("/film.mkv")});
        ASSERT_TRUE(Answer(QStringLiteral("playing")).startsWith(QLatin1String("playing")));
    }

    void TearDown() override
    {
        if (m_probe.state() == QProcess::NotRunning)
            return;
        m_probe.closeWriteChannel();
        if (!m_probe.waitForFinished(5000))
            m_probe.kill();
        m_probe.waitForFinished(3000);
    }

    // Sends a command (if any) and returns the probe's line that starts with `expected`.
    QString Answer(const QString& expected, const QString& command = {})
    {
        if (!command.isEmpty())
            m_probe.write((command + u'\n').toUtf8());
        QDeadlineTimer deadline(kAnswerTimeoutMs);
        while (!deadline.hasExpired()) {
            while (m_probe.canReadLine()) {
                const QString line = QString::fromUtf8(m_probe.readLine()).trimmed();
                if (line.startsWith(expected))
                    return line;
            }
            if (!m_probe.waitForReadyRead(int(deadline.remainingTime())))
                break;
        }
        return {};
    }

    // The lower video area once the picture has settled after a change.
    QImage LowerArea()
    {
        QThread::msleep(1000);
        const QString shot = m_strFolder + QStringLiteral("/shot.png");
        m_server.Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), shot});
        return QImage(shot).copy(kLowerVideoArea);
    }

    int Tone() { return Answer(QStringLiteral("tone"), QStringLiteral("tone")).section(u' ', 1).toInt(); }

    testsupport::XvfbServer m_server;
    QString m_strFolder;
    QProcess m_probe;
};

TEST_F(SubtitleE2eTest, FileBesideIsDrawnGoesWithUnloadAndALegacyFileReadsTheSame)
{
    const QImage found = LowerArea();
    EXPECT_GT(BrightPixels(found), 100);

    EXPECT_FALSE(Answer(QStringLiteral("unloaded"), QStringLiteral("unload")).isEmpty());
    EXPECT_EQ(BrightPixels(LowerArea()), 0);

    ASSERT_EQ(
        Answer(QStringLiteral("loaded"), QStringLiteral("load ") + m_strFolder + QStringLiteral("/legacy.srt")),
        QStringLiteral("loaded 1"));
    const QImage legacy = LowerArea();
    int differing = 0;
    for (int y = 0; y < found.height(); ++y)
        for (int x = 0; x < found.width(); ++x)
            differing += qAbs(qGray(found.pixel(x, y)) - qGray(legacy.pixel(x, y))) > 60 ? 1 : 0;
    EXPECT_LT(differing, BrightPixels(found) / 10);

    // A standalone styled file that could not be drawn is refused, and the
    // file shown before stays.
    QFile styled(m_strFolder + QStringLiteral("/styled.ass"));
    ASSERT_TRUE(styled.open(QIODevice::WriteOnly));
    styled.write("[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\n"
                 "Format: Name, Fontname, Fontsize, PrimaryColour, Bold, Alignment\n"
                 "Style: Default,DejaVu Sans,48,&H0000FFFF,-1,2\n\n[Events]\n"
                 "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
                 "Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,,Styled line\n");
    styled.close();
    EXPECT_EQ(Answer(QStringLiteral("loaded"), QStringLiteral("load ") + styled.fileName()),
              QStringLiteral("loaded 0"));
    EXPECT_GT(BrightPixels(LowerArea()), 100);
}

TEST_F(SubtitleE2eTest, ChoosingTheOtherAudioStreamChangesWhatTheSinkGets)
{
    const auto near = [](int hertz, int wanted) { return std::abs(hertz - wanted) * 10 < wanted; };
    EXPECT_PRED2(near, Tone(), 440);
    EXPECT_EQ(Answer(QStringLiteral("audio"), QStringLiteral("audio 1")), QStringLiteral("audio 1"));
    QThread::msleep(300);
    EXPECT_PRED2(near, Tone(), 1760);
}

}  // namespace
