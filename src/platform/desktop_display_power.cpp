// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_display_power.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QGuiApplication>
#include <QString>

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

QDBusMessage ScreenSaverCall(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kService, method);
}

}  // namespace

// The X connection, opened only on an X11 session, and what was changed there.
struct CDesktopDisplayPower::XState {
    Display* display = nullptr;
    bool saverChanged = false;
    int timeout = 0;
    int interval = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
    bool dpmsChanged = false;

    XState()
    {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            display = XOpenDisplay(nullptr);
    }
    ~XState()
    {
        if (display)
            XCloseDisplay(display);
    }
    bool HasDpms()
    {
        int event = 0, error = 0;
        return display && DPMSQueryExtension(display, &event, &error) && DPMSCapable(display);
    }
};

CDesktopDisplayPower::CDesktopDisplayPower() : m_pX(std::make_unique<XState>()) {}

CDesktopDisplayPower::~CDesktopDisplayPower()
{
    SetScreenSaverActive(true);
    SetPowerOffActive(true);
}

bool CDesktopDisplayPower::HasScreenSaverService() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService).value();
}

bool CDesktopDisplayPower::IsScreenSaverActive()
{
    if (HasScreenSaverService())
        return !m_bInhibited;
    if (!m_pX->display)
        return false;
    int timeout = 0, interval = 0, prefer = 0, allow = 0;
    XGetScreenSaver(m_pX->display, &timeout, &interval, &prefer, &allow);
    return timeout > 0;
}

bool CDesktopDisplayPower::SetScreenSaverActive(bool active)
{
    if (!active) {
        if (HasScreenSaverService()) {
            QDBusMessage call = ScreenSaverCall(QStringLiteral("Inhibit"));
            call << QStringLiteral("Velmora") << QStringLiteral("Playing a video");
            const QDBusReply<unsigned> reply = QDBusConnection::sessionBus().call(call);
            if (!reply.isValid())
                return false;
            m_nInhibitCookie = reply.value();
            m_bInhibited = true;
            return true;
        }
        if (!m_pX->display)
            return false;
        XGetScreenSaver(m_pX->display, &m_pX->timeout, &m_pX->interval, &m_pX->preferBlanking,
                        &m_pX->allowExposures);
        XSetScreenSaver(m_pX->display, 0, m_pX->interval, m_pX->preferBlanking, m_pX->allowExposures);
        XFlush(m_pX->display);
        m_pX->saverChanged = true;
        return true;
    }
    if (m_bInhibited) {
        QDBusMessage call = ScreenSaverCall(QStringLiteral("UnInhibit"));
        call << m_nInhibitCookie;
        QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
        m_bInhibited = false;
    }
    if (m_pX->saverChanged && m_pX->display) {
        XSetScreenSaver(m_pX->display, m_pX->timeout, m_pX->interval, m_pX->preferBlanking, m_pX->allowExposures);
        XFlush(m_pX->display);
        m_pX->saverChanged = false;
    }
    return true;
}

bool CDesktopDisplayPower::IsPowerOffActive()
{
    if (!m_pX->HasDpms())
        return false;
    CARD16 level = 0;
    BOOL enabled = False;
    return DPMSInfo(m_pX->display, &level, &enabled) && enabled;
}

bool CDesktopDisplayPower::SetPowerOffActive(bool active)
{
    if (!active) {
        if (!m_pX->HasDpms() || !DPMSDisable(m_pX->display))
            return false;
        XFlush(m_pX->display);
        m_pX->dpmsChanged = true;
        return true;
    }
    if (m_pX->dpmsChanged && m_pX->display) {
        DPMSEnable(m_pX->display);
        XFlush(m_pX->display);
        m_pX->dpmsChanged = false;
    }
    return true;
}

bool CDesktopDisplayPower::SetLowPowerActive(bool)
{
    // DPMS has one switch for standby, suspend and off; SetPowerOffActive holds it.
    return true;
}
