// SPDX-License-Identifier: GPL-3.0-or-later
// CGstGraph: the choice of audio and subtitle streams, and the subtitle file.
#include "engine/graph/gst_graph.h"

#include "platform/path_codec.h"

namespace {

// playbin's GstPlayFlags bit that renders subtitles.
constexpr guint kPlayFlagText = 1U << 2;

const char* CountProperty(StreamKind kind) { return kind == StreamKind::Audio ? "n-audio" : "n-text"; }
const char* CurrentProperty(StreamKind kind) { return kind == StreamKind::Audio ? "current-audio" : "current-text"; }
const char* TagsSignal(StreamKind kind) { return kind == StreamKind::Audio ? "get-audio-tags" : "get-text-tags"; }

QString TagText(const GstTagList* tags, const char* tag)
{
    g_autofree gchar* value = nullptr;
    if (!tags || !gst_tag_list_get_string(tags, tag, &value) || !value)
        return {};
    return QString::fromUtf8(value).trimmed();
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
    g_object_set(m_pPlaybin.get(), CurrentProperty(kind), gint(index), nullptr);
    if (kind == StreamKind::Audio) {
        // The old stream's sound already queued before the sink would play
        // on for a second or more; a flushing seek to where the clip stands
        // drops it, so the new stream is heard at once.
        gint64 positionNs = 0;
        if (gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &positionNs) && positionNs >= 0)
            SeekTo(m_dRate, positionNs);
    }
    return S_OK;
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

HRESULT CGstGraph::RestartAt(GstState state, gint64 positionNs)
{
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
    if (positionNs > 0 || m_dRate != 1.0) {
        SeekTo(m_dRate, positionNs);
        WaitForState();
    }
    if (state == GST_STATE_PLAYING)
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_PLAYING);
    return m_bErrorSeen ? LastErrorStatus(E_FAIL) : S_OK;
}

HRESULT CGstGraph::SetSubtitleFile(const QString& path, const QByteArray& encoding)
{
    if (!m_bRendered)
        return VFW_E_WRONG_STATE;
    g_autofree gchar* uri = nullptr;
    if (!path.isEmpty()) {
        g_autoptr(GError) error = nullptr;
        uri = gst_filename_to_uri(EncodePath(path).constData(), &error);
        if (!uri)
            return Fail(VFW_E_NOT_FOUND, QString::fromUtf8(error ? error->message : ""));
    }

    // playbin takes a new subtitle file only from READY: the state, position
    // and audio stream are noted and restored around the restart.
    WaitForState();
    GstState state = GST_STATE_PAUSED;
    gst_element_get_state(m_pPlaybin.get(), &state, nullptr, 0);
    gint64 positionNs = 0;
    gst_element_query_position(m_pPlaybin.get(), GST_FORMAT_TIME, &positionNs);
    gint audio = -1;
    g_object_get(m_pPlaybin.get(), "current-audio", &audio, nullptr);

    // Events of the restart (a flushing EOS, an error of the subtitle file)
    // are not the clip's: nothing is queued for the engine until it is over.
    m_bRendered = false;
    gst_element_set_state(m_pPlaybin.get(), GST_STATE_READY);
    m_subtitleUri = QByteArray(uri);
    g_object_set(m_pPlaybin.get(), "suburi", uri, "subtitle-encoding",
                 encoding.isEmpty() ? nullptr : encoding.constData(), nullptr);
    if (uri)
        SetTextShown(true);
    HRESULT hr = RestartAt(state, std::max<gint64>(positionNs, 0));
    int external = -1;
    if (SUCCEEDED(hr) && uri) {
        gint count = 0;
        g_object_get(m_pPlaybin.get(), "n-text", &count, nullptr);
        for (gint i = 0; i < count && external < 0; ++i)
            external = IsExternalText(i) ? i : -1;
        // playbin drops a file it cannot parse with no more than a warning.
        if (external < 0)
            hr = VFW_E_CANNOT_RENDER;
    }
    if (FAILED(hr) && uri) {
        // The clip goes on without the file that broke it.
        const HRESULT fileError = hr;
        gst_element_set_state(m_pPlaybin.get(), GST_STATE_READY);
        m_subtitleUri.clear();
        g_object_set(m_pPlaybin.get(), "suburi", nullptr, nullptr);
        hr = RestartAt(state, std::max<gint64>(positionNs, 0));
        if (SUCCEEDED(hr))
            hr = fileError;
    }
    m_events.Clear();
    m_bRendered = true;
    if (audio >= 0)
        g_object_set(m_pPlaybin.get(), "current-audio", audio, nullptr);
    if (SUCCEEDED(hr) && external >= 0)
        g_object_set(m_pPlaybin.get(), "current-text", external, nullptr);
    return hr;
}
