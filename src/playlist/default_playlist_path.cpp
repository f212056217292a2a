#include "default_playlist_path.h"

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
    if (!executableDir.isEmpty() && folder.isDir() && folder.isWritable())
        return executableDir + QLatin1Char('/') + name;
    return dataHome + QStringLiteral("/Velmora/") + name;
}
