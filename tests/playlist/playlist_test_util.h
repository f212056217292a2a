// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "playlist/playlist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace playlisttest {

// A live playlist that counts how often it makes the engine close its media.
class PlaylistTest : public testing::Test {
protected:
    PlaylistTest()
    {
        playlist.SetCloseMedia([this] { ++closeCalls; });
    }

    CPlaylist playlist;
    int closeCalls = 0;
};

// Appends a row with the given folder and name, as a scan would.
void AddRow(CPlaylist& playlist, const QString& folder, const QString& name);
// A playlist of rows named by `names`, all in folder "/m".
void Fill(CPlaylist& playlist, const QStringList& names);
// One text of every row, in row order.
QStringList FileNames(const CPlaylist& playlist);
QStringList Folders(const CPlaylist& playlist);
QStringList Paths(const CPlaylist& playlist);

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// Hex text of bytes, for readable failures ("01 00 ff ...").
std::string Hex(const QByteArray& bytes);

}  // namespace playlisttest

namespace playlisttest {

// Runs the rest of the scope as an unprivileged user when the tests run as
// root, so permission checks apply; the temporary home is opened for
// traversal. Does nothing for an ordinary user.
class CUnprivileged {
public:
    CUnprivileged();
    ~CUnprivileged();
    CUnprivileged(const CUnprivileged&) = delete;
    CUnprivileged& operator=(const CUnprivileged&) = delete;

private:
    bool m_bWasRoot;
};

}  // namespace playlisttest
