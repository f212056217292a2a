// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance_record_reader.h"

qsizetype CInstanceRecordReader::Room() const
{
    return m_bDone ? 0 : kRecordHeaderBytes + qsizetype(kMaxRecordBytes) - m_buffer.size();
}

void CInstanceRecordReader::Append(const QByteArray& bytes) { m_buffer += bytes.left(Room()); }

CInstanceRecordReader::Step CInstanceRecordReader::Next()
{
    if (m_bDone || m_buffer.size() < kRecordHeaderBytes)
        return m_bDone ? Step::Malformed : Step::NeedMore;
    const std::uint32_t code = DecodeUint32(m_buffer.constData());
    const std::uint32_t count = DecodeUint32(m_buffer.constData() + 4);

    if (!m_bQueried) {
        if (code != kInstanceQueryMessage || count != 0) {
            m_bDone = true;
            return Step::Malformed;
        }
        m_bQueried = true;
        m_buffer.remove(0, kRecordHeaderBytes);
        return Step::Query;
    }

    const bool known = code == COPYDATA_OPEN_FILE || code == COPYDATA_CLOSE || code == COPYDATA_ACTIVATE;
    if (!known || count > kMaxRecordBytes) {
        m_bDone = true;
        return Step::Malformed;
    }
    if (m_buffer.size() < kRecordHeaderBytes + qsizetype(count))
        return Step::NeedMore;

    m_bDone = true;
    m_nCode = code;
    m_strPath.clear();
    if (code == COPYDATA_OPEN_FILE) {
        const std::optional<QString> path = PathFromOpenFileBody(m_buffer.mid(kRecordHeaderBytes, count));
        if (!path)
            return Step::Malformed;
        m_strPath = *path;
    }
    m_buffer.clear();
    return Step::Record;
}
