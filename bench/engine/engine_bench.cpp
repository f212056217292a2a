// Open-to-first-frame time and seek latency of the engine on the clip named
// by VELMORA_BENCH_CLIP (the bench script makes a 1080p H.264 clip).
#include "bench_host.h"
#include "gst_graph.h"
#include "media_engine.h"
#include "player_settings.h"
#include "playlist.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

struct BenchPlayer {
    QTemporaryDir scratch;
    CPlayerSettings settings{scratch.filePath(QStringLiteral("Velmora.ini"))};
    CPlaylist playlist;
    CGstGraphFactory factory;
    CUntouchedDisplayPower power;
    CBenchHost host;
    CMediaEngine engine{host, playlist, settings, factory, power};

    BenchPlayer() { host.m_window.show(); }
};

QString BenchClip()
{
    return qEnvironmentVariable("VELMORA_BENCH_CLIP");
}

// Open builds the graph and prerolls it: the first frame is in the sink.
void BM_OpenToFirstFrame(benchmark::State& state)
{
    if (!QFileInfo::exists(BenchClip())) {
        state.SkipWithError("set VELMORA_BENCH_CLIP to a media file");
        return;
    }
    BenchPlayer player;
    player.playlist.AddFileByPath(BenchClip());
    for (auto _ : state) {
        player.playlist.m_nCurrent = 0;
        player.engine.Open();
        if (!player.engine.IsStopped()) {
            state.SkipWithError("the clip did not open");
            return;
        }
        state.PauseTiming();
        player.engine.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

// A click on the seek bar while paused, until the new frame is prerolled.
void BM_SeekLatency(benchmark::State& state)
{
    if (!QFileInfo::exists(BenchClip())) {
        state.SkipWithError("set VELMORA_BENCH_CLIP to a media file");
        return;
    }
    BenchPlayer player;
    player.playlist.AddFileByPath(BenchClip());
    player.playlist.m_nCurrent = 0;
    player.engine.Open();
    player.engine.Play();
    player.engine.Pause();
    int step = 1;
    for (auto _ : state) {
        step = step % 9 + 1;
        if (FAILED(player.engine.Seek(step, 10))) {
            state.SkipWithError("seek failed");
            return;
        }
    }
    player.engine.Close();
}
BENCHMARK(BM_SeekLatency)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
