// SPDX-License-Identifier: GPL-3.0-or-later
// What the player leaves out of playbin, and its decoder threads.
#include "engine/graph/gst_graph.h"
#include "engine/graph/lean_playback.h"
#include "test_clips.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(EngineLeanPlaybackTest, SmallPicturesDecodeOnOneThreadLargeOnesOnAll)
{
    struct Case {
        int width;
        int height;
        int threads;
    } const cases[] = {
        {320, 240, 1},   {1280, 720, 1},  {1920, 1080, 1},  // up to 1080p: one
        {1920, 1088, 1},                                    // 1080p as coded, in whole macroblocks
        {2560, 1440, 0}, {3840, 2160, 0},                   // larger: one per processor
        {0, 0, 0},       {-1, 1080, 0},                     // no size known: the decoder's own choice
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecoderThreadsFor(c.width, c.height), c.threads) << c.width << "x" << c.height;
}

// The first element below bin that has the property, or null.
GstElement* FindWithProperty(GstElement* bin, const char* property)
{
    g_autoptr(GstIterator) it = gst_bin_iterate_recurse(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    GstElement* found = nullptr;
    while (!found && gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), property))
            found = element;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    return found;
}

// A prerolled clip: subtitles stay on, colour balance is gone, the decoder
// of its small picture runs one thread and one decoded picture waits for the
// sink.
TEST(EngineLeanPlaybackTest, APrerolledClipKeepsSubtitlesAndLeavesOutWhatItDoesNotUse)
{
    CGstGraphOptions options;
    options.audioSink = QStringLiteral("fakeaudiosink");
    CGstGraphFactory factory(options);
    const std::unique_ptr<CMediaGraph> created = factory.CreateGraph();
    ASSERT_NE(created, nullptr);
    ASSERT_EQ(created->RenderFile(TestClipPath(TestClip::MkvH264Vorbis)), S_OK);
    GstElement* playbin = static_cast<CGstGraph&>(*created).Pipeline();

    guint flags = 0;
    g_object_get(playbin, "flags", &flags, nullptr);
    EXPECT_TRUE(flags & kPlayFlagText);
    EXPECT_FALSE(flags & kPlayFlagSoftColorBalance);

    GstElement* decoder = FindWithProperty(playbin, "max-threads");
    ASSERT_NE(decoder, nullptr);
    gint threads = -1;
    g_object_get(decoder, "max-threads", &threads, nullptr);
    EXPECT_EQ(threads, DecoderThreadsFor(320, 240));

    // playbin's own queue of decoded pictures holds three.
    g_autoptr(GstElement) queue = gst_bin_get_by_name(GST_BIN(playbin), "vqueue");
    ASSERT_NE(queue, nullptr);
    guint pictures = 0;
    g_object_get(queue, "max-size-buffers", &pictures, nullptr);
    EXPECT_LT(pictures, 3u);
}

}  // namespace
