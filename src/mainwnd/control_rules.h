// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the main window treats each skin control id under the mouse.

// Controls that act as push buttons (drawn pressed while held).
bool IsButtonControl(int id);
// Buttons whose release action runs only when released over the button
// itself; the others (options, playlist, previous, next, shuffle) act
// wherever the button is released.
bool NeedsReleaseOnControl(int id);
// Whether a right-button release over this control opens the context menu.
bool RightClickOpensMenu(int id);
// String id of a control's tool tip, 0 for none.
int ToolTipStringId(int id);
