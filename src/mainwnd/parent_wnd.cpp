// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/parent_wnd.h"

#include "mainwnd/context_menu.h"
#include "settings/localized_strings.h"
#include "mainwnd/main_frame.h"
#include "mainwnd/menu_presenter.h"
#include "mainwnd/player_context.h"
#include "playlistwnd/playlist_frame.h"
#include "platform/tray_icon.h"
#include "mainwnd/window_topmost.h"

#include <QIcon>

namespace {

CMenuItem MenuCommand(int id, const QString& text)
{
    CMenuItem item;
    item.id = id;
    item.text = text;
    return item;
}

}  // namespace

CParentWnd::CParentWnd(CPlayerContext& context) : QWidget(nullptr), m_context(context)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    setWindowTitle(QStringLiteral("Olvistra Velmora"));
    setWindowIcon(QIcon(CTrayIcon::IconResourcePath(IDI_APPLICATION_ICON)));
}

void CParentWnd::ResetWindowPositions()
{
    show();
    setGeometry(100, 100, 403, 1);
    CMainFrame& main = *m_context.mainFrame;
    if (main.isMinimized() || main.isMaximized())
        main.showNormal();
    main.setGeometry(100, 100, 403, 280);
    main.show();
    m_context.playlistFrame->setGeometry(502, 100, 318, 100);
}

void CParentWnd::ShowSystemMenu(const QPoint& globalPos)
{
    CMenuItem menu;
    menu.kind = CMenuItem::Kind::Popup;
    const bool minimized = m_context.mainFrame->isMinimized();
    CMenuItem restore = MenuCommand(SC_RESTORE, QStringLiteral("Restore"));
    restore.enabled = minimized;
    CMenuItem minimize = MenuCommand(SC_MINIMIZE, QStringLiteral("Minimize"));
    minimize.enabled = !minimized;
    menu.children = {restore, minimize};
    const QString reset = LoadLocalizedString(IDS_RESET_WINDOW_POSITION);
    if (!reset.isEmpty())
        menu.children.push_back(MenuCommand(SC_RESET_WINDOW_POSITION, reset));
    CMenuItem separator;
    separator.kind = CMenuItem::Kind::Separator;
    menu.children.push_back(separator);
    menu.children.push_back(MenuCommand(SC_CLOSE, QStringLiteral("Close")));
    if (const int chosen = CMenuPresenter::Get().Track(menu, globalPos, m_context.mainFrame))
        OnSysCommand(chosen);
}

void CParentWnd::OnSysCommand(int command)
{
    CMainFrame& main = *m_context.mainFrame;
    switch (command & ~0xF) {
    case SC_RESET_WINDOW_POSITION: ResetWindowPositions(); break;
    case SC_MINIMIZE: main.MinimizeGroup(); break;
    case SC_RESTORE:
        if (main.WasZoomed())
            main.showMaximized();
        else
            main.showNormal();
        break;
    case SC_CLOSE: main.ExitAction(); break;
    default: break;
    }
}

void CParentWnd::SetTopMost(bool topMost)
{
    SetStaysOnTop(m_context.mainFrame, topMost);
    SetStaysOnTop(m_context.playlistFrame, topMost);
}
