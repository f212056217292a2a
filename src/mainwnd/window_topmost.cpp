// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/window_topmost.h"

#include <QWidget>

void SetStaysOnTop(QWidget* window, bool topMost)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    if (visible)
        window->show();
}
