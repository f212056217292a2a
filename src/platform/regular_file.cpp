// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/regular_file.h"

#include "platform/path_codec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenRegularFile(const QString& path, qint64* size)
{
    const int fd = ::open(EncodePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    if (size)
        *size = info.st_size;
    return fd;
}
