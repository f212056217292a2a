// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_client.h"
#include "app/instance_lock.h"
#include "app/instance_server.h"
#include "temp_home.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A raw connection to a local socket; -1 when it cannot be made. Only plain
// system calls, so a forked child may use it too.
int ConnectUnix(const QByteArray& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

class RecordingHandler : public CInstanceHandler {
public:
    std::uint32_t OnInstanceQuery() override { return kInstanceQueryMessage; }
    void OnCopyData(std::uint32_t code, const QString& path) override
    {
        codes.push_back(code);
        paths.push_back(path);
    }
    std::vector<std::uint32_t> codes;
    QStringList paths;
};

class InstanceServerTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_socketPath = testsupport::MakeScratchDir(QStringLiteral("instance")) + QStringLiteral("/sock");
        ASSERT_TRUE(m_server.Listen(m_socketPath));
    }

    // Runs the event loop while `work` runs on another thread.
    template <typename Work>
    auto WhileServing(Work work)
    {
        auto result = std::async(std::launch::async, work);
        while (result.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return result.get();
    }

    // Sends bytes on a raw connection and returns what came back before the
    // server closed it (or a short time passed).
    QByteArray Exchange(const QByteArray& bytes, bool closeAfterSending = false)
    {
        return WhileServing([&] {
            QByteArray received;
            const int fd = ConnectUnix(QFile::encodeName(m_socketPath));
            if (fd >= 0) {
                [[maybe_unused]] auto sent = send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
                if (closeAfterSending)
                    shutdown(fd, SHUT_WR);
                timeval limit{0, 700000};
                setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
                char buffer[64];
                ssize_t n;
                while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0)
                    received.append(buffer, n);
                close(fd);
            }
            return received;
        });
    }

    static QByteArray Query() { return EncodeRecordHeader(kInstanceQueryMessage, 0); }

    RecordingHandler m_handler;
    CInstanceServer m_server{m_handler};
    QString m_socketPath;
};

TEST_F(InstanceServerTest, WellFormedRequestsReachTheHandler)
{
    const QString path = QStringLiteral("/media/films/été \"2024\".mkv");
    EXPECT_TRUE(
        WhileServing([&] { return ForwardToRunningInstance(m_socketPath, MakeOpenFileRecord(path), 5000); }));
    EXPECT_TRUE(WhileServing([&] {
        return ForwardToRunningInstance(m_socketPath, CopyDataRecord{COPYDATA_ACTIVATE, {}}, 5000);
    }));
    ASSERT_EQ(m_handler.codes, (std::vector<std::uint32_t>{COPYDATA_OPEN_FILE, COPYDATA_ACTIVATE}));
    EXPECT_EQ(m_handler.paths[0], path);

    // The query is answered with the agreed value.
    EXPECT_EQ(Exchange(Query()), EncodeUint32(kInstanceQueryMessage));
}

TEST_F(InstanceServerTest, MalformedRecordsChangeNothing)
{
    QByteArray pathBody = MakeOpenFileRecord(QStringLiteral("/a.avi")).bytes;
    const QByteArray answer = EncodeUint32(kInstanceQueryMessage);
    struct Case {
        const char* what;
        QByteArray bytes;
        QByteArray expectedReply;
    };
    const Case cases[] = {
        {"no query first", EncodeRecord({COPYDATA_ACTIVATE, {}}), {}},
        {"query with bytes", EncodeRecordHeader(kInstanceQueryMessage, 4) + "abcd", {}},
        {"unknown code", Query() + EncodeRecord({12003, {}}), answer},
        {"odd byte count", Query() + EncodeRecord({COPYDATA_OPEN_FILE, pathBody + "x"}), answer},
        {"no terminating zero", Query() + EncodeRecord({COPYDATA_OPEN_FILE, pathBody.chopped(2)}), answer},
        {"empty path record", Query() + EncodeRecord({COPYDATA_OPEN_FILE, {}}), answer},
        {"oversized count", Query() + EncodeRecordHeader(COPYDATA_OPEN_FILE, 0xFFFFFFF0u), answer},
        {"just over the cap", Query() + EncodeRecordHeader(COPYDATA_OPEN_FILE, kMaxRecordBytes + 2), answer},
        {"truncated record", Query() + EncodeRecordHeader(COPYDATA_OPEN_FILE, 100) + pathBody, answer},
        {"truncated header", Query() + QByteArray("\xe0\x2e\x00", 3), answer},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Exchange(c.bytes, true), c.expectedReply) << c.what;
    }
    EXPECT_TRUE(m_handler.codes.empty());

    // The server still serves well-formed requests afterwards.
    EXPECT_TRUE(WhileServing([&] {
        return ForwardToRunningInstance(m_socketPath, CopyDataRecord{COPYDATA_CLOSE, {}}, 5000);
    }));
    EXPECT_EQ(m_handler.codes, (std::vector<std::uint32_t>{COPYDATA_CLOSE}));
}

TEST_F(InstanceServerTest, PathStopsAtItsFirstZero)
{
    QByteArray body = MakeOpenFileRecord(QStringLiteral("/a.avi")).bytes;
    body.append(MakeOpenFileRecord(QStringLiteral("/evil")).bytes);
    const QByteArray reply = Exchange(Query() + EncodeRecord({COPYDATA_OPEN_FILE, body}));
    EXPECT_EQ(reply, EncodeUint32(kInstanceQueryMessage) + EncodeUint32(1));
    ASSERT_EQ(m_handler.paths.size(), 1);
    EXPECT_EQ(m_handler.paths[0], QStringLiteral("/a.avi"));
}

TEST_F(InstanceServerTest, IdlePeersAreDroppedAndNeverBlockAHandOver)
{
    std::vector<int> idle;
    for (int i = 0; i < 12; ++i)
        idle.push_back(ConnectUnix(QFile::encodeName(m_socketPath)));
    EXPECT_TRUE(WhileServing([&] {
        return ForwardToRunningInstance(m_socketPath, CopyDataRecord{COPYDATA_ACTIVATE, {}}, 5000);
    }));
    EXPECT_EQ(m_handler.codes, (std::vector<std::uint32_t>{COPYDATA_ACTIVATE}));

    // Each idle peer is closed well before the whole connection's time limit.
    QElapsedTimer clock;
    clock.start();
    const int closed = WhileServing([&] {
        int count = 0;
        for (const int fd : idle) {
            timeval limit{2, 500000};
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            char byte;
            count += fd >= 0 && recv(fd, &byte, 1, 0) == 0;
            close(fd);
        }
        return count;
    });
    EXPECT_EQ(closed, int(idle.size()));
    EXPECT_LT(clock.elapsed(), 4000);
}

TEST(InstanceServerPeerTest, PeersOfAnotherUserAreRefused)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to connect as another user";
    // A folder every user can reach, so only the peer check stands in the way.
    QTemporaryDir open(QDir::tempPath() + QStringLiteral("/velmora-peer-XXXXXX"));
    ASSERT_TRUE(open.isValid());
    chmod(QFile::encodeName(open.path()).constData(), 0777);
    RecordingHandler handler;
    CInstanceServer server(handler);
    const QString socketPath = open.filePath(QStringLiteral("sock"));
    ASSERT_TRUE(server.Listen(socketPath));
    chmod(QFile::encodeName(socketPath).constData(), 0777);

    const QByteArray path = QFile::encodeName(socketPath);
    auto outcome = std::async(std::launch::async, [&] {
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(100);
            const int fd = ConnectUnix(path);
            if (fd < 0)
                _exit(101);
            const QByteArray request = EncodeRecordHeader(kInstanceQueryMessage, 0) +
                                       EncodeRecord({COPYDATA_CLOSE, {}});
            [[maybe_unused]] auto sent = send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
            timeval limit{2, 0};
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            char buffer[8];
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            _exit(n > 0 ? int(n) : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    });
    while (outcome.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_EQ(outcome.get(), 0) << "a foreign peer must get no answer";
    EXPECT_TRUE(handler.codes.empty());
}

TEST(InstanceFilesTest, OnlyOurOwnLockAndSocketAreUsed)
{
    const QString dir = testsupport::MakeScratchDir(QStringLiteral("not-ours"));
    const QString folder = dir + QStringLiteral("/folder");
    const QString link = dir + QStringLiteral("/link");
    const QString file = dir + QStringLiteral("/file");
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile(file).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(file, link));
    // A socket of ours left behind by an instance that died.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray stale = QFile::encodeName(dir) + "/stale";
    std::memcpy(address.sun_path, stale.constData(), size_t(stale.size()));
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);

    // Where a socket may be made, a lock may be taken once it is gone.
    const struct {
        const char* name;
        bool ours;
    } cases[] = {{"folder", false}, {"link", false}, {"stale", true}, {"absent", true}};
    for (const auto& c : cases) {
        const QString path = dir + u'/' + QLatin1String(c.name);
        RecordingHandler handler;
        CInstanceServer server(handler);
        EXPECT_EQ(server.Listen(path), c.ours) << c.name;
        if (c.ours)
            QFile::remove(path);
        CInstanceLock lock;
        EXPECT_EQ(lock.Acquire(path), c.ours ? CInstanceLock::Result::Acquired : CInstanceLock::Result::NotOurs)
            << c.name;
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(InstanceClientTest, GivesUpWhenNobodyListens)
{
    const QString path = testsupport::MakeScratchDir(QStringLiteral("nobody")) + QStringLiteral("/sock");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ForwardToRunningInstance(path, CopyDataRecord{COPYDATA_ACTIVATE, {}}, 300));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(InstanceProtocolTest, OpenFileRecordIsUtf16WithItsTerminator)
{
    const CopyDataRecord record = MakeOpenFileRecord(QStringLiteral("/é"));
    EXPECT_EQ(record.bytes, QByteArray("/\0\xe9\0\0\0", 6));
    EXPECT_EQ(PathFromOpenFileBody(record.bytes), QStringLiteral("/é"));
    EXPECT_FALSE(PathFromOpenFileBody(QByteArray("/\0/\0", 4)).has_value());
    EXPECT_FALSE(PathFromOpenFileBody(QByteArray("/\0a", 3)).has_value());
    EXPECT_FALSE(PathFromOpenFileBody(QByteArray()).has_value());
    // An empty or relative path would name the running instance's own folder.
    EXPECT_FALSE(PathFromOpenFileBody(QByteArray("\0\0", 2)).has_value());
    EXPECT_FALSE(PathFromOpenFileBody(QByteArray("a\0\0\0", 4)).has_value());
}

}  // namespace
