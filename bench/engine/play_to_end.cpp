// SPDX-License-Identifier: GPL-3.0-or-later
// Plays one file to its end through CMediaEngine in a plain window, then
// exits: the player's share of the CPU time, without the skin around it.
#include "plain_window_host.h"
#include "engine/graph/gst_graph.h"
#include "engine/media_engine.h"
#include "settings/player_settings.h"
#include "playlist/playlist.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class CEndWatcher : public QObject {
public:
    explicit CEndWatcher(CMediaEngine*& engine) : m_engine(engine) {}
    bool event(QEvent* e) override
    {
        if (e->type() != WM_GRAPH_NOTIFY)
            return QObject::event(e);
        m_engine->HandleGraphEvents();
        if (!m_engine->IsPlaying())
            QCoreApplication::quit();
        return true;
    }

private:
    CMediaEngine*& m_engine;
};

}  // namespace

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
    // The window takes the video's own size, so the picture is drawn unscaled
    // as a bare playbin draws it.
    settings.AutoSizeWin = 1;
    CPlaylist playlist;
    playlist.AddFileByPath(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])));
    CGstGraphFactory factory;
    CUntouchedDisplayPower power;
    CPlainWindowHost host;
    CMediaEngine* engine = nullptr;
    CEndWatcher watcher(engine);
    host.m_pNotifyTarget = &watcher;
    CMediaEngine media(host, playlist, settings, factory, power);
    engine = &media;

    host.m_window.show();
    media.Open(0);
    if (!media.Play())
        return 1;
    const int result = app.exec();
    media.Close();
    return result;
}
