// The GStreamer graph on real clips, with fake sinks that keep real time.
#include "gst_graph.h"
#include "test_clips.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <memory>
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

struct GraphRef {
    IGraphBuilder* graph = nullptr;
    ~GraphRef()
    {
        if (graph)
            graph->Release();
    }
};

class EngineGstGraphTest : public ::testing::Test {
protected:
    CGstGraphFactory m_factory{FakeSinks()};
    GraphRef m_ref;

    IGraphBuilder* Render(TestClip clip)
    {
        EXPECT_EQ(m_factory.CreateGraph(&m_ref.graph), S_OK);
        EXPECT_EQ(m_ref.graph->RenderFile(TestClipPath(clip)), S_OK);
        return m_ref.graph;
    }

    template <class T>
    T* Get()
    {
        T* object = nullptr;
        EXPECT_EQ(m_ref.graph->Query(&object), S_OK);
        object->Release();  // the test's GraphRef keeps the graph alive
        return object;
    }

    // Pumps events until the graph has an event or the time is up; the
    // elapsed milliseconds, or -1 on time out.
    qint64 WaitForEvent(long* code, int limitMs)
    {
        QElapsedTimer timer;
        timer.start();
        std::intptr_t p1 = 0, p2 = 0;
        while (timer.elapsed() < limitMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (Get<IMediaEventEx>()->GetEvent(code, &p1, &p2, 0) == S_OK)
                return timer.elapsed();
        }
        return -1;
    }
};

TEST_F(EngineGstGraphTest, AudioClipHasDurationAndVolumeButNoVideo)
{
    Render(TestClip::Wav3s);
    LONGLONG duration = 0;
    ASSERT_EQ(Get<IMediaSeeking>()->GetDuration(&duration), S_OK);
    EXPECT_NEAR(double(duration) / kUnitsPerSecond, 3.0, 0.05);

    long width = 0, height = 0, visible = 0, volume = 1;
    EXPECT_EQ(Get<IBasicVideo>()->GetVideoSize(&width, &height), E_NOINTERFACE);
    EXPECT_EQ(Get<IVideoWindow>()->get_Visible(&visible), E_NOINTERFACE);
    EXPECT_EQ(Get<IBasicAudio>()->get_Volume(&volume), S_OK);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(Get<IBasicAudio>()->put_Volume(-10000), S_OK);
    EXPECT_EQ(Get<IBasicAudio>()->put_Volume(-10001), E_INVALIDARG);

    std::uint32_t caps = 0;
    ASSERT_EQ(Get<IMediaSeeking>()->GetCapabilities(&caps), S_OK);
    EXPECT_TRUE(caps & AM_SEEKING_CanSeekAbsolute);
}

TEST_F(EngineGstGraphTest, VideoClipsReportTheirSizeAndStreams)
{
    Render(TestClip::MkvH264Vorbis);
    long width = 0, height = 0, volume = 1;
    ASSERT_EQ(Get<IBasicVideo>()->GetVideoSize(&width, &height), S_OK);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_EQ(Get<IBasicAudio>()->get_Volume(&volume), S_OK);

    GraphRef silent;
    ASSERT_EQ(m_factory.CreateGraph(&silent.graph), S_OK);
    ASSERT_EQ(silent.graph->RenderFile(TestClipPath(TestClip::VideoOnly)), S_OK);
    IBasicAudio* audio = nullptr;
    ASSERT_EQ(silent.graph->Query(&audio), S_OK);
    EXPECT_EQ(audio->get_Volume(&volume), E_NOTIMPL);
    EXPECT_EQ(audio->put_Volume(-500), E_NOTIMPL);
    audio->Release();
}

TEST_F(EngineGstGraphTest, BrokenAndMissingFilesFailWithATextAndCanBeRetried)
{
    ASSERT_EQ(m_factory.CreateGraph(&m_ref.graph), S_OK);
    const HRESULT text = m_ref.graph->RenderFile(TestClipPath(TestClip::TextAsMp3));
    EXPECT_TRUE(FAILED(text));
    EXPECT_FALSE(m_factory.GetErrorText(text).isEmpty());

    const HRESULT missing = m_ref.graph->RenderFile(MissingClipPath());
    EXPECT_EQ(missing, VFW_E_NOT_FOUND);
    EXPECT_FALSE(m_factory.GetErrorText(missing).isEmpty());

    // The same graph still opens a good file afterwards.
    EXPECT_EQ(m_ref.graph->RenderFile(TestClipPath(TestClip::Wav1s)), S_OK);
}

TEST_F(EngineGstGraphTest, EndOfStreamIsQueuedAndAnnouncedOnce)
{
    Render(TestClip::Wav1s);
    CEventCounter target;
    ASSERT_EQ(Get<IMediaEventEx>()->SetNotifyWindow(&target, kNotifyType, 0), S_OK);
    ASSERT_EQ(Get<IMediaControl>()->Run(), S_OK);
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
    IMediaPosition* position = Get<IMediaPosition>();
    EXPECT_EQ(position->put_Rate(0.0), E_INVALIDARG);
    EXPECT_EQ(position->put_Rate(-1.0), E_INVALIDARG);
    double rate = 0;
    ASSERT_EQ(position->get_Rate(&rate), S_OK);
    EXPECT_EQ(rate, 1.0);

    ASSERT_EQ(position->put_Rate(2.0), S_OK);
    ASSERT_EQ(Get<IMediaControl>()->Run(), S_OK);
    long code = 0;
    const qint64 elapsed = WaitForEvent(&code, 6000);
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_NEAR(double(elapsed), 1500.0, 450.0);
}

TEST_F(EngineGstGraphTest, SeeksWhilePausedLandOnTheTarget)
{
    Render(TestClip::Wav3s);
    ASSERT_EQ(Get<IMediaControl>()->Pause(), S_OK);
    LONGLONG target = 15'000'000;  // 1.5 s
    ASSERT_EQ(Get<IMediaSeeking>()->SetPositions(&target, AM_SEEKING_AbsolutePositioning, nullptr,
                                                 AM_SEEKING_NoPositioning),
              S_OK);
    LONGLONG position = 0;
    ASSERT_EQ(Get<IMediaSeeking>()->GetCurrentPosition(&position), S_OK);
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
    IVideoWindow* window = Get<IVideoWindow>();
    QWidget owner;
    ASSERT_EQ(window->put_Owner(&owner), S_OK);
    ASSERT_EQ(window->SetWindowPosition(10, 20, 160, 120), S_OK);
    QWidget* surface = static_cast<CGstGraph*>(m_ref.graph)->VideoSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->parentWidget(), &owner);
    EXPECT_EQ(surface->geometry(), QRect(10, 20, 160, 120));

    CInputRecorder drain;
    ASSERT_EQ(window->put_MessageDrain(&drain), S_OK);
    ASSERT_EQ(window->put_FullScreenMode(OATRUE), S_OK);
    long mode = OAFALSE;
    ASSERT_EQ(window->get_FullScreenMode(&mode), S_OK);
    EXPECT_EQ(mode, OATRUE);
    // The video is drawn in a surface of a full-screen window of its own.
    QWidget* fullScreenSurface = static_cast<CGstGraph*>(m_ref.graph)->VideoSurface();
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
    long code = 0;
    std::intptr_t p1 = 0, p2 = 0;
    ASSERT_EQ(Get<IMediaEventEx>()->GetEvent(&code, &p1, &p2, 0), S_OK);
    EXPECT_EQ(code, EC_USERABORT);

    ASSERT_EQ(window->put_FullScreenMode(OAFALSE), S_OK);
    EXPECT_EQ(static_cast<CGstGraph*>(m_ref.graph)->VideoSurface(), surface);
    EXPECT_TRUE(surface->isVisibleTo(&owner));
    EXPECT_EQ(surface->geometry(), QRect(10, 20, 160, 120));
    ASSERT_EQ(window->put_Visible(OAFALSE), S_OK);
    EXPECT_FALSE(surface->isVisibleTo(&owner));
}

TEST_F(EngineGstGraphTest, AnOwnerThatGoesFirstStopsTheGraph)
{
    Render(TestClip::VideoOnly);
    auto owner = std::make_unique<QWidget>();
    ASSERT_EQ(Get<IVideoWindow>()->put_Owner(owner.get()), S_OK);
    ASSERT_EQ(Get<IMediaControl>()->Run(), S_OK);
    owner.reset();
    GstState state = GST_STATE_VOID_PENDING;
    gst_element_get_state(static_cast<CGstGraph*>(m_ref.graph)->Pipeline(), &state, nullptr, 0);
    EXPECT_EQ(state, GST_STATE_NULL);
    EXPECT_EQ(static_cast<CGstGraph*>(m_ref.graph)->VideoSurface(), nullptr);
}

}  // namespace
