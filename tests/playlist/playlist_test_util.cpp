// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist_test_util.h"

#include <temp_home.h>

#include <QFile>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

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

static QStringList RowTexts(const CPlaylist& playlist, QString CPlaylistRow::*text)
{
    QStringList texts;
    for (const auto& row : playlist.m_rows)
        texts << (*row).*text;
    return texts;
}

QStringList FileNames(const CPlaylist& playlist) { return RowTexts(playlist, &CPlaylistRow::m_strFileName); }

QStringList Folders(const CPlaylist& playlist) { return RowTexts(playlist, &CPlaylistRow::m_strFolder); }

QStringList Paths(const CPlaylist& playlist) { return RowTexts(playlist, &CPlaylistRow::m_strPath); }

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

std::string Hex(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }

}  // namespace playlisttest

namespace playlisttest {

CUnprivileged::CUnprivileged() : m_bWasRoot(geteuid() == 0)
{
    if (!m_bWasRoot)
        return;
    constexpr uid_t kNobody = 65534;
    chmod(QFile::encodeName(testsupport::TempHome()).constData(), 0711);
    // Real and effective ids change so that access() sees them too; the
    // saved id stays root so the destructor can come back.
    if (setresgid(kNobody, kNobody, 0) != 0 || setresuid(kNobody, kNobody, 0) != 0)
        std::abort();
}

CUnprivileged::~CUnprivileged()
{
    if (m_bWasRoot && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
        std::abort();
}

}  // namespace playlisttest
