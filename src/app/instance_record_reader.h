// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/instance_protocol.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Splits what a second start sends on one connection into the query and
// then one copy-data record, and refuses anything else as soon as it shows:
// a first record that is not the query, an unknown code, a body longer than
// kMaxRecordBytes or an open-file body that is not a terminated UTF-16 path.
class CInstanceRecordReader {
public:
    enum class Step { NeedMore, Query, Record, Malformed };

    // How many more bytes the reader takes now; reading more than this from
    // the peer is never needed, so a connection holds at most one record.
    qsizetype Room() const;
    void Append(const QByteArray& bytes);

    // What the bytes so far hold next. Query can come once and is consumed;
    // after Record or Malformed the connection has nothing more to give.
    Step Next();

    // The record that Next() returned Record for.
    std::uint32_t Code() const { return m_nCode; }
    const QString& Path() const { return m_strPath; }

private:
    QByteArray m_buffer;
    bool m_bQueried = false;
    bool m_bDone = false;
    std::uint32_t m_nCode = 0;
    QString m_strPath;
};
