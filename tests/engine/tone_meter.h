// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/audio/audio.h>
#include <gst/gst.h>

#include <atomic>
#include <chrono>
#include <cmath>

// Measures the pitch of the sine tone reaching an audio sink, from the
// zero crossings of each buffer's first channel. Installed as a buffer
// probe on the sink's pad; the test clips' tracks are tones of different
// pitches, so the pitch says which track plays.
class CToneMeter {
public:
    // Counts buffers and notes the pitch of the last one; -1 until known.
    int Hertz() const { return m_nHertz.load(); }
    // When a buffer of roughly `hertz` last arrived after `since`; the
    // steady clock's epoch when none has.
    std::chrono::steady_clock::time_point FirstAt(int hertz) const
    {
        return m_nWatchedHertz.load() == hertz ? m_firstAt.load() : std::chrono::steady_clock::time_point{};
    }
    // Notes the arrival time of the next buffer of roughly `hertz`.
    void Watch(int hertz)
    {
        m_firstAt = std::chrono::steady_clock::time_point{};
        m_nWatchedHertz = hertz;
    }

    void Attach(GstElement* sink)
    {
        GstPad* pad = gst_element_get_static_pad(sink, "sink");
        if (!pad)
            return;
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, &CToneMeter::OnBuffer, this, nullptr);
        gst_object_unref(pad);
    }

private:
    static GstPadProbeReturn OnBuffer(GstPad* pad, GstPadProbeInfo* info, gpointer data)
    {
        auto* self = static_cast<CToneMeter*>(data);
        GstCaps* caps = gst_pad_get_current_caps(pad);
        GstAudioInfo audio;
        const bool known = caps && gst_audio_info_from_caps(&audio, caps);
        if (caps)
            gst_caps_unref(caps);
        GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        GstMapInfo map;
        if (!known || !buffer || !gst_buffer_map(buffer, &map, GST_MAP_READ))
            return GST_PAD_PROBE_OK;
        const int channels = GST_AUDIO_INFO_CHANNELS(&audio);
        const int stride = GST_AUDIO_INFO_BPF(&audio);
        const gsize frames = stride > 0 ? map.size / stride : 0;
        int crossings = 0;
        bool wasNegative = false;
        for (gsize i = 0; i < frames && channels > 0; ++i) {
            double sample = 0;
            const guint8* at = map.data + i * stride;
            switch (GST_AUDIO_INFO_FORMAT(&audio)) {
            case GST_AUDIO_FORMAT_F32LE: sample = *reinterpret_cast<const float*>(at); break;
            case GST_AUDIO_FORMAT_F64LE: sample = *reinterpret_cast<const double*>(at); break;
            case GST_AUDIO_FORMAT_S16LE: sample = *reinterpret_cast<const gint16*>(at); break;
            case GST_AUDIO_FORMAT_S32LE: sample = *reinterpret_cast<const gint32*>(at); break;
            default: break;
            }
            const bool negative = sample < 0;
            if (i > 0 && negative != wasNegative)
                ++crossings;
            wasNegative = negative;
        }
        gst_buffer_unmap(buffer, &map);
        if (frames > 0 && GST_AUDIO_INFO_RATE(&audio) > 0) {
            const double seconds = double(frames) / GST_AUDIO_INFO_RATE(&audio);
            const int hertz = int(std::lround(crossings / 2.0 / seconds));
            self->m_nHertz = hertz;
            const int watched = self->m_nWatchedHertz.load();
            if (watched > 0 && std::abs(hertz - watched) * 10 < watched &&
                self->m_firstAt.load() == std::chrono::steady_clock::time_point{})
                self->m_firstAt = std::chrono::steady_clock::now();
        }
        return GST_PAD_PROBE_OK;
    }

    std::atomic<int> m_nHertz{-1};
    std::atomic<int> m_nWatchedHertz{0};
    std::atomic<std::chrono::steady_clock::time_point> m_firstAt{};
};
