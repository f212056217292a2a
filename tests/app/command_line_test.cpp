// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

CPlayerCommandLine Parse(std::initializer_list<const char*> arguments)
{
    QStringList list;
    for (const char* argument : arguments)
        list << QString::fromUtf8(argument);
    return CPlayerCommandLine::Parse(list);
}

TEST(CommandLineTest, BackgroundSwitchIsExactAndTakesEitherPrefix)
{
    EXPECT_TRUE(Parse({}).m_bShowAtStart);
    EXPECT_FALSE(Parse({"/background"}).m_bShowAtStart);
    EXPECT_FALSE(Parse({"-background"}).m_bShowAtStart);
    EXPECT_TRUE(Parse({"/Background"}).m_bShowAtStart);
    EXPECT_TRUE(Parse({"-BACKGROUND"}).m_bShowAtStart);
    EXPECT_TRUE(Parse({"--background"}).m_bShowAtStart);
    EXPECT_TRUE(Parse({"/backgrounds"}).m_bShowAtStart);
}

TEST(CommandLineTest, FirstNonSwitchIsTheFile)
{
    const auto line = Parse({"-x", "clip one.avi", "/background", "second.mp3"});
    EXPECT_EQ(line.m_strFileName, QStringLiteral("clip one.avi"));
    EXPECT_TRUE(line.IsFileOpen());
    EXPECT_FALSE(line.m_bShowAtStart);

    EXPECT_FALSE(Parse({"/background"}).IsFileOpen());
    EXPECT_EQ(Parse({"-"}).m_strFileName, QStringLiteral("-"));
}

TEST(CommandLineTest, AbsolutePathsAreFilesNotSwitches)
{
    EXPECT_EQ(Parse({"/home/user/clip.avi"}).m_strFileName, QStringLiteral("/home/user/clip.avi"));

    // A file directly under "/" is a file when it exists.
    EXPECT_TRUE(Parse({"/tmp"}).IsFileOpen());
    EXPECT_FALSE(Parse({"/no-such-file-velmora"}).IsFileOpen());
}

TEST(CommandLineTest, QtOptionsAreLeftToQt)
{
    const QStringList arguments{QStringLiteral("-platform"),   QStringLiteral("offscreen"),
                                QStringLiteral("--reverse"),   QStringLiteral("-style=fusion"),
                                QStringLiteral("-background"), QStringLiteral("clip.avi"),
                                QStringLiteral("-display"),    QStringLiteral(":3")};
    EXPECT_EQ(ArgumentsWithoutQtOptions(arguments),
              (QStringList{QStringLiteral("-background"), QStringLiteral("clip.avi")}));
    const CPlayerCommandLine line = CPlayerCommandLine::Parse(ArgumentsWithoutQtOptions(arguments));
    EXPECT_EQ(line.m_strFileName, QStringLiteral("clip.avi"));
    EXPECT_FALSE(line.m_bShowAtStart);
}

}  // namespace
