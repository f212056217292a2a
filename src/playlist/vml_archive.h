// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QIODevice;

// What went wrong while reading a playlist file.
enum class VmlError {
    EndOfFile,   // the data ended inside the list
    BadFormat,   // a malformed count, tag or text length
    BadClass,    // an object of a class other than the row class
    ReadFailed,  // the device reported an error
};

// Thrown by CVmlInArchive; caught where the playlist file is read.
struct CVmlException {
    VmlError error;
};

// Builds the object archive of a playlist file in memory and writes it to a
// device in one piece. Reserve() with the sum of the parts' sizes spares the
// buffer from growing.
class CVmlOutArchive {
public:
    explicit CVmlOutArchive(QIODevice& device);

    // The bytes WriteCount, WriteRowTag and WriteString would add.
    static size_t CountBytes(uint32_t count) { return count < 0xFFFF ? 2 : 6; }
    static size_t RowTagBytes(bool first) { return first ? 18 : 2; }
    static size_t StringBytes(const QString& text)
    {
        const auto length = size_t(text.size());
        return 3 + (length < 0xFF ? 1 : length < 0xFFFE ? 3 : 7) + length * 2;
    }
    void Reserve(size_t bytes);

    void WriteCount(uint32_t count);
    // Before each row: the class introduction for the first row, a reference
    // to that class for every later one.
    void WriteRowTag();
    // A counted UTF-16 text.
    void WriteString(const QString& text);
    // Writes the archive to the device; false if the device took less.
    bool Flush();

private:
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    // Room for `size` more bytes; returns where they go.
    char* Extend(size_t size);

    QIODevice& m_device;
    QByteArray m_buffer;  // m_nUsed bytes of it written
    size_t m_nUsed = 0;
    bool m_bClassWritten = false;
};

// Reads the object archive of a playlist file from a device, through a
// buffer. Every read checks what is left of the device's size, so no count
// or length from the file makes it allocate more than the file holds; a
// problem throws CVmlException.
class CVmlInArchive {
public:
    explicit CVmlInArchive(QIODevice& device);

    uint32_t ReadCount();
    // Reads the tag before an object and checks that it introduces or refers
    // to the row class; counts the archive's class and object indexes.
    void ReadRowTag();
    // A counted text, wide or single-byte (Windows-1252).
    QString ReadString();

    // Bytes of the device not read yet.
    uint64_t Remaining() const { return m_nSize - m_nConsumed; }

private:
    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    // Copies the next `size` bytes to `target`.
    void Read(void* target, size_t size);
    void Refill();
    void ReadNewClass();
    void RequireClassIndex(uint32_t index) const;
    QString ReadWideChars(uint32_t length);
    QString ReadSingleByteChars(uint32_t length);

    QIODevice& m_device;
    uint64_t m_nSize;
    uint64_t m_nConsumed = 0;
    QByteArray m_buffer;
    qsizetype m_nBufferPos = 0;
    qsizetype m_nBufferEnd = 0;
    uint32_t m_nNextIndex = 1;
    std::vector<uint32_t> m_classIndexes;  // ascending
};

// The fewest bytes one row can take in a file: a class reference tag and
// four empty single-byte texts. Bounds a row count read from a file.
constexpr uint64_t kMinRowBytes = 2 + 4;
