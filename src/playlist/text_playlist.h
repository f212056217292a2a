// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// The local files one playlist file of another player lists.
struct CForeignEntries {
    QStringList paths;  // in the file's order
    bool bCut = false;  // the file listed more than the reader took
};

// Reads the two text formats without any outside parser, so that a count a
// file claims means nothing and every name keeps its bytes: an entry is a
// file URI, an absolute path or a path relative to `folder`; web streams
// are left out. At most `maxEntries` are taken.

// .m3u and .m3u8: one entry a line, '#' lines are comments. None for data
// that is not text.
std::optional<CForeignEntries> ReadM3u(QIODevice& device, const QString& folder, int maxEntries);
// .pls: the FileN keys of the [playlist] group in the order of N. None
// without that group.
std::optional<CForeignEntries> ReadPls(QIODevice& device, const QString& folder, int maxEntries);

// Whether the first line of a file is the .pls group header.
bool LooksLikePls(const QByteArray& head);
