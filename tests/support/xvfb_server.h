// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>

#include <memory>

namespace testsupport {

// A private X server for end-to-end tests of the real binary. It picks a
// free display number itself and is stopped with the object.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool IsRunning() const { return !m_strDisplay.isEmpty(); }
    QString Display() const { return m_strDisplay; }  // ":N"

    // Runs an X client tool (xdotool, import, ...) against this display and
    // returns its standard output, or a null text when it failed.
    QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) const;
    // A window's rectangle on this display, as xdotool reads it.
    QRect WindowGeometry(const QString& window) const;

private:
    std::unique_ptr<QProcess> m_pProcess;
    QString m_strDisplay;
};

// The path of a built program, from the build folder CTest passes down.
QString BuildPath(const QString& relative);

}  // namespace testsupport
