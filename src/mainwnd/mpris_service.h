// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

class CMainFrame;
struct CPlayerContext;

// The player on the session bus as a desktop media player
// ("org.mpris.MediaPlayer2.velmora"), so that media keys and the desktop's
// media widgets drive it. Every request runs a command of the main window's
// command table or the engine operation the skin's sliders use; every
// change the main window reports is compared with what the bus last heard
// and announced. Unregisters itself when destroyed.
class CMprisService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    CMprisService(CMainFrame& frame, CPlayerContext& context);
    ~CMprisService() override;

    // Claims the name on `bus`; false (and nothing registered) when there
    // is no bus or the name is taken.
    bool Register(QDBusConnection bus);

    CMainFrame& Frame() const { return m_frame; }
    CPlayerContext& Context() const { return m_context; }

    // The player interface's properties that announce their changes.
    QVariantMap PlayerProperties() const;
    // Position in microseconds, and the current track's length (0: none).
    qlonglong Position() const;
    qlonglong Length() const;
    // Seeks to `positionUs` of the current clip and announces it.
    void SeekTo(qlonglong positionUs);
    // Answers the D-Bus call being handled with an invalid-argument error.
    void RefuseArgument(const QString& message);

signals:
    void Seeked(qlonglong position);

private:
    void ScheduleRefresh();
    void Refresh();

    CMainFrame& m_frame;
    CPlayerContext& m_context;
    QDBusConnection m_bus;
    bool m_bRegistered = false;
    QTimer m_refresh;
    QVariantMap m_lastProperties;
    // Where the position should be if nobody seeks.
    qlonglong m_llLastPosition = 0;
    QElapsedTimer m_sinceLastPosition;
};
