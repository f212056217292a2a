// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusObjectPath>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <optional>

class CPlaylistRow;

// The plain translations between the player's state and the values of the
// desktop media-player interface, kept apart from the bus so they can be
// checked without one.
namespace mpris {

inline constexpr double kMinimumRate = 0.1;
inline constexpr double kMaximumRate = 4.0;

QString PlaybackStatus(bool playing, bool paused);

// Clip repeat is "Track", playlist repeat "Playlist"; clip repeat wins when
// both are on.
struct LoopModes {
    bool clipRepeat = false;
    bool playlistRepeat = false;
};
QString LoopStatus(LoopModes modes);
// Empty for a text that names no loop status.
std::optional<LoopModes> ParseLoopStatus(const QString& status);

// A playlist row's track id; rows have no identity beyond their place.
QDBusObjectPath TrackId(int row);
// A row's length text ("00:03:40", "01:05" or "00:00") in microseconds; 0
// when the text gives none.
qlonglong LengthFromText(const QString& text);
// The metadata of a row; lengthUs 0 leaves the length out.
QVariantMap TrackMetadata(int row, const CPlaylistRow& track, qlonglong lengthUs);

// Where Seek(offset) from positionUs goes in a clip of lengthUs: clamped
// to the start, or none when it passes the end (that acts as Next).
std::optional<qlonglong> SeekTarget(qlonglong positionUs, qlonglong offsetUs, qlonglong lengthUs);

// Whether a URI names a file on this machine: scheme "file" with no host or
// "localhost".
bool IsLocalFileUri(const QUrl& url);

// The MIME types of the player's media extensions.
QStringList MediaMimeTypes();

}  // namespace mpris
