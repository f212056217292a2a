// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_clips.h"

#include "temp_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <stdexcept>

namespace {

QString ClipFolder()
{
    const QString build = qEnvironmentVariable("VELMORA_BUILD_DIR");
    if (build.isEmpty())
        return testsupport::MakeScratchDir(QStringLiteral("engine-clips"));
    const QString folder = build + QStringLiteral("/test-clips/engine");
    QDir().mkpath(folder);
    return folder;
}

QString Audio(int seconds, const QString& encoder)
{
    return QStringLiteral("audiotestsrc wave=sine freq=440 num-buffers=%1 samplesperbuffer=4410 ! "
                          "audio/x-raw,rate=44100,channels=2 ! audioconvert ! %2")
        .arg(seconds * 10)
        .arg(encoder);
}

QString Video(int seconds, int width, int height, const QString& encoder, int fps = 25)
{
    return QStringLiteral("videotestsrc pattern=smpte num-buffers=%1 ! "
                          "video/x-raw,width=%2,height=%3,framerate=%4/1 ! videoconvert ! %5")
        .arg(seconds * fps)
        .arg(width)
        .arg(height)
        .arg(fps)
        .arg(encoder);
}

struct Recipe {
    const char* name;
    QString pipeline;  // ends in "filesink location=", or has "%1" where the path goes
};

Recipe RecipeFor(TestClip clip)
{
    const QString h264 = QStringLiteral("x264enc speed-preset=ultrafast key-int-max=25 ! h264parse");
    switch (clip) {
    case TestClip::Wav3s: return {"tone3.wav", Audio(3, "wavenc ! filesink location=")};
    case TestClip::Wav1s: return {"tone1.wav", Audio(1, "wavenc ! filesink location=")};
    case TestClip::Mp3Xing:
        return {"xing.mp3", Audio(2, "lamemp3enc target=bitrate bitrate=128 ! xingmux ! filesink location=")};
    case TestClip::Mp3Plain:
        return {"plain.mp3", Audio(2, "lamemp3enc target=bitrate bitrate=128 cbr=true ! filesink location=")};
    case TestClip::Mp3VbrPlain:
        // Loud first, so the bit rate of the first frames promises a short clip.
        return {"vbr.mp3", QStringLiteral("concat name=c ! audioconvert ! lamemp3enc target=quality quality=2 ! "
                                          "filesink location=%1 "
                                          "audiotestsrc wave=white-noise num-buffers=40 samplesperbuffer=4410 ! "
                                          "audio/x-raw,rate=44100,channels=2 ! c. "
                                          "audiotestsrc wave=silence num-buffers=260 samplesperbuffer=4410 ! "
                                          "audio/x-raw,rate=44100,channels=2 ! c. ")};
    case TestClip::Mpeg2Video: return {"clip.m2v", Video(10, 320, 240, "mpeg2enc ! filesink location=")};
    case TestClip::AviMjpegPcm:
        return {"mjpeg.avi", Video(2, 320, 240, "jpegenc ! mux. ") + Audio(2, "mux. ") +
                                 QStringLiteral("avimux name=mux ! filesink location=")};
    case TestClip::MkvH264Vorbis:
        return {"h264.mkv", Video(2, 320, 240, h264 + " ! mux. ") + Audio(2, "vorbisenc ! mux. ") +
                                QStringLiteral("matroskamux name=mux ! filesink location=")};
    case TestClip::VideoOnly:
        return {"silent.mkv", Video(1, 160, 120, h264 + " ! matroskamux ! filesink location=")};
    case TestClip::TextAsMp3: return {"notes.mp3", {}};
    case TestClip::Wav30s: return {"tone30.wav", Audio(30, "wavenc ! filesink location=")};
    case TestClip::AviMjpegPcm30s:
        return {"mjpeg30.avi", Video(30, 320, 240, "jpegenc ! mux. ", 10) + Audio(30, "mux. ") +
                                   QStringLiteral("avimux name=mux ! filesink location=")};
    case TestClip::H264SparseKeys:
        // x264's own default interval at 25 fps.
        return {"sparse-keys.mkv",
                Video(20, 320, 240,
                      "x264enc speed-preset=ultrafast key-int-max=250 ! h264parse ! matroskamux ! "
                      "filesink location=")};
    }
    throw std::logic_error("unknown clip");
}

}  // namespace

QString TestClipPath(TestClip clip)
{
    const Recipe recipe = RecipeFor(clip);
    const QString path = ClipFolder() + QLatin1Char('/') + QLatin1String(recipe.name);
    if (QFileInfo::exists(path))
        return path;
    // Made under a private name and renamed, so a parallel test never sees half a file.
    const QString partial = path + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
    if (recipe.pipeline.isEmpty()) {
        QFile file(partial);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write test clip");
        file.write("These are notes, not music.\nNothing here decodes.\n");
    } else {
        QProcess gst;
        QStringList args{QStringLiteral("-q")};
        const QString pipeline = recipe.pipeline.contains(QLatin1String("%1")) ? recipe.pipeline.arg(partial)
                                                                               : recipe.pipeline + partial;
        args += pipeline.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        gst.start(QStringLiteral("gst-launch-1.0"), args);
        if (!gst.waitForFinished(60000) || gst.exitCode() != 0)
            throw std::runtime_error("gst-launch-1.0 failed to make " + std::string(recipe.name) + ": " +
                                     gst.readAllStandardError().toStdString());
    }
    if (!QFile::rename(partial, path))
        QFile::remove(partial);  // another test process made it first
    return path;
}

QString MissingClipPath() { return ClipFolder() + QStringLiteral("/no-such-clip.avi"); }
