// SPDX-License-Identifier: GPL-3.0-or-later
// PaintMain and PaintPlaylist into a QImage, and HitTestMain, with the
// built-in sheet. Runs on Qt's offscreen platform.
#include "skin/bitmap_skin.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_row_painter.h"
#include "skin/skin_ids.h"
#include "skin/skin_state_record.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

CSkinStateRecord PlayingState()
{
    CSkinStateRecord state;
    state.m_bLoaded = state.m_bPlaying = true;
    state.m_strClipFileName = QStringLiteral("Harbour Lights - Evening Tide.mkv");
    state.m_strTime = QStringLiteral("00:01:47 / 00:04:12");
    state.m_llPosition = 107;
    state.m_llDuration = 252;
    state.m_nVolume = -1400;
    state.m_nCount = 500;
    state.m_nTop = 120;
    state.m_nCurrent = 130;
    state.m_strStatus = QStringLiteral("500 Files");
    return state;
}

void PaintMain(benchmark::State& bench, int w, int h)
{
    CSkinStateRecord state = PlayingState();
    CBitmapSkin skin(state);
    QImage image(w, h, QImage::Format_RGB32);
    for (auto _ : bench) {
        QPainter painter(&image);
        skin.PaintMain(painter, MC_NEXT, image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintMain_403x280(benchmark::State& bench) { PaintMain(bench, 403, 280); }
void BM_PaintMain_1920x1080(benchmark::State& bench) { PaintMain(bench, 1920, 1080); }

void BM_PaintPlaylist_318x600(benchmark::State& bench)
{
    CSkinStateRecord state = PlayingState();
    CBitmapSkin skin(state);
    QImage image(318, 600, QImage::Format_RGB32);
    for (auto _ : bench) {
        QPainter painter(&image);
        skin.PaintPlaylist(painter, PC_ADDFILES, image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A whole paint of the playlist window as the window does it: the black
// list area, the drawn rows, then the skin's frame. Arguments: the row count
// and the top row in thousandths of the list.
void BM_PaintPlaylistWindow_318x600(benchmark::State& bench)
{
    const int count = static_cast<int>(bench.range(0));
    CPlaylist playlist;
    for (int i = 0; i < count; ++i) {
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strPath = QStringLiteral("/home/user/Music/Harbour Lights/Evening Tide %1.mkv").arg(i);
        row->m_strFileName = QStringLiteral("Evening Tide %1.mkv").arg(i);
        row->SetDuration(QStringLiteral("00:04:12"));
        playlist.m_rows.push_back(std::move(row));
    }
    playlist.m_nTop = static_cast<int>(static_cast<qint64>(count - 1) * bench.range(1) / 1000);
    playlist.m_nSelected = playlist.m_nTop + 3;
    playlist.SetCurrent(playlist.m_nTop + 5);
    CSkinStateRecord state = PlayingState();
    state.m_nCount = count;
    state.m_nTop = playlist.m_nTop;
    state.m_nCurrent = playlist.GetCurrent();
    CBitmapSkin skin(state);
    const CPlaylistRowPainter rows;
    QImage image(318, 600, QImage::Format_RGB32);
    QRect list;
    skin.GetListArea(image.size(), list);
    for (auto _ : bench) {
        QPainter painter(&image);
        painter.fillRect(list, Qt::black);
        rows.Paint(painter, list, playlist, true);
        skin.PaintPlaylist(painter, 0, image.rect());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_HitTestMain(benchmark::State& bench)
{
    CSkinStateRecord state = PlayingState();
    CBitmapSkin skin(state);
    const QSize size(403, 280);
    // A point that misses every control walks the whole order.
    int x = 200;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(skin.HitTestMain(size, x, 150));
        x ^= 1;
    }
}

BENCHMARK(BM_PaintMain_403x280)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintMain_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlaylist_318x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlaylistWindow_318x600)
    ->Args({10, 0})
    ->Args({250000, 0})
    ->Args({250000, 500})
    ->Args({250000, 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestMain)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
