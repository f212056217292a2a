#pragma once

#include "main_frame.h"

#include <QObject>
#include <QPointer>

// Draws the current skin's frame on the playlist window and gives the window
// the skin's shape and minimum size. The list rows themselves are the
// playlist window's own.
class CPlaylistSkinPainter : public QObject {
public:
    // Installed on `playlistWindow` as its event filter and owned by it.
    CPlaylistSkinPainter(CMainFrame& mainFrame, QWidget* playlistWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The main window may go first at exit.
    QPointer<CMainFrame> m_pMainFrame;
    QWidget* m_pWindow;
};
