// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

CWaitCursor::CWaitCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_bShown = true;
    }
}

CWaitCursor::~CWaitCursor()
{
    if (m_bShown)
        QGuiApplication::restoreOverrideCursor();
}
