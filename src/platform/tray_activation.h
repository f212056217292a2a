// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tray icon reports, as the main window handles it.
enum class TrayMouse { DoubleClick, RightButtonUp, Other };

// What a tray activation (a QSystemTrayIcon::ActivationReason) means to the
// main window. A StatusNotifierItem host never reports double-clicks, so
// there a single click does what the double-click does.
TrayMouse TrayMouseFromActivation(int reason, bool statusNotifierHost);

// Whether the session's tray is a StatusNotifierItem host.
bool IsStatusNotifierHost();
