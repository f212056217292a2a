// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Keeps a top-level window above others, or not. Changing a window's flags
// unmaps it, so a shown window is shown again.
void SetStaysOnTop(QWidget* window, bool topMost);
