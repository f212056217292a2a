// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSystemTrayIcon;
class QWidget;

// Icon ids of the tray and window icons, kept as the resource ids the rest
// of the player uses.
enum TrayIconId {
    IDI_APPLICATION_ICON = 138,
    IDI_PAUSED = 140,
    IDI_PLAYING = 142,
    IDI_STOPPED = 144,
};

// The player's icon in the system tray. Without a tray host the calls still
// succeed and simply show nothing.
class CTrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxTipLength = 63;

    CTrayIcon();
    ~CTrayIcon() override;

    // Shows the application icon with the application's name as its tip;
    // activations are reported through activated().
    void Add(QWidget* mainWindow);
    // Cuts the text to 63 characters. A null text keeps the present tip.
    void SetTip(const QString& text);
    void SetIcon(int iconId);
    // A passing notice from the icon, beside the tip.
    void ShowMessage(const QString& text);
    void Remove();

    QString Tip() const { return m_strTip; }
    QString LastMessage() const { return m_strLastMessage; }
    int IconId() const { return m_nIconId; }

    // The image of an icon id from the player's resources.
    static QString IconResourcePath(int iconId);

signals:
    void activated(int reason);  // a QSystemTrayIcon::ActivationReason

private:
    std::unique_ptr<QSystemTrayIcon> m_pIcon;
    QString m_strTip;
    QString m_strLastMessage;
    int m_nIconId = 0;
};
