// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/text_playlist.h"

#include "platform/path_codec.h"

#include <QDir>
#include <QIODevice>
#include <QUrl>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Longer lines cannot hold a path (PATH_MAX) and are skipped.
constexpr qint64 kMaxLine = 8192;

// The next line without its line end, or none at the end of the data.
// `tooLong` tells that the line was longer than kMaxLine (its rest is skipped).
std::optional<QByteArray> NextLine(QIODevice& device, bool& tooLong)
{
    if (device.atEnd())
        return std::nullopt;
    QByteArray line = device.readLine(kMaxLine);
    tooLong = !line.endsWith('\n') && !device.atEnd();
    if (tooLong) {
        while (!device.atEnd() && !device.readLine(kMaxLine).endsWith('\n')) {
        }
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

// The local path an entry names, or an empty text for anything else.
QString EntryPath(const QByteArray& entry, const QString& folder)
{
    if (entry.isEmpty())
        return {};
    if (entry.startsWith('/'))
        return QDir::cleanPath(DecodePath(entry));
    const qsizetype colon = entry.indexOf(':');
    const qsizetype slash = entry.indexOf('/');
    if (colon > 0 && (slash < 0 || colon < slash)) {
        // A URI: only local files count.
        return entry.startsWith("file:") ? QDir::cleanPath(PathFromLocalUrl(QUrl::fromEncoded(entry))) : QString();
    }
    return QDir::cleanPath(folder + QLatin1Char('/') + DecodePath(entry));
}

void Take(CForeignEntries& entries, const QString& path, int maxEntries)
{
    if (path.isEmpty())
        return;
    if (entries.paths.size() < maxEntries)
        entries.paths.append(path);
    else
        entries.bCut = true;
}

}  // namespace

std::optional<CForeignEntries> ReadM3u(QIODevice& device, const QString& folder, int maxEntries)
{
    CForeignEntries entries;
    bool tooLong = false;
    bool first = true;
    while (const std::optional<QByteArray> read = NextLine(device, tooLong)) {
        QByteArray line = read->trimmed();
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        first = false;
        if (line.contains('\0'))
            return std::nullopt;
        if (!tooLong && !line.startsWith('#'))
            Take(entries, EntryPath(line, folder), maxEntries);
    }
    return entries;
}

std::optional<CForeignEntries> ReadPls(QIODevice& device, const QString& folder, int maxEntries)
{
    // Numbered entries in file order, the first maxEntries of them.
    std::vector<std::pair<qulonglong, QByteArray>> numbered;
    bool cut = false;
    bool inPlaylist = false;
    bool sawGroup = false;
    bool tooLong = false;
    while (const std::optional<QByteArray> read = NextLine(device, tooLong)) {
        const QByteArray line = read->trimmed();
        if (tooLong || line.isEmpty())
            continue;
        if (line.startsWith('[')) {
            inPlaylist = line.compare("[playlist]", Qt::CaseInsensitive) == 0;
            sawGroup = sawGroup || inPlaylist;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inPlaylist || equals < 5 || line.left(4).compare("file", Qt::CaseInsensitive) != 0)
            continue;
        bool number = false;
        const qulonglong n = line.mid(4, equals - 4).trimmed().toULongLong(&number);
        if (!number)
            continue;
        if (numbered.size() < size_t(maxEntries))
            numbered.emplace_back(n, line.mid(equals + 1).trimmed());
        else
            cut = true;
    }
    if (!sawGroup)
        return std::nullopt;
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    CForeignEntries entries;
    entries.bCut = cut;
    for (const auto& [n, entry] : numbered)
        Take(entries, EntryPath(entry, folder), maxEntries);
    return entries;
}

bool LooksLikePls(const QByteArray& head)
{
    QByteArray text = head;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    return text.trimmed().left(10).compare("[playlist]", Qt::CaseInsensitive) == 0;
}
