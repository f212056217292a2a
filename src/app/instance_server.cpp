// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_server.h"

#include "app/instance_record_reader.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QFile>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

struct CInstanceServer::Connection {
    QLocalSocket* socket;
    QTimer* idle;
    CInstanceRecordReader reader;
    bool dropped = false;
};

CInstanceServer::CInstanceServer(CInstanceHandler& handler, QObject* parent)
    : QObject(parent), m_handler(handler), m_pServer(new QLocalServer(this))
{
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceServer::Accept);
}

CInstanceServer::~CInstanceServer() = default;

bool CInstanceServer::MayListenAt(const QString& socketPath)
{
    struct stat info {};
    if (lstat(QFile::encodeName(socketPath).constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISSOCK(info.st_mode) && info.st_uid == getuid();
}

bool CInstanceServer::Listen(const QString& socketPath)
{
    if (socketPath.isEmpty() || !MayListenAt(socketPath))
        return false;
    QLocalServer::removeServer(socketPath);
    return m_pServer->listen(socketPath);
}

bool CInstanceServer::PeerIsSameUser(const QLocalSocket& socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    const int fd = int(socket.socketDescriptor());
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && credentials.uid == getuid();
}

void CInstanceServer::Accept()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        if (!PeerIsSameUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        auto connection = std::make_shared<Connection>(Connection{socket, idle, {}, false});
        connect(socket, &QLocalSocket::readyRead, this, [this, connection] {
            connection->idle->start(kIdleTimeoutMs);
            Read(*connection);
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, connection] { Drop(*connection); });
        connect(idle, &QTimer::timeout, this, [this, connection] { Drop(*connection); });
        idle->start(kIdleTimeoutMs);
        QTimer::singleShot(kConnectionTimeoutMs, socket, [this, connection] { Drop(*connection); });
        if (socket->bytesAvailable() > 0)
            Read(*connection);
    }
}

// Runs once per connection, whichever comes first: the peer leaving, a
// malformed record or the time limit (which may fire inside a nested event
// loop before the socket's deferred deletion).
void CInstanceServer::Drop(Connection& connection)
{
    if (connection.dropped)
        return;
    connection.dropped = true;
    QLocalSocket* socket = connection.socket;
    connection.idle->stop();
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void CInstanceServer::Read(Connection& connection)
{
    QLocalSocket* socket = connection.socket;
    CInstanceRecordReader& reader = connection.reader;
    reader.Append(socket->read(reader.Room()));
    for (;;) {
        switch (reader.Next()) {
        case CInstanceRecordReader::Step::NeedMore: return;
        case CInstanceRecordReader::Step::Malformed: return Drop(connection);
        case CInstanceRecordReader::Step::Query:
            // A peer that gave up while the player was busy gets no answer.
            if (socket->state() != QLocalSocket::ConnectedState)
                return Drop(connection);
            socket->write(EncodeUint32(m_handler.OnInstanceQuery()));
            socket->flush();
            continue;
        case CInstanceRecordReader::Step::Record:
            // Acknowledge first: the handler may end the program.
            if (socket->state() == QLocalSocket::ConnectedState) {
                socket->write(EncodeUint32(1));
                socket->flush();
                socket->disconnectFromServer();
            }
            m_handler.OnCopyData(reader.Code(), reader.Path());
            return;
        }
    }
}
