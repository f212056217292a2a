// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/default_playlist_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

QString DefaultPlaylistPath()
{
    return DefaultPlaylistPath(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString DefaultPlaylistPath(const QString& executableDir, const QString& dataHome)
{
    const QString name = QStringLiteral("default.vml");
    const QFileInfo folder(executableDir);
    const QString canonical = folder.canonicalFilePath();
    const bool systemFolder = canonical.startsWith(QStringLiteral("/usr/")) || canonical == u"/bin" ||
                              canonical == u"/sbin";
    if (!executableDir.isEmpty() && folder.isDir() && folder.isWritable() && !systemFolder)
        return executableDir + QLatin1Char('/') + name;
    return dataHome + QStringLiteral("/Velmora/") + name;
}
