// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/mpris_state.h"

#include "platform/path_codec.h"
#include "playlist/media_files.h"
#include "playlist/playlist_row.h"

#include <QMimeDatabase>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace mpris {

QString PlaybackStatus(bool playing, bool paused)
{
    if (playing)
        return QStringLiteral("Playing");
    return paused ? QStringLiteral("Paused") : QStringLiteral("Stopped");
}

QString LoopStatus(LoopModes modes)
{
    if (modes.clipRepeat)
        return QStringLiteral("Track");
    return modes.playlistRepeat ? QStringLiteral("Playlist") : QStringLiteral("None");
}

std::optional<LoopModes> ParseLoopStatus(const QString& status)
{
    if (status == u"None")
        return LoopModes{};
    if (status == u"Track")
        return LoopModes{true, false};
    if (status == u"Playlist")
        return LoopModes{false, true};
    return std::nullopt;
}

QDBusObjectPath TrackId(int row)
{
    return QDBusObjectPath(QStringLiteral("/org/velmora/Velmora/Track/%1").arg(row));
}

qlonglong LengthFromText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:(\\d{1,6}):)?(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return 0;
    const qlonglong seconds = match.captured(1).toLongLong() * 3600 + match.captured(2).toLongLong() * 60 +
                              match.captured(3).toLongLong();
    return seconds * 1000000;
}

QVariantMap TrackMetadata(int row, const CPlaylistRow& track, qlonglong lengthUs)
{
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackId(row)));
    metadata.insert(QStringLiteral("xesam:title"), track.m_strFileName);
    // From the file name's bytes: a name that is not UTF-8 keeps them.
    metadata.insert(QStringLiteral("xesam:url"),
                    QString::fromLatin1("file://" + EncodePath(track.m_strPath).toPercentEncoding("/")));
    if (lengthUs > 0)
        metadata.insert(QStringLiteral("mpris:length"), lengthUs);
    return metadata;
}

std::optional<qlonglong> SeekTarget(qlonglong positionUs, qlonglong offsetUs, qlonglong lengthUs)
{
    // Compared before adding: position + offset can overflow.
    if (offsetUs > lengthUs - positionUs)
        return std::nullopt;
    return std::max<qlonglong>(positionUs + offsetUs, 0);
}

bool IsLocalFileUri(const QUrl& url)
{
    return url.isValid() && url.isLocalFile() &&
           (url.host().isEmpty() || url.host().compare(u"localhost", Qt::CaseInsensitive) == 0);
}

QStringList MediaMimeTypes()
{
    // The first name filter lists every media extension.
    const QStringList filters = MediaFileNameFilters();
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    QMimeDatabase database;
    QStringList types;
    for (auto it = extension.globalMatch(filters.value(0)); it.hasNext();) {
        // An extension may name several types (".ts" is also a translation
        // file): an audio or video type wins.
        const QList<QMimeType> candidates = database.mimeTypesForFileName(QStringLiteral("x.") +
                                                                          it.next().captured(1));
        QString chosen = candidates.isEmpty() ? QString() : candidates.first().name();
        for (const QMimeType& type : candidates) {
            if (type.name().startsWith(u"audio/") || type.name().startsWith(u"video/")) {
                chosen = type.name();
                break;
            }
        }
        if (!chosen.isEmpty() && !types.contains(chosen))
            types << chosen;
    }
    return types;
}

}  // namespace mpris
