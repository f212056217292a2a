// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/power_control.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

class CLogindPowerControl final : public CPowerControl {
public:
    void PowerOff() override
    {
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            return;
        QDBusMessage request = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
        // false: no interactive authentication; a refusal comes back as an
        // error reply, which nobody needs to read.
        request << false;
        bus.send(request);
    }
};

CPowerControl* g_pInstalled = nullptr;

}  // namespace

CPowerControl& CPowerControl::Get()
{
    static CLogindPowerControl logind;
    return g_pInstalled ? *g_pInstalled : logind;
}

void CPowerControl::Install(CPowerControl* control) { g_pInstalled = control; }
