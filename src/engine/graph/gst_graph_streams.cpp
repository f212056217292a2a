// SPDX-License-Identifier: GPL-3.0-or-later
// CGstGraph: the choice of audio and subtitle streams, and the subtitle file.
#include "engine/graph/gst_graph.h"

#include "engine/graph/video_output.h"
#include "platform/path_codec.h"

namespace {

// How long a subtitle file's stream may take to appear after the restart.
constexpr int kSubtitleStreamWaitMs = 500;
constexpr int kSubtitleStreamSliceMs = 20;

// playbin's GstPlayFlags bit that renders subtitles.
constexpr guint kPlayFlagText = 1U << 2;

const char* CountProperty(StreamKind kind) { return kind == StreamKind::Audio ? "n-audio" : "n-text"; }
const char* CurrentProperty(StreamKind kind)
{
    return kind == StreamKind::Audio ? "current-audio" : "current-text";
}
const char* TagsSignal(StreamKind kind) { return kind == StreamKind::Audio ? "get-audio-tags" : "get-text-tags"; }

QString TagText(const GstTagList* tags, const char* tag)
{
    g_autofree gchar* value = nullptr;
    if (!tags || !gst_tag_list_get_string(tags, tag, &value) || !value)
        return {};
    return QString::fromUtf8(value).trimmed();
}

// Whether the file:// URI names a regular file still there: a file deleted
// since it was loaded is not tried again.
bool IsRegularFile(const QByteArray& uri)
{
    if (uri.isEmpty())
        return false;
    g_autofree gchar* path = g_filename_from_uri(uri.constData(), nullptr, nullptr);
    return path && g_file_test(path, G_FILE_TEST_IS_REGULAR);
}

}  // namespace

std::vector<CStreamInfo> CGstGraph::Streams(StreamKind kind)
{
    std::vector<CStreamInfo> streams;
    if (!m_bRendered)
        return streams;
    gint count = 0;
    g_object_get(m_pPlaybin.get(), CountProperty(kind), &count, nullptr);
    for (gint i = 0; i < count; ++i) {
        g_autoptr(GstTagList) tags = nullptr;
        g_signal_emit_by_name(m_pPlaybin.get(), TagsSignal(kind), i, &tags);
        CStreamInfo info;
        info.language = TagText(tags, GST_TAG_LANGUAGE_CODE);
        info.title = TagText(tags, GST_TAG_TITLE);
        info.external = kind == StreamKind::Text && IsExternalText(i);
        streams.push_back(std::move(info));
    }
    return streams;
}

int CGstGraph::CurrentStream(StreamKind kind)
{
    if (!m_bRendered)
        return -1;
    if (kind == StreamKind::Text) {
        guint flags = 0;
        g_object_get(m_pPlaybin.get(), "flags", &flags, nullptr);
        if (!(flags & kPlayFlagText))
            return -1;
    }
    gint current = -1;
    g_object_get(m_pPlaybin.get(), CurrentProperty(kind), &current, nullptr);
    return current;
}

void CGstGraph::SetTextShown(bool shown)
{
    guint flags = 0;
    g_object_get(m_pPlaybin.get(), "flags", &flags, nullptr);
    const guint wanted = shown ? (flags | kPlayFlagText) : (flags & ~kPlayFlagText);
    if (wanted != flags)
        g_object_set(m_pPlaybin.get(), "flags", wanted, nullptr);
}

HRESULT CGstGraph::SelectStream(StreamKind kind, int index)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    gint count = 0;
    g_object_get(m_pPlaybin.get(), CountProperty(kind), &count, nullptr);
    if (kind == StreamKind::Text && index == -1) {
        SetTextShown(false);
        return S_OK;
    }
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    if (kind == StreamKind::Text)
        SetTextShown(true);
    gint current = -1;
    g_object_get(m_pPlaybin.get(), CurrentProperty(kind), &current, nullptr);
    if (current == index)
        return S_OK;
    if (kind == StreamKind::Audio)
        SelectAudioAt(index);
    else
        g_object_set(m_pPlaybin.get(), CurrentProperty(kind), gint(index), nullptr);
    return S_OK;
}

void CGstGraph::SelectAudioAt(int index)
{
    // The old stream's sound already queued before the sink would play on
    // for a second or more; a flushing seek to where the clip stands drops
    // it, so the new stream is heard at once.
    WaitForState();
    g_object_set(m_pPlaybin.get(), "current-audio", gint(index), nullptr);
    gint64 positionNs = 0;
    if (gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &positionNs) && positionNs >= 0) {
        SeekTo(m_dRate, positionNs);
        WaitForState();
    }
}

bool CGstGraph::IsExternalText(int index) const
{
    // The stream comes from the subtitle file when the element feeding
    // playbin's selector sits in the decoder playbin made for "suburi".
    if (m_subtitleUri.isEmpty())
        return false;
    const char* suburi = m_subtitleUri.constData();
    g_autoptr(GstPad) pad = nullptr;
    g_signal_emit_by_name(m_pPlaybin.get(), "get-text-pad", gint(index), &pad);
    if (!pad)
        return false;
    g_autoptr(GstPad) peer = gst_pad_get_peer(pad);
    if (!peer)
        return false;
    GstObject* ancestor = gst_object_get_parent(GST_OBJECT(peer));
    while (ancestor) {
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(ancestor), "uri") && GST_IS_BIN(ancestor)) {
            g_autofree gchar* uri = nullptr;
            g_object_get(ancestor, "uri", &uri, nullptr);
            if (g_strcmp0(uri, suburi) == 0) {
                gst_object_unref(ancestor);
                return true;
            }
        }
        GstObject* parent = gst_object_get_parent(ancestor);
        gst_object_unref(ancestor);
        ancestor = parent;
    }
    return false;
}

bool CGstGraph::IsUntimedText(int index) const
{
    g_autoptr(GstPad) pad = nullptr;
    g_signal_emit_by_name(m_pPlaybin.get(), "get-text-pad", gint(index), &pad);
    if (!pad)
        return false;
    g_autoptr(GstCaps) caps = gst_pad_get_current_caps(pad);
    if (!caps || gst_caps_is_empty(caps))
        return false;
    const GstStructure* structure = gst_caps_get_structure(caps, 0);
    gboolean parsed = FALSE;
    return (gst_structure_has_name(structure, "application/x-ass") ||
            gst_structure_has_name(structure, "application/x-ssa")) &&
           !(gst_structure_get_boolean(structure, "parsed", &parsed) && parsed);
}

HRESULT CGstGraph::RestartAt(const QByteArray& uri, const QByteArray& encoding, const CRestartPoint& point)
{
    gst_element_set_state(m_pPlaybin.get(), GST_STATE_READY);
    if (m_bHasVideo)
        m_pOutput->BindAgain();
    m_subtitleUri = uri;
    g_object_set(m_pPlaybin.get(), "suburi", uri.isEmpty() ? nullptr : uri.constData(), "subtitle-encoding",
                 encoding.isEmpty() ? nullptr : encoding.constData(), nullptr);
    if (!uri.isEmpty())
        SetTextShown(true);
    m_bErrorSeen = false;
    {
        std::lock_guard lock(m_errorMutex);
        m_hrLastError = S_OK;
    }
    GstStateChangeReturn result = gst_element_set_state(m_pPlaybin.get(), GST_STATE_PAUSED);
    if (result == GST_STATE_CHANGE_ASYNC)
        result = WaitForState();
    if (result == GST_STATE_CHANGE_FAILURE)
        return LastErrorStatus(VFW_E_CANNOT_RENDER);
    if (result == GST_STATE_CHANGE_ASYNC)
        return VFW_E_TIMEOUT;
    // The accurate seek lands on the frame the clip showed before.
    if (point.positionNs > 0 || m_dRate != 1.0) {
        SeekTo(m_dRate, point.positionNs);
        WaitForState();
    }
    if (point.state == GST_STATE_PLAYING)
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_PLAYING);
    // The audio stream is chosen again as the user chooses it: on a settled
    // pipeline (switching while the seek's preroll still runs can deadlock
    // playbin's selector).
    if (point.audio > 0)
        SelectAudioAt(point.audio);
    if (m_bErrorSeen)
        return LastErrorStatus(E_FAIL);
    if (uri.isEmpty())
        return S_OK;
    // playbin drops a file it cannot parse with no more than a warning, and
    // may add the file's stream only after the clip has prerolled.
    for (int waited = 0; waited <= kSubtitleStreamWaitMs; waited += kSubtitleStreamSliceMs) {
        gint count = 0;
        g_object_get(m_pPlaybin.get(), "n-text", &count, nullptr);
        for (gint i = 0; i < count; ++i) {
            if (IsExternalText(i)) {
                // Such a file would be taken and never drawn.
                if (IsUntimedText(i))
                    return VFW_E_CANNOT_RENDER;
                g_object_set(m_pPlaybin.get(), "current-text", i, nullptr);
                return S_OK;
            }
        }
        g_usleep(kSubtitleStreamSliceMs * 1000);
    }
    return VFW_E_CANNOT_RENDER;
}

HRESULT CGstGraph::SetSubtitleFile(const QString& path, const QByteArray& encoding)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    QByteArray uri;
    if (!path.isEmpty()) {
        g_autoptr(GError) error = nullptr;
        g_autofree gchar* made = gst_filename_to_uri(EncodePath(path).constData(), &error);
        if (!made)
            return Fail(VFW_E_NOT_FOUND, QString::fromUtf8(error ? error->message : ""));
        uri = made;
    }

    // playbin takes a new subtitle file only from READY: the state, position
    // and audio stream are noted and restored around the restart.
    WaitForState();
    CRestartPoint point;
    gst_element_get_state(m_pPlaybin.get(), &point.state, nullptr, 0);
    gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &point.positionNs);
    point.positionNs = std::max<gint64>(point.positionNs, 0);
    g_object_get(m_pPlaybin.get(), "current-audio", &point.audio, nullptr);
    const QByteArray previousUri = m_subtitleUri;
    const QByteArray previousEncoding = m_subtitleEncoding;

    // Events of the restart (a flushing EOS, an error of the subtitle file)
    // are not the clip's: nothing is queued for the engine until it is over.
    m_bRendered = false;
    HRESULT hr = RestartAt(uri, encoding, point);
    if (FAILED(hr) && !uri.isEmpty()) {
        // The clip goes on with the file it showed before, else without one.
        const HRESULT fileError = hr;
        // From READY playbin keeps the failed file's decoder, and the next
        // file would fail in it too: NULL clears it.
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
        if (!IsRegularFile(previousUri) || FAILED(RestartAt(previousUri, previousEncoding, point))) {
            gst_element_set_state(m_pPlaybin.get(), GST_STATE_NULL);
            hr = RestartAt({}, {}, point);
        }
        if (SUCCEEDED(hr))
            hr = fileError;
    } else if (SUCCEEDED(hr)) {
        m_subtitleEncoding = encoding;
    }
    m_events.Clear();
    m_bRendered = true;
    return hr;
}
