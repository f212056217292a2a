// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist.h"

#include "playlist/media_files.h"
#include "playlist/vml_archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/prompt.h"

#include <cerrno>
#include <cstring>

namespace {

void Report(QWidget* parent, const char* text, const QString& path)
{
    CPrompt::Get().MessageBox(parent, QStringLiteral("Velmora"),
                              QString::fromLatin1(text).arg(QDir::toNativeSeparators(path)),
                              CPrompt::Icon::Warning, CPrompt::Buttons::Ok);
}

const char* ReadErrorText(VmlError error)
{
    switch (error) {
    case VmlError::EndOfFile: return "An attempt was made to read past the end of %1.";
    case VmlError::BadClass: return "%1 contains an unexpected object.";
    case VmlError::ReadFailed: return "An unexpected error occurred while reading %1.";
    case VmlError::BadFormat: break;
    }
    return "%1 has a bad format.";
}

const char* OpenErrorText(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return "%1 was not found.";
    if (!info.isReadable())
        return "Access to %1 was denied.";
    return "An unexpected error occurred while reading %1.";
}

const char* CreateErrorText(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return "%1 contains an invalid path.";
    if (info.isDir())
        return "An unexpected error occurred while writing %1.";
    return "Access to %1 was denied.";
}

bool IsDiskFull(const QFileDevice& file)
{
    return file.errorString() == QString::fromLocal8Bit(std::strerror(ENOSPC));
}

}  // namespace

bool CPlaylist::SaveList(bool withDialog, QWidget* parent)
{
    if (withDialog) {
        const QString path = CPrompt::Get().GetSaveFileName(
            parent, QString(), QString(), ToNameFilters(QString::fromLatin1(kPlaylistFileFilter)),
            QStringLiteral("vml"));
        return !path.isEmpty() && SaveToFile(path, parent);
    }
    // The fallback location below the data home may not exist yet.
    QDir().mkpath(QFileInfo(m_strDefaultFile).absolutePath());
    return SaveToFile(m_strDefaultFile, parent);
}

bool CPlaylist::LoadList(bool withDialog, QWidget* parent)
{
    if (!withDialog)
        return LoadFile(m_strDefaultFile, parent, true);
    const QStringList paths = CPrompt::Get().GetOpenFileNames(
        parent, QString(), QString(), ToNameFilters(QString::fromLatin1(kPlaylistFileFilter)));
    if (paths.isEmpty()) {
        UpdateStatus();
        return false;
    }
    return LoadFile(paths.constFirst(), parent, false);
}

bool CPlaylist::SaveToFile(const QString& path, QWidget* parent)
{
    // The list goes to a temporary file beside the old one, which is renamed
    // over it only when everything was written: a failed or interrupted save
    // never destroys the previous playlist. Only a file in a folder where no
    // new file may be made is rewritten in place, as it always was.
    const QFileInfo target(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    // Never replace a device, a pipe or a folder by a playlist.
    const bool unsuitable = target.exists() && (!target.isFile() || !target.isWritable());
    if (unsuitable || !file.open(QIODevice::WriteOnly)) {
        Report(parent, CreateErrorText(path), path);
        return false;
    }
    CVmlOutArchive archive(file);
    Serialize(archive);
    if (!archive.Flush() || !file.commit()) {
        Report(parent,
               IsDiskFull(file) ? "Disk full while accessing %1."
                                : "An unexpected error occurred while writing %1.",
               path);
        return false;
    }
    return true;
}

bool CPlaylist::LoadFromFile(const QString& path, QWidget* parent) { return LoadFile(path, parent, false); }

bool CPlaylist::LoadFile(const QString& path, QWidget* parent, bool silentIfUnopenable)
{
    const QFileInfo info(path);
    QFile file(path);
    // Only regular files: opening a FIFO would block, a device never ends.
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
        if (!silentIfUnopenable)
            Report(parent, OpenErrorText(path), path);
        return false;
    }

    try {
        CVmlInArchive archive(file);
        Serialize(archive);
    } catch (const CVmlException& failure) {
        Clear();
        Report(parent, ReadErrorText(failure.error), path);
        return false;
    }
    m_nSelected = m_nTop = GetCount() > 0 ? 0 : -1;
    UpdateStatus();
    return true;
}
