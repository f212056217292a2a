// SPDX-License-Identifier: GPL-3.0-or-later
#include "xvfb_server.h"

#include <QProcessEnvironment>

#include <fcntl.h>
#include <unistd.h>

namespace testsupport {

XvfbServer::XvfbServer()
{
    // Xvfb writes the display number it chose to the descriptor we name.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    m_pProcess = std::make_unique<QProcess>();
    m_pProcess->setProgram(QStringLiteral("Xvfb"));
    m_pProcess->setArguments({QStringLiteral("-displayfd"), QString::number(fds[1]), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp")});
    const int writeEnd = fds[1];
    m_pProcess->setChildProcessModifier([writeEnd] {
        fcntl(writeEnd, F_SETFD, 0);  // keep it open across exec
    });
    m_pProcess->setStandardErrorFile(QProcess::nullDevice());
    m_pProcess->setStandardOutputFile(QProcess::nullDevice());
    m_pProcess->start();
    close(fds[1]);
    if (!m_pProcess->waitForStarted(5000)) {
        close(fds[0]);
        return;
    }
    QByteArray number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number.append(c);
    close(fds[0]);
    if (!number.isEmpty())
        m_strDisplay = QStringLiteral(":") + QString::fromLatin1(number);
}

XvfbServer::~XvfbServer()
{
    if (m_pProcess && m_pProcess->state() != QProcess::NotRunning) {
        m_pProcess->terminate();
        if (!m_pProcess->waitForFinished(3000))
            m_pProcess->kill();
        m_pProcess->waitForFinished(3000);
    }
}

QString XvfbServer::Run(const QString& program, const QStringList& arguments, int timeoutMs) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_strDisplay);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(timeoutMs) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

QRect XvfbServer::WindowGeometry(const QString& window) const
{
    QRect geometry;
    const QString shell = Run(QStringLiteral("xdotool"),
                              {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    for (const QString& line : shell.split(u'\n')) {
        const int value = line.section(u'=', 1).toInt();
        if (line.startsWith(QStringLiteral("X=")))
            geometry.moveLeft(value);
        else if (line.startsWith(QStringLiteral("Y=")))
            geometry.moveTop(value);
        else if (line.startsWith(QStringLiteral("WIDTH=")))
            geometry.setWidth(value);
        else if (line.startsWith(QStringLiteral("HEIGHT=")))
            geometry.setHeight(value);
    }
    return geometry;
}

QString BuildPath(const QString& relative)
{
    const QByteArray buildDir = qgetenv("VELMORA_BUILD_DIR");
    return QString::fromLocal8Bit(buildDir) + u'/' + relative;
}

}  // namespace testsupport
