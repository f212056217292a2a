// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/whole_file.h"

namespace {

const QString kExecKey = QStringLiteral("Exec=");

// The value of Exec in the [Desktop Entry] group, or a null text.
QString ReadExecValue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > 64 * 1024)
        return {};
    bool inEntryGroup = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(u'['))
            inEntryGroup = line.trimmed() == QStringLiteral("[Desktop Entry]");
        else if (inEntryGroup && line.startsWith(kExecKey))
            return line.mid(kExecKey.size());
    }
    return {};
}

}  // namespace

QString CAutostartEntry::ExecValue(const QString& executable, const QString& argument)
{
    QString quoted;
    for (const QChar c : executable) {
        if (c == u'\\' || c == u'"' || c == u'`' || c == u'$')
            quoted += u'\\';
        quoted += c;
    }
    QString value = u'"' + quoted + QStringLiteral("\" ") + argument;
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'%', QStringLiteral("%%"));
    return value;
}

bool CAutostartEntry::Matches(const QString& executable, const QString& argument) const
{
    const QString stored = ReadExecValue(m_strPath);
    return !stored.isNull() && stored == ExecValue(executable, argument);
}

bool CAutostartEntry::Write(const QString& executable, const QString& argument) const
{
    if (!QDir().mkpath(QFileInfo(m_strPath).path()))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Velmora\n"
                                        "Comment=Start Velmora in the background\n"
                                        "Icon=velmora\n") +
                         kExecKey + ExecValue(executable, argument) + QStringLiteral("\nTerminal=false\n");
    return WriteWholeFile(m_strPath, text.toUtf8()) == WholeFileResult::Written;
}

bool CAutostartEntry::Remove() const { return !QFile::exists(m_strPath) || QFile::remove(m_strPath); }
