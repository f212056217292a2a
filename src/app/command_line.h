// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the player takes from its command line: the file to open and whether
// to show the windows at start.
struct CPlayerCommandLine {
    QString m_strFileName;
    bool m_bShowAtStart = true;

    // A file-open start: the command line named a file.
    bool IsFileOpen() const { return !m_strFileName.isEmpty(); }

    // Parses the arguments after the program name, once Qt has taken its
    // own options out. Arguments beginning with "-", and one-word arguments
    // beginning with "/" that name no existing file, are switches; the switch
    // "background" (exactly so) clears m_bShowAtStart; the first other
    // argument is the file.
    static CPlayerCommandLine Parse(const QStringList& arguments);
};

// The arguments after the program name without the options Qt's application
// object takes for itself ("-platform offscreen", "-style=fusion",
// "--reverse" ...), which it goes on handling itself.
QStringList ArgumentsWithoutQtOptions(const QStringList& arguments);
