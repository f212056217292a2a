// SPDX-License-Identifier: GPL-3.0-or-later
// Subtitle and audio stream figures of the engine, on a 1920x1080 30 fps
// H.264 clip with two audio streams (440 Hz and 1760 Hz tones) that the
// bench makes with ffmpeg in a temporary folder:
//  - the time from choosing the other audio stream to its first buffer at
//    the audio sink (median of 10 switches while playing);
//  - the time Load Subtitle takes to show a file over the playing clip;
//  - the CPU seconds (user + system) of playing 10 s of the clip without
//    and with a subtitle file shown (goal: at most 5 % more).
// Run it on an X display (Xvfb is enough): track_bench
#include "engine/graph/gst_graph.h"
#include "engine/media_engine.h"
#include "plain_window_host.h"
#include "playlist/playlist.h"
#include "settings/player_settings.h"
#include "metered_graph_factory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kPlaySeconds = 10;

// Keeps the interface thread's events flowing while the clip plays.
void Spin(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}


bool MakeClip(const QString& folder)
{
    QProcess ffmpeg;
    ffmpeg.setWorkingDirectory(folder);
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QProcess::splitCommand(
                     QStringLiteral("-v error -y -f lavfi -i testsrc2=s=1920x1080:r=30:d=30 "
                                    "-f lavfi -i sine=f=440:r=44100:d=30 -f lavfi -i sine=f=1760:r=44100:d=30 "
                                    "-map 0 -map 1 -map 2 -c:v libx264 -preset ultrafast -c:a libvorbis "
                                    "-metadata:s:a:0 language=eng -metadata:s:a:1 language=rus film.mkv")));
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0)
        return false;
    // A cue every 2 s for the whole clip: text is drawn all the time.
    QFile cues(folder + QStringLiteral("/cues.srt"));
    if (!cues.open(QIODevice::WriteOnly))
        return false;
    for (int i = 0; i < 30; ++i)
        cues.write(QStringLiteral("%1\n00:00:%2,000 --> 00:00:%3,000\nSubtitle line number %1, two lines\n"
                                  "with an outline on a moving picture\n\n")
                       .arg(i + 1)
                       .arg(i * 2, 2, 10, QLatin1Char('0'))
                       .arg(i * 2 + 2, 2, 10, QLatin1Char('0'))
                       .toUtf8());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    UsePrivateHome(scratch.path());
    std::printf("making the 1080p clip...\n");
    std::fflush(stdout);
    if (!MakeClip(scratch.path())) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    CPlayerSettings settings(scratch.filePath(QStringLiteral("Velmora.ini")));
    settings.AutoLoadSubtitles = 0;
    CPlaylist playlist;
    playlist.AddFileByPath(scratch.filePath(QStringLiteral("film.mkv")));
    CMeteredFactory factory;
    CUntouchedDisplayPower power;
    CPlainWindowHost host;
    host.m_window.setGeometry(0, 0, 960, 540);
    host.m_window.show();
    CMediaEngine engine(host, playlist, settings, factory, power);

    // CPU without and with subtitles, each over the same stretch of the clip.
    const auto playedCpu = [&](bool subtitles) {
        engine.Open(0);
        if (subtitles)
            engine.LoadSubtitle(scratch.filePath(QStringLiteral("cues.srt")), false);
        engine.Play();
        Spin(500);
        const double before = CpuSeconds();
        Spin(kPlaySeconds * 1000);
        const double used = CpuSeconds() - before;
        engine.Close();
        return used;
    };
    std::vector<double> without;
    std::vector<double> with;
    for (int round = 0; round < 3; ++round) {
        without.push_back(playedCpu(false));
        with.push_back(playedCpu(true));
    }
    std::sort(without.begin(), without.end());
    std::sort(with.begin(), with.end());
    std::printf("CPU over %d s of 1080p: %.2f s without subtitles, %.2f s with (%+.1f %%; medians of 3)\n",
                kPlaySeconds, without[1], with[1], (with[1] / without[1] - 1) * 100);

    engine.Open(0);
    engine.Play();
    Spin(1000);
    QElapsedTimer load;
    load.start();
    engine.LoadSubtitle(scratch.filePath(QStringLiteral("cues.srt")), false);
    std::printf("Load Subtitle on the playing clip: %lld ms until it plays on with the text\n",
                static_cast<long long>(load.elapsed()));

    std::vector<double> switches;
    for (int i = 0; i < 10; ++i) {
        Spin(700);
        const int stream = (i + 1) % 2;
        factory.m_meter.Watch(stream == 1 ? 1760 : 440);
        const auto start = std::chrono::steady_clock::now();
        engine.SelectTrack(StreamKind::Audio, stream);
        Spin(1500);
        const auto first = factory.m_meter.FirstAt(stream == 1 ? 1760 : 440);
        if (first == std::chrono::steady_clock::time_point{})
            continue;
        switches.push_back(std::chrono::duration<double, std::milli>(first - start).count());
    }
    std::sort(switches.begin(), switches.end());
    if (switches.empty())
        std::printf("audio stream switch: the new stream never reached the sink\n");
    else
        std::printf(
            "audio stream switch to first buffer at the sink: median %.0f ms, worst %.0f ms (%zu switches)\n",
            switches[switches.size() / 2], switches.back(), switches.size());
    engine.Close();
    return 0;
}
