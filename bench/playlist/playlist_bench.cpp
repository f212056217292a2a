// SPDX-License-Identifier: GPL-3.0-or-later
// Playlist figures on a generated 250,000-row list (save, load, the two
// sorts, removing a row in the middle, memory per row) and a warm scan of a
// generated tree of 100,000 files in 1,000 folders. Everything is written
// below one temporary folder. The figures that have a goal are printed again
// at the end, each beside its goal, as the median of the repetitions.
#include "playlist/playlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 250000;
constexpr int kTreeFolders = 1000;
constexpr int kFilesPerFolder = 100;

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/velmora-bench-XXXXXX"));
    return dir;
}

// Rows in the order a user's library would give them, but with names and
// folders mixed so that both sorts have work to do.
void Generate(CPlaylist& playlist, int rows)
{
    uint32_t state = 12345;
    const auto next = [&] { return (state = state * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < rows; ++i) {
        const uint32_t artist = next() % 2000;
        const QString folder = QStringLiteral("/home/user/Music/Artist %1/Album %2").arg(artist).arg(next() % 12);
        const QString name = QStringLiteral("%1 - Some Song Title %2.mp3")
                                 .arg(next() % 20 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(next() % 100000);
        auto row = std::make_unique<CPlaylistRow>();
        row->InitFromFoundName(folder, name);
        row->SetDuration(QStringLiteral("03:%1").arg(next() % 60, 2, 10, QLatin1Char('0')));
        playlist.m_rows.push_back(std::move(row));
    }
    playlist.m_nSelected = playlist.m_nTop = 0;
}

const CPlaylist& Source()
{
    static CPlaylist source;
    if (source.GetCount() == 0)
        Generate(source, kRows);
    return source;
}

void CopyRows(const CPlaylist& from, CPlaylist& to)
{
    to.m_rows.clear();
    to.m_rows.reserve(from.m_rows.size());
    for (const auto& row : from.m_rows)
        to.m_rows.push_back(std::make_unique<CPlaylistRow>(*row));
}

QString SavedList()
{
    const QString path = Scratch().filePath(QStringLiteral("list.vml"));
    if (!QFile::exists(path)) {
        CPlaylist copy;
        CopyRows(Source(), copy);
        copy.SaveToFile(path);
    }
    return path;
}

// The whole save as the player does it: temporary file, fsync, rename. The
// time column is the wall time, the CPU column what the save itself costs.
void BM_Save(benchmark::State& state)
{
    CPlaylist playlist;
    CopyRows(Source(), playlist);
    const QString path = Scratch().filePath(QStringLiteral("save.vml"));
    for (auto _ : state) {
        if (!playlist.SaveToFile(path))
            state.SkipWithError("save failed");
    }
    state.counters["MB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_Load(benchmark::State& state)
{
    const QString path = SavedList();
    for (auto _ : state) {
        CPlaylist playlist;
        if (!playlist.LoadFromFile(path) || playlist.GetCount() != kRows)
            state.SkipWithError("load failed");
        state.PauseTiming();  // freeing the rows is not part of loading
        playlist.m_rows.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void BM_MemoryPerRowBeyondTexts(benchmark::State& state)
{
    const QString path = SavedList();
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        CPlaylist playlist;
        playlist.LoadFromFile(path);
        const size_t after = mallinfo2().uordblks;
        size_t textBytes = 0;
        for (const auto& row : playlist.m_rows) {
            for (const QString* text :
                 {&row->m_strFileName, &row->m_strFolder, &row->m_strPath, &row->m_strDuration})
                textBytes += size_t(text->size()) * sizeof(QChar);
        }
        state.counters["heap_bytes_per_row"] = double(after - before) / kRows;
        state.counters["text_bytes_per_row"] = double(textBytes) / kRows;
        state.counters["beyond_texts_per_row"] = (double(after - before) - double(textBytes)) / kRows;
    }
}
BENCHMARK(BM_MemoryPerRowBeyondTexts)->Unit(benchmark::kMillisecond)->Iterations(1);

template <void (CPlaylist::*Sort)()>
void BM_Sort(benchmark::State& state)
{
    CPlaylist playlist;
    for (auto _ : state) {
        state.PauseTiming();
        CopyRows(Source(), playlist);
        state.ResumeTiming();
        (playlist.*Sort)();
    }
}
BENCHMARK(BM_Sort<&CPlaylist::SortByName>)->Name("BM_SortByName")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Sort<&CPlaylist::SortByFolder>)
    ->Name("BM_SortByFolder")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// The same under a locale that Qt collates with ICU, as a user's desktop
// usually is (this machine runs in the C locale).
template <void (CPlaylist::*Sort)()>
void BM_SortEnglish(benchmark::State& state)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    BM_Sort<Sort>(state);
    QLocale::setDefault(previous);
}
BENCHMARK(BM_SortEnglish<&CPlaylist::SortByName>)
    ->Name("BM_SortByName_en_US")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);
BENCHMARK(BM_SortEnglish<&CPlaylist::SortByFolder>)
    ->Name("BM_SortByFolder_en_US")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

void BM_RemoveSelectedInTheMiddle(benchmark::State& state)
{
    CPlaylist playlist;
    CopyRows(Source(), playlist);
    for (auto _ : state) {
        playlist.m_nSelected = kRows / 2;
        playlist.RemoveSelected();
        state.PauseTiming();
        playlist.m_rows.push_back(std::make_unique<CPlaylistRow>(Source().GetRow(0)));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveSelectedInTheMiddle)->Unit(benchmark::kMicrosecond);

QString GeneratedTree()
{
    const QString root = Scratch().filePath(QStringLiteral("tree"));
    if (QDir(root).exists())
        return root;
    const char* const extensions[] = {"mp3", "avi", "MKV", "txt", "ogg", "jpg", "flac", "wma"};
    for (int folder = 0; folder < kTreeFolders; ++folder) {
        const QString dir = root + QStringLiteral("/Artist %1/Album %2").arg(folder / 10).arg(folder % 10);
        QDir().mkpath(dir);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            QFile f(dir + QStringLiteral("/%1 - Track.%2").arg(file).arg(QLatin1String(extensions[file % 8])));
            f.open(QIODevice::WriteOnly);
        }
    }
    return root;
}

void BM_ScanTreeWarm(benchmark::State& state)
{
    const QString root = GeneratedTree();
    {
        CPlaylist warmUp;
        warmUp.AddFolder(root);
    }
    int rows = 0;
    for (auto _ : state) {
        CPlaylist playlist;
        playlist.AddFolder(root);
        rows = playlist.GetCount();
        state.PauseTiming();
        playlist.m_rows.clear();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["files"] = kTreeFolders * kFilesPerFolder;
}
BENCHMARK(BM_ScanTreeWarm)->Unit(benchmark::kMillisecond);

// A figure with a goal: the median of a benchmark's repetitions, in
// milliseconds, judged by its CPU time (on a shared machine the wall time
// also counts the waits for a processor). A goal of 0 is a figure stated
// without one.
struct Goal {
    const char* figure;
    const char* benchmark;
    double limitMs;
};

constexpr Goal kGoals[] = {
    {"sort by name, C locale", "BM_SortByName", 150},     {"sort by name, en_US", "BM_SortByName_en_US", 150},
    {"sort by folder, C locale", "BM_SortByFolder", 250}, {"sort by folder, en_US", "BM_SortByFolder_en_US", 250},
    {"save: temporary file, fsync", "BM_Save", 60},
};

// The console output as usual, then every goal beside its figure.
class CGoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const double toMs = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Iteration) {
                m_wall[name].push_back(run.GetAdjustedRealTime() * toMs);
                m_cpu[name].push_back(run.GetAdjustedCPUTime() * toMs);
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-28s %10s %10s %10s\n", "Figure (250,000 rows)", "goal", "CPU", "wall");
        for (const Goal& goal : kGoals) {
            if (!m_cpu.count(goal.benchmark))
                continue;
            const double cpu = Median(m_cpu[goal.benchmark]);
            const double wall = Median(m_wall[goal.benchmark]);
            std::printf("%-28s %7s%3.0f ms %7.0f ms %7.0f ms  %s\n", goal.figure, "<= ", goal.limitMs, cpu, wall,
                        cpu <= goal.limitMs ? "holds" : "MISSED");
        }
        std::fflush(stdout);
    }

private:
    static double Median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        const size_t n = values.size();
        return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }

    std::map<std::string, std::vector<double>> m_wall;
    std::map<std::string, std::vector<double>> m_cpu;
};

}  // namespace

int main(int argc, char** argv)
{
    // Keep freed memory in the heap between iterations and free small blocks
    // at once, so each iteration measures the playlist's work, not the kernel
    // handing the same pages out again nor glibc merging the blocks that the
    // previous iteration's list left behind. BM_MemoryPerRowBeyondTexts runs
    // once on fresh memory and shows what the page faults cost.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_MXFAST, 0);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    CGoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
