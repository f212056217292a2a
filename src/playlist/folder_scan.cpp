// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/folder_scan.h"

#include "platform/path_codec.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using DirectoryId = std::pair<dev_t, ino_t>;

class CTreeScanner {
public:
    explicit CTreeScanner(const std::function<void(const QString&, const QString&)>& visitFile)
        : m_visitFile(visitFile)
    {
    }

    void Scan(const QString& folder)
    {
        const QByteArray encoded = EncodePath(folder);
        DIR* dir = opendir(encoded.constData());
        if (!dir)
            return;
        struct stat info {};
        const DirectoryId id = fstat(dirfd(dir), &info) == 0 ? DirectoryId{info.st_dev, info.st_ino}
                                                             : DirectoryId{};
        if (std::find(m_openFolders.begin(), m_openFolders.end(), id) != m_openFolders.end()) {
            closedir(dir);
            return;
        }
        m_openFolders.push_back(id);
        while (const dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            if (IsDirectory(dirfd(dir), entry)) {
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
                    faccessat(dirfd(dir), name, X_OK, 0) == 0)
                    Scan(ChildPath(folder, name));
            } else {
                m_visitFile(folder, DecodePath(name));
            }
        }
        m_openFolders.pop_back();
        closedir(dir);
    }

private:
    static bool IsDirectory(int dirFd, const dirent* entry)
    {
        if (entry->d_type != DT_UNKNOWN)
            return entry->d_type == DT_DIR;
        struct stat info {};
        return fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
    }

    static QString ChildPath(const QString& folder, const char* name)
    {
        const QString separator = folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
        return folder + separator + DecodePath(name);
    }

    const std::function<void(const QString&, const QString&)>& m_visitFile;
    std::vector<DirectoryId> m_openFolders;
};

}  // namespace

bool IsEnterableFolder(const QString& folder)
{
    const QByteArray encoded = EncodePath(folder);
    struct stat info {};
    return stat(encoded.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(encoded.constData(), X_OK) == 0;
}

bool EntryExists(const QString& path)
{
    struct stat info {};
    return lstat(EncodePath(path).constData(), &info) == 0;
}

bool IsFolder(const QString& path)
{
    struct stat info {};
    return stat(EncodePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QByteArray ResolvedPath(const QString& path)
{
    char* resolved = realpath(EncodePath(path).constData(), nullptr);
    QByteArray bytes(resolved);
    free(resolved);
    return bytes;
}

void ScanFolderTree(const QString& folder,
                    const std::function<void(const QString& folder, const QString& name)>& visitFile)
{
    CTreeScanner(visitFile).Scan(folder);
}
