// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Opens `path` for reading when it is a regular file; -1 otherwise. Opening
// never waits (a FIFO without a writer would block, a device never ends).
// The caller closes the descriptor. `size` receives the file's size.
int OpenRegularFile(const QString& path, qint64* size = nullptr);
