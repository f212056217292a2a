// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/graph/graph_error_texts.h"
#include "engine/graph/graph_event_queue.h"
#include "engine/graph/gst_object_ptr.h"
#include "engine/graph/media_graph.h"

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
class CGstGraph final : public CMediaGraph {
public:
    CGstGraph(const CGstGraphOptions& options, std::shared_ptr<CGraphErrorTexts> errorTexts);
    ~CGstGraph() override;

    CGstGraph(const CGstGraph&) = delete;
    CGstGraph& operator=(const CGstGraph&) = delete;

    bool IsValid() const { return m_pPlaybin != nullptr; }
    // The widget the video is drawn into, for tests and diagnostics.
    QWidget* VideoSurface() const;
    // The playbin, for tests and diagnostics.
    GstElement* Pipeline() const { return m_pPlaybin.get(); }

    HRESULT RenderFile(const QString& path) override;

    HRESULT Run() override;
    HRESULT Pause() override;
    HRESULT Stop() override;

    std::optional<CGraphEvent> TakeEvent() override;
    void SetNotifyTarget(QObject* target, int eventType) override;

    HRESULT GetCapabilities(std::uint32_t* capabilities) override;
    HRESULT GetDuration(LONGLONG* duration) override;
    HRESULT GetCurrentPosition(LONGLONG* position) override;
    HRESULT SetPosition(LONGLONG position) override;

    HRESULT GetRate(double* rate) override;
    HRESULT SetRate(double rate) override;

    HRESULT GetVolume(long* volume) override;
    HRESULT SetVolume(long volume) override;

    HRESULT GetVideoSize(long* width, long* height) override;
    HRESULT GetVideoVisible(bool* visible) override;
    HRESULT SetVideoVisible(bool visible) override;
    HRESULT SetVideoOwner(QWidget* owner) override;
    HRESULT SetVideoPosition(const QRect& rect) override;
    HRESULT SetMessageDrain(QObject* drain) override;
    HRESULT GetFullScreen(bool* fullScreen) override;
    HRESULT SetFullScreen(bool fullScreen) override;
    HRESULT BringVideoToFront() override;
    QStringList MissingDecoders() override;
    std::vector<CStreamInfo> Streams(StreamKind kind) override;
    int CurrentStream(StreamKind kind) override;
    HRESULT SelectStream(StreamKind kind, int index) override;
    HRESULT SetSubtitleFile(const QString& path, const QByteArray& encoding) override;

private:
    static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
    static GstBusSyncReply OnLengthScanMessage(GstBus* bus, GstMessage* message, gpointer self);
    void StartLengthScan(const QByteArray& file);
    void StopLengthScan();
    void RecordError(HRESULT hr, const QString& text);
    void RecordMissingPlugin(GstMessage* message);
    HRESULT Fail(HRESULT hr, const QString& text);
    HRESULT LastErrorStatus(HRESULT fallback) const;
    GstStateChangeReturn WaitForState();
    HRESULT ChangeState(GstState state);
    bool SeekTo(double rate, gint64 positionNs);
    QSize ReadVideoSize() const;
    LONGLONG EstimateAudioDuration() const;
    GstElement* ScalingSinkFor(GstElement* sink);
    void RefreshPausedFrame();
    // Where a restart for a new subtitle file returns to.
    struct CRestartPoint {
        GstState state = GST_STATE_PAUSED;
        gint64 positionNs = 0;
        gint audio = -1;
    };
    HRESULT RestartAt(const QByteArray& uri, const QByteArray& encoding, const CRestartPoint& point);
    bool IsExternalText(int index) const;
    // The stream reaches the overlay as a file's raw bytes, not timed cues
    // (a standalone .ass or .ssa, which GStreamer has no parser for).
    bool IsUntimedText(int index) const;
    void SetTextShown(bool shown);
    void SelectAudioAt(int index);

    CGstGraphOptions m_options;
    std::shared_ptr<CGraphErrorTexts> m_pErrorTexts;
    GstObjectPtr<GstElement> m_pPlaybin;
    GstObjectPtr<GstElement> m_pVideoSink;
    GstElement* m_pScaleFilter = nullptr;  // owned by the video sink's bin
    std::unique_ptr<CVideoOutput> m_pOutput;
    CGraphEventQueue m_events;

    mutable std::mutex m_errorMutex;
    HRESULT m_hrLastError = S_OK;
    QStringList m_missingDecoders;  // guarded by m_errorMutex
    std::atomic<bool> m_bErrorSeen{false};
    std::atomic<bool> m_bRendered{false};
    // Reads the file through its parser, unsynchronised, for a length the
    // playing pipeline would only estimate.
    GstObjectPtr<GstElement> m_pLengthScan;
    std::atomic<gint64> m_nScannedLengthNs{-1};

    // The subtitle file's URI as given to playbin; empty for none.
    QByteArray m_subtitleUri;
    QByteArray m_subtitleEncoding;
    bool m_bHasVideo = false;
    bool m_bHasAudio = false;
    QSize m_videoSize;
    double m_dRate = 1.0;
    long m_nVolume = 0;
};

// Makes playbin graphs. The first video sink of xvimagesink, ximagesink and
// glimagesink that starts is used on X11; elsewhere the video goes to a fake
// sink that still keeps time.
class CGstGraphFactory : public CMediaGraphFactory {
public:
    explicit CGstGraphFactory(CGstGraphOptions options = CGstGraphOptions::FromEnvironment());

    std::unique_ptr<CMediaGraph> CreateGraph() override;
    QString GetErrorText(HRESULT hr) override;

    // Name of the sink the probe picks for this platform.
    static QString ChooseVideoSink();

private:
    CGstGraphOptions m_options;
    std::shared_ptr<CGraphErrorTexts> m_pErrorTexts = std::make_shared<CGraphErrorTexts>();
};
