// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the playlist file reader. A list that reads
// without error must write back to bytes that read to the same rows.
#include "playlist/playlist_dbm.h"
#include "playlist/vml_archive.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

bool Read(const QByteArray& bytes, CPlaylistDBM& list)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        CVmlInArchive archive(buffer);
        list.Serialize(archive);
        return true;
    } catch (const CVmlException&) {
        return false;
    }
}

QByteArray Write(const CPlaylistDBM& list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CVmlOutArchive archive(buffer);
    list.Serialize(archive);
    if (!archive.Flush())
        std::abort();
    return buffer.data();
}

bool SameRows(const CPlaylistDBM& a, const CPlaylistDBM& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const CPlaylistRow& x = a.GetRow(i);
        const CPlaylistRow& y = b.GetRow(i);
        if (x.m_strFileName != y.m_strFileName || x.m_strFolder != y.m_strFolder || x.m_strPath != y.m_strPath ||
            x.m_strDuration != y.m_strDuration)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CPlaylistDBM list;
    if (!Read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), list))
        return 0;
    CPlaylistDBM again;
    if (!Read(Write(list), again) || !SameRows(list, again))
        std::abort();
    return 0;
}
