// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "xvfb_server.h"

#include <QProcess>
#include <QStringList>

#include <memory>

// Runs the real player binary on a private X server with its own
// configuration, data and runtime folders, so instances started by one test
// see each other and nothing of the user's.
class PlayerHarness {
public:
    explicit PlayerHarness(const QString& name);
    ~PlayerHarness();

    bool DisplayReady() const { return m_xvfb.IsRunning(); }

    // The working folder of the instances started from now on.
    void SetWorkingDirectory(const QString& folder) { m_strWorkingDirectory = folder; }
    // Starts an instance in the background.
    QProcess& Start(const QStringList& arguments);
    // Runs an instance to its end; returns its exit code, or -1 when it did
    // not end within the time limit.
    int RunToEnd(const QStringList& arguments, int timeoutMs, qint64* elapsedMs = nullptr);

    // Waits until the first instance answers on its socket.
    bool WaitUntilListening(int timeoutMs = 10000) const;
    bool MainWindowVisible() const;
    bool WaitForMainWindowVisible(bool visible, int timeoutMs = 5000) const;

    QString SocketPath() const;
    QString ProfilePath() const;
    QString DefaultPlaylistPath() const;
    QString Executable() const;
    QString Folder() const { return m_strFolder; }
    const testsupport::XvfbServer& Xvfb() const { return m_xvfb; }

private:
    QProcessEnvironment Environment() const;

    testsupport::XvfbServer m_xvfb;
    QString m_strFolder;
    QString m_strWorkingDirectory;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// Sends raw bytes to a socket and returns what came back before the peer
// closed or the time limit passed.
QByteArray ExchangeRaw(const QString& socketPath, const QByteArray& bytes, int timeoutMs = 2000);
