#include "main_frame.h"

#include "copy_data.h"
#include "parent_wnd.h"
#include "player_context.h"
#include "player_settings.h"
#include "playlist_frame.h"
#include "tray_icon.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>

CMainFrame::CMainFrame(CPlayerContext& context)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_context(context)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(QIcon(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame() = default;

std::uint32_t CMainFrame::OnInstanceQuery() const { return kInstanceQueryMessage; }

void CMainFrame::OnCopyData(std::uint32_t code, const QString& path)
{
    switch (code) {
    case COPYDATA_OPEN_FILE:
        m_strOpenPath = path.left(MAX_PATH_CHARS - 1);
        QCoreApplication::postEvent(this, new QEvent(WM_OPEN_PENDING));
        break;
    case COPYDATA_CLOSE:
        // Ends the program without storing the state of the run.
        QMetaObject::invokeMethod(this, &CMainFrame::DestroyWindow, Qt::QueuedConnection);
        break;
    case COPYDATA_ACTIVATE:
        showNormal();
        raise();
        activateWindow();
        setFocus();
        break;
    default:
        break;
    }
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == WM_OPEN_PENDING) {
        OnOpenPending();
        return true;
    }
    return QWidget::event(event);
}

void CMainFrame::OnOpenPending() {}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!m_bDestroyed)
        ExitAction();
}

void CMainFrame::StoreWindowPlacement()
{
    if (isMaximized())
        showNormal();
    m_context.settings->m_rcMain = CWindowRect::FromQRect(normalGeometry());
}

void CMainFrame::ExitAction()
{
    StoreWindowPlacement();
    DestroyWindow();
}

void CMainFrame::DestroyWindow()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    if (m_context.playlistFrame)
        m_context.playlistFrame->hide();
    if (m_context.owner)
        m_context.owner->hide();
    hide();
    emit windowDestroyed();
}
