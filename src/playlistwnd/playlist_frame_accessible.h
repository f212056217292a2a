// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleInterface;
class QObject;
class QString;
class QWidget;

// Assistive technology's view of the playlist window: its skin buttons as
// push buttons and its rows as a list whose items play when activated.
QAccessibleInterface* PlaylistFrameAccessibleFactory(const QString& className, QObject* object);
// The selection or the rows changed.
void NotifyPlaylistRowsChanged(QWidget* window);
