// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/icon_list_box.h"

#include <QAbstractItemDelegate>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr int ROLE_IMAGE = Qt::UserRole;
constexpr int ROLE_DISABLED = Qt::UserRole + 1;
constexpr int kTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;
// Room around the icon: 3 pixels left, 2 above, and 6 × 4 in all.
constexpr int kIconCellExtraWidth = 6;
constexpr int kIconCellExtraHeight = 4;
constexpr int kRowPadding = 4;

}  // namespace

class CIconListBoxDelegate final : public QAbstractItemDelegate {
public:
    explicit CIconListBoxDelegate(CIconListBox* list) : QAbstractItemDelegate(list), m_pList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_pList->PaintRow(*painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const int width = m_pList->viewport()->width();
        return {width, m_pList->MeasureRow(index.data(Qt::DisplayRole).toString(), width)};
    }

private:
    CIconListBox* m_pList;
};

CIconListBox::CIconListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new CIconListBoxDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows are measured for the list's width, so a new width lays them out again.
    setResizeMode(QListView::Adjust);
    setWordWrap(true);
}

void CIconListBox::SetImageList(QList<QIcon> icons, QSize iconSize)
{
    m_icons = std::move(icons);
    m_iconSize = m_icons.isEmpty() ? QSize(0, 0) : iconSize;
    doItemsLayout();
    viewport()->update();
}

void CIconListBox::SetFocusStyle(FocusStyle style)
{
    m_nFocusStyle = style;
    viewport()->update();
}

int CIconListBox::AddRow(const QString& text, int image)
{
    auto* row = new QListWidgetItem(text, this);
    row->setData(ROLE_IMAGE, image);
    row->setData(ROLE_DISABLED, false);
    return count() - 1;
}

void CIconListBox::SetRowDisabled(int row, bool disabled)
{
    if (QListWidgetItem* it = item(row))
        it->setData(ROLE_DISABLED, disabled);
}

bool CIconListBox::IsRowDisabled(int row) const
{
    const QListWidgetItem* it = item(row);
    return it && it->data(ROLE_DISABLED).toBool();
}

CIconListBox::RowLayout CIconListBox::LayoutRow(const QRect& rowRect, const QString& text) const
{
    RowLayout layout;
    if (!m_icons.isEmpty()) {
        layout.icon = QRect(rowRect.left(), rowRect.top(), m_iconSize.width() + kIconCellExtraWidth,
                            m_iconSize.height() + kIconCellExtraHeight);
    }
    layout.textColumn = rowRect;
    layout.textColumn.setLeft(rowRect.left() + layout.icon.width());
    const QRect measured = fontMetrics().boundingRect(QRect(0, 0, layout.textColumn.width(), 1 << 20), kTextFlags,
                                                      text);
    layout.text = QRect(layout.textColumn.left(),
                        layout.textColumn.top() + (layout.textColumn.height() - measured.height()) / 2,
                        std::min(measured.width(), layout.textColumn.width()), measured.height());
    return layout;
}

int CIconListBox::MeasureRow(const QString& text, int width) const
{
    // Measured in the text column, where the text is drawn, so that a name
    // that wraps there gets the lines it needs.
    const int iconCell = m_icons.isEmpty() ? 0 : m_iconSize.width() + kIconCellExtraWidth;
    const int columnWidth = std::max(1, width - iconCell);
    int height = fontMetrics().boundingRect(QRect(0, 0, columnWidth, 1 << 20), kTextFlags, text).height();
    if (!m_icons.isEmpty())
        height = std::max(height, m_iconSize.height() + kIconCellExtraHeight);
    return height + kRowPadding;
}

void CIconListBox::DrawTextBackground(QPainter& painter, const QRect& fill, const QColor& colour)
{
    painter.fillRect(fill, colour);
}

void CIconListBox::DrawIconBackground(QPainter& painter, const QRect& rowRect, const QRect& iconRect,
                                      const QColor& colour)
{
    painter.fillRect(QRect(iconRect.left(), rowRect.top(), iconRect.width(), rowRect.height()), colour);
}

void CIconListBox::DrawIcon(QPainter& painter, const QRect& iconRect, int image, bool disabled)
{
    if (image < 0 || image >= m_icons.size())
        return;
    const QRect target(iconRect.left() + 3, iconRect.top() + 2, m_iconSize.width(), m_iconSize.height());
    m_icons[image].paint(&painter, target, Qt::AlignCenter, disabled ? QIcon::Disabled : QIcon::Normal);
}

void CIconListBox::PaintRow(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QPalette& pal = option.palette;
    const QColor window = pal.color(QPalette::Active, QPalette::Base);
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor windowText = pal.color(QPalette::Active, QPalette::Text);
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.state & QStyle::State_HasFocus;
    const bool disabled = !(option.state & QStyle::State_Enabled) || IsRowDisabled(index.row());
    const QString text = index.data(Qt::DisplayRole).toString();

    // Laid out left to right, then mirrored for a right-to-left language.
    const QRect row = option.rect;
    const RowLayout ltr = LayoutRow(row, text);
    const auto visual = [&](const QRect& r) { return QStyle::visualRect(option.direction, row, r); };
    const QRect iconRect = visual(ltr.icon);
    const QRect textColumn = visual(ltr.textColumn);
    const QRect textRect = visual(ltr.text);

    if (!m_icons.isEmpty()) {
        const bool rowHighlight = selected && !disabled && m_nFocusStyle == FOCUS_ROW;
        DrawIconBackground(painter, row, iconRect, rowHighlight ? highlight : window);
    }

    QColor textColour = windowText;
    QColor textBackground = window;
    if (disabled) {
        textColour = pal.color(QPalette::Disabled, QPalette::Text);
    } else if (selected) {
        textColour = QColor::fromRgb(~windowText.rgb() & 0xFFFFFF);
        textBackground = highlight;
    }
    DrawTextBackground(painter, m_nFocusStyle == FOCUS_TEXT ? textRect : textColumn, textBackground);

    if (!m_icons.isEmpty())
        DrawIcon(painter, iconRect, index.data(ROLE_IMAGE).toInt(), disabled);

    painter.save();
    painter.setPen(textColour);
    painter.drawText(textRect, kTextFlags | int(QStyle::visualAlignment(option.direction, Qt::AlignLeft)), text);
    painter.restore();

    if (focused && !disabled) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = m_nFocusStyle == FOCUS_ROW ? row : m_nFocusStyle == FOCUS_TEXT_COLUMN ? textColumn : textRect;
        focus.backgroundColor = textBackground;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CIconListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && IsRowDisabled(index.row())) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}
