// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/whole_file.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

WholeFileResult WriteWholeFile(const QString& path, const QByteArray& bytes, bool directWriteFallback)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(directWriteFallback);
    // Unbuffered, so that a failed write is seen here: a small write kept in
    // Qt's buffer fails only while commit() closes the file, and commit()
    // then renames the empty temporary file over the old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WholeFileResult::NotCreated;
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const bool full = file.errorString() == QString::fromLocal8Bit(std::strerror(ENOSPC));
        file.cancelWriting();
        return full ? WholeFileResult::DiskFull : WholeFileResult::NotWritten;
    }
    return file.commit() ? WholeFileResult::Written : WholeFileResult::NotWritten;
}
