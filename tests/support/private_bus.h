// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

namespace testsupport {

// A D-Bus daemon of a test's own, listening on a socket in the temporary
// home, with python3-dbusmock services on it. A program pointed at
// Address() (DBUS_SYSTEM_BUS_ADDRESS or DBUS_SESSION_BUS_ADDRESS) meets
// only these mocks, never the machine's real services.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // False when the daemon could not be started: the test must then skip,
    // never fall back to another bus.
    bool IsRunning() const { return !m_strAddress.isEmpty(); }
    QString Address() const { return m_strAddress; }

    // Starts dbusmock's `templateName` on this bus, logging every call it
    // receives to `logFile`, and waits until it owns `busName`. False when
    // python3-dbusmock is missing or the mock did not come up.
    bool StartMock(const QString& templateName, const QString& busName, const QString& logFile);

private:
    bool HasOwner(const QString& busName) const;

    std::unique_ptr<QProcess> m_pDaemon;
    std::vector<std::unique_ptr<QProcess>> m_mocks;
    QString m_strAddress;
};

}  // namespace testsupport
