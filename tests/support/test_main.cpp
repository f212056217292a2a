// SPDX-License-Identifier: GPL-3.0-or-later
// Test main for every Velmora test executable: isolates the process from the
// real user's files, then runs GoogleTest inside a QApplication on Qt's
// offscreen platform so widget code can be driven without a display.
#include "temp_home.h"

#include <QApplication>
#include <gmock/gmock.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    testsupport::InstallTempHome();
    if (!std::getenv("VELMORA_TEST_KEEP_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
