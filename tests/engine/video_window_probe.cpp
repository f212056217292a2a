// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a clip through CMediaEngine in a black 640x360 window at the top
// left of an X display, printing "playing" once it runs. The Xvfb video test
// starts it and takes a screenshot.
#include "engine/graph/gst_graph.h"
#include "engine/media_engine.h"
#include "plain_window_host.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <media file>\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    UsePrivateHome(scratch.path());
    CPlayerSettings settings(scratch.filePath(QStringLiteral("Velmora.ini")));
    CPlaylist playlist;
    if (!playlist.AddFileByPath(QString::fromLocal8Bit(argv[1])))
        return 1;
    CGstGraphFactory factory;
    CUntouchedDisplayPower power;
    CPlainWindowHost host;
    host.m_window.setGeometry(0, 0, 640, 360);
    host.m_window.show();
    CMediaEngine engine(host, playlist, settings, factory, power);
    engine.Open(0);
    if (!engine.Play())
        return 1;
    std::printf("playing\n");
    std::fflush(stdout);
    return app.exec();
}
