#pragma once

#include "graph_error_texts.h"
#include "graph_event_queue.h"
#include "graph_interfaces.h"

#include <gst/gst.h>

#include <QSize>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

class CVideoOutput;

struct CGstGraphOptions {
    // Element names of the sinks; an empty video sink is chosen for the
    // platform, an empty audio sink is left to playbin.
    QString videoSink;
    QString audioSink;
    int prerollTimeoutMs = 10000;

    // Defaults, overridden by VELMORA_VIDEO_SINK and VELMORA_AUDIO_SINK.
    static CGstGraphOptions FromEnvironment();
};

// One clip on a GStreamer playbin. The bus sync handler runs on GStreamer's
// streaming threads and only records errors and queues events; everything
// else happens on the interface thread.
class CGstGraph final : public IGraphBuilder,
                        public IMediaControl,
                        public IMediaEventEx,
                        public IMediaSeeking,
                        public IMediaPosition,
                        public IBasicAudio,
                        public IBasicVideo,
                        public IVideoWindow {
public:
    CGstGraph(const CGstGraphOptions& options, std::shared_ptr<CGraphErrorTexts> errorTexts);

    CGstGraph(const CGstGraph&) = delete;
    CGstGraph& operator=(const CGstGraph&) = delete;

    bool IsValid() const { return m_pPlaybin != nullptr; }
    // The widget the video is drawn into, for tests and diagnostics.
    QWidget* VideoSurface() const;
    // The playbin, for tests and diagnostics.
    GstElement* Pipeline() const { return m_pPlaybin; }

    unsigned long AddRef() override;
    unsigned long Release() override;

    HRESULT QueryInterface(GraphIid iid, void** object) override;
    HRESULT RenderFile(const QString& path) override;

    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;

    HRESULT GetEvent(long* code, std::intptr_t* param1, std::intptr_t* param2, long msTimeout) override;
    HRESULT FreeEventParams(long code, std::intptr_t param1, std::intptr_t param2) override;
    HRESULT SetNotifyWindow(QObject* target, int eventType, std::intptr_t instanceData) override;
    HRESULT CancelDefaultHandling(long code) override;
    HRESULT RestoreDefaultHandling(long code) override;

    HRESULT GetCapabilities(std::uint32_t* capabilities) override;
    HRESULT GetDuration(LONGLONG* duration) override;
    HRESULT GetCurrentPosition(LONGLONG* position) override;
    HRESULT SetPositions(LONGLONG* current, std::uint32_t currentFlags, LONGLONG* stop,
                         std::uint32_t stopFlags) override;

    HRESULT get_Rate(double* rate) override;
    HRESULT put_Rate(double rate) override;

    HRESULT get_Volume(long* volume) override;
    HRESULT put_Volume(long volume) override;

    HRESULT GetVideoSize(long* width, long* height) override;

    HRESULT get_Visible(long* visible) override;
    HRESULT put_Visible(long visible) override;
    HRESULT put_Owner(QWidget* owner) override;
    HRESULT put_WindowStyle(long style) override;
    HRESULT SetWindowPosition(long left, long top, long width, long height) override;
    HRESULT get_MessageDrain(QObject** drain) override;
    HRESULT put_MessageDrain(QObject* drain) override;
    HRESULT get_FullScreenMode(long* mode) override;
    HRESULT put_FullScreenMode(long mode) override;
    HRESULT SetWindowForeground(long focus) override;

private:
    ~CGstGraph();

    static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    void RecordError(HRESULT hr, const QString& text);
    HRESULT Fail(HRESULT hr, const QString& text);
    HRESULT LastErrorStatus(HRESULT fallback) const;
    GstStateChangeReturn WaitForState();
    HRESULT ChangeState(GstState state);
    bool SeekTo(double rate, gint64 positionNs, GstSeekFlags precision);
    QSize ReadVideoSize() const;
    LONGLONG EstimateAudioDuration() const;
    GstElement* ScalingSinkFor(GstElement* sink);
    void RefreshPausedFrame();

    CGstGraphOptions m_options;
    std::shared_ptr<CGraphErrorTexts> m_pErrorTexts;
    std::atomic<unsigned long> m_nRefs{1};
    GstElement* m_pPlaybin = nullptr;
    GstElement* m_pVideoSink = nullptr;
    GstElement* m_pScaleFilter = nullptr;  // owned by the video sink's bin
    std::unique_ptr<CVideoOutput> m_pOutput;
    CGraphEventQueue m_events;

    mutable std::mutex m_errorMutex;
    HRESULT m_hrLastError = S_OK;
    std::atomic<bool> m_bErrorSeen{false};
    std::atomic<bool> m_bRendered{false};

    bool m_bHasVideo = false;
    bool m_bHasAudio = false;
    QSize m_videoSize;
    double m_dRate = 1.0;
    long m_nVolume = 0;
};

// Makes playbin graphs. The first video sink of xvimagesink, ximagesink and
// glimagesink that starts is used on X11; elsewhere the video goes to a fake
// sink that still keeps time.
class CGstGraphFactory : public IGraphFactory {
public:
    explicit CGstGraphFactory(CGstGraphOptions options = CGstGraphOptions::FromEnvironment());

    HRESULT CreateGraph(IGraphBuilder** graph) override;
    QString GetErrorText(HRESULT hr) override;

    // Name of the sink the probe picks for this platform.
    static QString ChooseVideoSink();

private:
    CGstGraphOptions m_options;
    std::shared_ptr<CGraphErrorTexts> m_pErrorTexts = std::make_shared<CGraphErrorTexts>();
};
