// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/foreign_playlist.h"

#include <QFile>

// GIO names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <totem-pl-parser.h>
#pragma pop_macro("signals")

#include <array>

namespace {

constexpr std::array<const char*, 8> kPlaylistExtensions = {"m3u", "m3u8", "pls", "xspf",
                                                            "asx", "wpl",  "b4s", "zpl"};

void OnEntryParsed(TotemPlParser*, const char* uri, GHashTable*, gpointer data)
{
    // Entries come as URIs, or as the absolute paths a list wrote.
    auto* entries = static_cast<QStringList*>(data);
    if (!uri)
        return;
    if (uri[0] == '/') {
        entries->append(QFile::decodeName(uri));
        return;
    }
    if (!g_str_has_prefix(uri, "file:"))
        return;
    g_autofree gchar* file = g_filename_from_uri(uri, nullptr, nullptr);
    if (file)
        entries->append(QFile::decodeName(file));
}

}  // namespace

bool IsForeignPlaylist(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = name.mid(dot + 1);
    for (const char* known : kPlaylistExtensions) {
        if (extension.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<QStringList> ReadForeignPlaylist(const QString& path)
{
    g_autofree gchar* uri = g_filename_to_uri(QFile::encodeName(path).constData(), nullptr, nullptr);
    if (!uri)
        return std::nullopt;
    QStringList entries;
    TotemPlParser* parser = totem_pl_parser_new();
    g_object_set(parser, "recurse", TRUE, nullptr);
    g_signal_connect(parser, "entry-parsed", G_CALLBACK(OnEntryParsed), &entries);
    const TotemPlParserResult result = totem_pl_parser_parse(parser, uri, FALSE);
    g_object_unref(parser);
    if (result != TOTEM_PL_PARSER_RESULT_SUCCESS)
        return std::nullopt;
    return entries;
}
