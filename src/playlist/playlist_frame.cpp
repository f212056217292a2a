#include "playlist_frame.h"

#include <QWindow>

CPlaylistFrame::CPlaylistFrame(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Velmora"));
    // Belongs to the main window without being its child widget, so the
    // two are deleted separately.
    mainWindow->winId();
    winId();
    windowHandle()->setTransientParent(mainWindow->windowHandle());
}
