// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user autostart entry (a desktop entry in $XDG_CONFIG_HOME/autostart)
// that starts the player when the user logs in. Its Exec line is the quoted
// executable followed by one argument, quoted by the desktop-entry rules.
class CAutostartEntry {
public:
    explicit CAutostartEntry(QString path) : m_strPath(std::move(path)) {}

    // True when the entry exists and its Exec line is exactly the command.
    bool Matches(const QString& executable, const QString& argument) const;
    // Writes the entry atomically; false when it could not be written.
    bool Write(const QString& executable, const QString& argument) const;
    // Deletes the entry; a missing entry is not an error.
    bool Remove() const;

    // The Exec value: the executable in double quotes (with \, ", ` and $
    // escaped inside them), a blank, the argument; then the escaping of the
    // key file format (\ doubled) and of field codes (% doubled).
    static QString ExecValue(const QString& executable, const QString& argument);

private:
    QString m_strPath;
};
