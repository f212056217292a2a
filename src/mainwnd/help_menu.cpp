// SPDX-License-Identifier: GPL-3.0-or-later
// The "Help" popup of both context menus: its order only.
#include "mainwnd/context_menu.h"

#include "mainwnd/command_ids.h"
#include "settings/string_ids.h"

CMenuItem HelpPopup()
{
    return MenuPopup(IDS_HELP, {MenuEntry(ID_HOME_PAGE), MenuEntry(ID_SUPPORT_FORUM), MenuEntry(ID_FAQ),
                                MenuSeparator(), MenuEntry(ID_DONATE), MenuSeparator(), MenuEntry(ID_ABOUT)});
}
