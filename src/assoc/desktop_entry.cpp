#include "desktop_entry.h"

#include "autostart_entry.h"
#include "default_application.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>

QByteArray UserDesktopEntryText(const QString& executable)
{
    QFile shipped(QStringLiteral(":/assoc/velmora.desktop"));
    if (!shipped.open(QIODevice::ReadOnly))
        return {};
    // An empty argument leaves "\"<path>\" "; the field code is added after
    // the quoting so that its '%' is not doubled.
    const QByteArray exec = QByteArrayLiteral("Exec=")
        + CAutostartEntry::ExecValue(executable, QString()).toUtf8() + QByteArrayLiteral("%f");
    QList<QByteArray> lines = shipped.readAll().split('\n');
    for (QByteArray& line : lines)
        if (line.startsWith("Exec="))
            line = exec;
    return lines.join('\n');
}

bool EnsurePlayerDesktopEntry(const QString& executable)
{
    if (!defaultapp::FindDesktopFile(kPlayerDesktopId).isEmpty())
        return true;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/applications");
    const QByteArray text = UserDesktopEntryText(executable);
    QSaveFile file(folder + u'/' + kPlayerDesktopId);
    if (text.isEmpty() || !QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly)
        || file.write(text) < 0 || !file.commit()) {
        std::fprintf(stderr, "Velmora: %s could not be written.\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}
