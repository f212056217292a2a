// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

// Failed comparisons of texts show the text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A private desktop for association tests: the user's folders of the
// temporary home plus a private "system" ($XDG_CONFIG_DIRS, $XDG_DATA_DIRS)
// that sees the real MIME database and nothing else. Every test starts with
// all of them empty, no profile and no $XDG_CURRENT_DESKTOP.
class XdgFoldersTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static QString UserList();          // $XDG_CONFIG_HOME/mimeapps.list
    static QString SystemConfigDir();   // $XDG_CONFIG_DIRS
    static QString SystemDataDir();     // $XDG_DATA_DIRS
    static QString UserApplications();  // $XDG_DATA_HOME/applications
    static QString SystemApplications();

    static void WriteFile(const QString& path, const QByteArray& bytes);
    static QByteArray ReadFile(const QString& path);
    // Installs a desktop entry whose program exists, so that real clients
    // of these files accept it too.
    static void InstallApp(const QString& folder, const QString& desktopId);
    // The [FileTypeBackup] entry of an extension; a null text when absent.
    static QString Backup(const QString& extension);

    // The default application of mimeType as a real client of the same
    // files names it: "gio mime" or "xdg-mime query default".
    static QString GioDefault(const QString& mimeType);
    static QString XdgMimeDefault(const QString& mimeType);
};
