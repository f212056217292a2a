// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QListWidget>
#include <QSize>

class QPainter;
class QStyleOptionViewItem;

// A list whose rows show a small icon followed by word-wrapped text, each
// row as tall as its text needs. A row can be marked disabled: it is drawn
// greyed, never shows the selection or the focus, and swallows double-clicks.
class CIconListBox : public QListWidget {
    Q_OBJECT
public:
    // Where the selection colour and the focus frame go.
    enum FocusStyle { FOCUS_ROW = 0, FOCUS_TEXT_COLUMN = 1, FOCUS_TEXT = 2 };

    explicit CIconListBox(QWidget* parent = nullptr);

    // The icons rows refer to by index, all drawn at iconSize. An empty list
    // means text-only rows.
    void SetImageList(QList<QIcon> icons, QSize iconSize);
    QSize IconSize() const { return m_iconSize; }

    int GetFocusStyle() const { return m_nFocusStyle; }
    void SetFocusStyle(FocusStyle style);

    // Adds a row at the end; returns its index.
    int AddRow(const QString& text, int image);
    void SetRowDisabled(int row, bool disabled);
    bool IsRowDisabled(int row) const;

protected:
    // The three drawing steps, in this order, for each row.
    virtual void DrawTextBackground(QPainter& painter, const QRect& fill, const QColor& colour);
    virtual void DrawIconBackground(QPainter& painter, const QRect& rowRect, const QRect& iconRect,
                                    const QColor& colour);
    virtual void DrawIcon(QPainter& painter, const QRect& iconRect, int image, bool disabled);

    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class CIconListBoxDelegate;
    // The row geometry, in the row's own coordinates: the icon cell (empty
    // without icons), the text column right of it and the text's rectangle
    // centred vertically in the column.
    struct RowLayout {
        QRect icon;
        QRect textColumn;
        QRect text;
    };
    RowLayout LayoutRow(const QRect& rowRect, const QString& text) const;
    // The height a row with `text` needs when the list is `width` wide.
    int MeasureRow(const QString& text, int width) const;
    void PaintRow(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index);

    QList<QIcon> m_icons;
    QSize m_iconSize{0, 0};
    FocusStyle m_nFocusStyle = FOCUS_ROW;
};
