// SPDX-License-Identifier: GPL-3.0-or-later
// The media-player interface's requests as they reach the main window.
#include "main_frame_fixture.h"
#include "mainwnd/mpris_adaptors.h"
#include "mainwnd/mpris_service.h"

#include <QCoreApplication>

namespace {

class MprisAdaptorTest : public MainFrameTest {
protected:
    MprisAdaptorTest() : m_service(Main(), m_context) {}

    CMprisPlayerAdaptor& Player() { return *m_service.findChild<CMprisPlayerAdaptor*>(); }

    CMprisService m_service;
};

TEST_F(MprisAdaptorTest, NextAndPreviousAreOfferedOnlyWhereTheyDoSomething)
{
    AddRows(1);
    OpenRow(0);
    EXPECT_FALSE(Player().CanGoNext());
    EXPECT_FALSE(Player().CanGoPrevious());
    AddRows(1);
    EXPECT_TRUE(Player().CanGoNext());
    EXPECT_FALSE(Player().CanGoPrevious());
}

TEST_F(MprisAdaptorTest, RateZeroPauses)
{
    AddRows(1);
    OpenRow(0);
    Player().SetRate(0.0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Engine().IsPaused());
    EXPECT_EQ(Engine().Rate(), 1.0);
}

}  // namespace
