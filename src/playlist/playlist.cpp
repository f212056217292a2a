// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlist.h"

#include "playlist/default_playlist_path.h"
#include "playlist/folder_scan.h"
#include "playlist/foreign_playlist.h"
#include "playlist/media_files.h"
#include "playlist/playlist_sort.h"
#include "platform/path_codec.h"
#include "platform/prompt.h"
#include "platform/wait_cursor.h"
#include "settings/localized_strings.h"

#include <QDir>

#include <algorithm>

namespace {

// Splits an absolute path at its last "/" into the folder, cleaned, and the
// name; a file in the root folder gets the folder "/".
std::pair<QString, QString> SplitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash <= 0 ? QStringLiteral("/") : QDir::cleanPath(path.left(slash));
    return {folder, path.mid(slash + 1)};
}

}  // namespace

CPlaylist::CPlaylist() : m_strDefaultFile(DefaultPlaylistPath()) { UpdateStatus(); }

bool CPlaylist::AddFileByPath(const QString& path)
{
    m_readPlaylists.clear();
    if (!AddExistingEntry(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path)))
        return false;
    AfterAdd();
    return true;
}

bool CPlaylist::AddFoundFile(const QString& folder, const QString& fileOrPath)
{
    const CWaitCursor wait;
    m_readPlaylists.clear();
    if (!IsEnterableFolder(folder))
        return false;
    const QString path = QDir::isAbsolutePath(fileOrPath) ? fileOrPath : QDir(folder).absoluteFilePath(fileOrPath);
    if (!AddExistingEntry(path))
        return false;
    AfterAdd();
    return true;
}

bool CPlaylist::AddFolder(const QString& folder)
{
    const CWaitCursor wait;
    m_readPlaylists.clear();
    if (!IsEnterableFolder(folder))
        return false;
    const int countBefore = GetCount();
    ScanCurrentFolder(QDir::cleanPath(QDir(folder).absolutePath()));
    AfterAdd();
    return GetCount() > countBefore;
}

void CPlaylist::ScanCurrentFolder(const QString& folder)
{
    ScanFolderTree(folder,
                   [this](const QString& entryFolder, const QString& name) { AddIfMedia(entryFolder, name); });
}

void CPlaylist::AddIfMedia(const QString& folder, const QString& name)
{
    if (IsForeignPlaylist(name))
        AddPlaylistEntries(folder + QLatin1Char('/') + name);
    else if (IsMediaFile(name))
        AppendRow(folder, name);
}

bool CPlaylist::AddExistingEntry(const QString& path)
{
    const auto [folder, name] = SplitPath(path);
    if (name.isEmpty() || !IsEnterableFolder(folder) || !EntryExists(path))
        return false;
    if (IsForeignPlaylist(name))
        return AddPlaylistEntries(path);
    AppendRow(folder, name);
    return true;
}

bool CPlaylist::AddPlaylistEntries(const QString& path)
{
    const QByteArray resolved = ResolvedPath(path);
    if (m_readPlaylists.contains(resolved))
        return false;
    m_readPlaylists.insert(resolved);
    const std::optional<CForeignEntries> entries = ReadForeignPlaylist(path);
    if (!entries || entries->bCut) {
        const QString text = entries ? QStringLiteral("%1 lists more files than can be read; only the first %2 "
                                                      "are added.")
                                           .arg(DisplayPath(path))
                                           .arg(kMaxForeignEntries)
                                     : QStringLiteral("%1 cannot be read as a playlist.").arg(DisplayPath(path));
        CPrompt::Get().MessageBox(nullptr, QStringLiteral("Velmora"), text, CPrompt::Icon::Warning,
                                  CPrompt::Buttons::Ok);
        if (!entries)
            return false;
    }
    const int countBefore = GetCount();
    for (const QString& entry : entries->paths) {
        const auto [folder, name] = SplitPath(entry);
        // Neither a folder nor a playlist is a row; a folder adds nothing.
        if (name.isEmpty() || !EntryExists(entry) || IsFolder(entry))
            continue;
        if (IsForeignPlaylist(name))
            AddPlaylistEntries(entry);
        else
            AppendRow(folder, name);
    }
    return GetCount() > countBefore;
}

void CPlaylist::AppendRow(const QString& folder, const QString& name)
{
    auto row = std::make_unique<CPlaylistRow>();
    row->InitFromFoundName(folder, name);
    m_rows.push_back(std::move(row));
}

void CPlaylist::AfterAdd()
{
    // Only with rows: an add that found nothing must not point the
    // selection at a row that does not exist.
    if (GetCount() > 0) {
        if (m_nSelected == -1)
            m_nSelected = 0;
        if (m_nTop == -1)
            m_nTop = 0;
    }
    UpdateStatus();
}

void CPlaylist::RemoveSelected()
{
    if (!IsValidIndex(m_nSelected)) {
        UpdateStatus();
        return;
    }
    if (m_nSelected == m_nCurrent) {
        CloseMedia();
        m_nCurrent = -1;
    } else if (m_nCurrent != -1 && m_nSelected < m_nCurrent) {
        --m_nCurrent;
    }
    m_rows.erase(m_rows.begin() + m_nSelected);
    const int count = GetCount();
    if (count > 0) {
        m_nSelected = std::min(m_nSelected, count - 1);
        m_nTop = std::min(m_nTop, count - 1);
    } else {
        m_nSelected = -1;
        m_nTop = -1;
    }
    UpdateStatus();
}

void CPlaylist::Clear()
{
    CloseMedia();
    m_rows.clear();
    m_nSelected = -1;
    m_nTop = -1;
    m_nCurrent = -1;
    UpdateStatus();
}

void CPlaylist::MoveSelectedUp()
{
    if (m_nSelected <= 0 || m_nSelected >= GetCount())
        return;
    SwapRows(m_nSelected - 1, m_nSelected);
    SelectUp(1);
}

void CPlaylist::MoveSelectedDown(int listRows)
{
    if (m_nSelected < 0 || m_nSelected >= GetCount() - 1)
        return;
    SwapRows(m_nSelected, m_nSelected + 1);
    SelectDown(1, listRows);
}

void CPlaylist::SwapRows(int first, int second)
{
    std::swap(m_rows[static_cast<size_t>(first)], m_rows[static_cast<size_t>(second)]);
    // The current marker stays on the row the engine plays, whichever of
    // the two it is.
    if (m_nCurrent == first)
        m_nCurrent = second;
    else if (m_nCurrent == second)
        m_nCurrent = first;
}

void CPlaylist::SelectUp(int n)
{
    int selected = m_nSelected;
    if (selected - n >= 0)
        selected -= n;
    else if (selected - 1 >= 0)
        selected -= 1;
    else
        return;
    m_nSelected = selected;
    if (m_nSelected < m_nTop)
        m_nTop = m_nSelected;
}

void CPlaylist::SelectDown(int n, int listRows)
{
    const int count = GetCount();
    int selected = m_nSelected;
    if (selected < count - n)
        selected += n;
    else if (selected < count - 1)
        selected += 1;
    else
        return;
    m_nSelected = selected;
    // Keep the selection off the last drawn row. Clamped so that a tiny list
    // area or a top row scrolled below the selection cannot push the top row
    // past the end of the list.
    const int drawnRows = std::min(listRows, count - m_nTop);
    if (m_nSelected > m_nTop + drawnRows - 2)
        m_nTop = std::clamp(m_nSelected - drawnRows + 2, 0, count - 1);
}

void CPlaylist::SortByName()
{
    SortRowsByText(m_rows, &CPlaylistRow::m_strFileName);
    m_nCurrent = -1;
}

void CPlaylist::SortByFolder()
{
    SortRowsByText(m_rows, &CPlaylistRow::m_strPath);
    m_nCurrent = -1;
}

void CPlaylist::UpdateStatus()
{
    // The table's "%d" is filled by hand, never by printf.
    m_strStatus = LoadLocalizedString(IDS_FILE_COUNT).replace(QStringLiteral("%d"), QString::number(GetCount()));
}

void CPlaylist::CloseMedia()
{
    if (m_closeMedia)
        m_closeMedia();
}
