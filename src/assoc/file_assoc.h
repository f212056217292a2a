// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The number of file types the player can take over.
constexpr int FILE_TYPE_COUNT = 17;

// Points media file types at the player and gives them back. An
// extension's key is its MIME type, found from the file name alone; an
// extension the MIME database has no type for cannot be associated. The
// previous owner is the user's own entry in $XDG_CONFIG_HOME/mimeapps.list,
// kept in the profile's [FileTypeBackup] group under the extension with its
// dot. Stateless: every call reads the files afresh.
class CFileAssoc {
public:
    // The table's extension with its dot, and the description the
    // Association page shows; empty outside 0 … FILE_TYPE_COUNT − 1.
    static QString GetExtension(int index);
    static QString GetDescription(int index);

    // The MIME type of an extension (with or without its dot); empty when
    // it has none of its own.
    static QString KeyOfExt(const QString& extension);
    static QString Key(int index) { return KeyOfExt(GetExtension(index)); }

    // Whether the desktop's effective default for the extension's MIME type
    // is exactly the player's desktop entry.
    static bool IsAssociatedExt(const QString& extension);
    static bool IsAssociated(int index) { return IsAssociatedExt(GetExtension(index)); }

    // Makes the player the user's default for the type, installing a
    // user-level desktop entry first when none is installed. False, with
    // nothing changed, when the type has no key or a file could not be
    // read or written.
    static bool Associate(int index);
    // Saves the user's current entry for the type (empty when there is
    // none); an entry that names the player is never saved, so the backup
    // already kept stays. False when the type has no key or the profile was
    // not written.
    static bool BackupType(int index);
    // Writes the saved entry back (when the extension has none, that of
    // another extension of the same type); an empty one removes the user's
    // entry so that the system's default applies again. The backup stays.
    static bool RestoreType(int index);

private:
    static bool WriteUserEntry(const QString& mimeType, const QString& value);
};
