// SPDX-License-Identifier: GPL-3.0-or-later
// Open-to-first-frame time and seek latency of the engine on the clip named
// by VELMORA_BENCH_CLIP (the bench scripts make a 1080p 8-bit 4:2:0 H.264 clip), and the
// latency of a seek bar click between key frames on the clip named by
// VELMORA_BENCH_SPARSE_KEY_CLIP (1080p H.264, a key frame every 10 s).
#include "plain_window_host.h"
#include "engine/graph/gst_graph.h"
#include "engine/graph/gst_object_ptr.h"
#include "engine/media_engine.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace {

QString BenchClip() { return qEnvironmentVariable("VELMORA_BENCH_CLIP"); }

QString SparseKeyClip() { return qEnvironmentVariable("VELMORA_BENCH_SPARSE_KEY_CLIP"); }

// False, with the benchmark marked as skipped, when no clip is named.
bool HasClip(benchmark::State& state, const QString& clip, const char* variable)
{
    if (QFileInfo::exists(clip))
        return true;
    state.SkipWithError((std::string("set ") + variable + " to a media file").c_str());
    return false;
}

bool HasBenchClip(benchmark::State& state) { return HasClip(state, BenchClip(), "VELMORA_BENCH_CLIP"); }

struct BenchPlayer {
    QTemporaryDir scratch;
    CPlayerSettings settings{scratch.filePath(QStringLiteral("Velmora.ini"))};
    CPlaylist playlist;
    CGstGraphFactory factory;
    CUntouchedDisplayPower power;
    CPlainWindowHost host;
    CMediaEngine engine{host, playlist, settings, factory, power};

    explicit BenchPlayer(const QString& clip = BenchClip())
    {
        host.m_window.show();
        playlist.AddFileByPath(clip);
    }
};

// Open builds the graph and prerolls it: the first frame is in the sink.
void BM_OpenToFirstFrame(benchmark::State& state)
{
    if (!HasBenchClip(state))
        return;
    BenchPlayer player;
    for (auto _ : state) {
        player.engine.Open(0);
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
    if (!HasBenchClip(state))
        return;
    BenchPlayer player;
    player.engine.Open(0);
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

// A click on the seek bar while paused, landing exactly between key frames 10 s
// apart: the decoder runs from the key frame before the target.
void BM_AccurateSeekSparseKeys(benchmark::State& state)
{
    if (!HasClip(state, SparseKeyClip(), "VELMORA_BENCH_SPARSE_KEY_CLIP"))
        return;
    BenchPlayer player(SparseKeyClip());
    player.engine.Open(0);
    player.engine.Play();
    player.engine.Pause();
    // Targets 1 s ... 9 s past a key frame, in a 20 s clip.
    int step = 0;
    for (auto _ : state) {
        step = step % 9 + 1;
        if (FAILED(player.engine.Seek(step + 10 * (step % 2), 20))) {
            state.SkipWithError("seek failed");
            return;
        }
    }
    player.engine.Close();
}
BENCHMARK(BM_AccurateSeekSparseKeys)->Unit(benchmark::kMillisecond)->Iterations(18);

// The same two measurements on a bare playbin with the same sinks, for
// comparison: what GStreamer itself needs on this machine.
struct BarePlaybin {
    GstObjectPtr<GstElement> playbin = AdoptElement(gst_element_factory_make("playbin", nullptr));

    BarePlaybin()
    {
        const CGstGraphOptions options = CGstGraphOptions::FromEnvironment();
        const QString videoSink = options.videoSink.isEmpty() ? CGstGraphFactory::ChooseVideoSink()
                                                              : options.videoSink;
        g_object_set(playbin.get(), "video-sink",
                     gst_element_factory_make(videoSink.toUtf8().constData(), nullptr), nullptr);
        if (!options.audioSink.isEmpty())
            g_object_set(playbin.get(), "audio-sink",
                         gst_element_factory_make(options.audioSink.toUtf8().constData(), nullptr), nullptr);
        g_autofree gchar* uri = gst_filename_to_uri(BenchClip().toUtf8().constData(), nullptr);
        g_object_set(playbin.get(), "uri", uri, nullptr);
    }
    ~BarePlaybin() { gst_element_set_state(playbin.get(), GST_STATE_NULL); }
    bool Paused()
    {
        gst_element_set_state(playbin.get(), GST_STATE_PAUSED);
        return gst_element_get_state(playbin.get(), nullptr, nullptr, 10 * GST_SECOND) == GST_STATE_CHANGE_SUCCESS;
    }
};

void BM_PlaybinPrerollBaseline(benchmark::State& state)
{
    if (!HasBenchClip(state))
        return;
    for (auto _ : state) {
        BarePlaybin bare;
        if (!bare.Paused()) {
            state.SkipWithError("the clip did not preroll");
            return;
        }
        state.PauseTiming();
        gst_element_set_state(bare.playbin.get(), GST_STATE_NULL);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlaybinPrerollBaseline)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PlaybinSeekBaseline(benchmark::State& state)
{
    if (!HasBenchClip(state))
        return;
    BarePlaybin bare;
    bare.Paused();
    gint64 duration = 0;
    gst_element_query_duration(bare.playbin.get(), GST_FORMAT_TIME, &duration);
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    int step = 1;
    for (auto _ : state) {
        step = step % 9 + 1;
        gst_element_seek_simple(bare.playbin.get(), GST_FORMAT_TIME, flags, duration * step / 10);
        gst_element_get_state(bare.playbin.get(), nullptr, nullptr, 10 * GST_SECOND);
    }
}
BENCHMARK(BM_PlaybinSeekBaseline)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir home;
    UsePrivateHome(home.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
