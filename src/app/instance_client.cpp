// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_client.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

class CSocketFd {
public:
    CSocketFd() : m_fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~CSocketFd()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    CSocketFd(const CSocketFd&) = delete;
    CSocketFd& operator=(const CSocketFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool Connect(int fd, const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

// Reads four bytes, giving up when the deadline passes.
bool ReadUint32(int fd, const QElapsedTimer& clock, int timeoutMs, std::uint32_t& value)
{
    char bytes[4];
    size_t received = 0;
    while (received < sizeof bytes) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0)
            return false;
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, left);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = recv(fd, bytes + received, sizeof bytes - received, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        received += size_t(n);
    }
    value = DecodeUint32(bytes);
    return true;
}

}  // namespace

bool ForwardToRunningInstance(const QString& socketPath, const CopyDataRecord& record, int timeoutMs)
{
    if (socketPath.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(socketPath);
    QElapsedTimer clock;
    clock.start();

    // The running instance may still be starting: keep trying to connect
    // until it listens or the time limit passes.
    for (;;) {
        CSocketFd fd;
        if (fd.Get() < 0)
            return false;
        if (Connect(fd.Get(), path)) {
            std::uint32_t answer = 0;
            if (!WriteAll(fd.Get(), EncodeRecordHeader(kInstanceQueryMessage, 0)) ||
                !ReadUint32(fd.Get(), clock, timeoutMs, answer) || answer != kInstanceQueryMessage)
                return false;
            std::uint32_t acknowledged = 0;
            return WriteAll(fd.Get(), EncodeRecord(record)) &&
                   ReadUint32(fd.Get(), clock, timeoutMs, acknowledged) && acknowledged != 0;
        }
        if (errno != ENOENT && errno != ECONNREFUSED && errno != EAGAIN)
            return false;
        if (clock.elapsed() >= timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
