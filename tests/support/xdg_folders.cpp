// SPDX-License-Identifier: GPL-3.0-or-later
#include "xdg_folders.h"

#include "settings/player_settings.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include <cstdlib>

namespace {

// The variables stay the same for the whole process, as the MIME database
// looks its folders up only now and then; only their contents change.
QString SystemRoot() { return testsupport::TempHome() + QStringLiteral("/xdg-system"); }

void EmptyFolder(const QString& path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

QString RunClient(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(20000))
        return QStringLiteral("<%1 did not run>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace

void XdgFoldersTest::SetUp()
{
    EmptyFolder(SystemConfigDir());
    EmptyFolder(SystemApplications());
    EmptyFolder(UserApplications());
    QFile::remove(UserList());
    QFile::remove(CPlayerSettings::DefaultProfilePath());
    const QString mimeLink = SystemDataDir() + QStringLiteral("/mime");
    if (!QFileInfo(mimeLink).isSymLink())
        QFile::link(QStringLiteral("/usr/share/mime"), mimeLink);
    setenv("XDG_CONFIG_DIRS", QFile::encodeName(SystemConfigDir()).constData(), 1);
    setenv("XDG_DATA_DIRS", QFile::encodeName(SystemDataDir()).constData(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");
}

void XdgFoldersTest::TearDown() { unsetenv("XDG_CURRENT_DESKTOP"); }

QString XdgFoldersTest::UserList() { return testsupport::ConfigHome() + QStringLiteral("/mimeapps.list"); }
QString XdgFoldersTest::SystemConfigDir() { return SystemRoot() + QStringLiteral("/config"); }
QString XdgFoldersTest::SystemDataDir() { return SystemRoot() + QStringLiteral("/data"); }
QString XdgFoldersTest::UserApplications() { return testsupport::DataHome() + QStringLiteral("/applications"); }
QString XdgFoldersTest::SystemApplications() { return SystemDataDir() + QStringLiteral("/applications"); }

void XdgFoldersTest::WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    file.write(bytes);
}

QByteArray XdgFoldersTest::ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void XdgFoldersTest::InstallApp(const QString& folder, const QString& desktopId)
{
    WriteFile(folder + u'/' + desktopId, "[Desktop Entry]\nType=Application\nName=" + desktopId.toUtf8() +
                                             "\nExec=/bin/true %f\nMimeType=audio/mpeg;video/x-msvideo;\n");
}

QString XdgFoldersTest::Backup(const QString& extension)
{
    QSettings profile(CPlayerSettings::DefaultProfilePath(), QSettings::IniFormat);
    const QVariant value = profile.value(QStringLiteral("FileTypeBackup/") + extension);
    return value.isValid() ? value.toString() : QString();
}

QString XdgFoldersTest::GioDefault(const QString& mimeType)
{
    // "Default application for “audio/mpeg”: velmora.desktop", then the lists.
    const QString first =
        RunClient(QStringLiteral("gio"), {QStringLiteral("mime"), mimeType}).section(u'\n', 0, 0);
    const qsizetype colon = first.lastIndexOf(QStringLiteral(": "));
    return first.startsWith(QStringLiteral("Default application")) && colon > 0 ? first.mid(colon + 2).trimmed()
                                                                                : first;
}

QString XdgFoldersTest::XdgMimeDefault(const QString& mimeType)
{
    return RunClient(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
}
