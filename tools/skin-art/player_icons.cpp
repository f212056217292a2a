// SPDX-License-Identifier: GPL-3.0-or-later
// The player's icons: the tray's state icons on a metal disc, the
// application icon and the preference pages on a rounded metal tile.
#include "metal_red_art.h"

#include "art_kit.h"
#include "glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace art;

namespace {

QColor C(QRgb rgb, int alpha = 255)
{
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}

void Disc(QPainter& p, double s)
{
    const QRectF outer(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient ring(outer.topLeft(), outer.bottomRight());
    ring.setColorAt(0, C(Metal(0.86)));
    ring.setColorAt(0.5, C(Metal(0.50)));
    ring.setColorAt(1, C(Metal(0.18)));
    p.setPen(QPen(C(kOutline), s / 32.0));
    p.setBrush(ring);
    p.drawEllipse(outer);
    const QRectF face = outer.adjusted(s * 0.12, s * 0.12, -s * 0.12, -s * 0.12);
    QRadialGradient dome(face.center() - QPointF(s * 0.1, s * 0.12), face.width() * 0.75);
    dome.setColorAt(0, C(Metal(0.70)));
    dome.setColorAt(1, C(Metal(0.28)));
    p.setBrush(dome);
    p.drawEllipse(face);
}

void Tile(QPainter& p, double s)
{
    const QRectF r(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, C(Metal(0.72)));
    body.setColorAt(0.5, C(Metal(0.48)));
    body.setColorAt(1, C(Metal(0.26)));
    p.setPen(QPen(C(kOutline), s / 32.0));
    p.setBrush(body);
    p.drawRoundedRect(r, s * 0.18, s * 0.18);
    // Brushing streaks.
    for (int i = 0; i < 14; ++i) {
        const double y = r.top() + s * 0.08 + i * (r.height() - s * 0.16) / 13;
        p.setPen(QPen(C(i % 2 ? 0xFFFFFF : 0x000000, 14), s / 64.0));
        p.drawLine(QPointF(r.left() + s * 0.1, y), QPointF(r.right() - s * 0.1, y));
    }
}

void Symbol(QPainter& p, Glyph glyph, const QRectF& box)
{
    p.setPen(Qt::NoPen);
    p.setBrush(C(kGlyphShadow, 200));
    PaintGlyphShape(p, glyph, box.translated(box.width() * 0.04, box.height() * 0.06));
    p.setBrush(C(kGlyph));
    PaintGlyphShape(p, glyph, box);
}

void Keyboard(QPainter& p, double s)
{
    const QRectF body(s * 0.18, s * 0.3, s * 0.64, s * 0.42);
    p.setPen(Qt::NoPen);
    p.setBrush(C(kGlyph));
    p.drawRoundedRect(body, s * 0.05, s * 0.05);
    p.setBrush(C(Metal(0.30)));
    const double key = s * 0.07;
    for (int row = 0; row < 3; ++row) {
        const int keys = row == 2 ? 1 : 5;
        for (int k = 0; k < keys; ++k) {
            const double w = row == 2 ? s * 0.36 : key;
            const double x = row == 2 ? body.left() + s * 0.14 : body.left() + s * 0.05 + k * s * 0.11;
            p.drawRect(QRectF(x, body.top() + s * 0.05 + row * s * 0.12, w, key));
        }
    }
}

void Document(QPainter& p, double s)
{
    QPainterPath page;
    page.moveTo(s * 0.26, s * 0.16);
    page.lineTo(s * 0.60, s * 0.16);
    page.lineTo(s * 0.76, s * 0.32);
    page.lineTo(s * 0.76, s * 0.84);
    page.lineTo(s * 0.26, s * 0.84);
    page.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(C(kGlyph));
    p.drawPath(page);
    // The media file's symbol, cut out of the page.
    p.setBrush(C(Metal(0.45)));
    PaintGlyphShape(p, Glyph::Play, QRectF(s * 0.36, s * 0.42, s * 0.3, s * 0.3));
}

}  // namespace

QImage DrawPlayerIcon(int iconId, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF centre(s * 0.3, s * 0.3, s * 0.4, s * 0.4);
    switch (iconId) {
    case 138:
        Tile(p, s);
        Symbol(p, Glyph::Play, centre.adjusted(-s * 0.04, -s * 0.06, s * 0.06, s * 0.06));
        break;
    case 140:
        Disc(p, s);
        Symbol(p, Glyph::Pause, centre);
        break;
    case 142:
        Disc(p, s);
        Symbol(p, Glyph::Play, centre.translated(s * 0.02, 0));
        break;
    case 144:
        Disc(p, s);
        Symbol(p, Glyph::Stop, centre.adjusted(s * 0.03, s * 0.03, -s * 0.03, -s * 0.03));
        break;
    case 153:
        Tile(p, s);
        Document(p, s);
        break;
    case 154:
        Tile(p, s);
        Symbol(p, Glyph::Options, QRectF(s * 0.22, s * 0.26, s * 0.56, s * 0.44));
        break;
    case 155:
        Tile(p, s);
        Keyboard(p, s);
        break;
    default: return QImage();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray ApplicationIconSvg()
{
    return QByteArray(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <defs>
    <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#c04a48"/>
      <stop offset="0.5" stop-color="#7a1a1c"/>
      <stop offset="1" stop-color="#3e0a0c"/>
    </linearGradient>
    <pattern id="brush" width="128" height="4" patternUnits="userSpaceOnUse">
      <rect width="128" height="1" fill="#ffffff" fill-opacity="0.05"/>
      <rect y="2" width="128" height="1" fill="#000000" fill-opacity="0.06"/>
    </pattern>
    <radialGradient id="face" cx="0.4" cy="0.35" r="0.75">
      <stop offset="0" stop-color="#a42d2e"/>
      <stop offset="1" stop-color="#3e0a0c"/>
    </radialGradient>
  </defs>
  <rect x="5" y="5" width="118" height="118" rx="22" fill="url(#body)" stroke="#140304" stroke-width="4"/>
  <rect x="7" y="7" width="114" height="114" rx="20" fill="url(#brush)"/>
  <circle cx="64" cy="64" r="38" fill="url(#face)" stroke="#140304" stroke-width="3"/>
  <circle cx="64" cy="64" r="33" fill="none" stroke="#da7068" stroke-opacity="0.35" stroke-width="2"/>
  <path d="M54 44 L84 64 L54 84 Z" fill="#1a0405" transform="translate(2 3)"/>
  <path d="M54 44 L84 64 L54 84 Z" fill="#d2d2d2"/>
</svg>
)svg");
}
