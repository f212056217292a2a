// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command_line.h"
#include "app/instance_lock.h"
#include "mainwnd/player_context.h"

#include <QObject>

#include <memory>

class QApplication;
class CDisplayPower;
class CInstanceServer;
class CMainFrame;
class CMediaGraphFactory;
class CMainFrameInstanceHandler;
class CMediaEngine;
class CMprisService;
class CParentWnd;
class CPlayerSettings;
class CPlaylist;
class CPlaylistFrame;
class CTerminationWatcher;
class CTrayIcon;

// The application object: keeps the player to one instance, creates every
// long-lived object in order, restores the saved state and, at the end,
// tears everything down in a fixed order.
class CPlayerApp : public QObject {
    Q_OBJECT
public:
    // argc and argv are main()'s; the Qt application object made from them
    // lives as long as this object.
    CPlayerApp(int& argc, char** argv);
    ~CPlayerApp() override;

    // False in a second instance, which has handed its request over (or
    // found nobody to hand it to) and must end without a message loop. A
    // second instance never creates the Qt application, so it ends quickly.
    bool InitInstance();
    // After InitInstance returned false: whether the request was delivered.
    bool HandedOver() const { return m_bHandedOver; }
    // Runs the message loop until the main window is gone.
    int Run();
    int ExitInstance();

    const CPlayerCommandLine& CommandLine() const { return m_commandLine; }

private:
    bool ForwardToFirstInstance() const;
    void ApplyRestoredSettings();
    void ShowWindows();

    int& m_argc;
    char** m_argv;
    CPlayerCommandLine m_commandLine;
    std::unique_ptr<QApplication> m_pApplication;
    CInstanceLock m_lock;
    bool m_bHandedOver = false;
    // The long-lived objects, owned here and seen by the windows through
    // the context, which exists from the settings and the playlist on;
    // ExitInstance resets them in the exit order.
    std::unique_ptr<CPlayerSettings> m_pSettings;
    std::unique_ptr<CPlayerContext> m_pContext;
    std::unique_ptr<CParentWnd> m_pOwner;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CPlaylist> m_pPlaylist;
    std::unique_ptr<CPlaylistFrame> m_pPlaylistFrame;
    std::unique_ptr<CTrayIcon> m_pTray;
    std::unique_ptr<CMediaGraphFactory> m_pGraphFactory;
    std::unique_ptr<CDisplayPower> m_pDisplayPower;
    std::unique_ptr<CMediaEngine> m_pEngine;
    std::unique_ptr<CMprisService> m_pMpris;
    std::unique_ptr<CMainFrameInstanceHandler> m_pInstanceHandler;
    std::unique_ptr<CInstanceServer> m_pInstanceServer;
    std::unique_ptr<CTerminationWatcher> m_pTerminationWatcher;
};
