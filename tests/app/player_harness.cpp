// SPDX-License-Identifier: GPL-3.0-or-later
#include "player_harness.h"

#include "mainwnd/copy_data.h"
#include "temp_home.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>

PlayerHarness::PlayerHarness(const QString& name) : m_strFolder(testsupport::MakeScratchDir(name))
{
    for (const char* sub : {"bin", "config", "data", "runtime"})
        QDir().mkpath(m_strFolder + u'/' + QLatin1String(sub));
    chmod(QFile::encodeName(m_strFolder + QStringLiteral("/runtime")).constData(), 0700);
    // A copy of the player of its own: the default playlist lives beside
    // the executable, and tests must not share one.
    QFile::copy(testsupport::BuildPath(QStringLiteral("velmora")), Executable());
}

PlayerHarness::~PlayerHarness()
{
    for (auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

QProcessEnvironment PlayerHarness::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_xvfb.Display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_strFolder + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_strFolder + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_strFolder + QStringLiteral("/runtime"));
    environment.insert(QStringLiteral("HOME"), m_strFolder);
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // GStreamer's plug-in registry is a cache: share one among the tests so
    // each start does not rescan every plug-in.
    environment.insert(QStringLiteral("GST_REGISTRY"),
                       testsupport::BuildPath(QStringLiteral("tests/gst-registry.bin")));
    return environment;
}

QProcess& PlayerHarness::Start(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    if (!m_strWorkingDirectory.isEmpty())
        process->setWorkingDirectory(m_strWorkingDirectory);
    process->start(Executable(), arguments);
    process->waitForStarted(5000);
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

int PlayerHarness::RunToEnd(const QStringList& arguments, int timeoutMs, qint64* elapsedMs)
{
    QElapsedTimer clock;
    clock.start();
    QProcess& process = Start(arguments);
    const bool ended = process.waitForFinished(timeoutMs);
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    if (!ended || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString PlayerHarness::SocketPath() const
{
    return m_strFolder + QStringLiteral("/runtime/") + QString::fromLatin1(kInstanceName);
}

QString PlayerHarness::ProfilePath() const { return m_strFolder + QStringLiteral("/config/Olvistra/Velmora.ini"); }

QString PlayerHarness::DefaultPlaylistPath() const { return m_strFolder + QStringLiteral("/bin/default.vml"); }

QString PlayerHarness::Executable() const { return m_strFolder + QStringLiteral("/bin/velmora"); }

bool PlayerHarness::WaitUntilListening(int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket probe;
        probe.connectToServer(SocketPath());
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(20);
    }
    return false;
}

bool PlayerHarness::MainWindowVisible() const
{
    return !m_xvfb
                .Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--name"), QStringLiteral("^Velmora$")})
                .isNull();
}

bool PlayerHarness::WaitForMainWindowVisible(bool visible, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (MainWindowVisible() == visible)
            return true;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

QByteArray ExchangeRaw(const QString& socketPath, const QByteArray& bytes, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return {};
    socket.write(bytes);
    socket.waitForBytesWritten(timeoutMs);
    QByteArray received;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && socket.state() == QLocalSocket::ConnectedState) {
        if (socket.waitForReadyRead(50))
            received += socket.readAll();
    }
    received += socket.readAll();
    return received;
}
