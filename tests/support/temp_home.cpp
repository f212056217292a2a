// SPDX-License-Identifier: GPL-3.0-or-later
#include "temp_home.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>

namespace testsupport {
namespace {

QTemporaryDir* g_home = nullptr;

QString Sub(const char* name) { return g_home->filePath(QString::fromLatin1(name)); }

void Export(const char* variable, const QString& path)
{
    QDir().mkpath(path);
    setenv(variable, QFile::encodeName(path).constData(), 1);
}

}  // namespace

QString TempHome() { return g_home->path(); }
QString ConfigHome() { return Sub("config"); }
QString DataHome() { return Sub("data"); }
QString RuntimeDir() { return Sub("runtime"); }

void InstallTempHome()
{
    g_home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/velmora-test-XXXXXX"));
    if (!g_home->isValid())
        std::abort();
    Export("HOME", TempHome());
    Export("XDG_CONFIG_HOME", ConfigHome());
    Export("XDG_DATA_HOME", DataHome());
    Export("XDG_CACHE_HOME", Sub("cache"));
    Export("XDG_RUNTIME_DIR", RuntimeDir());
    chmod(QFile::encodeName(RuntimeDir()).constData(), 0700);
    // GStreamer's plug-in registry is only a cache: one shared in the build
    // folder spares every test process a scan of all plug-ins.
    const QByteArray buildDir = qgetenv("VELMORA_BUILD_DIR");
    if (!buildDir.isEmpty() && qEnvironmentVariableIsEmpty("GST_REGISTRY"))
        setenv("GST_REGISTRY", (buildDir + "/tests/gst-registry.bin").constData(), 1);
    // No test may reach the user's session or system bus.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-bus", 1);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmora-test-bus", 1);
}

QString MakeScratchDir(const QString& name)
{
    static int serial = 0;
    const QString path = Sub("scratch") + QStringLiteral("/%1-%2").arg(name).arg(++serial);
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

}  // namespace testsupport
