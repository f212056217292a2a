#include "parent_wnd.h"

#include "main_frame.h"
#include "player_context.h"

#include <QIcon>

#include "playlist_frame.h"
#include "tray_icon.h"

CParentWnd::CParentWnd(CPlayerContext& context) : QWidget(nullptr), m_context(context)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    setWindowTitle(QStringLiteral("Olvistra Velmora"));
    setWindowIcon(QIcon(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
}

void CParentWnd::ResetWindowPositions()
{
    show();
    move(100, 100);
    resize(403, 1);
    if (m_context.mainFrame) {
        m_context.mainFrame->showNormal();
        m_context.mainFrame->setGeometry(100, 100, 403, 280);
    }
    if (m_context.playlistFrame)
        m_context.playlistFrame->setGeometry(502, 100, 318, 100);
}
