// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/vml_archive.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTagBit = 0x8000;
constexpr uint16_t kBigTag = 0x7FFF;
constexpr uint32_t kBigClassTagBit = 0x80000000u;
constexpr uint16_t kRowSchema = 2;
constexpr char kRowClassName[] = "CPlaylistRow";
constexpr size_t kRowClassNameLength = sizeof(kRowClassName) - 1;
constexpr uint16_t kMaxClassNameLength = 64;
constexpr uint16_t kWideMarker = 0xFFFE;
constexpr qsizetype kBufferSize = 1 << 16;

// Windows-1252 differs from Latin-1 only in 0x80 ... 0x9F; its five unused
// bytes there keep their Latin-1 meaning, as the system converter does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

CVmlOutArchive::CVmlOutArchive(QIODevice& device) : m_device(device) {}

void CVmlOutArchive::Reserve(size_t bytes)
{
    if (m_nUsed + bytes > size_t(m_buffer.size()))
        m_buffer.resize(qsizetype(m_nUsed) + qsizetype(bytes));
}

void CVmlOutArchive::WriteCount(uint32_t count)
{
    if (count < 0xFFFF) {
        WriteU16(static_cast<uint16_t>(count));
    } else {
        WriteU16(0xFFFF);
        WriteU32(count);
    }
}

void CVmlOutArchive::WriteRowTag()
{
    if (m_bClassWritten) {
        WriteU16(kClassTagBit | 1);  // the row class has index 1
        return;
    }
    WriteU16(kNewClassTag);
    WriteU16(kRowSchema);
    WriteU16(static_cast<uint16_t>(kRowClassNameLength));
    std::memcpy(Extend(kRowClassNameLength), kRowClassName, kRowClassNameLength);
    m_bClassWritten = true;
}

void CVmlOutArchive::WriteString(const QString& text)
{
    const auto length = static_cast<uint32_t>(text.size());
    uchar* out = reinterpret_cast<uchar*>(Extend(StringBytes(text)));
    *out++ = 0xFF;
    qToLittleEndian<uint16_t>(kWideMarker, out);
    out += 2;
    if (length < 0xFF) {
        *out++ = static_cast<uchar>(length);
    } else if (length < kWideMarker) {
        *out++ = 0xFF;
        qToLittleEndian<uint16_t>(static_cast<uint16_t>(length), out);
        out += 2;
    } else {
        *out++ = 0xFF;
        qToLittleEndian<uint16_t>(0xFFFF, out);
        qToLittleEndian<uint32_t>(length, out + 2);
        out += 6;
    }
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        std::memcpy(out, text.utf16(), size_t(length) * 2);
    } else {
        for (QChar c : text) {
            qToLittleEndian<uint16_t>(c.unicode(), out);
            out += 2;
        }
    }
}

bool CVmlOutArchive::Flush()
{
    const auto size = static_cast<qint64>(m_nUsed);
    m_nUsed = 0;
    return m_device.write(m_buffer.constData(), size) == size;
}

void CVmlOutArchive::WriteU16(uint16_t value) { qToLittleEndian(value, Extend(2)); }

void CVmlOutArchive::WriteU32(uint32_t value) { qToLittleEndian(value, Extend(4)); }

char* CVmlOutArchive::Extend(size_t size)
{
    if (m_nUsed + size > size_t(m_buffer.size()))
        m_buffer.resize(static_cast<qsizetype>(std::max(m_nUsed + size, size_t(m_buffer.size()) * 2)));
    char* out = m_buffer.data() + m_nUsed;
    m_nUsed += size;
    return out;
}

CVmlInArchive::CVmlInArchive(QIODevice& device)
    : m_device(device), m_nSize(static_cast<uint64_t>(std::max<qint64>(device.size() - device.pos(), 0)))
{
    m_buffer.resize(kBufferSize);
}

uint32_t CVmlInArchive::ReadCount()
{
    const uint16_t shortCount = ReadU16();
    return shortCount == 0xFFFF ? ReadU32() : shortCount;
}

void CVmlInArchive::ReadRowTag()
{
    const uint16_t tag = ReadU16();
    if (tag == kNewClassTag) {
        ReadNewClass();
    } else if (tag & kClassTagBit) {
        RequireClassIndex(tag & ~kClassTagBit);
    } else if (tag == kBigTag) {
        const uint32_t bigTag = ReadU32();
        if (!(bigTag & kBigClassTagBit))
            throw CVmlException{VmlError::BadFormat};
        RequireClassIndex(bigTag & ~kBigClassTagBit);
    } else {
        // A null object or a second reference to an object read before; the
        // list holds neither.
        throw CVmlException{VmlError::BadFormat};
    }
    ++m_nNextIndex;  // the row object itself
}

void CVmlInArchive::ReadNewClass()
{
    ReadU16();  // schema: any version is accepted
    const uint16_t nameLength = ReadU16();
    if (nameLength >= kMaxClassNameLength)
        throw CVmlException{VmlError::BadClass};
    char name[kMaxClassNameLength];
    Read(name, nameLength);
    if (nameLength != kRowClassNameLength || std::memcmp(name, kRowClassName, nameLength) != 0)
        throw CVmlException{VmlError::BadClass};
    m_classIndexes.push_back(m_nNextIndex++);
}

void CVmlInArchive::RequireClassIndex(uint32_t index) const
{
    if (!std::binary_search(m_classIndexes.begin(), m_classIndexes.end(), index))
        throw CVmlException{VmlError::BadFormat};
}

QString CVmlInArchive::ReadString()
{
    const uint8_t byteLength = ReadU8();
    if (byteLength < 0xFF)
        return ReadSingleByteChars(byteLength);
    const uint16_t wordLength = ReadU16();
    if (wordLength == kWideMarker) {
        const uint8_t wideByteLength = ReadU8();
        if (wideByteLength < 0xFF)
            return ReadWideChars(wideByteLength);
        const uint16_t wideWordLength = ReadU16();
        return ReadWideChars(wideWordLength < 0xFFFF ? wideWordLength : ReadU32());
    }
    return ReadSingleByteChars(wordLength < 0xFFFF ? wordLength : ReadU32());
}

QString CVmlInArchive::ReadWideChars(uint32_t length)
{
    // Checked before allocating: a length read off disk never asks for more
    // memory than the file holds.
    const size_t bytes = size_t(length) * 2;
    if (bytes > Remaining())
        throw CVmlException{VmlError::EndOfFile};
    QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
    Read(text.data(), bytes);
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        for (QChar& c : text)
            c = QChar(qFromLittleEndian(c.unicode()));
    }
    return text;
}

QString CVmlInArchive::ReadSingleByteChars(uint32_t length)
{
    if (length > Remaining())
        throw CVmlException{VmlError::EndOfFile};
    QByteArray bytes(static_cast<qsizetype>(length), Qt::Uninitialized);
    Read(bytes.data(), length);
    QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
    QChar* out = text.data();
    for (uint32_t i = 0; i < length; ++i) {
        const auto byte = static_cast<uint8_t>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

uint8_t CVmlInArchive::ReadU8()
{
    uint8_t value = 0;
    Read(&value, 1);
    return value;
}

uint16_t CVmlInArchive::ReadU16()
{
    uchar bytes[2];
    Read(bytes, 2);
    return qFromLittleEndian<uint16_t>(bytes);
}

uint32_t CVmlInArchive::ReadU32()
{
    uchar bytes[4];
    Read(bytes, 4);
    return qFromLittleEndian<uint32_t>(bytes);
}

void CVmlInArchive::Read(void* target, size_t size)
{
    if (size > Remaining())
        throw CVmlException{VmlError::EndOfFile};
    auto* out = static_cast<char*>(target);
    while (size > 0) {
        if (m_nBufferPos == m_nBufferEnd)
            Refill();
        const size_t chunk = std::min(size, static_cast<size_t>(m_nBufferEnd - m_nBufferPos));
        std::memcpy(out, m_buffer.constData() + m_nBufferPos, chunk);
        m_nBufferPos += static_cast<qsizetype>(chunk);
        m_nConsumed += chunk;
        out += chunk;
        size -= chunk;
    }
}

void CVmlInArchive::Refill()
{
    const qint64 got = m_device.read(m_buffer.data(), m_buffer.size());
    if (got < 0)
        throw CVmlException{VmlError::ReadFailed};
    if (got == 0)
        throw CVmlException{VmlError::EndOfFile};  // the file shrank while being read
    m_nBufferPos = 0;
    m_nBufferEnd = got;
}
