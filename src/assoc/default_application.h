// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// How the desktop finds the default application of a MIME type: the
// [Default Applications] entries of the mimeapps.list files, in the order
// of the freedesktop association rules, the first listed desktop ID that
// is installed winning. Every folder comes from the XDG variables as they
// are when called.
namespace defaultapp {

// The user's own list, $XDG_CONFIG_HOME/mimeapps.list: the one Velmora edits.
QString UserMimeAppsListPath();

// Every mimeapps.list consulted, first to last: $XDG_CONFIG_HOME, then
// $XDG_CONFIG_DIRS, then the applications folders of $XDG_DATA_HOME and
// $XDG_DATA_DIRS; in each folder a "<desktop>-mimeapps.list" for every
// desktop named in $XDG_CURRENT_DESKTOP comes before the plain one.
QStringList MimeAppsListPaths();

// The file a desktop ID names in the applications folders of $XDG_DATA_HOME
// and $XDG_DATA_DIRS ("a-b.desktop" may also be "a/b.desktop"); empty when
// it is installed nowhere.
QString FindDesktopFile(const QString& desktopId);

// The desktop ID that opens files of mimeType; empty when none is set.
QString EffectiveDefault(const QString& mimeType);

}  // namespace defaultapp
