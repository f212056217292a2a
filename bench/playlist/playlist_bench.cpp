// Playlist figures on a generated 250,000-row list (save, load, the two
// sorts, removing a row in the middle, memory per row) and a warm scan of a
// generated tree of 100,000 files in 1,000 folders. Everything is written
// below one temporary folder.
#include "playlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

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
        const QString folder =
            QStringLiteral("/home/user/Music/Artist %1/Album %2").arg(artist).arg(next() % 12);
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
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

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
            for (const QString* text : {&row->m_strFileName, &row->m_strFolder, &row->m_strPath,
                                        &row->m_strDuration})
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
BENCHMARK(BM_Sort<&CPlaylist::SortByName>)->Name("BM_SortByName")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort<&CPlaylist::SortByFolder>)->Name("BM_SortByFolder")->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_SortEnglish<&CPlaylist::SortByName>)->Name("BM_SortByName_en_US")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortEnglish<&CPlaylist::SortByFolder>)->Name("BM_SortByFolder_en_US")->Unit(benchmark::kMillisecond);

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
