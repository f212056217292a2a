// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/foreign_playlist.h"

#include "platform/path_codec.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>

// GIO names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <totem-pl-parser.h>
#pragma pop_macro("signals")

#include <array>

#include <unistd.h>

namespace {

constexpr std::array<const char*, 8> kPlaylistExtensions = {"m3u", "m3u8", "pls", "xspf",
                                                            "asx", "wpl",  "b4s", "zpl"};

bool HasExtension(const QString& name, const char* extension)
{
    return name.endsWith(QLatin1Char('.') + QLatin1String(extension), Qt::CaseInsensitive);
}

void OnEntryParsed(TotemPlParser*, const char* uri, GHashTable*, gpointer data)
{
    // Entries come as URIs, or as the absolute paths a list wrote.
    auto* entries = static_cast<CForeignEntries*>(data);
    if (!uri)
        return;
    QString path;
    if (uri[0] == '/') {
        path = DecodePath(QByteArray(uri));
    } else if (g_str_has_prefix(uri, "file:")) {
        g_autofree gchar* file = g_filename_from_uri(uri, nullptr, nullptr);
        if (file)
            path = DecodePath(QByteArray(file));
    }
    if (path.isEmpty())
        return;
    if (entries->paths.size() < kMaxForeignEntries)
        entries->paths.append(path);
    else
        entries->bCut = true;
}

// The XML formats. Nested playlists come back as entries of their own: the
// caller reads them, each file once.
std::optional<CForeignEntries> ParseWithPlParser(const QString& path)
{
    g_autofree gchar* uri = g_filename_to_uri(EncodePath(path).constData(), nullptr, nullptr);
    if (!uri)
        return std::nullopt;
    CForeignEntries entries;
    TotemPlParser* parser = totem_pl_parser_new();
    g_object_set(parser, "recurse", FALSE, nullptr);
    g_signal_connect(parser, "entry-parsed", G_CALLBACK(OnEntryParsed), &entries);
    const TotemPlParserResult result = totem_pl_parser_parse(parser, uri, FALSE);
    g_object_unref(parser);
    if (result != TOTEM_PL_PARSER_RESULT_SUCCESS)
        return std::nullopt;
    return entries;
}

}  // namespace

bool IsForeignPlaylist(const QString& name)
{
    for (const char* known : kPlaylistExtensions) {
        if (HasExtension(name, known))
            return true;
    }
    return false;
}

std::optional<CForeignEntries> ReadForeignPlaylist(const QString& path)
{
    QFile file(path);
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString name = path.mid(folder.size() + 1);
    if (HasExtension(name, "m3u") || HasExtension(name, "m3u8"))
        return ReadM3u(file, folder, kMaxForeignEntries);
    // A .pls claims a count that another parser would walk whatever it is;
    // a list in that format is read here under any name.
    if (HasExtension(name, "pls") || LooksLikePls(file.peek(64)))
        return ReadPls(file, folder, kMaxForeignEntries);
    file.close();
    return ParseWithPlParser(path);
}
