// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/player_app.h"

#include "platform/desktop_display_power.h"
#include "engine/graph/gst_graph.h"
#include "app/instance_client.h"
#include "app/instance_server.h"
#include "settings/localized_strings.h"
#include "mainwnd/main_frame.h"
#include "mainwnd/main_frame_accessible.h"
#include "mainwnd/parent_wnd.h"
#include "platform/path_codec.h"
#include "engine/media_engine.h"
#include "mainwnd/mpris_service.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"
#include "playlistwnd/playlist_frame.h"
#include "playlistwnd/playlist_frame_accessible.h"
#include "app/termination_watcher.h"
#include "platform/tray_icon.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

// Hands the checked requests of a second start to the main window.
class CMainFrameInstanceHandler final : public CInstanceHandler {
public:
    explicit CMainFrameInstanceHandler(CMainFrame& frame) : m_frame(frame) {}
    std::uint32_t OnInstanceQuery() override { return m_frame.OnInstanceQuery(); }
    void OnCopyData(std::uint32_t code, const QString& path) override { m_frame.OnCopyData(code, path); }

private:
    CMainFrame& m_frame;
};

namespace {

// GStreamer starts (and may scan its plug-ins) only when the first clip is
// opened, so that the windows and the instance channel come up at once.
class CDeferredGraphFactory final : public CMediaGraphFactory {
public:
    std::unique_ptr<CMediaGraph> CreateGraph() override { return Factory().CreateGraph(); }
    QString GetErrorText(HRESULT hr) override { return Factory().GetErrorText(hr); }

private:
    CMediaGraphFactory& Factory()
    {
        if (!m_pFactory)
            m_pFactory = std::make_unique<CGstGraphFactory>();
        return *m_pFactory;
    }

    std::unique_ptr<CMediaGraphFactory> m_pFactory;
};

QStringList ArgumentsAfterProgramName(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << DecodePath(QByteArray(argv[i]));
    return arguments;
}

}  // namespace

CPlayerApp::CPlayerApp(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

CPlayerApp::~CPlayerApp() = default;

bool CPlayerApp::InitInstance()
{
    m_commandLine = CPlayerCommandLine::Parse(
        ArgumentsWithoutQtOptions(ArgumentsAfterProgramName(m_argc, m_argv)));
    const CInstanceLock::Result lock = m_lock.Acquire(InstanceLockPath());
    if (lock == CInstanceLock::Result::HeldByAnother) {
        m_bHandedOver = ForwardToFirstInstance();
        return false;
    }
    // Something else where the lock or the socket belongs would leave a
    // player that no second start can find: end before anything is shown.
    const QString foreign = lock == CInstanceLock::Result::NotOurs ? InstanceLockPath()
                            : !InstanceSocketPath().isEmpty() &&
                                    !CInstanceServer::MayListenAt(InstanceSocketPath())
                                ? InstanceSocketPath()
                                : QString();
    if (!foreign.isEmpty()) {
        std::fprintf(stderr, "Velmora: %s is not the player's own; remove it and start the player again.\n",
                     qPrintable(DisplayPath(foreign)));
        return false;
    }

    m_pApplication = std::make_unique<QApplication>(m_argc, m_argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Olvistra"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    // Hidden windows must not end the program; the main window's
    // destruction does.
    QApplication::setQuitOnLastWindowClosed(false);
    // Screen readers see the controls the skin draws.
    QAccessible::installFactory(MainFrameAccessibleFactory);
    QAccessible::installFactory(PlaylistFrameAccessibleFactory);

    m_pSettings = std::make_unique<CPlayerSettings>();
    m_context.settings = m_pSettings.get();
    m_pSettings->Load();

    m_pOwner = std::make_unique<CParentWnd>(m_context);
    m_context.owner = m_pOwner.get();

    m_pMainFrame = std::make_unique<CMainFrame>(m_context);
    m_context.mainFrame = m_pMainFrame.get();
    connect(m_pMainFrame.get(), &CMainFrame::windowDestroyed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_pInstanceHandler = std::make_unique<CMainFrameInstanceHandler>(*m_pMainFrame);
    if (m_lock.IsHeld()) {
        m_pInstanceServer = std::make_unique<CInstanceServer>(*m_pInstanceHandler);
        m_pInstanceServer->Listen(InstanceSocketPath());
    }
    m_pTerminationWatcher = std::make_unique<CTerminationWatcher>();
    connect(m_pTerminationWatcher.get(), &CTerminationWatcher::terminationRequested, m_pMainFrame.get(),
            &CMainFrame::ExitAction);

    m_pPlaylist = std::make_unique<CPlaylist>();
    m_context.playlist = m_pPlaylist.get();

    m_pPlaylistFrame = std::make_unique<CPlaylistFrame>(*m_pPlaylist, *m_pSettings, m_pMainFrame.get());
    m_context.playlistFrame = m_pPlaylistFrame.get();
    m_pMainFrame->AttachPlaylistWindow(m_pPlaylistFrame.get());

    m_pTray = std::make_unique<CTrayIcon>();
    m_context.tray = m_pTray.get();
    m_pTray->Add(m_pMainFrame.get());
    connect(m_pTray.get(), &CTrayIcon::activated, m_pMainFrame.get(), &CMainFrame::OnTrayActivated);

    m_pGraphFactory = std::make_unique<CDeferredGraphFactory>();
    m_pDisplayPower = std::make_unique<CDesktopDisplayPower>();
    m_pEngine = std::make_unique<CMediaEngine>(*m_pMainFrame, *m_pPlaylist, *m_pSettings, *m_pGraphFactory,
                                               *m_pDisplayPower);
    m_context.engine = m_pEngine.get();
    m_pEngine->SetTrayIcon(m_pTray.get());
    m_pPlaylist->SetCloseMedia([engine = m_pEngine.get()] { engine->Close(); });

    ApplyRestoredSettings();
    ShowWindows();

    // Desktop media controls; without a session bus the player simply has none.
    m_pMpris = std::make_unique<CMprisService>(*m_pMainFrame, m_context);
    m_pMpris->Register(QDBusConnection::sessionBus());

    if (m_commandLine.IsFileOpen())
        m_context.mainFrame->OnCopyData(COPYDATA_OPEN_FILE, AbsolutePath(m_commandLine.m_strFileName));
    else
        m_context.playlist->LoadList(false, m_context.mainFrame);
    return true;
}

bool CPlayerApp::ForwardToFirstInstance() const
{
    CopyDataRecord record{COPYDATA_ACTIVATE, {}};
    // The running instance has its own working folder: send the full path.
    if (m_commandLine.IsFileOpen())
        record = MakeOpenFileRecord(AbsolutePath(m_commandLine.m_strFileName));
    if (ForwardToRunningInstance(InstanceSocketPath(), record))
        return true;
    std::fprintf(stderr, "Velmora: the running player did not answer; %s\n",
                 m_commandLine.IsFileOpen() ? "the file was not handed over." : "it was not shown.");
    return false;
}

void CPlayerApp::ApplyRestoredSettings()
{
    CPlayerSettings& settings = *m_context.settings;
    CMediaEngine& engine = *m_context.engine;
    if (settings.Mute)
        engine.SetMutedFlag();
    engine.SetVolume(settings.Volume);
    if (settings.Repeat)
        engine.ToggleRepeat();
    // A settings file may give any size: fit both windows to the screens
    // before they allocate anything for it.
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    settings.m_rcMain = settings.m_rcMain.FittedInto(areas);
    settings.m_rcPlaylist = settings.m_rcPlaylist.FittedInto(areas);
    const CWindowRect& main = settings.m_rcMain;
    m_context.owner->setGeometry(main.left, main.top, main.Width(), 1);
    m_context.mainFrame->setGeometry(main.ToQRect());
    m_context.playlistFrame->setGeometry(settings.m_rcPlaylist.ToQRect());
    if (settings.TopMost) {
        m_context.owner->move(0, 0);
        m_context.owner->SetTopMost(true);
    }
    settings.ApplyLanguage();
}

void CPlayerApp::ShowWindows()
{
    if (!m_commandLine.m_bShowAtStart || m_context.settings->StartMinimizeToTray)
        return;
    if (m_context.settings->PLShow)
        m_context.playlistFrame->show();
    m_context.owner->show();
    m_context.mainFrame->show();
}

int CPlayerApp::Run() { return QApplication::exec(); }

namespace {

// Deletes an owned object and clears the windows' view of it.
template <class T>
void Destroy(std::unique_ptr<T>& owner, T*& view)
{
    view = nullptr;
    owner.reset();
}

}  // namespace

int CPlayerApp::ExitInstance()
{
    m_pMpris.reset();
    m_pInstanceServer.reset();
    m_pTerminationWatcher.reset();
    // Deleting the settings writes them.
    Destroy(m_pSettings, m_context.settings);
    if (m_pPlaylist)
        m_pPlaylist->SetCloseMedia({});
    Destroy(m_pEngine, m_context.engine);
    Destroy(m_pMainFrame, m_context.mainFrame);
    if (m_pTray)
        m_pTray->Remove();
    Destroy(m_pTray, m_context.tray);
    Destroy(m_pPlaylistFrame, m_context.playlistFrame);
    Destroy(m_pPlaylist, m_context.playlist);
    Destroy(m_pOwner, m_context.owner);
    return 0;
}
