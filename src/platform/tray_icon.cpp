// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tray_icon.h"

#include "platform/path_codec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSystemTrayIcon>

CTrayIcon::CTrayIcon() = default;
CTrayIcon::~CTrayIcon() = default;

QString CTrayIcon::IconResourcePath(int iconId) { return QStringLiteral(":/icons/%1.png").arg(iconId); }

void CTrayIcon::Add(QWidget* mainWindow)
{
    Q_UNUSED(mainWindow);
    m_pIcon = std::make_unique<QSystemTrayIcon>();
    connect(m_pIcon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { emit activated(int(reason)); });
    SetIcon(IDI_APPLICATION_ICON);
    SetTip(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    // Shown even while no tray exists: Qt attaches the icon when a tray
    // appears, as it does when the player starts with the desktop.
    m_pIcon->show();
}

void CTrayIcon::SetTip(const QString& text)
{
    if (text.isNull())
        return;
    m_strTip = DisplayPath(text).left(kMaxTipLength);
    if (m_pIcon)
        m_pIcon->setToolTip(m_strTip);
}

void CTrayIcon::SetIcon(int iconId)
{
    m_nIconId = iconId;
    if (m_pIcon)
        m_pIcon->setIcon(QIcon(IconResourcePath(iconId)));
}

void CTrayIcon::ShowMessage(const QString& text)
{
    m_strLastMessage = text;
    if (m_pIcon && m_pIcon->isVisible())
        m_pIcon->showMessage(QStringLiteral("Velmora"), text, QSystemTrayIcon::Warning);
}

void CTrayIcon::Remove() { m_pIcon.reset(); }
