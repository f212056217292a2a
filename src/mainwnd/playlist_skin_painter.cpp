#include "playlist_skin_painter.h"

#include "skin.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

CPlaylistSkinPainter::CPlaylistSkinPainter(CMainFrame& mainFrame, QWidget* playlistWindow)
    : QObject(playlistWindow), m_pMainFrame(&mainFrame), m_pWindow(playlistWindow)
{
    m_pWindow->setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CPlaylistSkinPainter::eventFilter(QObject* watched, QEvent* event)
{
    CSkin* skin = m_pMainFrame ? m_pMainFrame->Skin() : nullptr;
    if (watched != m_pWindow || !skin)
        return false;
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(m_pWindow);
        painter.fillRect(m_pWindow->rect(), Qt::black);
        skin->PaintPlaylist(painter, 0, m_pWindow->rect());
        return true;
    }
    case QEvent::Resize:
    case QEvent::Show: {
        QRect minimum;
        skin->GetPlaylistMinRect(minimum);
        m_pWindow->setMinimumSize(minimum.size());
        skin->ApplyRegion(*m_pWindow);
        return false;
    }
    default:
        return false;
    }
}
