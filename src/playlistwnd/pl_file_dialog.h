// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CPlaylist;
class QWidget;

// The multi-selection open dialog that adds media files to the playlist: the
// Add Files button appends, the main window's Open clears the list first.
class CPLFileDialog {
public:
    explicit CPLFileDialog(CPlaylist& playlist) : m_playlist(playlist) {}

    // Shows the dialog; on confirmation clears the playlist when
    // m_bClearFirst is set and adds the chosen files in the dialog's order.
    // Returns false when the user cancels (nothing changes then).
    bool DoModal(QWidget* parent);

    bool m_bClearFirst = false;

private:
    CPlaylist& m_playlist;
};
