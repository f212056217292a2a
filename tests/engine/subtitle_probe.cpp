// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a clip through CMediaEngine in a black 640x360 window at (100, 80)
// of an X display (away from the corner where a sink's own window opens), with the subtitle file found beside it,
// and takes commands on its standard input, one a line, answering each on its standard output:
//   load <path>   shows a subtitle file ("loaded 1" or "loaded 0")
//   unload        removes it ("unloaded")
//   audio <n>     plays audio stream n ("audio n")
//   tone          the pitch reaching the audio sink ("tone <hertz>")
// Message boxes are answered at once and printed ("message <text>").
#include "engine/graph/gst_graph.h"
#include "engine/media_engine.h"
#include "plain_window_host.h"
#include "platform/prompt.h"
#include "playlist/playlist.h"
#include "settings/player_settings.h"
#include "metered_graph_factory.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

namespace {

void Say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class CPrintingPrompt : public CPrompt {
public:
    Answer MessageBox(QWidget*, const QString&, const QString& text, Icon, Buttons) override
    {
        Say(QStringLiteral("message ") + text);
        return Answer::Ok;
    }
    QStringList GetOpenFileNames(QWidget*, const QString&, const QString&, const QStringList&) override
    {
        return {};
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QStringList&, const QString&) override
    {
        return {};
    }
    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
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
    CPrintingPrompt prompt;
    CPrompt::Install(&prompt);
    CPlayerSettings settings(scratch.filePath(QStringLiteral("Velmora.ini")));
    settings.languageID = 1049;  // Russian: a file that is not UTF-8 is read as Windows-1251
    CPlaylist playlist;
    if (!playlist.AddFileByPath(QString::fromLocal8Bit(argv[1])))
        return 1;
    CMeteredFactory factory;
    CUntouchedDisplayPower power;
    CPlainWindowHost host;
    host.m_window.setGeometry(100, 80, 640, 360);
    host.m_window.show();
    CMediaEngine engine(host, playlist, settings, factory, power);
    engine.Open(0);
    if (!engine.Play())
        return 1;
    Say(QStringLiteral("playing"));

    const auto run = [&](const QString& command) {
        const QString word = command.section(u' ', 0, 0);
        const QString argument = command.section(u' ', 1);
        if (word == QLatin1String("load"))
            Say(QStringLiteral("loaded %1").arg(engine.LoadSubtitle(argument, false) ? 1 : 0));
        else if (word == QLatin1String("unload")) {
            engine.UnloadSubtitle();
            Say(QStringLiteral("unloaded"));
        } else if (word == QLatin1String("audio")) {
            engine.SelectTrack(StreamKind::Audio, argument.toInt());
            Say(QStringLiteral("audio %1").arg(engine.CurrentTrack(StreamKind::Audio)));
        } else if (word == QLatin1String("tone"))
            Say(QStringLiteral("tone %1").arg(factory.m_meter.Hertz()));
    };
    QSocketNotifier input(0, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t got = read(0, chunk, sizeof chunk);
        if (got <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
        }
        pending.append(chunk, got);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString command = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            run(command);
        }
    });
    return app.exec();
}
