// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct CPlayerContext;
struct CSkinStateRecord;

// Copies what the skin draws from the engine, the settings, the playlist and
// the playlist window into `state`, with `mainMaximized` for the main window.
// The scroll thumb offset, which the skin writes, is left as it is.
void FillSkinState(const CPlayerContext& context, bool mainMaximized, CSkinStateRecord& state);
