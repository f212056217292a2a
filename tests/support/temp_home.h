// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The temporary home every test process runs in. The test main points HOME
// and the XDG folders into it before anything else starts, so no test can
// read or write the real user's files.
namespace testsupport {

QString TempHome();
QString ConfigHome();  // $XDG_CONFIG_HOME
QString DataHome();    // $XDG_DATA_HOME
QString RuntimeDir();  // $XDG_RUNTIME_DIR, mode 0700

// Creates the temporary home and exports the variables. Called once by main().
void InstallTempHome();

// A fresh, empty folder below the temporary home, for one test's files.
QString MakeScratchDir(const QString& name);

}  // namespace testsupport
