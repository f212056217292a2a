// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CPlaylist;
class QWidget;

// The Add Directory action: asks for a folder ("Select folder") and adds
// every media file below it. Returns false when the user cancels or the
// folder cannot be entered; nothing changes then.
bool AddFolderFromBrowser(CPlaylist& playlist, QWidget* parent);
