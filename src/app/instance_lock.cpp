// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_lock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CInstanceLock::~CInstanceLock()
{
    if (m_nFd >= 0)
        close(m_nFd);
}

CInstanceLock::Result CInstanceLock::Acquire(const QString& path)
{
    if (path.isEmpty())
        return Result::Unavailable;
    // A folder, a link or another user's file is never taken over.
    struct stat info {};
    const QByteArray encoded = QFile::encodeName(path);
    if (lstat(encoded.constData(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_uid != getuid()))
        return Result::NotOurs;
    const int fd = open(encoded.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return errno == EACCES ? Result::HeldByAnother : Result::Unavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        return error == EWOULDBLOCK ? Result::HeldByAnother : Result::Unavailable;
    }
    m_nFd = fd;
    return Result::Acquired;
}
