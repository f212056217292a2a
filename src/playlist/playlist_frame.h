#pragma once

#include <QWidget>

// The playlist window: a frameless tool window that belongs to the main
// window and docks to it.
class CPlaylistFrame : public QWidget {
    Q_OBJECT
public:
    explicit CPlaylistFrame(QWidget* mainWindow);
};
