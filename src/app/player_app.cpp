#include "player_app.h"

#include "desktop_display_power.h"
#include "gst_graph.h"
#include "instance_client.h"
#include "instance_server.h"
#include "localized_strings.h"
#include "main_frame.h"
#include "parent_wnd.h"
#include "media_engine.h"
#include "player_settings.h"
#include "playlist.h"
#include "playlist_frame.h"
#include "termination_watcher.h"
#include "tray_icon.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

// Hands the checked requests of a second start to the main window.
class CMainFrameInstanceHandler final : public CInstanceHandler {
public:
    explicit CMainFrameInstanceHandler(CMainFrame& frame) : m_frame(frame) {}
    std::uint32_t OnInstanceQuery() override { return m_frame.OnInstanceQuery(); }
    void OnCopyData(std::uint32_t code, const QString& path) override
    {
        m_frame.OnCopyData(code, path);
    }

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
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

CPlayerApp::CPlayerApp(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

CPlayerApp::~CPlayerApp() = default;

bool CPlayerApp::InitInstance()
{
    m_commandLine = CPlayerCommandLine::Parse(
        ArgumentsWithoutQtOptions(ArgumentsAfterProgramName(m_argc, m_argv)));
    if (m_lock.Acquire(InstanceLockPath()) == CInstanceLock::Result::HeldByAnother) {
        ForwardToFirstInstance();
        return false;
    }

    m_pApplication = std::make_unique<QApplication>(m_argc, m_argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Olvistra"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    // Hidden windows must not end the program; the main window's
    // destruction does.
    QApplication::setQuitOnLastWindowClosed(false);

    m_context.settings = new CPlayerSettings();
    m_context.settings->Load();

    m_context.owner = new CParentWnd(m_context);

    m_context.mainFrame = new CMainFrame(m_context);
    connect(m_context.mainFrame, &CMainFrame::windowDestroyed, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    m_pInstanceHandler = std::make_unique<CMainFrameInstanceHandler>(*m_context.mainFrame);
    if (m_lock.IsHeld()) {
        m_pInstanceServer = new CInstanceServer(*m_pInstanceHandler, this);
        m_pInstanceServer->Listen(InstanceSocketPath());
    }
    m_pTerminationWatcher = new CTerminationWatcher(this);
    connect(m_pTerminationWatcher, &CTerminationWatcher::terminationRequested,
            m_context.mainFrame, &CMainFrame::ExitAction);

    m_context.playlist = new CPlaylist();

    m_context.playlistFrame = new CPlaylistFrame(m_context.mainFrame);
    m_context.mainFrame->AttachPlaylistWindow(m_context.playlistFrame);

    m_context.tray = new CTrayIcon();
    m_context.tray->Add(m_context.mainFrame);
    connect(m_context.tray, &CTrayIcon::activated, m_context.mainFrame, &CMainFrame::OnTrayActivated);

    m_pGraphFactory = std::make_unique<CDeferredGraphFactory>();
    m_pDisplayPower = std::make_unique<CDesktopDisplayPower>();
    m_context.engine = new CMediaEngine(*m_context.mainFrame, *m_context.playlist, *m_context.settings,
                                        *m_pGraphFactory, *m_pDisplayPower);
    m_context.engine->SetTrayIcon(m_context.tray);
    m_context.playlist->SetCloseMedia([engine = m_context.engine] { engine->Close(); });

    ApplyRestoredSettings();
    ShowWindows();

    if (m_commandLine.IsFileOpen())
        m_context.mainFrame->OnCopyData(COPYDATA_OPEN_FILE,
                                        QFileInfo(m_commandLine.m_strFileName).absoluteFilePath());
    else
        m_context.playlist->LoadList(false, m_context.mainFrame);
    return true;
}

void CPlayerApp::ForwardToFirstInstance() const
{
    CopyDataRecord record{COPYDATA_ACTIVATE, {}};
    // The running instance has its own working folder: send the full path.
    if (m_commandLine.IsFileOpen())
        record = MakeOpenFileRecord(QFileInfo(m_commandLine.m_strFileName).absoluteFilePath());
    ForwardToRunningInstance(InstanceSocketPath(), record);
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

int CPlayerApp::ExitInstance()
{
    delete m_pInstanceServer;
    m_pInstanceServer = nullptr;
    delete m_pTerminationWatcher;
    m_pTerminationWatcher = nullptr;
    delete m_context.settings;
    m_context.settings = nullptr;
    if (m_context.playlist)
        m_context.playlist->SetCloseMedia({});
    delete m_context.engine;
    m_context.engine = nullptr;
    delete m_context.mainFrame;
    m_context.mainFrame = nullptr;
    if (m_context.tray)
        m_context.tray->Remove();
    delete m_context.tray;
    m_context.tray = nullptr;
    delete m_context.playlistFrame;
    m_context.playlistFrame = nullptr;
    delete m_context.playlist;
    m_context.playlist = nullptr;
    delete m_context.owner;
    m_context.owner = nullptr;
    return 0;
}
