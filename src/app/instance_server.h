// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/instance_protocol.h"

#include <QObject>

class QLocalServer;
class QLocalSocket;

// What the running instance does with a second start's request.
class CInstanceHandler {
public:
    virtual ~CInstanceHandler() = default;
    // The answer to the query; the peer checks it against kInstanceQueryMessage.
    virtual std::uint32_t OnInstanceQuery() = 0;
    // A checked record: a known code and, for COPYDATA_OPEN_FILE, a path.
    virtual void OnCopyData(std::uint32_t code, const QString& path) = 0;
};

// The running instance's end of the protocol: listens on the socket in the
// runtime folder, accepts only peers of this user, and hands each well-formed
// request to the handler. Anything malformed closes that connection and
// changes nothing.
class CInstanceServer : public QObject {
    Q_OBJECT
public:
    // A peer that sends nothing for this long is dropped, and every
    // connection ends after kConnectionTimeoutMs: idle peers cannot hold the
    // server, so it never needs to refuse one.
    static constexpr int kIdleTimeoutMs = 1000;
    static constexpr int kConnectionTimeoutMs = 5000;

    explicit CInstanceServer(CInstanceHandler& handler, QObject* parent = nullptr);
    ~CInstanceServer() override;

    // Whether nothing is at the path, or a socket of this user's, which an
    // instance that died left behind and may be replaced.
    static bool MayListenAt(const QString& socketPath);
    // Replaces any socket left by an instance that died, then listens; never
    // removes anything else. Call only while holding the instance lock.
    bool Listen(const QString& socketPath);

private:
    struct Connection;

    void Accept();
    void Read(Connection& connection);
    void Drop(Connection& connection);
    static bool PeerIsSameUser(const QLocalSocket& socket);

    CInstanceHandler& m_handler;
    QLocalServer* m_pServer;
};
