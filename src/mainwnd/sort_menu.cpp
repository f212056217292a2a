// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist window's sort menu: its order only.
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"

CMenuItem BuildSortMenu(const CMenuState& state)
{
    return BuildMenu({MenuEntry(ID_SORT_BY_NAME), MenuEntry(ID_SORT_BY_FOLDER)}, state);
}
