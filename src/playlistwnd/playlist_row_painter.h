// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class CPlaylist;
class QPainter;

// Draws and hit-tests the rows of the playlist window's list area. All row
// geometry lives here, so whatever else needs to know where a row is (the
// window's input, assistive technology) asks the same functions. Only the
// rows that fit in the list area are touched, whatever the list's length.
class CPlaylistRowPainter {
public:
    static constexpr int kRowHeight = 13;
    static inline const QColor kTextColor{128, 128, 128};
    static inline const QColor kCurrentColor{180, 60, 60};
    static inline const QColor kSelectionColor{78, 38, 20};

    // Makes the font once: an 11-pixel sans face, "Tahoma" where it exists.
    CPlaylistRowPainter();

    // How many rows from `top` on are drawn: the rows that fit, one partly
    // visible row at the bottom included, no more than the list holds.
    static int DrawnRows(const QRect& listArea, int count, int top);
    // The band of the n-th drawn row, as wide as the list area.
    static QRect RowBand(const QRect& listArea, int n);
    // The list row under `point`, or -1.
    static int RowAt(const QRect& listArea, const CPlaylist& playlist, QPoint point);
    // "5. name" with two spaces for every digit the number has fewer than
    // the row count, so the dots of all numbers stand in one column.
    static QString NumberedName(int index, int count, const QString& name);

    // Draws the rows over the list area; showFileName picks the file name
    // over the full path.
    void Paint(QPainter& painter, const QRect& listArea, const CPlaylist& playlist, bool showFileName) const;

    const QFont& Font() const { return m_font; }

private:
    QFont m_font;
    int m_nAscent = 0;
    // The width of the duration column: that of "00:00:00".
    int m_nTimeWidth = 0;
};
