// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/default_application.h"

#include "assoc/mime_apps_list.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace defaultapp {
namespace {

const QString kListName = QStringLiteral("mimeapps.list");

// Lower-cased desktop names of $XDG_CURRENT_DESKTOP, most specific first.
QStringList CurrentDesktops()
{
    QStringList names;
    for (const QString& name : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':'))
        if (!name.isEmpty())
            names.append(name.toLower());
    return names;
}

void AppendListsOf(const QString& folder, const QStringList& desktops, QStringList& paths)
{
    for (const QString& desktop : desktops)
        paths.append(folder + u'/' + desktop + u'-' + kListName);
    paths.append(folder + u'/' + kListName);
}

QStringList ApplicationFolders()
{
    QStringList folders;
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.append(data + QStringLiteral("/applications"));
    return folders;
}

// A desktop ID's dashes may stand for subfolders: "kde-foo.desktop" is also
// "kde/foo.desktop". Each dash either stays or, where such a folder exists,
// descends; the depth is bounded by the number of dashes.
QString Resolve(const QString& folder, const QString& id)
{
    QString direct = folder + u'/' + id;
    if (QFileInfo(direct).isFile())
        return direct;
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString sub = folder + u'/' + id.left(dash);
        if (QFileInfo(sub).isDir()) {
            QString found = Resolve(sub, id.mid(dash + 1));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

}  // namespace

QString UserMimeAppsListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kListName;
}

QStringList MimeAppsListPaths()
{
    const QStringList desktops = CurrentDesktops();
    QStringList paths;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        AppendListsOf(folder, desktops, paths);
    for (const QString& folder : ApplicationFolders())
        AppendListsOf(folder, desktops, paths);
    return paths;
}

QString FindDesktopFile(const QString& desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(u'/'))
        return {};
    for (const QString& folder : ApplicationFolders()) {
        QString found = Resolve(folder, desktopId);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString EffectiveDefault(const QString& mimeType)
{
    for (const QString& path : MimeAppsListPaths()) {
        CMimeAppsList list(path);
        if (!list.Load())
            continue;
        for (const QString& id : CMimeAppsList::DesktopIds(list.DefaultValue(mimeType)))
            if (!FindDesktopFile(id).isEmpty())
                return id;
    }
    return {};
}

}  // namespace defaultapp
