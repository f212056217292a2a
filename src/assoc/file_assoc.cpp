// SPDX-License-Identifier: GPL-3.0-or-later
#include "assoc/file_assoc.h"

#include "assoc/default_application.h"
#include "assoc/desktop_entry.h"
#include "assoc/mime_apps_list.h"
#include "settings/player_settings.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QSettings>

#include <array>

namespace {

struct FileType {
    const char* extension;
    const char* description;
};

constexpr std::array<FileType, FILE_TYPE_COUNT> kFileTypes = {{
    {".ac3", "Dolby Digital Audio(ac3)"},
    {".asf", "Streaming Video File(asf)"},
    {".asx", "Streaming Index File(asx)"},
    {".avi", "Audio Video File(avi)"},
    {".dat", "VCD Wrapper(dat)"},
    {".divx", "Divx Video(divx)"},
    {".m2v", "MPEG2 Video(m2v)"},
    {".mid", "MID Audio(mid)"},
    {".mp3", "MPEG Layer 3 Audio(mp3)"},
    {".mpa", "MPEG Audio(mpa)"},
    {".mpg", "MPEG Video(mpg)"},
    {".mpeg", "MPEG Video(mpeg)"},
    {".wav", "Windows Audio(wav)"},
    {".wm", "Windows Media(wm)"},
    {".wma", "Windows Media Audio)(wma)"},
    {".wmv", "Windows Media Video(wmv)"},
    {".xvid", "XviD Video(xvid)"},
}};

const QString kBackupGroup = QStringLiteral("FileTypeBackup");

bool InTable(int index) { return index >= 0 && index < FILE_TYPE_COUNT; }

QString UserEntry(const QString& mimeType, bool* readable)
{
    CMimeAppsList list(defaultapp::UserMimeAppsListPath());
    *readable = list.Load();
    return list.DefaultValue(mimeType);
}

}  // namespace

QString CFileAssoc::GetExtension(int index)
{
    return InTable(index) ? QString::fromLatin1(kFileTypes[index].extension) : QString();
}

QString CFileAssoc::GetDescription(int index)
{
    return InTable(index) ? QString::fromLatin1(kFileTypes[index].description) : QString();
}

QString CFileAssoc::KeyOfExt(const QString& extension)
{
    if (extension.isEmpty() || extension == QStringLiteral("."))
        return {};
    const QString name = extension.startsWith(u'.') ? u'x' + extension : QStringLiteral("x.") + extension;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    return type.isValid() && !type.isDefault() ? type.name() : QString();
}

bool CFileAssoc::IsAssociatedExt(const QString& extension)
{
    const QString key = KeyOfExt(extension);
    return !key.isEmpty() && defaultapp::EffectiveDefault(key) == kPlayerDesktopId;
}

bool CFileAssoc::Associate(int index)
{
    const QString key = Key(index);
    if (key.isEmpty() || !EnsurePlayerDesktopEntry(QCoreApplication::applicationFilePath()))
        return false;
    return WriteUserEntry(key, kPlayerDesktopId);
}

bool CFileAssoc::BackupType(int index)
{
    const QString key = Key(index);
    bool readable = false;
    const QString previous = key.isEmpty() ? QString() : UserEntry(key, &readable);
    if (!readable)
        return false;
    // The user's entry can already name the player while another list wins
    // (a desktop's own mimeapps.list, or an entry installed nowhere): saving
    // it would replace the real previous owner for good.
    if (CMimeAppsList::DesktopIds(previous).contains(kPlayerDesktopId))
        return true;
    QSettings profile(CPlayerSettings::DefaultProfilePath(), QSettings::IniFormat);
    profile.beginGroup(kBackupGroup);
    profile.setValue(GetExtension(index), previous.isNull() ? QStringLiteral("") : previous);
    profile.endGroup();
    profile.sync();
    return profile.status() == QSettings::NoError;
}

bool CFileAssoc::RestoreType(int index)
{
    const QString key = Key(index);
    if (key.isEmpty())
        return false;
    // Extensions of one type are one association: the backup may have been
    // taken under another of them.
    QSettings profile(CPlayerSettings::DefaultProfilePath(), QSettings::IniFormat);
    profile.beginGroup(kBackupGroup);
    QVariant saved = profile.value(GetExtension(index));
    for (int other = 0; other < FILE_TYPE_COUNT && !saved.isValid(); ++other)
        if (other != index && Key(other) == key)
            saved = profile.value(GetExtension(other));
    return WriteUserEntry(key, saved.toString());
}

bool CFileAssoc::WriteUserEntry(const QString& mimeType, const QString& value)
{
    CMimeAppsList list(defaultapp::UserMimeAppsListPath());
    if (!list.Load())
        return false;
    if (value.trimmed().isEmpty())
        list.RemoveDefault(mimeType);
    else
        list.SetDefault(mimeType, value);
    return list.Save();
}
