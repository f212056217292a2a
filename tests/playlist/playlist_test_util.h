#pragma once

#include "playlist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace playlisttest {

// Appends a row with the given folder and name, as a scan would.
void AddRow(CPlaylist& playlist, const QString& folder, const QString& name);
// A playlist of rows named by `names`, all in folder "/m".
void Fill(CPlaylist& playlist, const QStringList& names);
QStringList FileNames(const CPlaylist& playlist);

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// Hex text of bytes, for readable failures ("01 00 ff ...").
QString Hex(const QByteArray& bytes);

}  // namespace playlisttest
