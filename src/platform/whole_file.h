// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How replacing a file ended.
enum class WholeFileResult {
    Written,
    NotCreated,  // no temporary file (or, with the fallback, the file itself) could be opened
    NotWritten,  // the bytes did not all reach the file
    DiskFull,    // as NotWritten, because the file system is full
};

// Replaces the file at `path` by `bytes`. They go to a temporary file beside
// it, which is renamed over the old file only when every byte was written:
// otherwise the old file stays as it was. With `directWriteFallback`, a file
// in a folder where no new file may be made is rewritten in place instead.
WholeFileResult WriteWholeFile(const QString& path, const QByteArray& bytes, bool directWriteFallback = false);
