// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/gst_graph.h"

#include "engine/graph/gst_error_status.h"
#include "engine/graph/lean_playback.h"
#include "engine/graph/overlay_blender.h"
#include "platform/path_codec.h"
#include "engine/graph/video_output.h"

#include <gst/audio/streamvolume.h>
#include <gst/pbutils/pbutils.h>
#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {

constexpr gint64 kNsPerUnit = 100;
constexpr int kStateWaitSliceMs = 20;
constexpr int kLateErrorWaitMs = 500;
// Files up to this size are read through for a length GStreamer cannot tell
// (a second or so of disk reading); larger ones rely on its estimates.
constexpr qint64 kLengthScanMaxBytes = 256 * 1024 * 1024;
// Seeks land on the exact position, not on the nearest key frame: a clip
// with key frames 10 s apart would otherwise jump back to 0 from most of its
// first 10 s.
constexpr auto kSeekExactly = GST_SEEK_FLAG_ACCURATE;
// Below this the pipeline stops advancing and its next seek or state change
// never returns (scaletempo spins); rates on the player's tenths grid start here.
constexpr double kMinimumRate = 0.1 - 1e-9;

// GStreamer would block opening a FIFO until a writer comes, and read a
// device such as /dev/zero without end: only regular files that can be read
// are handed to it. Nothing when the file is fine, else the failure's text.
QString RefusalOfFile(const QByteArray& path)
{
    struct stat info {};
    if (stat(path.constData(), &info) != 0)
        return errno == EACCES ? QStringLiteral("The file cannot be read: access was denied.")
                               : QStringLiteral("The file does not exist.");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("This is a folder, not a media file.");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("This is not a regular file (a pipe, socket or device) and cannot be played.");
    if (access(path.constData(), R_OK) != 0)
        return QStringLiteral("The file cannot be read: access was denied.");
    return {};
}

GstElement* MakeElement(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    return gst_element_factory_make(name.toUtf8().constData(), nullptr);
}

void SetIfPresent(GstElement* element, const char* property, gboolean value)
{
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), property))
        g_object_set(element, property, value, nullptr);
}

// The frame size a scaling sink asks for; empty: the video's own size.
void SetScaledSize(GstElement* filter, QSize size)
{
    g_autoptr(GstCaps)
        caps = size.isEmpty()
                   ? gst_caps_new_any()
                   : gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, size.width(), "height", G_TYPE_INT,
                                         size.height(), "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
    g_object_set(filter, "caps", caps, nullptr);
}

}  // namespace

CGstGraphOptions CGstGraphOptions::FromEnvironment()
{
    CGstGraphOptions options;
    options.videoSink = qEnvironmentVariable("VELMORA_VIDEO_SINK");
    options.audioSink = qEnvironmentVariable("VELMORA_AUDIO_SINK");
    return options;
}

CGstGraph::CGstGraph(const CGstGraphOptions& options, std::shared_ptr<CGraphErrorTexts> errorTexts)
    : m_options(options), m_pErrorTexts(std::move(errorTexts))
{
    m_pPlaybin = AdoptElement(gst_element_factory_make("playbin", nullptr));
    if (!m_pPlaybin)
        return;

    // The overlay sizes the font by the picture's width, so the text keeps
    // its share of the picture at any zoom; it is outlined so it reads on
    // any scene.
    g_object_set(m_pPlaybin.get(), "subtitle-font-desc", "Sans Bold 22", nullptr);
    if (GstElement* tempo = MakeElement(QStringLiteral("scaletempo")))
        g_object_set(m_pPlaybin.get(), "audio-filter", tempo, nullptr);
    if (GstElement* audioSink = MakeElement(m_options.audioSink)) {
        SetIfPresent(audioSink, "sync", TRUE);
        g_object_set(m_pPlaybin.get(), "audio-sink", audioSink, nullptr);
    }
    GstElement* sink = MakeElement(m_options.videoSink);
    if (!sink)
        sink = gst_element_factory_make("fakevideosink", nullptr);
    if (sink) {
        SetIfPresent(sink, "sync", TRUE);
        m_pVideoSink = AdoptElement(ScalingSinkFor(sink));
        g_object_set(m_pPlaybin.get(), "video-sink", m_pVideoSink.get(), nullptr);
    }
    MakePlaybinLean(m_pPlaybin.get());

    std::function<void(std::uintptr_t)> bind;
    std::function<void()> expose;
    if (sink && GST_IS_VIDEO_OVERLAY(sink)) {
        GstVideoOverlay* overlay = GST_VIDEO_OVERLAY(sink);
        // Qt owns the input of the window and asks for redraws on expose;
        // the sink only draws, and needs no thread polling X for events.
        gst_video_overlay_handle_events(overlay, FALSE);
        SetIfPresent(sink, "handle-expose", FALSE);
        bind = [overlay](std::uintptr_t handle) { gst_video_overlay_set_window_handle(overlay, handle); };
        expose = [overlay] { gst_video_overlay_expose(overlay); };
    }
    // A surface its owner destroys while the clip is open (the main window
    // going away first) must not be drawn into again.
    m_pOutput = std::make_unique<CVideoOutput>(
        std::move(bind), std::move(expose), [this] { m_events.Push(EC_USERABORT); },
        [this] {
            m_bRendered = false;
            gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
        });
    if (m_pScaleFilter) {
        GstElement* filter = m_pScaleFilter;
        m_pOutput->SetResizeHandler([this, filter](QSize size) {
            SetScaledSize(filter, size);
            RefreshPausedFrame();
        });
    }

    g_autoptr(GstBus) bus = gst_element_get_bus(m_pPlaybin.get());
    gst_bus_set_sync_handler(bus, &CGstGraph::OnBusMessage, this, nullptr);
}

CGstGraph::~CGstGraph()
{
    StopLengthScan();
    if (m_pPlaybin) {
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
        g_autoptr(GstBus) bus = gst_element_get_bus(m_pPlaybin.get());
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    }
    // The surface's handlers reach into the playbin; they go before it does.
    m_pOutput.reset();
}

void CGstGraph::RefreshPausedFrame()
{
    // A paused pipeline sends no new frame at the new size by itself; a seek
    // to where it stands makes it decode the frame again.
    if (!m_bRendered)
        return;
    GstState state = GST_STATE_VOID_PENDING;
    GstState pending = GST_STATE_VOID_PENDING;
    if (gst_element_get_state(m_pPlaybin.get(), &state, &pending, 0) != GST_STATE_CHANGE_SUCCESS ||
        state != GST_STATE_PAUSED)
        return;
    gint64 positionNs = 0;
    if (!gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &positionNs))
        return;
    SeekTo(m_dRate, positionNs);
}

GstElement* CGstGraph::ScalingSinkFor(GstElement* sink)
{
    // ximagesink draws frames at their own size; the picture is scaled to
    // the surface in front of it instead, before its conversion to the X
    // server's format, which then touches only the displayed pixels; the
    // subtitles are blended into the scaled picture.
    if (m_options.videoSink != QLatin1String("ximagesink"))
        return sink;
    const GstObjectPtr<GstElement> convert = AdoptElement(gst_element_factory_make("videoconvert", nullptr));
    const GstObjectPtr<GstElement> scale = AdoptElement(gst_element_factory_make("videoscale", nullptr));
    const GstObjectPtr<GstElement> filter = AdoptElement(gst_element_factory_make("capsfilter", nullptr));
    if (!convert || !scale || !filter)
        return sink;
    // The bin takes references of its own.
    GstElement* bin = gst_bin_new("scaled-video-sink");
    gst_bin_add_many(GST_BIN(bin), scale.get(), convert.get(), filter.get(), sink, nullptr);
    gst_element_link_many(scale.get(), convert.get(), filter.get(), sink, nullptr);
    g_autoptr(GstPad) pad = gst_element_get_static_pad(scale.get(), "sink");
    g_autoptr(GstPad) scaled = gst_element_get_static_pad(filter.get(), "src");
    BlendOverlaysAfterScaling(pad, scaled);
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", pad));
    m_pScaleFilter = filter.get();
    return bin;
}

QWidget* CGstGraph::VideoSurface() const { return m_pOutput ? m_pOutput->Surface() : nullptr; }

GstBusSyncReply CGstGraph::OnBusMessage(GstBus*, GstMessage* message, gpointer data)
{
    auto* self = static_cast<CGstGraph*>(data);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        if (self->m_bRendered)
            self->m_events.Push(EC_COMPLETE);
        break;
    case GST_MESSAGE_ELEMENT:
        if (gst_is_missing_plugin_message(message))
            self->RecordMissingPlugin(message);
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        if (self->m_bRendered)
            self->m_events.Push(EC_LENGTH_CHANGED);
        break;
    case GST_MESSAGE_ERROR: {
        g_autoptr(GError) error = nullptr;
        g_autofree gchar* debug = nullptr;
        gst_message_parse_error(message, &error, &debug);
        const HRESULT hr = StatusFromGstError(error);
        self->RecordError(hr, QString::fromUtf8(error ? error->message : ""));
        // One failure stops the clip; the errors that follow it add nothing.
        const bool first = !self->m_bErrorSeen.exchange(true);
        if (self->m_bRendered && first)
            self->m_events.Push(EC_ERRORABORT, hr);
        break;
    }
    default: break;
    }
    // A sync handler that drops a message owns it. Every message holds its
    // source, so one left alive keeps the whole pipeline, with its threads'
    // sockets, after the graph is gone.
    gst_message_unref(message);
    return GST_BUS_DROP;
}

void CGstGraph::StartLengthScan(const QByteArray& file)
{
    g_autoptr(GError) error = nullptr;
    GstObjectPtr<GstElement> scan = AdoptElement(
        gst_parse_launch("filesrc name=source ! parsebin ! fakesink sync=false", &error));
    if (!scan || error)
        return;
    m_pLengthScan = std::move(scan);
    g_autoptr(GstElement) source = gst_bin_get_by_name(GST_BIN(m_pLengthScan.get()), "source");
    g_object_set(source, "location", file.constData(), nullptr);
    g_autoptr(GstBus) bus = gst_element_get_bus(m_pLengthScan.get());
    gst_bus_set_sync_handler(bus, &CGstGraph::OnLengthScanMessage, this, nullptr);
    gst_element_set_state(m_pLengthScan.get(), GST_STATE_PLAYING);
}

void CGstGraph::StopLengthScan()
{
    if (!m_pLengthScan)
        return;
    gst_element_set_state(m_pLengthScan.get(), GST_STATE_NULL);
    g_autoptr(GstBus) bus = gst_element_get_bus(m_pLengthScan.get());
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    m_pLengthScan.reset();
    m_nScannedLengthNs = -1;
}

GstBusSyncReply CGstGraph::OnLengthScanMessage(GstBus*, GstMessage* message, gpointer data)
{
    auto* self = static_cast<CGstGraph*>(data);
    // At the end of the file the parser's position is the end of its last frame.
    gint64 endNs = 0;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS &&
        gst_element_query_position(self->m_pLengthScan.get(), GST_FORMAT_TIME, &endNs) && endNs > 0) {
        self->m_nScannedLengthNs = endNs;
        self->m_events.Push(EC_LENGTH_CHANGED);
    }
    // Dropped messages are ours to free, as on the playing pipeline's bus.
    gst_message_unref(message);
    return GST_BUS_DROP;
}

void CGstGraph::RecordMissingPlugin(GstMessage* message)
{
    // A missing decoder is named by the format it decodes. Other missing
    // elements follow from it (playbin also asks for a second decodebin)
    // and add nothing the user can act on.
    const GstStructure* details = gst_message_get_structure(message);
    const GValue* decoded = gst_structure_get_value(details, "detail");
    if (g_strcmp0(gst_structure_get_string(details, "type"), "decoder") != 0 || !decoded ||
        !GST_VALUE_HOLDS_CAPS(decoded))
        return;
    g_autofree gchar* format = gst_pb_utils_get_codec_description(gst_value_get_caps(decoded));
    if (!format)
        return;
    const QString text = QStringLiteral("No decoder for %1 is installed.").arg(QString::fromUtf8(format));
    std::lock_guard lock(m_errorMutex);
    if (!m_missingDecoders.contains(text))
        m_missingDecoders << text;
}

QStringList CGstGraph::MissingDecoders()
{
    std::lock_guard lock(m_errorMutex);
    return m_missingDecoders;
}

void CGstGraph::RecordError(HRESULT hr, const QString& text)
{
    {
        std::lock_guard lock(m_errorMutex);
        if (m_hrLastError == S_OK)
            m_hrLastError = hr;
    }
    if (!text.isEmpty())
        m_pErrorTexts->Remember(hr, text);
}

HRESULT CGstGraph::Fail(HRESULT hr, const QString& text)
{
    m_pErrorTexts->Remember(hr, text);
    return hr;
}

HRESULT CGstGraph::LastErrorStatus(HRESULT fallback) const
{
    std::lock_guard lock(m_errorMutex);
    return m_hrLastError != S_OK ? m_hrLastError : fallback;
}

GstStateChangeReturn CGstGraph::WaitForState()
{
    // Waits in slices so that an error ends the wait at once instead of
    // leaving a stalled pipeline to run into the time limit.
    GstStateChangeReturn result = GST_STATE_CHANGE_ASYNC;
    for (int waited = 0; waited < m_options.prerollTimeoutMs; waited += kStateWaitSliceMs) {
        result = gst_element_get_state(m_pPlaybin.get(), nullptr, nullptr, kStateWaitSliceMs * GST_MSECOND);
        if (result != GST_STATE_CHANGE_ASYNC || m_bErrorSeen)
            break;
    }
    return m_bErrorSeen ? GST_STATE_CHANGE_FAILURE : result;
}

HRESULT CGstGraph::RenderFile(const QString& path)
{
    if (!m_pPlaybin)
        return E_FAIL;
    gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
    StopLengthScan();
    m_bRendered = false;
    m_bErrorSeen = false;
    {
        std::lock_guard lock(m_errorMutex);
        m_hrLastError = S_OK;
        m_missingDecoders.clear();
    }
    m_events.Clear();

    const QByteArray fileName = EncodePath(path);
    if (const QString refusal = RefusalOfFile(fileName); !refusal.isEmpty())
        return Fail(VFW_E_NOT_FOUND, refusal);
    g_autoptr(GError) error = nullptr;
    g_autofree gchar* uri = gst_filename_to_uri(fileName.constData(), &error);
    if (!uri)
        return Fail(VFW_E_NOT_FOUND, QString::fromUtf8(error ? error->message : ""));
    g_object_set(m_pPlaybin.get(), "uri", uri, nullptr);
    m_pOutput->Prepare();

    GstStateChangeReturn result = gst_element_set_state(m_pPlaybin.get(), GST_STATE_PAUSED);
    if (result == GST_STATE_CHANGE_ASYNC)
        result = WaitForState();
    HRESULT hr = S_OK;
    if (result == GST_STATE_CHANGE_FAILURE) {
        // The element that failed may post its message just after the state change gave up.
        for (int waited = 0; !m_bErrorSeen && waited < kLateErrorWaitMs; waited += kStateWaitSliceMs)
            g_usleep(kStateWaitSliceMs * 1000);
        hr = LastErrorStatus(VFW_E_CANNOT_RENDER);
        if (const QStringList missing = MissingDecoders(); !missing.isEmpty())
            Fail(hr, missing.join(QLatin1Char(' ')));  // says more than GStreamer's generic text
        else if (m_pErrorTexts->Lookup(hr).isEmpty())
            Fail(hr, QStringLiteral("The file cannot be played."));
    } else if (result == GST_STATE_CHANGE_ASYNC)
        hr = Fail(VFW_E_TIMEOUT, QStringLiteral("The file took too long to open."));

    gint videoStreams = 0;
    gint audioStreams = 0;
    if (SUCCEEDED(hr)) {
        g_object_get(m_pPlaybin.get(), "n-video", &videoStreams, "n-audio", &audioStreams, nullptr);
        if (videoStreams == 0 && audioStreams == 0) {
            const QStringList missing = MissingDecoders();
            hr = Fail(VFW_E_CANNOT_RENDER,
                      missing.isEmpty() ? QStringLiteral("The file has no sound or picture that can be played.")
                                        : missing.join(QLatin1Char(' ')));
        }
    }
    if (FAILED(hr)) {
        // Back to NULL, so that a retry starts from scratch.
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
        return hr;
    }

    m_bHasVideo = videoStreams > 0;
    m_bHasAudio = audioStreams > 0;
    m_videoSize = m_bHasVideo ? ReadVideoSize() : QSize();
    m_pOutput->SetVideoSize(m_videoSize);
    m_dRate = 1.0;
    m_events.Clear();
    m_bRendered = true;
    gint64 lengthNs = 0;
    if ((!gst_element_query_duration(m_pPlaybin.get(), GST_FORMAT_TIME, &lengthNs) || lengthNs <= 0) &&
        QFileInfo(path).size() <= kLengthScanMaxBytes)
        StartLengthScan(QFile::encodeName(path));
    return S_OK;
}

QSize CGstGraph::ReadVideoSize() const
{
    g_autoptr(GstPad) pad = nullptr;
    g_signal_emit_by_name(m_pPlaybin.get(), "get-video-pad", 0, &pad);
    if (!pad)
        return {};
    QSize size;
    if (g_autoptr(GstCaps) caps = gst_pad_get_current_caps(pad)) {
        GstVideoInfo info;
        if (gst_video_info_from_caps(&info, caps) && info.width > 0 && info.height > 0) {
            const int parN = info.par_n > 0 ? info.par_n : 1;
            const int parD = info.par_d > 0 ? info.par_d : 1;
            size = QSize(int(gint64(info.width) * parN / parD), info.height);
        }
    }
    return size;
}

HRESULT CGstGraph::ChangeState(GstState state)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    if (gst_element_set_state(m_pPlaybin.get(), state) == GST_STATE_CHANGE_FAILURE)
        return LastErrorStatus(E_FAIL);
    return S_OK;
}

HRESULT CGstGraph::Run()
{
    const HRESULT hr = ChangeState(GST_STATE_PLAYING);
    // A size the surface took while paused reaches the streams that take a
    // new size only while they play.
    QWidget* surface = VideoSurface();
    if (SUCCEEDED(hr) && m_pScaleFilter && surface && surface->isVisible())
        SetScaledSize(m_pScaleFilter, surface->size());
    return hr;
}

HRESULT CGstGraph::Pause() { return ChangeState(GST_STATE_PAUSED); }

HRESULT CGstGraph::Stop()
{
    // A stopped clip stays prerolled, so it can be positioned and shows its frame.
    return ChangeState(GST_STATE_PAUSED);
}

std::optional<CGraphEvent> CGstGraph::TakeEvent() { return m_events.Pop(); }

void CGstGraph::SetNotifyTarget(QObject* target, int eventType) { m_events.SetTarget(target, eventType); }

HRESULT CGstGraph::GetCapabilities(std::uint32_t* capabilities)
{
    if (!capabilities)
        return E_POINTER;
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    std::uint32_t result = AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetDuration | AM_SEEKING_CanGetStopPos;
    g_autoptr(GstQuery) query = gst_query_new_seeking(GST_FORMAT_TIME);
    if (gst_element_query(m_pPlaybin.get(), query)) {
        gboolean seekable = FALSE;
        gst_query_parse_seeking(query, nullptr, &seekable, nullptr, nullptr);
        if (seekable)
            result |= AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards;
    }
    *capabilities = result;
    return S_OK;
}

HRESULT CGstGraph::GetDuration(LONGLONG* duration)
{
    if (!duration)
        return E_POINTER;
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    gint64 ns = m_nScannedLengthNs;
    if (ns > 0 || (gst_element_query_duration(m_pPlaybin.get(), GST_FORMAT_TIME, &ns) && ns >= 0)) {
        *duration = ns / kNsPerUnit;
        return S_OK;
    }
    const LONGLONG estimate = EstimateAudioDuration();
    if (estimate <= 0)
        return E_FAIL;
    *duration = estimate;
    return S_OK;
}

LONGLONG CGstGraph::EstimateAudioDuration() const
{
    // An audio file without a length in its headers (an MP3 without a Xing
    // frame, say) only knows its size until it has been read through; its
    // bit rate gives the length.
    if (m_bHasVideo || !m_bHasAudio)
        return 0;
    gint64 bytes = 0;
    if (!gst_element_query_duration(m_pPlaybin.get(), GST_FORMAT_BYTES, &bytes) || bytes <= 0)
        return 0;
    g_autoptr(GstTagList) tags = nullptr;
    g_signal_emit_by_name(m_pPlaybin.get(), "get-audio-tags", 0, &tags);
    if (!tags)
        return 0;
    guint bitrate = 0;
    if (!gst_tag_list_get_uint(tags, GST_TAG_BITRATE, &bitrate) || bitrate == 0)
        gst_tag_list_get_uint(tags, GST_TAG_NOMINAL_BITRATE, &bitrate);
    if (bitrate == 0)
        return 0;
    return static_cast<LONGLONG>(static_cast<double>(bytes) * 8.0 / bitrate * kUnitsPerSecond);
}

HRESULT CGstGraph::GetCurrentPosition(LONGLONG* position)
{
    if (!position)
        return E_POINTER;
    gint64 ns = 0;
    if (!m_bRendered || !gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &ns) || ns < 0)
        return E_FAIL;
    *position = ns / kNsPerUnit;
    return S_OK;
}

bool CGstGraph::SeekTo(double rate, gint64 positionNs)
{
    // One seek at a time: a flushing seek sent while the previous one is
    // still prerolling can be refused, or break the stream.
    WaitForState();
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | kSeekExactly);
    return gst_element_seek(m_pPlaybin.get(), rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, positionNs,
                            GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
}

HRESULT CGstGraph::SetPosition(LONGLONG position)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    if (position < 0)
        return E_INVALIDARG;
    if (!SeekTo(m_dRate, position * kNsPerUnit))
        return E_FAIL;
    // Like a seek on the interface thread, it is finished when the call returns.
    WaitForState();
    return S_OK;
}

HRESULT CGstGraph::GetRate(double* rate)
{
    if (!rate)
        return E_POINTER;
    *rate = m_dRate;
    return S_OK;
}

HRESULT CGstGraph::SetRate(double rate)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    if (!(rate >= kMinimumRate) || !std::isfinite(rate))
        return E_INVALIDARG;
    // The position is read once an earlier seek has landed, not from its middle.
    WaitForState();
    gint64 positionNs = 0;
    gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &positionNs);
    if (!SeekTo(rate, std::max<gint64>(positionNs, 0)))
        return E_FAIL;
    WaitForState();
    m_dRate = rate;
    return S_OK;
}

HRESULT CGstGraph::GetVolume(long* volume)
{
    if (!volume)
        return E_POINTER;
    if (!m_bHasAudio)
        return E_NOTIMPL;
    *volume = m_nVolume;
    return S_OK;
}

HRESULT CGstGraph::SetVolume(long volume)
{
    if (!m_bHasAudio)
        return E_NOTIMPL;
    if (volume < -10000 || volume > 0)
        return E_INVALIDARG;
    auto* streamVolume = GST_STREAM_VOLUME(m_pPlaybin.get());
    if (volume == -10000)
        gst_stream_volume_set_volume(streamVolume, GST_STREAM_VOLUME_FORMAT_LINEAR, 0.0);
    else
        gst_stream_volume_set_volume(streamVolume, GST_STREAM_VOLUME_FORMAT_DB, volume / 100.0);
    m_nVolume = volume;
    return S_OK;
}

HRESULT CGstGraph::GetVideoSize(long* width, long* height)
{
    if (!width || !height)
        return E_POINTER;
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    const QSize current = ReadVideoSize();
    if (current.isValid() && !current.isEmpty()) {
        m_videoSize = current;
        m_pOutput->SetVideoSize(current);
    }
    if (m_videoSize.isEmpty())
        return E_FAIL;
    *width = m_videoSize.width();
    *height = m_videoSize.height();
    return S_OK;
}

HRESULT CGstGraph::GetVideoVisible(bool* visible)
{
    if (!visible)
        return E_POINTER;
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    *visible = m_pOutput->IsVisible();
    return S_OK;
}

HRESULT CGstGraph::SetVideoVisible(bool visible)
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    m_pOutput->SetVisible(visible);
    return S_OK;
}

HRESULT CGstGraph::SetVideoOwner(QWidget* owner)
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    m_pOutput->SetOwner(owner);
    return S_OK;
}

HRESULT CGstGraph::SetVideoPosition(const QRect& rect)
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    if (rect.width() < 0 || rect.height() < 0)
        return E_INVALIDARG;
    m_pOutput->SetPosition(rect);
    return S_OK;
}

HRESULT CGstGraph::SetMessageDrain(QObject* drain)
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    m_pOutput->SetDrain(drain);
    return S_OK;
}

HRESULT CGstGraph::GetFullScreen(bool* fullScreen)
{
    if (!fullScreen)
        return E_POINTER;
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    *fullScreen = m_pOutput->IsFullScreen();
    return S_OK;
}

HRESULT CGstGraph::SetFullScreen(bool fullScreen)
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    m_pOutput->SetFullScreen(fullScreen);
    return S_OK;
}

HRESULT CGstGraph::BringVideoToFront()
{
    if (!m_bHasVideo)
        return E_NOINTERFACE;
    m_pOutput->SetForeground();
    return S_OK;
}

CGstGraphFactory::CGstGraphFactory(CGstGraphOptions options) : m_options(std::move(options))
{
    gst_init(nullptr, nullptr);
    if (m_options.videoSink.isEmpty())
        m_options.videoSink = ChooseVideoSink();
}

QString CGstGraphFactory::ChooseVideoSink()
{
    gst_init(nullptr, nullptr);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        for (const char* name : {"xvimagesink", "ximagesink", "glimagesink"}) {
            const GstObjectPtr<GstElement> sink = AdoptElement(gst_element_factory_make(name, nullptr));
            if (!sink)
                continue;
            const bool works = gst_element_set_state(sink.get(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
            gst_element_set_state(sink.get(), GST_STATE_NULL);
            if (works)
                return QString::fromLatin1(name);
        }
    }
    return QStringLiteral("fakevideosink");
}

std::unique_ptr<CMediaGraph> CGstGraphFactory::CreateGraph()
{
    auto created = std::make_unique<CGstGraph>(m_options, m_pErrorTexts);
    if (!created->IsValid()) {
        m_pErrorTexts->Remember(E_FAIL, QStringLiteral("GStreamer's playbin element is not installed."));
        return nullptr;
    }
    return created;
}

QString CGstGraphFactory::GetErrorText(HRESULT hr) { return m_pErrorTexts->Lookup(hr); }
