// SPDX-License-Identifier: GPL-3.0-or-later
// The GStreamer graph on real clips, with fake sinks that keep real time.
#include "engine/graph/gst_graph.h"
#include "platform/path_codec.h"
#include "test_clips.h"

#include <temp_home.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <filesystem>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>
#include <QObject>

namespace {

constexpr int kNotifyType = QEvent::User + 2;

class CEventCounter : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == kNotifyType) {
            ++m_nPosted;
            return true;
        }
        return QObject::event(e);
    }
    int m_nPosted = 0;
};

CGstGraphOptions FakeSinks()
{
    CGstGraphOptions options;
    options.audioSink = QStringLiteral("fakeaudiosink");
    return options;
}

class EngineGstGraphTest : public ::testing::Test {
protected:
    CGstGraphFactory m_factory{FakeSinks()};
    std::unique_ptr<CMediaGraph> m_graph;

    void Render(TestClip clip)
    {
        m_graph = m_factory.CreateGraph();
        ASSERT_NE(m_graph, nullptr);
        EXPECT_EQ(m_graph->RenderFile(TestClipPath(clip)), S_OK);
    }
    CGstGraph& Gst() { return static_cast<CGstGraph&>(*m_graph); }

    // Pumps events until the graph has an event or the time is up; the
    // elapsed milliseconds, or -1 on time out.
    qint64 WaitForEvent(long* code, int limitMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < limitMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (const std::optional<CGraphEvent> event = m_graph->TakeEvent()) {
                *code = event->code;
                return timer.elapsed();
            }
        }
        return -1;
    }
};

TEST_F(EngineGstGraphTest, AudioClipHasDurationAndVolumeButNoVideo)
{
    Render(TestClip::Wav3s);
    LONGLONG duration = 0;
    ASSERT_EQ(m_graph->GetDuration(&duration), S_OK);
    EXPECT_NEAR(double(duration) / kUnitsPerSecond, 3.0, 0.05);

    long width = 0, height = 0, volume = 1;
    bool visible = false;
    EXPECT_EQ(m_graph->GetVideoSize(&width, &height), E_NOINTERFACE);
    EXPECT_EQ(m_graph->GetVideoVisible(&visible), E_NOINTERFACE);
    EXPECT_EQ(m_graph->GetVolume(&volume), S_OK);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(m_graph->SetVolume(-10000), S_OK);
    EXPECT_EQ(m_graph->SetVolume(-10001), E_INVALIDARG);

    std::uint32_t caps = 0;
    ASSERT_EQ(m_graph->GetCapabilities(&caps), S_OK);
    EXPECT_TRUE(caps & AM_SEEKING_CanSeekAbsolute);
}

TEST_F(EngineGstGraphTest, VideoClipsReportTheirSizeAndStreams)
{
    Render(TestClip::MkvH264Vorbis);
    long width = 0, height = 0, volume = 1;
    ASSERT_EQ(m_graph->GetVideoSize(&width, &height), S_OK);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_EQ(m_graph->GetVolume(&volume), S_OK);

    const std::unique_ptr<CMediaGraph> silent = m_factory.CreateGraph();
    ASSERT_NE(silent, nullptr);
    ASSERT_EQ(silent->RenderFile(TestClipPath(TestClip::VideoOnly)), S_OK);
    EXPECT_EQ(silent->GetVolume(&volume), E_NOTIMPL);
    EXPECT_EQ(silent->SetVolume(-500), E_NOTIMPL);
}

TEST_F(EngineGstGraphTest, BrokenAndMissingFilesFailWithATextAndCanBeRetried)
{
    m_graph = m_factory.CreateGraph();
    ASSERT_NE(m_graph, nullptr);
    const HRESULT text = m_graph->RenderFile(TestClipPath(TestClip::TextAsMp3));
    EXPECT_TRUE(FAILED(text));
    EXPECT_FALSE(m_factory.GetErrorText(text).isEmpty());

    const HRESULT missing = m_graph->RenderFile(MissingClipPath());
    EXPECT_EQ(missing, VFW_E_NOT_FOUND);
    EXPECT_FALSE(m_factory.GetErrorText(missing).isEmpty());

    // The same graph still opens a good file afterwards.
    EXPECT_EQ(m_graph->RenderFile(TestClipPath(TestClip::Wav1s)), S_OK);
}

TEST_F(EngineGstGraphTest, OnlyRegularFilesReachGStreamerAndAnyNameBytesPlay)
{
    // A FIFO would block the open until a writer came and a device would be
    // read without end: both are refused at once, with a text.
    const QByteArray dir = EncodePath(testsupport::MakeScratchDir(QStringLiteral("special")));
    ASSERT_EQ(mkfifo(dir + "/x.mp3", 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", dir + "/x.mpg"), 0);
    ASSERT_EQ(mkdir(dir + "/x.avi", 0700), 0);
    m_graph = m_factory.CreateGraph();
    ASSERT_NE(m_graph, nullptr);
    QElapsedTimer timer;
    timer.start();
    for (const char* name : {"/x.mp3", "/x.mpg", "/x.avi"}) {
        const HRESULT hr = m_graph->RenderFile(DecodePath(dir + name));
        EXPECT_TRUE(FAILED(hr)) << name;
        EXPECT_FALSE(m_factory.GetErrorText(hr).isEmpty()) << name;
    }
    EXPECT_LT(timer.elapsed(), 2000);

    // A clip whose name is not UTF-8 is opened by its own bytes.
    const QByteArray latin1 = dir + "/caf\xE9.wav";
    std::filesystem::copy_file(EncodePath(TestClipPath(TestClip::Wav1s)).toStdString(), latin1.toStdString());
    EXPECT_EQ(m_graph->RenderFile(DecodePath(latin1)), S_OK);
}

TEST_F(EngineGstGraphTest, AGraphLeavesNothingBehindWhenItGoes)
{
    // Each pipeline has sockets of its own; a graph that left its pipeline
    // alive would leave them open, clip after clip.
    const auto openDescriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    const auto playOnce = [this] {
        std::unique_ptr<CMediaGraph> graph = m_factory.CreateGraph();
        ASSERT_EQ(graph->RenderFile(TestClipPath(TestClip::MkvH264Vorbis)), S_OK);
        EXPECT_EQ(graph->Run(), S_OK);
        QThread::msleep(100);
    };
    playOnce();
    const qsizetype before = openDescriptors();
    for (int i = 0; i < 5; ++i)
        playOnce();
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(EngineGstGraphTest, EndOfStreamIsQueuedAndAnnouncedOnce)
{
    Render(TestClip::Wav1s);
    CEventCounter target;
    m_graph->SetNotifyTarget(&target, kNotifyType);
    ASSERT_EQ(m_graph->Run(), S_OK);
    long code = 0;
    const qint64 elapsed = WaitForEvent(&code, 5000);
    ASSERT_GE(elapsed, 0);
    EXPECT_EQ(code, EC_COMPLETE);
    QCoreApplication::sendPostedEvents();  // the announcement may trail the event itself
    EXPECT_EQ(target.m_nPosted, 1);
    EXPECT_GT(elapsed, 700);  // the fake sinks keep real time
}

TEST_F(EngineGstGraphTest, RateTwoHalvesThePlayingTimeAndBadRatesChangeNothing)
{
    Render(TestClip::Wav3s);
    EXPECT_EQ(m_graph->SetRate(0.0), E_INVALIDARG);
    EXPECT_EQ(m_graph->SetRate(-1.0), E_INVALIDARG);
    double rate = 0;
    ASSERT_EQ(m_graph->GetRate(&rate), S_OK);
    EXPECT_EQ(rate, 1.0);

    ASSERT_EQ(m_graph->SetRate(2.0), S_OK);
    ASSERT_EQ(m_graph->Run(), S_OK);
    long code = 0;
    const qint64 elapsed = WaitForEvent(&code, 6000);
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_NEAR(double(elapsed), 1500.0, 450.0);
}

TEST_F(EngineGstGraphTest, SeeksWhilePausedLandOnTheTarget)
{
    Render(TestClip::Wav3s);
    ASSERT_EQ(m_graph->Pause(), S_OK);
    ASSERT_EQ(m_graph->SetPosition(15'000'000), S_OK);  // 1.5 s
    LONGLONG position = 0;
    ASSERT_EQ(m_graph->GetCurrentPosition(&position), S_OK);
    EXPECT_NEAR(double(position) / kUnitsPerSecond, 1.5, 0.1);
}

class CInputRecorder : public QObject {
public:
    bool event(QEvent* e) override
    {
        m_types << e->type();
        return true;
    }
    QList<QEvent::Type> m_types;
};

TEST_F(EngineGstGraphTest, VideoSurfaceFollowsOwnerPositionAndFullScreen)
{
    Render(TestClip::VideoOnly);
    QWidget owner;
    ASSERT_EQ(m_graph->SetVideoOwner(&owner), S_OK);
    ASSERT_EQ(m_graph->SetVideoPosition(QRect(10, 20, 160, 120)), S_OK);
    QWidget* surface = Gst().VideoSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->parentWidget(), &owner);
    EXPECT_EQ(surface->geometry(), QRect(10, 20, 160, 120));

    CInputRecorder drain;
    ASSERT_EQ(m_graph->SetMessageDrain(&drain), S_OK);
    ASSERT_EQ(m_graph->SetFullScreen(true), S_OK);
    bool fullScreenMode = false;
    ASSERT_EQ(m_graph->GetFullScreen(&fullScreenMode), S_OK);
    EXPECT_TRUE(fullScreenMode);
    // The video is drawn in a surface of a full-screen window of its own.
    QWidget* fullScreenSurface = Gst().VideoSurface();
    ASSERT_NE(fullScreenSurface, surface);
    QWidget* fullScreen = fullScreenSurface->window();
    ASSERT_NE(fullScreen, &owner);
    EXPECT_TRUE(fullScreen->isFullScreen());
    EXPECT_FALSE(surface->isVisibleTo(&owner));

    // Input in full screen reaches the drain; closing the window is reported, not done.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(fullScreen, &key);
    EXPECT_EQ(drain.m_types, QList<QEvent::Type>{QEvent::KeyPress});
    fullScreen->close();
    EXPECT_TRUE(fullScreen->isVisible());
    const std::optional<CGraphEvent> event = m_graph->TakeEvent();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->code, EC_USERABORT);

    ASSERT_EQ(m_graph->SetFullScreen(false), S_OK);
    EXPECT_EQ(Gst().VideoSurface(), surface);
    EXPECT_TRUE(surface->isVisibleTo(&owner));
    EXPECT_EQ(surface->geometry(), QRect(10, 20, 160, 120));
    ASSERT_EQ(m_graph->SetVideoVisible(false), S_OK);
    EXPECT_FALSE(surface->isVisibleTo(&owner));
}

TEST_F(EngineGstGraphTest, AnOwnerThatGoesFirstStopsTheGraph)
{
    Render(TestClip::VideoOnly);
    auto owner = std::make_unique<QWidget>();
    ASSERT_EQ(m_graph->SetVideoOwner(owner.get()), S_OK);
    ASSERT_EQ(m_graph->Run(), S_OK);
    owner.reset();
    GstState state = GST_STATE_VOID_PENDING;
    gst_element_get_state(Gst().Pipeline(), &state, nullptr, 0);
    EXPECT_EQ(state, GST_STATE_NULL);
    EXPECT_EQ(Gst().VideoSurface(), nullptr);
}

}  // namespace
