#include "playlist_test_util.h"

#include <QFile>

namespace playlisttest {

void AddRow(CPlaylist& playlist, const QString& folder, const QString& name)
{
    auto row = std::make_unique<CPlaylistRow>();
    row->InitFromFoundName(folder, name);
    playlist.m_rows.push_back(std::move(row));
}

void Fill(CPlaylist& playlist, const QStringList& names)
{
    for (const QString& name : names)
        AddRow(playlist, QStringLiteral("/m"), name);
    playlist.m_nSelected = playlist.m_nTop = names.isEmpty() ? -1 : 0;
    playlist.UpdateStatus();
}

QStringList FileNames(const CPlaylist& playlist)
{
    QStringList names;
    for (const auto& row : playlist.m_rows)
        names << row->m_strFileName;
    return names;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QString Hex(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex(' ')); }

}  // namespace playlisttest
