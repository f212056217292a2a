// SPDX-License-Identifier: GPL-3.0-or-later
// The engine on real GStreamer graphs and generated clips (fake sinks that
// keep real time).
#include "engine_fixture.h"
#include "engine/graph/gst_graph.h"
#include "test_clips.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cmath>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace {

// Counts the graphs made, so a test can tell a restart from a reopen.
class CCountingFactory : public CMediaGraphFactory {
public:
    std::unique_ptr<CMediaGraph> CreateGraph() override
    {
        ++m_nCreated;
        std::unique_ptr<CMediaGraph> graph = m_real.CreateGraph();
        m_pLast = static_cast<CGstGraph*>(graph.get());
        return graph;
    }
    QString GetErrorText(HRESULT hr) override { return m_real.GetErrorText(hr); }

    CGstGraphFactory m_real{[] {
        CGstGraphOptions options;
        options.audioSink = QStringLiteral("fakeaudiosink");
        return options;
    }()};
    int m_nCreated = 0;
    CGstGraph* m_pLast = nullptr;  // not counted; valid while the engine holds it
};

// The main window's part: graph notifications go to the engine.
class CGraphNotifyTarget : public QObject {
public:
    explicit CGraphNotifyTarget(std::function<void()> handle) : m_handle(std::move(handle)) {}
    bool event(QEvent* e) override
    {
        if (e->type() == WM_GRAPH_NOTIFY) {
            m_handle();
            return true;
        }
        return QObject::event(e);
    }

private:
    std::function<void()> m_handle;
};

// Keeps every decoder of the caps out of automatic plugging while it lives,
// as on a machine that lacks them.
class CHiddenDecoders {
public:
    explicit CHiddenDecoders(const char* caps)
    {
        gst_init(nullptr, nullptr);
        GstCaps* wanted = gst_caps_from_string(caps);
        GList* decoders = gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_DECODER, GST_RANK_NONE);
        for (GList* item = decoders; item; item = item->next) {
            auto* factory = GST_ELEMENT_FACTORY(item->data);
            if (!gst_element_factory_can_sink_any_caps(factory, wanted))
                continue;
            auto* feature = GST_PLUGIN_FEATURE(gst_object_ref(factory));
            m_hidden.emplace_back(feature, gst_plugin_feature_get_rank(feature));
            gst_plugin_feature_set_rank(feature, GST_RANK_NONE);
        }
        gst_plugin_feature_list_free(decoders);
        gst_caps_unref(wanted);
    }
    ~CHiddenDecoders()
    {
        for (auto [feature, rank] : m_hidden) {
            gst_plugin_feature_set_rank(feature, rank);
            gst_object_unref(feature);
        }
    }
    bool Any() const { return !m_hidden.empty(); }

private:
    std::vector<std::pair<GstPluginFeature*, guint>> m_hidden;
};

class EngineGstTest : public ::testing::Test {
protected:
    EngineGstTest()
        : m_settings(testsupport::MakeScratchDir(QStringLiteral("gst-engine")) + QStringLiteral("/Velmora.ini"))
    {
        CPrompt::Install(&m_prompt);
        m_settings.AutoSizeWin = 0;
        m_host.m_pNotifyTarget = &m_notify;
        m_engine = std::make_unique<CMediaEngine>(m_host, m_playlist, m_settings, m_factory, m_power);
    }
    ~EngineGstTest() override
    {
        m_engine->Close();
        m_engine.reset();
        CPrompt::Install(nullptr);
    }

    void AddClip(const QString& path)
    {
        auto row = std::make_unique<CPlaylistRow>();
        row->m_strPath = path;
        m_playlist.m_rows.push_back(std::move(row));
    }
    void OpenRow(int index) { m_engine->Open(index); }
    // Runs the event loop until `done` or the limit; the elapsed ms or -1.
    qint64 RunUntil(const std::function<bool()>& done, int limitMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < limitMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (done())
                return timer.elapsed();
        }
        return -1;
    }
    void RunFor(int ms)
    {
        RunUntil([] { return false; }, ms);
    }
    double PositionSeconds()
    {
        // Hundredths of the clip's length, in seconds.
        return m_engine->GetPositionScaled(10000) / 10000.0 * double(m_engine->Duration()) / kUnitsPerSecond;
    }

    CCountingFactory m_factory;
    CRecordingHost m_host;
    CRecordingPrompt m_prompt;
    CRecordingDisplayPower m_power;
    CPlayerSettings m_settings;
    CPlaylist m_playlist;
    std::unique_ptr<CMediaEngine> m_engine;
    CGraphNotifyTarget m_notify{[this] { m_engine->HandleGraphEvents(); }};
};

TEST_F(EngineGstTest, ClipsOpenWithTheirLengthAndStreams)
{
    struct Expectation {
        TestClip clip;
        const char* duration;
        bool video;
        bool audio;
    };
    const Expectation expectations[] = {
        {TestClip::Wav3s, "00:03", false, true},        {TestClip::Mp3Xing, "00:02", false, true},
        {TestClip::Mp3Plain, "00:02", false, true},     {TestClip::AviMjpegPcm, "00:02", true, true},
        {TestClip::MkvH264Vorbis, "00:02", true, true}, {TestClip::VideoOnly, "00:01", true, false},
    };
    for (const Expectation& e : expectations) {
        SCOPED_TRACE(e.duration);
        m_playlist.m_rows.clear();
        AddClip(TestClipPath(e.clip));
        OpenRow(0);
        ASSERT_TRUE(m_engine->IsStopped()) << m_prompt.m_texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QLatin1String(e.duration))
            << TestClipPath(e.clip).toStdString();
        EXPECT_EQ(m_engine->HasVideo(), e.video);
        EXPECT_EQ(m_engine->HasAudio(), e.audio);
        m_engine->Close();
    }
    EXPECT_TRUE(m_prompt.m_texts.isEmpty());
}

TEST_F(EngineGstTest, BrokenFilesAreReportedWithGStreamersText)
{
    AddClip(TestClipPath(TestClip::TextAsMp3));
    AddClip(MissingClipPath());
    for (int row : {0, 1}) {
        OpenRow(row);
        EXPECT_FALSE(m_engine->IsLoaded());
        EXPECT_EQ(m_playlist.GetCurrent(), -1);
    }
    ASSERT_EQ(m_prompt.m_texts.size(), 2);
    EXPECT_EQ(m_prompt.m_titles.value(0), QStringLiteral("Velmora Message"));
    for (const QString& text : m_prompt.m_texts) {
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.startsWith(QStringLiteral("Unknown Error"))) << text.toStdString();
    }
}

TEST_F(EngineGstTest, EndOfClipMovesToTheNextRowThenStops)
{
    AddClip(TestClipPath(TestClip::Wav1s));
    AddClip(TestClipPath(TestClip::VideoOnly));
    OpenRow(0);
    ASSERT_TRUE(m_engine->Play());
    EXPECT_GE(RunUntil([&] { return m_playlist.GetCurrent() == 1; }, 5000), 700);
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_TRUE(m_engine->HasVideo());
    EXPECT_GE(RunUntil([&] { return m_engine->IsStopped(); }, 5000), 0);
    EXPECT_TRUE(m_engine->IsLoaded());
    EXPECT_EQ(m_playlist.GetCurrent(), 1);
    EXPECT_EQ(m_engine->GetPositionPercent(), 0);
}

TEST_F(EngineGstTest, RepeatRestartsWithoutReopening)
{
    AddClip(TestClipPath(TestClip::Wav1s));
    OpenRow(0);
    m_engine->ToggleRepeat();
    ASSERT_TRUE(m_engine->Play());
    RunFor(1600);
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_EQ(m_factory.m_nCreated, 1);
    EXPECT_EQ(m_playlist.GetCurrent(), 0);
    EXPECT_LT(PositionSeconds(), 0.9);
}

TEST_F(EngineGstTest, DoubleRateFinishesInHalfTheTime)
{
    AddClip(TestClipPath(TestClip::Wav3s));
    OpenRow(0);
    ASSERT_TRUE(m_engine->Play());
    m_engine->SetRate(2.0);
    EXPECT_TRUE(m_engine->IsRateChanged());
    const qint64 elapsed = RunUntil([&] { return m_engine->IsStopped(); }, 6000);
    EXPECT_NEAR(double(elapsed), 1500.0, 450.0);
}

TEST_F(EngineGstTest, LengthsLearntLateReachTheTimeTextAndTheRow)
{
    // A VBR MP3 without a length header first looks far shorter than it is;
    // an MPEG-2 elementary stream has no length at all until it plays.
    const struct {
        TestClip clip;
        const char* length;
        const char* row;
    } cases[] = {{TestClip::Mp3VbrPlain, "00:00:30", "00:30"}, {TestClip::Mpeg2Video, "00:00:10", "00:10"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        m_playlist.m_rows.clear();
        AddClip(TestClipPath(c.clip));
        OpenRow(0);
        ASSERT_TRUE(m_engine->Play()) << m_prompt.m_texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_GE(RunUntil([&] { return m_engine->DurationText() == QLatin1String(c.length); }, 1000), 0)
            << m_engine->DurationText().toStdString();
        m_engine->UpdateTimeText();
        EXPECT_TRUE(m_engine->m_szTime.endsWith(QLatin1String(c.length))) << m_engine->m_szTime.toStdString();
        EXPECT_EQ(m_playlist.GetRow(0).m_strDuration, QLatin1String(c.row));
        // Three quarters of the bar is three quarters of the clip.
        ASSERT_TRUE(m_engine->Pause());
        EXPECT_EQ(m_engine->Seek(3, 4), S_OK);
        EXPECT_NEAR(PositionSeconds() / (double(m_engine->Duration()) / kUnitsPerSecond), 0.75, 0.05);
        m_engine->Close();
    }
}

TEST_F(EngineGstTest, MissingDecodersAreNamed)
{
    CTrayIcon tray;
    m_engine->SetTrayIcon(&tray);
    AddClip(TestClipPath(TestClip::MkvH264Vorbis));
    AddClip(TestClipPath(TestClip::VideoOnly));
    {
        const CHiddenDecoders noH264("video/x-h264");
        ASSERT_TRUE(noH264.Any());
        OpenRow(1);
        EXPECT_FALSE(m_engine->IsLoaded());
        ASSERT_EQ(m_prompt.m_texts.size(), 1);
        EXPECT_TRUE(m_prompt.m_texts[0].startsWith(QStringLiteral("No decoder for H.264")))
            << m_prompt.m_texts[0].toStdString();
    }
    {
        const CHiddenDecoders noVorbis("audio/x-vorbis");
        ASSERT_TRUE(noVorbis.Any());
        m_prompt.m_texts.clear();
        // The picture plays; the missing sound is mentioned once.
        OpenRow(0);
        ASSERT_TRUE(m_engine->IsStopped()) << m_prompt.m_texts.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(m_engine->HasVideo());
        EXPECT_TRUE(m_prompt.m_texts.isEmpty());
        EXPECT_EQ(tray.LastMessage(), QStringLiteral("No decoder for Vorbis is installed."));
        m_engine->Close();
    }
    m_engine->SetTrayIcon(nullptr);
}

TEST_F(EngineGstTest, PauseHoldsThePositionAndStopRewinds)
{
    AddClip(TestClipPath(TestClip::Wav3s));
    OpenRow(0);
    ASSERT_TRUE(m_engine->Play());
    RunFor(1000);
    ASSERT_TRUE(m_engine->Pause());
    RunFor(100);
    const double paused = PositionSeconds();
    EXPECT_NEAR(paused, 1.0, 0.3);
    RunFor(500);
    EXPECT_NEAR(PositionSeconds(), paused, 0.05);

    ASSERT_TRUE(m_engine->Stop());
    EXPECT_EQ(m_engine->m_szTime, QStringLiteral("00:00:00|00:00:03"));
    EXPECT_EQ(m_engine->Seek(2, 3), S_OK);
    EXPECT_NEAR(PositionSeconds(), 2.0, 0.1);
}

TEST_F(EngineGstTest, AnErrorWhilePlayingIsReportedAndClosesTheClip)
{
    AddClip(TestClipPath(TestClip::Wav3s));
    AddClip(TestClipPath(TestClip::Wav1s));
    OpenRow(0);
    ASSERT_TRUE(m_engine->Play());
    RunFor(300);

    // What a failing source posts when its file goes bad under it.
    GstElement* pipeline = m_factory.m_pLast->Pipeline();
    g_autoptr(GError)
        error = g_error_new_literal(GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_READ, "Could not read from resource.");
    gst_element_post_message(pipeline, gst_message_new_error(GST_OBJECT(pipeline), error, "test"));

    EXPECT_GE(RunUntil([&] { return !m_engine->IsLoaded(); }, 3000), 0);
    EXPECT_EQ(m_prompt.m_texts, QStringList{QStringLiteral("Could not read from resource.")});
    EXPECT_FALSE(m_engine->IsPlaying());
    EXPECT_EQ(m_playlist.GetCurrent(), -1);
    EXPECT_FALSE(m_host.m_bTimer);
}

TEST_F(EngineGstTest, SeekBarClicksLandWhereClickedBetweenKeyFrames)
{
    // Key frames at 0, 10 and 20 s: a key-frame seek would land on one of them.
    AddClip(TestClipPath(TestClip::H264SparseKeys));
    OpenRow(0);
    ASSERT_TRUE(m_engine->IsStopped());
    for (const int second : {4, 13, 6}) {
        SCOPED_TRACE(second);
        ASSERT_EQ(m_engine->Seek(second, 20), S_OK);
        EXPECT_NEAR(PositionSeconds(), second, 0.1);
    }
    ASSERT_TRUE(m_engine->Play());
    RunFor(300);
    ASSERT_EQ(m_engine->Seek(3, 20), S_OK);
    EXPECT_NEAR(PositionSeconds(), 3.0, 0.3);
}

TEST_F(EngineGstTest, TenStepsDownStopAtTheSmallestRateAndThePlayerStaysResponsive)
{
    AddClip(TestClipPath(TestClip::Wav3s));
    OpenRow(0);
    ASSERT_TRUE(m_engine->Play());
    for (int i = 0; i < 10; ++i)
        m_engine->ChangeRate(-0.1);
    // The tenth step would reach 0 and is refused.
    ASSERT_EQ(m_engine->Rate(), 0.1);
    EXPECT_TRUE(m_engine->IsRateChanged());
    double graphRate = 0.0;
    m_factory.m_pLast->GetRate(&graphRate);
    EXPECT_EQ(graphRate, 0.1);
    EXPECT_EQ(m_factory.m_pLast->SetRate(0.05), E_INVALIDARG);
    EXPECT_EQ(m_factory.m_pLast->SetRate(1e-6), E_INVALIDARG);

    // At the smallest rate the clip still moves, seeks, changes rate and closes.
    QElapsedTimer timer;
    timer.start();
    RunFor(300);
    EXPECT_GT(PositionSeconds(), 0.0);
    EXPECT_EQ(m_engine->Seek(1, 2), S_OK);
    m_engine->SetRate(1.0);
    EXPECT_FALSE(m_engine->IsRateChanged());
    m_engine->Close();
    // A stalled pipeline never returns from these; the bound only tells a hang.
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(m_prompt.m_texts.isEmpty()) << m_prompt.m_texts.join(QLatin1Char('\n')).toStdString();
}

// Faster, slower and normal pressed 200 times at random gaps of 10-300 ms
// while the clip plays and repeats: no error box, and the rate the presses
// add up to.
class EngineGstRateStressTest : public EngineGstTest, public ::testing::WithParamInterface<TestClip> {};

TEST_P(EngineGstRateStressTest, RapidRateChangesEndWithTheRateTheyAddUpTo)
{
    AddClip(TestClipPath(GetParam()));
    OpenRow(0);
    m_engine->ToggleRepeat();
    ASSERT_TRUE(m_engine->Play());
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> press(0, 2);
    std::uniform_int_distribution<int> gap(10, 300);
    double expected = 1.0;
    for (int i = 0; i < 200 && m_prompt.m_texts.isEmpty(); ++i) {
        switch (press(random)) {
        case 0:
            m_engine->ChangeRate(0.1);
            expected = std::round(expected * 10 + 1) / 10;
            break;
        case 1:
            m_engine->ChangeRate(-0.1);
            if (expected > 0.15)
                expected = std::round(expected * 10 - 1) / 10;
            break;
        default:
            m_engine->SetRate(1.0);
            expected = 1.0;
            break;
        }
        RunFor(gap(random));
    }
    EXPECT_TRUE(m_prompt.m_texts.isEmpty()) << m_prompt.m_texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(m_engine->IsPlaying());
    EXPECT_EQ(m_engine->Rate(), expected);
    double graphRate = 0.0;
    m_factory.m_pLast->GetRate(&graphRate);
    EXPECT_EQ(graphRate, expected);
}

INSTANTIATE_TEST_SUITE_P(AudioAndVideo, EngineGstRateStressTest,
                         ::testing::Values(TestClip::Wav30s, TestClip::AviMjpegPcm30s),
                         [](const ::testing::TestParamInfo<TestClip>& clip) {
                             return clip.param == TestClip::Wav30s ? "Wav" : "AviMjpeg";
                         });

}  // namespace
