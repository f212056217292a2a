// SPDX-License-Identifier: GPL-3.0-or-later
// The video surface on Qt's offscreen platform, without a sink.
#include "engine/graph/video_output.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VideoOutput, TheSinkIsFirstToldTheLetterBoxedSize)
{
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    CVideoOutput output({}, {}, {}, {});
    std::vector<QSize> sizes;
    output.SetResizeHandler([&](QSize size) { sizes.push_back(size); });
    output.Prepare();
    output.SetOwner(&owner);
    QCoreApplication::processEvents();
    output.SetPosition(QRect(80, 0, 480, 360));
    QCoreApplication::processEvents();
    EXPECT_EQ(sizes, std::vector<QSize>{QSize(480, 360)});
    ASSERT_NE(output.Surface(), nullptr);
    EXPECT_TRUE(output.Surface()->isVisible());
}

}  // namespace
