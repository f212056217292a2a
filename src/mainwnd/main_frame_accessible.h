// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Assistive technology's view of the main window: its skin controls as
// buttons, sliders and texts (see skinned_accessible.h).
QAccessibleInterface* MainFrameAccessibleFactory(const QString& className, QObject* object);
