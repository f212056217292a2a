// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/overlay_blender.h"

#include <gst/video/video.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Set while a probe asks its own pad a query, so that it does not answer
// itself.
thread_local bool tl_bAsking = false;

bool HasOverlayFeature(const GstCaps* caps)
{
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstCapsFeatures* features = gst_caps_get_features(caps, i);
        if (features && !gst_caps_features_is_any(features) &&
            gst_caps_features_contains(features, GST_CAPS_FEATURE_META_GST_VIDEO_OVERLAY_COMPOSITION))
            return true;
    }
    return false;
}

GstCaps* WithoutOverlayFeature(const GstCaps* caps)
{
    GstCaps* plain = gst_caps_copy(caps);
    for (guint i = 0; i < gst_caps_get_size(plain); ++i) {
        GstCapsFeatures* features = gst_caps_get_features(plain, i);
        if (!features || gst_caps_features_is_any(features))
            continue;
        gst_caps_features_remove(features, GST_CAPS_FEATURE_META_GST_VIDEO_OVERLAY_COMPOSITION);
        if (gst_caps_features_get_size(features) == 0)
            gst_caps_features_add(features, GST_CAPS_FEATURE_MEMORY_SYSTEM_MEMORY);
    }
    return plain;
}

// What the chain takes, followed by the same with the overlay as metadata.
GstCaps* AlsoWithOverlayFeature(const GstCaps* caps)
{
    GstCaps* both = gst_caps_copy(caps);
    if (gst_caps_is_any(caps))
        return both;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstCapsFeatures* features = gst_caps_get_features(caps, i);
        if (features && gst_caps_features_is_any(features))
            continue;
        GstCapsFeatures* withOverlay = features
                                           ? gst_caps_features_copy(features)
                                           : gst_caps_features_new(GST_CAPS_FEATURE_MEMORY_SYSTEM_MEMORY, nullptr);
        gst_caps_features_add(withOverlay, GST_CAPS_FEATURE_META_GST_VIDEO_OVERLAY_COMPOSITION);
        both = gst_caps_merge_structure_full(both, gst_structure_copy(gst_caps_get_structure(caps, i)),
                                             withOverlay);
    }
    return both;
}

int Div255(int value)
{
    value += 128;
    return (value + (value >> 8)) >> 8;
}

// One rectangle of the overlay at the displayed size.
struct CScaledRectangle {
    GstVideoOverlayRectangle* rectangle = nullptr;  // owns the scaled pixels
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class COverlayBlender {
public:
    ~COverlayBlender()
    {
        Forget();
        if (m_pPending)
            gst_video_overlay_composition_unref(m_pPending);
    }

    void SetEntryCaps(const GstCaps* caps)
    {
        std::lock_guard lock(m_mutex);
        m_bEntryKnown = gst_video_info_from_caps(&m_entry, caps);
    }
    void SetScaledCaps(const GstCaps* caps)
    {
        std::lock_guard lock(m_mutex);
        m_bScaledKnown = gst_video_info_from_caps(&m_scaled, caps);
    }

    // The overlay that came with the frame now on its way to the scaler.
    void TakeFrom(GstBuffer* buffer)
    {
        GstVideoOverlayCompositionMeta* meta = gst_buffer_get_video_overlay_composition_meta(buffer);
        std::lock_guard lock(m_mutex);
        if (m_pPending)
            gst_video_overlay_composition_unref(m_pPending);
        m_pPending = meta ? gst_video_overlay_composition_ref(meta->overlay) : nullptr;
    }

    // Blends the pending overlay into the scaled frame; the buffer may be
    // replaced by a writable one.
    GstBuffer* BlendInto(GstBuffer* buffer)
    {
        std::lock_guard lock(m_mutex);
        if (!m_pPending)
            return buffer;
        GstVideoOverlayComposition* overlay = m_pPending;
        m_pPending = nullptr;
        if (m_bEntryKnown && m_bScaledKnown && Prepare(overlay)) {
            buffer = gst_buffer_make_writable(buffer);
            GstVideoFrame frame;
            if (gst_video_frame_map(&frame, &m_scaled, buffer, GST_MAP_READWRITE)) {
                Blend(&frame);
                gst_video_frame_unmap(&frame);
            }
        }
        gst_video_overlay_composition_unref(overlay);
        return buffer;
    }

private:
    void Forget()
    {
        for (const CScaledRectangle& scaled : m_rectangles)
            gst_video_overlay_rectangle_unref(scaled.rectangle);
        m_rectangles.clear();
    }

    // Scales the overlay's rectangles to the displayed size, once for each
    // overlay and size: the overlay element keeps one composition while its
    // text stays the same.
    bool Prepare(GstVideoOverlayComposition* overlay)
    {
        const int entryWidth = GST_VIDEO_INFO_WIDTH(&m_entry);
        const int entryHeight = GST_VIDEO_INFO_HEIGHT(&m_entry);
        const int width = GST_VIDEO_INFO_WIDTH(&m_scaled);
        const int height = GST_VIDEO_INFO_HEIGHT(&m_scaled);
        if (entryWidth <= 0 || entryHeight <= 0)
            return false;
        const guint seqnum = gst_video_overlay_composition_get_seqnum(overlay);
        if (seqnum == m_preparedSeqnum && width == m_preparedWidth && height == m_preparedHeight &&
            entryWidth == m_preparedEntryWidth && entryHeight == m_preparedEntryHeight)
            return !m_rectangles.empty();
        Forget();
        m_preparedSeqnum = seqnum;
        m_preparedWidth = width;
        m_preparedHeight = height;
        m_preparedEntryWidth = entryWidth;
        m_preparedEntryHeight = entryHeight;
        const double scaleX = double(width) / entryWidth;
        const double scaleY = double(height) / entryHeight;
        for (guint i = 0; i < gst_video_overlay_composition_n_rectangles(overlay); ++i) {
            GstVideoOverlayRectangle* source = gst_video_overlay_composition_get_rectangle(overlay, i);
            gint x = 0;
            gint y = 0;
            guint w = 0;
            guint h = 0;
            gst_video_overlay_rectangle_get_render_rectangle(source, &x, &y, &w, &h);
            CScaledRectangle scaled;
            scaled.x = int(std::lround(x * scaleX));
            scaled.y = int(std::lround(y * scaleY));
            scaled.width = int(std::lround(w * scaleX));
            scaled.height = int(std::lround(h * scaleY));
            if (scaled.width <= 0 || scaled.height <= 0)
                continue;
            scaled.rectangle = gst_video_overlay_rectangle_copy(source);
            gst_video_overlay_rectangle_set_render_rectangle(scaled.rectangle, scaled.x, scaled.y,
                                                             guint(scaled.width), guint(scaled.height));
            m_rectangles.push_back(scaled);
        }
        return !m_rectangles.empty();
    }

    void Blend(GstVideoFrame* frame)
    {
        const GstVideoFormatInfo* format = frame->info.finfo;
        const bool packed32 = GST_VIDEO_FORMAT_INFO_IS_RGB(format) &&
                              GST_VIDEO_FORMAT_INFO_N_PLANES(format) == 1 &&
                              GST_VIDEO_FORMAT_INFO_PSTRIDE(format, 0) == 4 &&
                              GST_VIDEO_FORMAT_INFO_DEPTH(format, 0) == 8;
        if (!packed32) {
            GstVideoOverlayComposition* scaled = nullptr;
            for (const CScaledRectangle& rectangle : m_rectangles) {
                if (!scaled)
                    scaled = gst_video_overlay_composition_new(rectangle.rectangle);
                else
                    gst_video_overlay_composition_add_rectangle(scaled, rectangle.rectangle);
            }
            gst_video_overlay_composition_blend(scaled, frame);
            gst_video_overlay_composition_unref(scaled);
            return;
        }
        for (const CScaledRectangle& rectangle : m_rectangles)
            BlendPacked(frame, rectangle);
    }

    // Premultiplied text over a 32-bit RGB frame, only where it has ink.
    static void BlendPacked(GstVideoFrame* frame, const CScaledRectangle& rectangle)
    {
        GstBuffer* pixels = gst_video_overlay_rectangle_get_pixels_argb(
            rectangle.rectangle, GST_VIDEO_OVERLAY_FORMAT_FLAG_PREMULTIPLIED_ALPHA);
        GstVideoMeta* layout = pixels ? gst_buffer_get_video_meta(pixels) : nullptr;
        if (!layout)
            return;
        const GstVideoFormatInfo* sourceFormat = gst_video_format_get_info(layout->format);
        const GstVideoFormatInfo* targetFormat = frame->info.finfo;
        GstMapInfo map;
        if (!gst_buffer_map(pixels, &map, GST_MAP_READ))
            return;
        const int frameWidth = GST_VIDEO_FRAME_WIDTH(frame);
        const int frameHeight = GST_VIDEO_FRAME_HEIGHT(frame);
        const int left = std::max(rectangle.x, 0);
        const int top = std::max(rectangle.y, 0);
        const int right = std::min(rectangle.x + rectangle.width, frameWidth);
        const int bottom = std::min(rectangle.y + rectangle.height, frameHeight);
        const int sourceStride = layout->stride[0];
        const int targetStride = GST_VIDEO_FRAME_PLANE_STRIDE(frame, 0);
        auto* target = static_cast<guint8*>(GST_VIDEO_FRAME_PLANE_DATA(frame, 0));
        int sourceAt[4];
        int targetAt[3];
        for (int c = 0; c < 3; ++c) {
            sourceAt[c] = GST_VIDEO_FORMAT_INFO_POFFSET(sourceFormat, c);
            targetAt[c] = GST_VIDEO_FORMAT_INFO_POFFSET(targetFormat, c);
        }
        sourceAt[3] = GST_VIDEO_FORMAT_INFO_POFFSET(sourceFormat, GST_VIDEO_COMP_A);
        for (int y = top; y < bottom; ++y) {
            const guint8* source = map.data + layout->offset[0] + gsize(y - rectangle.y) * sourceStride +
                                   gsize(left - rectangle.x) * 4;
            guint8* line = target + gsize(y) * targetStride + gsize(left) * 4;
            for (int x = left; x < right; ++x, source += 4, line += 4) {
                const int alpha = source[sourceAt[3]];
                if (alpha == 0)
                    continue;
                const int rest = 255 - alpha;
                for (int c = 0; c < 3; ++c)
                    line[targetAt[c]] = guint8(
                        std::min(255, source[sourceAt[c]] + Div255(line[targetAt[c]] * rest)));
            }
        }
        gst_buffer_unmap(pixels, &map);
    }

    std::mutex m_mutex;
    GstVideoInfo m_entry{};
    GstVideoInfo m_scaled{};
    bool m_bEntryKnown = false;
    bool m_bScaledKnown = false;
    GstVideoOverlayComposition* m_pPending = nullptr;
    std::vector<CScaledRectangle> m_rectangles;
    guint m_preparedSeqnum = 0;
    int m_preparedWidth = 0;
    int m_preparedHeight = 0;
    int m_preparedEntryWidth = 0;
    int m_preparedEntryHeight = 0;
};

using CSharedBlender = std::shared_ptr<COverlayBlender>;

void DropBlender(gpointer blender) { delete static_cast<CSharedBlender*>(blender); }

// Answers in the name of the chain that it takes frames with the overlay as
// metadata, and hands the chain the frames without that mark.
GstPadProbeReturn OnQuery(GstPad* pad, GstPadProbeInfo* info)
{
    GstQuery* query = GST_PAD_PROBE_INFO_QUERY(info);
    const bool answered = (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_PULL) != 0;
    switch (GST_QUERY_TYPE(query)) {
    case GST_QUERY_CAPS: {
        // The chain is asked what it takes without the mark, so that it
        // names the sizes it prefers rather than nothing.
        if (answered || tl_bAsking)
            return GST_PAD_PROBE_OK;
        GstCaps* filter = nullptr;
        gst_query_parse_caps(query, &filter);
        GstCaps* plainFilter = filter ? WithoutOverlayFeature(filter) : nullptr;
        tl_bAsking = true;
        GstCaps* result = gst_pad_query_caps(pad, plainFilter);
        tl_bAsking = false;
        if (plainFilter)
            gst_caps_unref(plainFilter);
        GstCaps* both = AlsoWithOverlayFeature(result);
        gst_caps_unref(result);
        if (filter) {
            GstCaps* narrowed = gst_caps_intersect_full(both, filter, GST_CAPS_INTERSECT_FIRST);
            gst_caps_unref(both);
            both = narrowed;
        }
        gst_query_set_caps_result(query, both);
        gst_caps_unref(both);
        return GST_PAD_PROBE_HANDLED;
    }
    case GST_QUERY_ACCEPT_CAPS: {
        GstCaps* caps = nullptr;
        gst_query_parse_accept_caps(query, &caps);
        if (answered || tl_bAsking || !caps || !HasOverlayFeature(caps))
            return GST_PAD_PROBE_OK;
        GstCaps* plain = WithoutOverlayFeature(caps);
        tl_bAsking = true;
        const bool accepted = gst_pad_query_accept_caps(pad, plain);
        tl_bAsking = false;
        gst_caps_unref(plain);
        gst_query_set_accept_caps_result(query, accepted);
        return GST_PAD_PROBE_HANDLED;
    }
    case GST_QUERY_ALLOCATION:
        // Answered even when the chain cannot yet propose buffers (its sink
        // still opening): an overlay element told nothing here would blend
        // into every full-size frame itself for as long as it plays.
        if (answered || tl_bAsking)
            return GST_PAD_PROBE_OK;
        tl_bAsking = true;
        gst_pad_query(pad, query);
        tl_bAsking = false;
        if (!gst_query_find_allocation_meta(query, GST_VIDEO_OVERLAY_COMPOSITION_META_API_TYPE, nullptr))
            gst_query_add_allocation_meta(query, GST_VIDEO_OVERLAY_COMPOSITION_META_API_TYPE, nullptr);
        return GST_PAD_PROBE_HANDLED;
    default: return GST_PAD_PROBE_OK;
    }
}

GstPadProbeReturn OnEntry(GstPad* pad, GstPadProbeInfo* info, gpointer data)
{
    COverlayBlender& blender = **static_cast<CSharedBlender*>(data);
    if (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_BUFFER) {
        blender.TakeFrom(GST_PAD_PROBE_INFO_BUFFER(info));
        return GST_PAD_PROBE_OK;
    }
    if (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_QUERY_DOWNSTREAM)
        return OnQuery(pad, info);
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) != GST_EVENT_CAPS)
        return GST_PAD_PROBE_OK;
    GstCaps* caps = nullptr;
    gst_event_parse_caps(event, &caps);
    blender.SetEntryCaps(caps);
    if (!HasOverlayFeature(caps))
        return GST_PAD_PROBE_OK;
    GstCaps* plain = WithoutOverlayFeature(caps);
    GstEvent* replaced = gst_event_new_caps(plain);
    gst_event_set_seqnum(replaced, gst_event_get_seqnum(event));
    gst_caps_unref(plain);
    gst_event_unref(event);
    GST_PAD_PROBE_INFO_DATA(info) = replaced;
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn OnScaled(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    COverlayBlender& blender = **static_cast<CSharedBlender*>(data);
    if (GST_PAD_PROBE_INFO_TYPE(info) & GST_PAD_PROBE_TYPE_BUFFER) {
        GST_PAD_PROBE_INFO_DATA(info) = blender.BlendInto(GST_PAD_PROBE_INFO_BUFFER(info));
        return GST_PAD_PROBE_OK;
    }
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) == GST_EVENT_CAPS) {
        GstCaps* caps = nullptr;
        gst_event_parse_caps(event, &caps);
        blender.SetScaledCaps(caps);
    }
    return GST_PAD_PROBE_OK;
}

}  // namespace

void BlendOverlaysAfterScaling(GstPad* entry, GstPad* scaled)
{
    const auto blender = std::make_shared<COverlayBlender>();
    gst_pad_add_probe(entry,
                      GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                      GST_PAD_PROBE_TYPE_QUERY_DOWNSTREAM),
                      &OnEntry, new CSharedBlender(blender), &DropBlender);
    gst_pad_add_probe(scaled, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                      &OnScaled, new CSharedBlender(blender), &DropBlender);
}
