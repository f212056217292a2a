// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes, in arbitrary pieces, to the reader of the instance
// protocol. The reader must never hold more than one record, must hand on
// only known codes, and a path it accepts must come through a second round
// unchanged.
#include "app/instance_record_reader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray Query() { return EncodeRecordHeader(kInstanceQueryMessage, 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the size of the pieces the bytes arrive in.
    const qsizetype piece = 1 + data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    CInstanceRecordReader reader;
    qsizetype offset = 0;
    bool done = false;
    while (!done && offset < bytes.size()) {
        const qsizetype room = reader.Room();
        Check(room >= 0 && room <= kRecordHeaderBytes + qsizetype(kMaxRecordBytes));
        const QByteArray chunk = bytes.mid(offset, std::min(piece, room));
        if (chunk.isEmpty())
            break;
        reader.Append(chunk);
        offset += chunk.size();
        for (;;) {
            const CInstanceRecordReader::Step step = reader.Next();
            if (step == CInstanceRecordReader::Step::NeedMore)
                break;
            if (step == CInstanceRecordReader::Step::Query)
                continue;
            done = true;
            if (step == CInstanceRecordReader::Step::Record) {
                const std::uint32_t code = reader.Code();
                Check(code == COPYDATA_OPEN_FILE || code == COPYDATA_CLOSE || code == COPYDATA_ACTIVATE);
                Check(code == COPYDATA_OPEN_FILE || reader.Path().isEmpty());
                if (code == COPYDATA_OPEN_FILE) {
                    CInstanceRecordReader again;
                    again.Append(Query() + EncodeRecord(MakeOpenFileRecord(reader.Path())));
                    Check(again.Next() == CInstanceRecordReader::Step::Query);
                    Check(again.Next() == CInstanceRecordReader::Step::Record);
                    Check(again.Path() == reader.Path());
                }
            }
            break;
        }
    }
    return 0;
}
