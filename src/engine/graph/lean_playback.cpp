// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/graph/lean_playback.h"

namespace {

constexpr int kOneThreadMaxPixels = 1920 * 1088;
constexpr char kDecoderThreadsProperty[] = "max-threads";
// playbin's queue of decoded pictures in front of the video sink. One picture
// ready beside the one on screen keeps the decoder and the sink apart as well
// as three do, for a third of the memory.
constexpr char kPictureQueueName[] = "vqueue";
constexpr guint kPictureQueueLength = 1;

// Sets the decoder's threads from each picture size it is given, before it
// opens its codec for that size.
GstPadProbeReturn OnDecoderCaps(GstPad*, GstPadProbeInfo* info, gpointer decoder)
{
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    if (GST_EVENT_TYPE(event) != GST_EVENT_CAPS)
        return GST_PAD_PROBE_OK;
    GstCaps* caps = nullptr;
    gst_event_parse_caps(event, &caps);
    const GstStructure* picture = caps && gst_caps_get_size(caps) > 0 ? gst_caps_get_structure(caps, 0) : nullptr;
    int width = 0;
    int height = 0;
    if (picture && gst_structure_get_int(picture, "width", &width) &&
        gst_structure_get_int(picture, "height", &height))
        g_object_set(decoder, kDecoderThreadsProperty, DecoderThreadsFor(width, height), nullptr);
    return GST_PAD_PROBE_OK;
}

void OnElementSetup(GstElement*, GstElement* element, gpointer)
{
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory && g_str_equal(GST_OBJECT_NAME(factory), "queue") &&
        g_str_equal(GST_OBJECT_NAME(element), kPictureQueueName)) {
        g_object_set(element, "max-size-buffers", kPictureQueueLength, nullptr);
        return;
    }
    if (!factory || !gst_element_factory_list_is_type(factory, GST_ELEMENT_FACTORY_TYPE_DECODER |
                                                                   GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO))
        return;
    GParamSpec* threads = g_object_class_find_property(G_OBJECT_GET_CLASS(element), kDecoderThreadsProperty);
    if (!threads || threads->value_type != G_TYPE_INT)
        return;
    g_autoptr(GstPad) pad = gst_element_get_static_pad(element, "sink");
    if (pad)
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &OnDecoderCaps, element, nullptr);
}

}  // namespace

int DecoderThreadsFor(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    return gint64(width) * height <= kOneThreadMaxPixels ? 1 : 0;
}

void MakePlaybinLean(GstElement* playbin)
{
    guint flags = 0;
    g_object_get(playbin, "flags", &flags, nullptr);
    flags &= ~kPlayFlagSoftColorBalance;
    g_object_set(playbin, "flags", flags, nullptr);
    g_signal_connect(playbin, "element-setup", G_CALLBACK(&OnElementSetup), nullptr);
}
