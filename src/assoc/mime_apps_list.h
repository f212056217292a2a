// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One mimeapps.list file, read and edited line by line: only the lines of
// the entry being changed are touched, so comments, other groups, other
// keys and their order and spelling stay byte for byte.
class CMimeAppsList {
public:
    explicit CMimeAppsList(QString path) : m_strPath(std::move(path)) {}

    // Reads the file. A missing file reads as empty; false (and an error on
    // stderr) when it exists but cannot be read or is implausibly large.
    bool Load();

    // An entry's key may also be an alias of `mimeType`: the desktop reads
    // "audio/wav" as "audio/x-wav".
    // The value of `mimeType` in [Default Applications], trimmed; a null
    // text when the file has no such entry.
    QString DefaultValue(const QString& mimeType) const;
    // Sets the entry, creating the group when it is missing; its first line
    // (an alias too) becomes "mimeType=value" and any other is removed.
    void SetDefault(const QString& mimeType, const QString& value);
    // Removes every line of the entry, aliases included; the group stays.
    void RemoveDefault(const QString& mimeType);

    // Writes the file atomically (temporary file and rename). A symbolic
    // link is followed, so a linked file is updated rather than replaced.
    bool Save() const;

    // The desktop IDs of a value, in order ("a.desktop;b.desktop;").
    static QStringList DesktopIds(const QString& value);

private:
    // Line indexes of the entry's lines in every [Default Applications] group.
    QList<qsizetype> EntryLines(const QString& mimeType) const;

    QString m_strPath;
    // The file split at '\n'; joining them with '\n' gives the file back.
    QList<QByteArray> m_lines{QByteArray()};
};
