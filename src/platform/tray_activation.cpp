// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tray_activation.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSystemTrayIcon>

TrayMouse TrayMouseFromActivation(int reason, bool statusNotifierHost)
{
    switch (QSystemTrayIcon::ActivationReason(reason)) {
    case QSystemTrayIcon::DoubleClick: return TrayMouse::DoubleClick;
    case QSystemTrayIcon::Trigger: return statusNotifierHost ? TrayMouse::DoubleClick : TrayMouse::Other;
    case QSystemTrayIcon::Context: return TrayMouse::RightButtonUp;
    default: return TrayMouse::Other;
    }
}

bool IsStatusNotifierHost()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}
