// SPDX-License-Identifier: GPL-3.0-or-later
// The media-player interface's requests as they reach the main window.
#include "main_frame_fixture.h"
#include "mainwnd/mpris_adaptors.h"
#include "mainwnd/mpris_service.h"

#include <QCoreApplication>
#include <QFile>
#include <QUrl>

#include <functional>
#include <limits>

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

TEST_F(MprisAdaptorTest, RequestsThatOpenAClipAnswerBeforeAnErrorBox)
{
    const QString file = m_strFolder + QStringLiteral("/other.avi");
    QFile(file).open(QIODevice::WriteOnly);
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"Play", [&] { Player().Play(); }},
        {"Next", [&] { Player().Next(); }},
        {"OpenUri", [&] { Player().OpenUri(QUrl::fromLocalFile(file).toString()); }},
    };
    for (const auto& [name, request] : requests) {
        Engine().Close();
        m_playlist.m_rows.clear();
        AddRows(2);
        m_playlist.SetCurrent(0);
        m_script.renderFailures = 2;  // the engine tries twice
        m_prompt.m_texts.clear();
        request();
        EXPECT_TRUE(m_prompt.m_texts.isEmpty()) << name;
        QCoreApplication::processEvents();
        EXPECT_EQ(m_prompt.m_texts.size(), 1) << name;
    }
}

TEST_F(MprisAdaptorTest, SeekPastTheEndGoesToTheNextRowAndOtherHostsAreRefused)
{
    AddRows(2);
    OpenRow(0);
    m_script.position = m_script.duration / 2;
    Player().Seek(std::numeric_limits<qlonglong>::max());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_playlist.GetCurrent(), 1);

    // A file on another machine is never taken for the local one.
    Player().OpenUri(QStringLiteral("file://otherhost") + m_playlist.GetRow(0).m_strPath);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_playlist.GetCount(), 2);
}

}  // namespace
