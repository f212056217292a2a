// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/desktop_entry.h"

#include "settings/autostart_entry.h"
#include "assoc/default_application.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>

namespace {

// The program part of the Exec value, quoted only where the desktop-entry
// rules require it: simple readers (xdg-utils among them) take Exec's first
// blank-separated word as the program and do not undo quotes.
QString ExecProgram(const QString& executable)
{
    static const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool plain = std::none_of(executable.begin(), executable.end(),
                                    [](QChar c) { return kReserved.contains(c); });
    if (!plain)
        return CAutostartEntry::ExecValue(executable, QString());  // "\"<path>\" "
    QString program = executable + u' ';
    program.replace(u'%', QStringLiteral("%%"));
    return program;
}

}  // namespace

QByteArray UserDesktopEntryText(const QString& executable)
{
    QFile shipped(QStringLiteral(":/assoc/velmora.desktop"));
    if (!shipped.open(QIODevice::ReadOnly))
        return {};
    // The field code comes after the escaping so that its '%' is not doubled.
    const QByteArray exec = QByteArrayLiteral("Exec=") + ExecProgram(executable).toUtf8() +
                            QByteArrayLiteral("%f");
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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/applications");
    const QByteArray text = executable.isEmpty() ? QByteArray() : UserDesktopEntryText(executable);
    const QString path = folder + u'/' + kPlayerDesktopId;
    if (text.isEmpty() || !QDir().mkpath(folder) || WriteWholeFile(path, text) != WholeFileResult::Written) {
        std::fprintf(stderr, "Velmora: %s could not be written.\n", qPrintable(path));
        return false;
    }
    return true;
}
