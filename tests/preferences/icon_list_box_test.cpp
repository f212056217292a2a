// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/icon_list_box.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QIcon SolidIcon(QColor colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Pixels of `colour` inside `rect` of the list's rendering.
int CountColour(const QImage& image, const QRect& rect, QColor colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}

class IconListBoxTest : public testing::Test {
protected:
    IconListBoxTest()
    {
        m_list.resize(160, 200);
        m_list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    int RowHeight(int row) const { return m_list.visualItemRect(m_list.item(row)).height(); }
    int LineHeight() const
    {
        return m_list.fontMetrics().boundingRect(QRect(0, 0, 1000, 1000), Qt::TextWordWrap, "General").height();
    }
    QImage Render()
    {
        QApplication::processEvents();
        return m_list.viewport()->grab().toImage();
    }

    CIconListBox m_list;
};

TEST_F(IconListBoxTest, RowsAreMeasuredFromTheirTextAndIcons)
{
    // Without icons: the text height + 4.
    m_list.AddRow(QStringLiteral("General"), 0);
    QApplication::processEvents();
    EXPECT_EQ(RowHeight(0), LineHeight() + 4);

    // With icons taller than the text: the icon cell (icon + 4) + 4.
    m_list.SetImageList({SolidIcon(Qt::red, 40)}, QSize(40, 40));
    QApplication::processEvents();
    EXPECT_EQ(RowHeight(0), std::max(LineHeight(), 44) + 4);

    // A name too wide for the text column wraps and the row grows with it.
    m_list.SetImageList({SolidIcon(Qt::red, 16)}, QSize(16, 16));
    m_list.AddRow(QStringLiteral("Association of media file types with this player"), 0);
    QApplication::processEvents();
    EXPECT_EQ(RowHeight(0), std::max(LineHeight(), 20) + 4);
    EXPECT_GE(RowHeight(1), 2 * LineHeight() + 4);

    // Narrowing the list measures the rows again.
    const int wide = RowHeight(1);
    m_list.resize(100, 200);
    QApplication::processEvents();
    EXPECT_GT(RowHeight(1), wide);
}

TEST_F(IconListBoxTest, DisabledRowIsGreyShowsNoSelectionAndSwallowsDoubleClicks)
{
    const QColor iconColour(0, 200, 0);
    m_list.SetImageList({SolidIcon(iconColour, 16)}, QSize(16, 16));
    m_list.AddRow(QStringLiteral("General"), 0);
    m_list.AddRow(QStringLiteral("Keys"), 0);
    m_list.SetRowDisabled(1, true);
    m_list.setFocus();
    const QColor highlight = m_list.palette().color(QPalette::Active, QPalette::Highlight);
    const QRect enabledRow = m_list.visualItemRect(m_list.item(0));
    const QRect disabledRow = m_list.visualItemRect(m_list.item(1));

    // The icon sits 3 pixels in and 2 down in its cell.
    m_list.setCurrentRow(0);
    QImage image = Render();
    EXPECT_EQ(image.pixelColor(enabledRow.left() + 3, enabledRow.top() + 2).rgb(), iconColour.rgb());
    EXPECT_NE(image.pixelColor(enabledRow.left() + 2, enabledRow.top() + 2).rgb(), iconColour.rgb());
    EXPECT_GT(CountColour(image, enabledRow, highlight), enabledRow.width());

    m_list.setCurrentRow(1);
    image = Render();
    EXPECT_EQ(CountColour(image, disabledRow, highlight), 0);
    EXPECT_EQ(CountColour(image, disabledRow, iconColour), 0);  // greyed

    QSignalSpy doubleClicks(&m_list, &QListWidget::itemDoubleClicked);
    const auto doubleClick = [this](QPoint at) {
        // A double-click as the window system delivers it: press, release,
        // then the second press as a double-click.
        QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(disabledRow.center());
    EXPECT_EQ(doubleClicks.count(), 0);
    doubleClick(enabledRow.center());
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST_F(IconListBoxTest, FocusStylesPutTheSelectionColourWhereTheySay)
{
    m_list.SetImageList({SolidIcon(Qt::red, 16)}, QSize(16, 16));
    m_list.AddRow(QStringLiteral("General"), 0);
    m_list.setCurrentRow(0);
    const QColor highlight = m_list.palette().color(QPalette::Active, QPalette::Highlight);
    const QRect row = m_list.visualItemRect(m_list.item(0));
    const QRect iconCell(row.left(), row.top(), 22, row.height());
    const QPoint pastText(row.right() - 2, row.center().y());

    QImage image = Render();
    EXPECT_GT(CountColour(image, iconCell, highlight), 0);
    m_list.SetFocusStyle(CIconListBox::FOCUS_TEXT_COLUMN);
    image = Render();
    EXPECT_EQ(CountColour(image, iconCell, highlight), 0);
    EXPECT_EQ(image.pixelColor(pastText).rgb(), highlight.rgb());
    m_list.SetFocusStyle(CIconListBox::FOCUS_TEXT);
    image = Render();
    EXPECT_NE(image.pixelColor(pastText).rgb(), highlight.rgb());
    EXPECT_GT(CountColour(image, row, highlight), 0);
}

}  // namespace
