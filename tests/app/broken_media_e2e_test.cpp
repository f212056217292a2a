// SPDX-License-Identifier: GPL-3.0-or-later
// Broken and hostile media on the real binary: truncated clips, empty and
// text files, a folder, a FIFO and a device named like clips, a file deleted
// while it plays. Each gives at most one error box, never holds the window
// longer than the open time limit, and the player opens the next clip.
#include "mainwnd/copy_data.h"
#include "app/instance_protocol.h"
#include "platform/path_codec.h"
#include "player_harness.h"
#include "playlist/playlist.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

// The engine's preroll limit, and what a busy machine may add to it.
constexpr int kOpenLimitMs = 10000;
constexpr int kSlackMs = 5000;

struct Case {
    QString name;
    QString path;
    int settleMs;  // how long a box may take to come after the open
};

class BrokenMediaTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!m_harness.DisplayReady())
            GTEST_SKIP() << "Xvfb is not available";
        qputenv("VELMORA_AUDIO_SINK", "fakeaudiosink");
    }

    QString Make(const QString& name, const QString& pipeline) const
    {
        const QString path = m_harness.Folder() + u'/' + name;
        QProcess gst;
        gst.start(QStringLiteral("gst-launch-1.0"),
                  QProcess::splitCommand(QStringLiteral("-q ") + pipeline.arg(path)));
        return gst.waitForFinished(60000) && gst.exitCode() == 0 ? path : QString();
    }

    QString Wav(const QString& name, int tenths) const
    {
        return Make(name, QStringLiteral("audiotestsrc num-buffers=%1 samplesperbuffer=4410 ! "
                                         "audio/x-raw,rate=44100,channels=1 ! wavenc ! filesink location=%2")
                              .arg(tenths)
                              .arg(QStringLiteral("%1")));
    }

    // Asks the running player the query and a harmless request; the time
    // until it answers is how long its window was held.
    qint64 WaitUntilAnswering() const
    {
        const QByteArray request = EncodeRecordHeader(kInstanceQueryMessage, 0) +
                                   EncodeRecord({COPYDATA_ACTIVATE, {}});
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kOpenLimitMs + 2 * kSlackMs) {
            if (!ExchangeRaw(m_harness.SocketPath(), request, 1000).isEmpty())
                return clock.elapsed();
        }
        return -1;
    }

    void Open(const QString& path) const
    {
        const QByteArray reply = ExchangeRaw(
            m_harness.SocketPath(),
            EncodeRecordHeader(kInstanceQueryMessage, 0) + EncodeRecord(MakeOpenFileRecord(path)), 5000);
        EXPECT_EQ(reply.size(), 8) << path.toStdString();
    }

    // Closes every error box on screen; how many had not been seen before
    // (a box may outlive the key that closes it by a moment).
    int CloseErrorBoxes()
    {
        const QString found = m_harness.Xvfb().Run(
            QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), QStringLiteral("^Velmora Message$")});
        int added = 0;
        for (const QString& box : found.split(u'\n', Qt::SkipEmptyParts)) {
            if (!m_seenBoxes.contains(box)) {
                m_seenBoxes.insert(box);
                ++added;
            }
            m_harness.Xvfb().Run(QStringLiteral("xdotool"),
                                 {QStringLiteral("windowfocus"), QStringLiteral("--sync"), box});
            m_harness.Xvfb().Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--window"),
                                                             box, QStringLiteral("Return")});
        }
        return added;
    }

    // Boxes that come up within `ms`, closed as they come.
    int CountBoxesFor(int ms)
    {
        int boxes = 0;
        QDeadlineTimer deadline(ms);
        do {
            boxes += CloseErrorBoxes();
            QThread::msleep(200);
        } while (!deadline.hasExpired());
        return boxes + CloseErrorBoxes();
    }

    QByteArray SavedPlaylist(QProcess& player) const
    {
        player.terminate();
        EXPECT_TRUE(player.waitForFinished(15000));
        QFile file(m_harness.DefaultPlaylistPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray Utf16(const QString& text)
    {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }

    PlayerHarness m_harness{QStringLiteral("broken-media")};
    QSet<QString> m_seenBoxes;
};

void Truncate(const QString& source, const QString& target, int percent)
{
    QFile in(source);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(target);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * percent / 100));
}

TEST_F(BrokenMediaTest, EachBadFileGivesAtMostOneBoxAndThePlayerGoesOn)
{
    const QString video = QStringLiteral(
        "videotestsrc num-buffers=40 ! video/x-raw,width=160,height=120,framerate=20/1 ! ");
    const QString audio = QStringLiteral("audiotestsrc num-buffers=40 samplesperbuffer=2205 ! audioconvert ! ");
    const QStringList whole = {
        Make(QStringLiteral("whole.mkv"),
             video + QStringLiteral("x264enc ! matroskamux name=m ! filesink location=%1 ") + audio +
                 QStringLiteral("vorbisenc ! m.")),
        Make(QStringLiteral("whole.mp4"), video + QStringLiteral("x264enc ! mp4mux ! filesink location=%1")),
        Make(QStringLiteral("whole.avi"), video +
                                              QStringLiteral("jpegenc ! avimux name=m ! filesink location=%1 ") +
                                              audio + QStringLiteral("m.")),
        Make(QStringLiteral("whole.mp3"), audio + QStringLiteral("lamemp3enc ! filesink location=%1")),
    };
    for (const QString& clip : whole)
        ASSERT_FALSE(clip.isEmpty()) << "gst-launch-1.0 could not make a clip";

    const QString dir = m_harness.Folder();
    std::vector<Case> cases;
    for (const QString& clip : whole) {
        for (int percent : {10, 50, 90}) {
            const QString cut = dir + QStringLiteral("/cut%1-").arg(percent) + QFileInfo(clip).fileName();
            Truncate(clip, cut, percent);
            cases.push_back({QFileInfo(cut).fileName(), cut, 3000});
        }
    }
    const QByteArray raw = EncodePath(dir);
    QFile(dir + QStringLiteral("/empty.mkv")).open(QIODevice::WriteOnly);
    mkdir(raw + "/x.avi", 0700);
    mkfifo(raw + "/x.mp3", 0600);
    symlink("/dev/zero", raw + "/x.mpg");
    const QString unreadable = Wav(QStringLiteral("unreadable.wav"), 10);
    chmod(EncodePath(unreadable).constData(), 0);
    QFile text(dir + QStringLiteral("/x.wmv"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("This is a text file, not a clip.\n").repeated(50));
    text.close();
    for (const char* name : {"empty.mkv", "x.avi", "x.mp3", "x.mpg", "x.wmv"})
        cases.push_back({QString::fromLatin1(name), dir + u'/' + QString::fromLatin1(name), 1500});
    cases.push_back({QStringLiteral("unreadable.wav"), unreadable, 1500});

    // The clip that is deleted while it plays, and the last clip, whose name
    // is not UTF-8 and which must play after all the others.
    const QString deleted = Wav(QStringLiteral("deleted.wav"), 30);
    const QByteArray latin1 = raw + "/caf\xE9.wav";
    std::filesystem::copy_file(EncodePath(Wav(QStringLiteral("last.wav"), 20)).toStdString(),
                               latin1.toStdString());
    const QString last = DecodePath(latin1);

    QProcess& player = m_harness.Start({QStringLiteral("-background")});
    ASSERT_TRUE(m_harness.WaitUntilListening());

    for (const Case& item : cases) {
        Open(item.path);
        const qint64 held = WaitUntilAnswering();
        EXPECT_GE(held, 0) << item.name.toStdString() << ": the player stopped answering";
        EXPECT_LT(held, kOpenLimitMs + kSlackMs) << item.name.toStdString();
        EXPECT_LE(CountBoxesFor(item.settleMs), 1) << item.name.toStdString();
        ASSERT_EQ(player.state(), QProcess::Running) << item.name.toStdString();
    }

    Open(deleted);
    EXPECT_GE(WaitUntilAnswering(), 0);
    QFile::remove(deleted);
    EXPECT_LE(CountBoxesFor(3500), 1) << "deleted while it plays";

    Open(last);
    EXPECT_GE(WaitUntilAnswering(), 0);
    EXPECT_EQ(CountBoxesFor(500), 0) << "the clip after the broken ones";
    // The row was opened (it has its length) under its own bytes.
    const QByteArray saved = SavedPlaylist(player);
    EXPECT_TRUE(saved.contains(Utf16(last))) << "the path kept its escaped byte";
    EXPECT_TRUE(saved.contains(Utf16(QStringLiteral("00:02"))));
}

TEST_F(BrokenMediaTest, EndOfClipPassesOverBrokenRowsToThePlayableOne)
{
    const QString first = Wav(QStringLiteral("first.wav"), 10);
    const QString after = Wav(QStringLiteral("after.wav"), 20);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(after.isEmpty());
    const QString dir = m_harness.Folder();
    QFile(dir + QStringLiteral("/empty.mp3")).open(QIODevice::WriteOnly);
    mkfifo(EncodePath(dir + QStringLiteral("/pipe.mp3")).constData(), 0600);

    CPlaylist list;
    list.AddFileByPath(first);
    list.AddFileByPath(dir + QStringLiteral("/empty.mp3"));
    list.AddFileByPath(dir + QStringLiteral("/pipe.mp3"));
    list.AddFileByPath(after);
    ASSERT_EQ(list.GetCount(), 4);
    QDir().mkpath(QFileInfo(m_harness.DefaultPlaylistPath()).path());
    ASSERT_TRUE(list.SaveToFile(m_harness.DefaultPlaylistPath()));

    QProcess& player = m_harness.Start({});
    ASSERT_TRUE(m_harness.WaitForMainWindowVisible(true, 15000));
    const QString window = m_harness.Xvfb()
                               .Run(QStringLiteral("xdotool"),
                                    {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--name"), QStringLiteral("^Velmora$")})
                               .section(u'\n', 0, 0)
                               .trimmed();
    m_harness.Xvfb().Run(QStringLiteral("xdotool"),
                         {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    m_harness.Xvfb().Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("p")});

    // One second of the first row, a box for each broken row, then the last.
    EXPECT_EQ(CountBoxesFor(6000), 2);
    EXPECT_EQ(player.state(), QProcess::Running);
    const QByteArray saved = SavedPlaylist(player);
    EXPECT_TRUE(saved.contains(Utf16(QStringLiteral("00:02")))) << "the last row was opened";
}

}  // namespace
