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
#include "preferences/check_list_box.h"
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
    QAccessible::installFactory(CheckListBoxAccessibleFactory);

    m_pSettings = std::make_unique<CPlayerSettings>();
    m_pSettings->Load();
    // The playlist is a plain model: it exists before the windows that show
    // it, so the context holds it (and the settings) by reference.
    m_pPlaylist = std::make_unique<CPlaylist>();
    m_pContext = std::make_unique<CPlayerContext>(*m_pSettings, *m_pPlaylist);
    CPlayerContext& context = *m_pContext;

    m_pOwner = std::make_unique<CParentWnd>(context);
    context.owner = m_pOwner.get();

    m_pMainFrame = std::make_unique<CMainFrame>(context);
    context.mainFrame = m_pMainFrame.get();
    connect(m_pMainFrame.get(), &CMainFrame::windowDestroyed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_pInstanceHandler = std::make_unique<CMainFrameInstanceHandler>(*m_pMainFrame);
    if (m_lock.IsHeld()) {
        m_pInstanceServer = std::make_unique<CInstanceServer>(*m_pInstanceHandler);
        m_pInstanceServer->Listen(InstanceSocketPath());
    }
    m_pTerminationWatcher = std::make_unique<CTerminationWatcher>();
    connect(m_pTerminationWatcher.get(), &CTerminationWatcher::terminationRequested, m_pMainFrame.get(),
            &CMainFrame::ExitAction);

    m_pPlaylistFrame = std::make_unique<CPlaylistFrame>(*m_pPlaylist, *m_pSettings, m_pMainFrame.get());
    context.playlistFrame = m_pPlaylistFrame.get();
    m_pMainFrame->AttachPlaylistWindow(m_pPlaylistFrame.get());

    m_pTray = std::make_unique<CTrayIcon>();
    context.tray = m_pTray.get();
    m_pTray->Add(m_pMainFrame.get());
    connect(m_pTray.get(), &CTrayIcon::activated, m_pMainFrame.get(), &CMainFrame::OnTrayActivated);

    m_pGraphFactory = std::make_unique<CDeferredGraphFactory>();
    m_pDisplayPower = std::make_unique<CDesktopDisplayPower>();
    m_pEngine = std::make_unique<CMediaEngine>(*m_pMainFrame, *m_pPlaylist, *m_pSettings, *m_pGraphFactory,
                                               *m_pDisplayPower);
    context.engine = m_pEngine.get();
    m_pEngine->SetTrayIcon(m_pTray.get());
    m_pPlaylist->SetCloseMedia([engine = m_pEngine.get()] { engine->Close(); });

    ApplyRestoredSettings();
    ShowWindows();

    // Desktop media controls; without a session bus the player simply has none.
    m_pMpris = std::make_unique<CMprisService>(*m_pMainFrame, context);
    m_pMpris->Register(QDBusConnection::sessionBus());

    if (m_commandLine.IsFileOpen())
        m_pMainFrame->OnCopyData(COPYDATA_OPEN_FILE, AbsolutePath(m_commandLine.m_strFileName));
    else
        m_pPlaylist->LoadList(false, m_pMainFrame.get());
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
    CPlayerSettings& settings = *m_pSettings;
    CMediaEngine& engine = *m_pEngine;
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
    m_pOwner->setGeometry(main.left, main.top, main.Width(), 1);
    m_pMainFrame->setGeometry(main.ToQRect());
    m_pPlaylistFrame->setGeometry(settings.m_rcPlaylist.ToQRect());
    if (settings.TopMost) {
        m_pOwner->move(0, 0);
        m_pOwner->SetTopMost(true);
    }
    settings.ApplyLanguage();
}

void CPlayerApp::ShowWindows()
{
    if (!m_commandLine.m_bShowAtStart || m_pSettings->StartMinimizeToTray)
        return;
    if (m_pSettings->PLShow)
        m_pPlaylistFrame->show();
    m_pOwner->show();
    m_pMainFrame->show();
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
    // The settings are written before anything goes; the object itself goes
    // last, as the windows read it until they are gone.
    m_pSettings->Save();
    m_pPlaylist->SetCloseMedia({});
    CPlayerContext& context = *m_pContext;
    Destroy(m_pEngine, context.engine);
    Destroy(m_pMainFrame, context.mainFrame);
    m_pTray->Remove();
    Destroy(m_pTray, context.tray);
    Destroy(m_pPlaylistFrame, context.playlistFrame);
    Destroy(m_pOwner, context.owner);
    m_pContext.reset();
    m_pPlaylist.reset();
    m_pSettings.reset();
    return 0;
}
