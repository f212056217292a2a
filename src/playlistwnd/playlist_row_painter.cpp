// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistwnd/playlist_row_painter.h"

#include "platform/path_codec.h"
#include "playlist/playlist.h"
#include "skin/skin_text.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

int DecimalDigits(int n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

CPlaylistRowPainter::CPlaylistRowPainter() : m_font(QStringLiteral("Tahoma"))
{
    m_font.setPixelSize(11);
    // Where Tahoma is missing, fontconfig picks a sans face.
    m_font.setStyleHint(QFont::SansSerif);
    const QFontMetrics metrics(m_font);
    m_nAscent = metrics.ascent();
    m_nTimeWidth = metrics.horizontalAdvance(QStringLiteral("00:00:00"));
}

int CPlaylistRowPainter::DrawnRows(const QRect& listArea, int count, int top)
{
    if (count <= 0 || top < 0 || top >= count || listArea.height() < 0)
        return 0;
    return std::min(listArea.height() / kRowHeight + 1, count - top);
}

QRect CPlaylistRowPainter::RowBand(const QRect& listArea, int n)
{
    return QRect(listArea.left(), listArea.top() + n * kRowHeight, listArea.width(), kRowHeight);
}

int CPlaylistRowPainter::RowAt(const QRect& listArea, const CPlaylist& playlist, QPoint point)
{
    const int top = playlist.m_nTop;
    const int drawn = DrawnRows(listArea, playlist.GetCount(), top);
    for (int n = 0; n < drawn; ++n) {
        if (RowBand(listArea, n).contains(point))
            return top + n;
    }
    return -1;
}

QString CPlaylistRowPainter::NumberedName(int index, int count, const QString& name)
{
    const int missing = std::max(DecimalDigits(count) - DecimalDigits(index + 1), 0);
    return QString(2 * missing, u' ') + QString::number(index + 1) + QStringLiteral(". ") + name;
}

void CPlaylistRowPainter::Paint(QPainter& painter, const QRect& listArea, const CPlaylist& playlist,
                                bool showFileName) const
{
    const int count = playlist.GetCount();
    const int top = playlist.m_nTop;
    const int drawn = DrawnRows(listArea, count, top);
    if (drawn == 0)
        return;

    const int selected = playlist.m_nSelected - top;
    if (selected >= 0 && selected < drawn)
        painter.fillRect(RowBand(listArea, selected).adjusted(-1, 0, 1, 0), kSelectionColor);

    // Text starts 2 pixels inside the list area on either side; the names
    // are cut at the duration column, the durations end at the right.
    const int left = listArea.left() + 2;
    const int right = listArea.left() + listArea.width() - 2;
    const int split = right - m_nTimeWidth - 2;
    const QRect names(left, listArea.top(), std::max(split - left, 0), drawn * kRowHeight);
    const QRect times(split, listArea.top(), right - split, drawn * kRowHeight);
    const QFontMetrics metrics(m_font);

    painter.save();
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.setFont(m_font);
    painter.setClipRect(names, Qt::IntersectClip);
    for (int n = 0; n < drawn; ++n) {
        const int index = top + n;
        const CPlaylistRow& row = playlist.GetRow(index);
        painter.setPen(index == playlist.GetCurrent() ? kCurrentColor : kTextColor);
        const QString text = NumberedName(
            index, count, InOwnDirection(DisplayPath(showFileName ? row.m_strFileName : row.m_strPath)));
        painter.drawText(QPoint(left, listArea.top() + n * kRowHeight + m_nAscent), text);
    }
    painter.restore();

    painter.save();
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.setFont(m_font);
    painter.setClipRect(times, Qt::IntersectClip);
    for (int n = 0; n < drawn; ++n) {
        const int index = top + n;
        const QString& duration = playlist.GetRow(index).m_strDuration;
        painter.setPen(index == playlist.GetCurrent() ? kCurrentColor : kTextColor);
        painter.drawText(
            QPoint(right - metrics.horizontalAdvance(duration), listArea.top() + n * kRowHeight + m_nAscent),
            duration);
    }
    painter.restore();
}
