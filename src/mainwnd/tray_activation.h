#pragma once

#include "main_frame.h"

// What a tray activation (a QSystemTrayIcon::ActivationReason) means to the
// main window. A StatusNotifierItem host never reports double-clicks, so
// there a single click does what the double-click does.
TrayMouse TrayMouseFromActivation(int reason, bool statusNotifierHost);

// Whether the session's tray is a StatusNotifierItem host.
bool IsStatusNotifierHost();
