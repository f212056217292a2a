// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_bus.h"

#include "temp_home.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QThread>

namespace testsupport {
namespace {

// Debian's interpreter, the one python3-dbusmock is installed for.
const QString kPython = QStringLiteral("/usr/bin/python3");

void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
}

}  // namespace

PrivateBus::PrivateBus()
{
    const QString socket = MakeScratchDir(QStringLiteral("bus")) + QStringLiteral("/socket");
    const QString wanted = QStringLiteral("unix:path=") + socket;
    m_pDaemon = std::make_unique<QProcess>();
    m_pDaemon->setProcessChannelMode(QProcess::SeparateChannels);
    m_pDaemon->setStandardErrorFile(QProcess::nullDevice());
    m_pDaemon->start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                      QStringLiteral("--address=") + wanted});
    if (!m_pDaemon->waitForStarted(5000))
        return;
    QByteArray line;
    QDeadlineTimer deadline(10000);
    while (!line.contains('\n') && !deadline.hasExpired() && m_pDaemon->waitForReadyRead(200))
        line += m_pDaemon->readAllStandardOutput();
    const QString address = QString::fromLocal8Bit(line).trimmed();
    // Only an address on our own socket counts.
    if (address.startsWith(wanted + u','))
        m_strAddress = address;
}

PrivateBus::~PrivateBus()
{
    for (auto& mock : m_mocks)
        Stop(*mock);
    if (m_pDaemon)
        Stop(*m_pDaemon);
    QDBusConnection::disconnectFromBus(QStringLiteral("velmora-test-private-bus"));
}

bool PrivateBus::StartMock(const QString& templateName, const QString& busName, const QString& logFile)
{
    if (!IsRunning())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_strAddress);
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_strAddress);
    auto mock = std::make_unique<QProcess>();
    mock->setProcessEnvironment(environment);
    mock->setStandardOutputFile(QProcess::nullDevice());
    mock->setStandardErrorFile(QProcess::nullDevice());
    // --session: the mock connects to DBUS_SESSION_BUS_ADDRESS, this bus,
    // whatever bus its template would choose.
    mock->start(kPython, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--session"),
                          QStringLiteral("--template"), templateName, QStringLiteral("--logfile"), logFile});
    if (!mock->waitForStarted(5000))
        return false;
    QProcess& started = *mock;
    m_mocks.push_back(std::move(mock));
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && started.state() == QProcess::Running) {
        if (HasOwner(busName))
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool PrivateBus::HasOwner(const QString& busName) const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(m_strAddress,
                                                              QStringLiteral("velmora-test-private-bus"));
    return bus.isConnected() && bus.interface()->isServiceRegistered(busName).value();
}

}  // namespace testsupport
