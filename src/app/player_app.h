#pragma once

#include "command_line.h"
#include "instance_lock.h"
#include "player_context.h"

#include <QObject>

#include <memory>

class CInstanceServer;
class CMainFrameInstanceHandler;
class CTerminationWatcher;

// The application object: keeps the player to one instance, creates every
// long-lived object in order, restores the saved state and, at the end,
// tears everything down in a fixed order.
class CPlayerApp : public QObject {
    Q_OBJECT
public:
    // arguments: the command line after the program name, with Qt's own
    // options already taken out.
    explicit CPlayerApp(QStringList arguments);
    ~CPlayerApp() override;

    // False in a second instance, which has handed its request over (or
    // found nobody to hand it to) and must end without a message loop.
    bool InitInstance();
    int ExitInstance();

    const CPlayerCommandLine& CommandLine() const { return m_commandLine; }
    const CPlayerContext& Context() const { return m_context; }

private:
    void ForwardToFirstInstance() const;
    void ApplyRestoredSettings();
    void ShowWindows();

    CPlayerCommandLine m_commandLine;
    CInstanceLock m_lock;
    CPlayerContext m_context;
    std::unique_ptr<CMainFrameInstanceHandler> m_pInstanceHandler;
    CInstanceServer* m_pInstanceServer = nullptr;
    CTerminationWatcher* m_pTerminationWatcher = nullptr;
};
