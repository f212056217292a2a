// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_protocol.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

QByteArray EncodeUint32(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

std::uint32_t DecodeUint32(const char* fourBytes) { return qFromLittleEndian<std::uint32_t>(fourBytes); }

QByteArray EncodeRecordHeader(std::uint32_t code, std::uint32_t byteCount)
{
    return EncodeUint32(code) + EncodeUint32(byteCount);
}

QByteArray EncodeRecord(const CopyDataRecord& record)
{
    return EncodeRecordHeader(record.code, std::uint32_t(record.bytes.size())) + record.bytes;
}

CopyDataRecord MakeOpenFileRecord(const QString& path)
{
    CopyDataRecord record{COPYDATA_OPEN_FILE, QByteArray((path.size() + 1) * 2, '\0')};
    qToLittleEndian<quint16>(path.utf16(), path.size(), record.bytes.data());
    return record;
}

std::optional<QString> PathFromOpenFileBody(const QByteArray& bytes)
{
    const qsizetype count = bytes.size();
    if (count < 2 || count % 2 != 0 || bytes[count - 1] != 0 || bytes[count - 2] != 0)
        return std::nullopt;
    QString path;
    path.reserve(count / 2);
    for (qsizetype i = 0; i + 1 < count; i += 2) {
        const char16_t unit = qFromLittleEndian<quint16>(bytes.constData() + i);
        if (unit == 0)
            break;
        path.append(QChar(unit));
    }
    // The running instance has another working folder: only a full path names the file.
    if (!path.startsWith(u'/'))
        return std::nullopt;
    return path;
}

QString InstanceRuntimeDir()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QFile::decodeName(runtime)).exists())
        return QFile::decodeName(runtime);

    // A private folder that only this user can have made: created 0700, and
    // used only when it is a real folder owned by us with no other access.
    const QByteArray fallback = QFile::encodeName(QDir::tempPath()) + "/velmora-runtime-" +
                                QByteArray::number(getuid());
    mkdir(fallback.constData(), 0700);
    struct stat info {};
    if (lstat(fallback.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 077) != 0)
        return {};
    return QFile::decodeName(fallback);
}

QString InstanceSocketPath()
{
    const QString dir = InstanceRuntimeDir();
    return dir.isEmpty() ? QString() : dir + u'/' + QString::fromLatin1(kInstanceName);
}

QString InstanceLockPath()
{
    const QString dir = InstanceRuntimeDir();
    return dir.isEmpty() ? QString() : dir + u'/' + QString::fromLatin1(kInstanceName) + QStringLiteral(".lock");
}
