#include "playlist_frame.h"

CPlaylistFrame::CPlaylistFrame(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Velmora"));
    setMinimumSize(1, 1);
}
