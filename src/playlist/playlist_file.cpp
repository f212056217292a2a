// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist.h"

#include "playlist/media_files.h"
#include "playlist/vml_archive.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/prompt.h"
#include "platform/whole_file.h"

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
    // A failed or interrupted save never destroys the previous playlist. Only
    // a file in a folder where no new file may be made is rewritten in place,
    // as it always was.
    const QFileInfo target(path);
    // Never replace a device, a pipe or a folder by a playlist.
    if (target.exists() && (!target.isFile() || !target.isWritable())) {
        Report(parent, CreateErrorText(path), path);
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CVmlOutArchive archive(buffer);
    Serialize(archive);
    archive.Flush();
    switch (WriteWholeFile(path, bytes, true)) {
    case WholeFileResult::Written: return true;
    case WholeFileResult::NotCreated: Report(parent, CreateErrorText(path), path); break;
    case WholeFileResult::DiskFull: Report(parent, "Disk full while accessing %1.", path); break;
    case WholeFileResult::NotWritten:
        Report(parent, "An unexpected error occurred while writing %1.", path);
        break;
    }
    return false;
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
