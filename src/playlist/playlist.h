// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist_dbm.h"
#include "playlist/playlist_random.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <functional>

class QWidget;

// The live playlist: the rows plus the selected row, the first row the
// playlist window draws and the current row, the one the engine plays.
// Every index is -1 for none. While there are rows, m_nSelected and m_nTop
// lie within the list; m_nCurrent may be stale (loading keeps it), so its
// users check the range.
class CPlaylist : public CPlaylistDBM {
public:
    CPlaylist();

    // What the playlist calls to make the engine close its media: always on
    // Clear, and when the current row is removed. Wired by the application.
    void SetCloseMedia(std::function<void()> closeMedia) { m_closeMedia = std::move(closeMedia); }
    // The file SaveList/LoadList use without a dialog; DefaultPlaylistPath()
    // until set.
    void SetDefaultFile(const QString& path) { m_strDefaultFile = path; }
    const QString& DefaultFile() const { return m_strDefaultFile; }

    // Adding. A playlist file of another player adds the files it lists
    // instead of itself. Rows are appended; afterwards the selection and the top row
    // become 0 if they were -1, and the status is updated. A folder that is
    // not an accessible directory or a file that does not exist adds nothing.
    // Each returns whether it added a row.
    // One existing file (or folder entry) of any type, by its full path.
    bool AddFileByPath(const QString& path);
    // One file chosen in the file dialog: fileOrPath is a name in `folder` or
    // a full path. Shows the wait cursor while it works.
    bool AddFoundFile(const QString& folder, const QString& fileOrPath);
    // Every media file below `folder`, depth first in directory order. Shows
    // the wait cursor while it works.
    bool AddFolder(const QString& folder);
    // The recursive scan behind AddFolder: symbolic links are never entered,
    // unreadable folders are skipped. Touches neither indexes nor status.
    void ScanCurrentFolder(const QString& folder);
    // Appends `name` from `folder` when its extension is a media extension.
    void AddIfMedia(const QString& folder, const QString& name);

    void RemoveSelected();
    // Removes every row and always makes the engine close its media.
    void Clear();

    // listRows: the rows the playlist window's list area shows, counting a
    // partly visible last row ((list height) / row height + 1).
    void MoveSelectedUp();
    void MoveSelectedDown(int listRows);
    void SelectUp(int n);
    void SelectDown(int n, int listRows);

    // Locale-aware sorts by file name and by full path; drop the current row.
    void SortByName();
    void SortByFolder();

    // With the dialog the user picks the file; without it the default file is
    // used (and a missing default file loads silently as nothing). Errors are
    // reported in a message box naming the file. A failed load leaves the
    // playlist cleared; a failed save leaves the previous file intact.
    bool SaveList(bool withDialog, QWidget* parent = nullptr);
    bool LoadList(bool withDialog, QWidget* parent = nullptr);
    bool SaveToFile(const QString& path, QWidget* parent = nullptr);
    bool LoadFromFile(const QString& path, QWidget* parent = nullptr);

    // m_strStatus becomes "%d Files" with the row count, in the current
    // interface language.
    void UpdateStatus();

    // The row the engine plays, -1 for none. Only the engine makes a row
    // current (CMediaEngine::Open); the list's own edits keep the marker on
    // its row or drop it.
    int GetCurrent() const { return m_nCurrent; }
    void SetCurrent(int row) { m_nCurrent = row; }

    int m_nSelected = -1;
    int m_nTop = -1;
    QString m_strStatus;
    CPlaylistRandom m_random;

private:
    bool AddExistingEntry(const QString& path);
    // The files another player's playlist lists, and those of the playlists
    // it names that this add has not read yet; one error box for a file
    // that cannot be read.
    bool AddPlaylistEntries(const QString& path);
    void AppendRow(const QString& folder, const QString& name);
    void AfterAdd();
    void SwapRows(int first, int second);
    void CloseMedia();
    bool LoadFile(const QString& path, QWidget* parent, bool silentIfUnopenable);

    std::function<void()> m_closeMedia;
    QString m_strDefaultFile;
    int m_nCurrent = -1;
    // The playlist files read since the current add began, resolved, so that
    // lists naming themselves or each other are read once.
    QSet<QByteArray> m_readPlaylists;
};
