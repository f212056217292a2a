// SPDX-License-Identifier: GPL-3.0-or-later
#include "coded_sheet.h"

#include "skin/sprite_layout.h"

QRgb CodedPixel(int x, int y) { return qRgb(x & 0xFF, y, 0x40 | (x >> 8)); }

QImage CodedSheet()
{
    QImage sheet(sprite::kSheetSize, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, CodedPixel(x, y));
    return sheet;
}

namespace {

QString Hex(QRgb c) { return QString::number(c & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0')); }

}  // namespace

testing::AssertionResult CopiedFrom(const QImage& image, const QRect& dest, QPoint from)
{
    for (int y = 0; y < dest.height(); ++y) {
        for (int x = 0; x < dest.width(); ++x) {
            const QRgb got = image.pixel(dest.x() + x, dest.y() + y) & 0xFFFFFF;
            const QRgb want = CodedPixel(from.x() + x, from.y() + y) & 0xFFFFFF;
            if (got != want)
                return testing::AssertionFailure()
                       << "pixel (" << dest.x() + x << ", " << dest.y() + y << ") is " << Hex(got).toStdString()
                       << ", expected sheet pixel (" << from.x() + x << ", " << from.y() + y << ") "
                       << Hex(want).toStdString();
        }
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult TiledFrom(const QImage& image, const QRect& dest, const QRect& tile)
{
    for (int y = 0; y < dest.height(); ++y) {
        for (int x = 0; x < dest.width(); ++x) {
            const QPoint from(tile.x() + x % tile.width(), tile.y() + y % tile.height());
            const auto result = CopiedFrom(image, QRect(dest.x() + x, dest.y() + y, 1, 1), from);
            if (!result)
                return result;
        }
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult SamePixels(const QImage& a, const QImage& b, const QRect& dest)
{
    for (int y = dest.top(); y <= dest.bottom(); ++y)
        for (int x = dest.left(); x <= dest.right(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return testing::AssertionFailure() << "pixels differ at (" << x << ", " << y << ")";
    return testing::AssertionSuccess();
}
