// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include "art_kit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// Coordinates inside the box, as fractions of its width and height.
struct Box {
    QRectF r;
    double X(double f) const { return r.left() + f * r.width(); }
    double Y(double f) const { return r.top() + f * r.height(); }
    QPointF P(double fx, double fy) const { return {X(fx), Y(fy)}; }
    QRectF R(double fx0, double fy0, double fx1, double fy1) const { return QRectF(P(fx0, fy0), P(fx1, fy1)); }
};

// Shapes are combined as regions, so holes cut into one stay open whatever
// is added after.
void Add(QPainterPath& path, const QPainterPath& shape) { path = path.united(shape); }

void Polygon(QPainterPath& path, const QPolygonF& polygon)
{
    QPainterPath shape;
    shape.addPolygon(polygon);
    shape.closeSubpath();
    Add(path, shape);
}

void Triangle(QPainterPath& path, QPointF a, QPointF b, QPointF c) { Polygon(path, QPolygonF({a, b, c})); }

void Bar(QPainterPath& path, const QRectF& r)
{
    QPainterPath shape;
    shape.addRect(r);
    Add(path, shape);
}

// A ring of thickness `width` along the edges of r.
void Frame(QPainterPath& path, const QRectF& r, double width)
{
    Bar(path, QRectF(r.left(), r.top(), r.width(), width));
    Bar(path, QRectF(r.left(), r.bottom() - width, r.width(), width));
    Bar(path, QRectF(r.left(), r.top(), width, r.height()));
    Bar(path, QRectF(r.right() - width, r.top(), width, r.height()));
}

QPainterPath Shape(Glyph glyph, const QRectF& rect)
{
    const Box b{rect};
    const double px = 1.0;  // one pixel, the stroke width of outline symbols
    QPainterPath p;
    switch (glyph) {
    case Glyph::Play: Triangle(p, b.P(0.2, 0), b.P(0.2, 1), b.P(0.95, 0.5)); break;
    case Glyph::Pause:
        Bar(p, b.R(0.15, 0, 0.42, 1));
        Bar(p, b.R(0.58, 0, 0.85, 1));
        break;
    case Glyph::Stop: Bar(p, b.R(0.1, 0.05, 0.9, 0.95)); break;
    case Glyph::Eject:
        Triangle(p, b.P(0.05, 0.6), b.P(0.95, 0.6), b.P(0.5, 0));
        Bar(p, b.R(0.05, 0.78, 0.95, 1));
        break;
    case Glyph::Previous:
        Bar(p, b.R(0.05, 0, 0.05 + 2 * px / rect.width(), 1));
        Triangle(p, b.P(0.95, 0), b.P(0.95, 1), b.P(0.28, 0.5));
        break;
    case Glyph::Next:
        Bar(p, b.R(0.95 - 2 * px / rect.width(), 0, 0.95, 1));
        Triangle(p, b.P(0.05, 0), b.P(0.05, 1), b.P(0.72, 0.5));
        break;
    case Glyph::Slower:
        Triangle(p, b.P(0.5, 0), b.P(0.5, 1), b.P(0, 0.5));
        Triangle(p, b.P(1, 0), b.P(1, 1), b.P(0.5, 0.5));
        break;
    case Glyph::Faster:
        Triangle(p, b.P(0, 0), b.P(0, 1), b.P(0.5, 0.5));
        Triangle(p, b.P(0.5, 0), b.P(0.5, 1), b.P(1, 0.5));
        break;
    case Glyph::FullScreen: {
        const double w = 0.38, h = 0.42, tx = px / rect.width(), ty = px / rect.height();
        for (double fx : {0.0, 1.0}) {
            for (double fy : {0.0, 1.0}) {
                const double x0 = fx == 0 ? 0 : 1 - w, y0 = fy == 0 ? 0 : 1 - h;
                Bar(p, b.R(x0, fy == 0 ? 0 : 1 - ty, x0 + w, fy == 0 ? ty : 1));
                Bar(p, b.R(fx == 0 ? 0 : 1 - tx, y0, fx == 0 ? tx : 1, y0 + h));
            }
        }
        break;
    }
    case Glyph::TopMost:
        // A window frame behind, a solid one in front.
        Frame(p, b.R(0, 0, 0.62, 0.62), px);
        Bar(p, b.R(0.38, 0.38, 1, 1));
        break;
    case Glyph::Hide:
        Triangle(p, b.P(0.1, 0.15), b.P(0.9, 0.15), b.P(0.5, 0.68));
        Bar(p, b.R(0.1, 0.82, 0.9, 1));
        break;
    case Glyph::Minimize: Bar(p, b.R(0.1, 1 - 2 * px / rect.height(), 0.9, 1)); break;
    case Glyph::Maximize:
        Frame(p, rect, px);
        Bar(p, QRectF(rect.left(), rect.top(), rect.width(), 2 * px));
        break;
    case Glyph::Restore: {
        // The window behind shows only above and right of the front one.
        const QRectF back(rect.left() + 3 * px, rect.top(), rect.width() - 3 * px, rect.height() - 3 * px);
        const QRectF front(rect.left(), rect.top() + 3 * px, rect.width() - 3 * px, rect.height() - 3 * px);
        Bar(p, QRectF(back.left(), back.top(), back.width(), px));
        Bar(p, QRectF(back.right() - px, back.top(), px, back.height()));
        Frame(p, front, px);
        Bar(p, QRectF(front.left(), front.top(), front.width(), 2 * px));
        break;
    }
    case Glyph::Close: {
        QPainterPath line;
        line.moveTo(b.P(0.08, 0));
        line.lineTo(b.P(0.92, 1));
        line.moveTo(b.P(0.92, 0));
        line.lineTo(b.P(0.08, 1));
        QPainterPathStroker stroker;
        stroker.setWidth(1.7);
        stroker.setCapStyle(Qt::FlatCap);
        Add(p, stroker.createStroke(line));
        break;
    }
    case Glyph::Speaker:
    case Glyph::SpeakerMuted: {
        Bar(p, b.R(0, 0.33, 0.2, 0.67));
        Polygon(p, QPolygonF({b.P(0.18, 0.33), b.P(0.5, 0), b.P(0.5, 1), b.P(0.18, 0.67)}));
        QPainterPathStroker stroker;
        stroker.setWidth(1.1);
        QPainterPath marks;
        if (glyph == Glyph::Speaker) {
            marks.arcMoveTo(b.R(0.35, 0.2, 0.75, 0.8), -50);
            marks.arcTo(b.R(0.35, 0.2, 0.75, 0.8), -50, 100);
            marks.arcMoveTo(b.R(0.3, -0.05, 1.0, 1.05), -50);
            marks.arcTo(b.R(0.3, -0.05, 1.0, 1.05), -50, 100);
        } else {
            stroker.setWidth(1.5);
            marks.moveTo(b.P(0.64, 0.22));
            marks.lineTo(b.P(1.0, 0.78));
            marks.moveTo(b.P(1.0, 0.22));
            marks.lineTo(b.P(0.64, 0.78));
        }
        Add(p, stroker.createStroke(marks));
        break;
    }
    case Glyph::Repeat: {
        QPainterPath loop;
        const QRectF ring = b.R(0.08, 0.12, 0.92, 0.9);
        loop.arcMoveTo(ring, 110);
        loop.arcTo(ring, 110, 300);
        QPainterPathStroker stroker;
        stroker.setWidth(1.5);
        Add(p, stroker.createStroke(loop));
        Triangle(p, b.P(0.18, -0.08), b.P(0.52, 0.14), b.P(0.18, 0.42));
        break;
    }
    case Glyph::Shuffle: {
        QPainterPath lines;
        lines.moveTo(b.P(0, 0.18));
        lines.cubicTo(b.P(0.45, 0.18), b.P(0.4, 0.82), b.P(0.78, 0.82));
        lines.moveTo(b.P(0, 0.82));
        lines.cubicTo(b.P(0.45, 0.82), b.P(0.4, 0.18), b.P(0.78, 0.18));
        QPainterPathStroker stroker;
        stroker.setWidth(1.2);
        Add(p, stroker.createStroke(lines));
        Triangle(p, b.P(0.72, -0.05), b.P(1, 0.18), b.P(0.72, 0.41));
        Triangle(p, b.P(0.72, 0.59), b.P(1, 0.82), b.P(0.72, 1.05));
        break;
    }
    case Glyph::Options:
        // Three slider rails with their knobs.
        for (int i = 0; i < 3; ++i) {
            const double y = 0.5 * i;
            const double knob = i == 1 ? 0.62 : (i == 0 ? 0.22 : 0.45);
            Bar(p, QRectF(b.X(0), b.Y(y) + (i == 2 ? -px : 0), rect.width(), px));
            Bar(p, QRectF(b.X(knob), b.Y(y) - px + (i == 2 ? -px : 0), 3 * px, 3 * px));
        }
        break;
    case Glyph::Playlist:
        for (int i = 0; i < 3; ++i) {
            const double y = rect.top() + i * (rect.height() - 2 * px) / 2;
            Bar(p, QRectF(b.X(0), y, 2 * px, 2 * px));
            Bar(p, QRectF(b.X(0) + 3 * px, y, rect.width() - 3 * px, 2 * px));
        }
        break;
    case Glyph::Add:
        Bar(p, QRectF(b.X(0.5) - px, rect.top(), 2 * px, rect.height()));
        Bar(p, QRectF(rect.left(), b.Y(0.5) - px, rect.width(), 2 * px));
        break;
    case Glyph::AddFolder:
        Bar(p, b.R(0, 0.25, 0.72, 1));
        Bar(p, b.R(0, 0.12, 0.32, 0.3));
        {
            QPainterPath plus;
            plus.addRect(QRectF(b.X(0.82) - px / 2, b.Y(0.0), px, b.Y(0.6) - b.Y(0.0)));
            plus.addRect(QRectF(b.X(0.66), b.Y(0.3) - px / 2, b.X(1.0) - b.X(0.66), px));
            Add(p, plus);
        }
        break;
    case Glyph::Remove: Bar(p, QRectF(rect.left(), b.Y(0.5) - px, rect.width(), 2 * px)); break;
    case Glyph::Clear: {
        // A waste bin.
        Bar(p, b.R(0.05, 0.1, 0.95, 0.1 + 1.5 * px / rect.height()));
        Bar(p, b.R(0.35, 0, 0.65, 0.12));
        QPainterPath bin;
        Polygon(bin, QPolygonF({b.P(0.15, 0.3), b.P(0.85, 0.3), b.P(0.76, 1), b.P(0.24, 1)}));
        QPainterPath cuts;
        cuts.addRect(QRectF(b.X(0.38) - px / 2, b.Y(0.42), px, b.Y(0.9) - b.Y(0.42)));
        cuts.addRect(QRectF(b.X(0.62) - px / 2, b.Y(0.42), px, b.Y(0.9) - b.Y(0.42)));
        Add(p, bin.subtracted(cuts));
        break;
    }
    case Glyph::Open:
        Bar(p, b.R(0, 0.12, 0.35, 0.3));
        {
            // The folder's back, and its open front flap with a gap above it.
            Bar(p, b.R(0, 0.25, 0.85, 1));
            QPainterPath front;
            Polygon(front, QPolygonF({b.P(0.2, 0.42), b.P(1.05, 0.42), b.P(0.9, 1.05), b.P(-0.05, 1.05)}));
            p = p.subtracted(front);
            Polygon(p, QPolygonF({b.P(0.26, 0.56), b.P(1.0, 0.56), b.P(0.85, 1), b.P(0.06, 1)}));
        }
        break;
    case Glyph::Save:
        Triangle(p, b.P(0.2, 0.3), b.P(0.8, 0.3), b.P(0.5, 0.68));
        Bar(p, QRectF(b.X(0.5) - px, rect.top(), 2 * px, b.Y(0.32) - rect.top()));
        Bar(p, b.R(0, 0.82, 1, 1));
        break;
    case Glyph::Sort:
        for (int i = 0; i < 3; ++i) {
            const double y = rect.top() + i * (rect.height() - 2 * px) / 2;
            Bar(p, QRectF(rect.left(), y, b.X(0.3 + 0.2 * i) - rect.left(), 2 * px));
        }
        Bar(p, QRectF(b.X(0.85) - px / 2, rect.top(), px, b.Y(0.6) - rect.top()));
        Triangle(p, b.P(0.68, 0.55), b.P(1.02, 0.55), b.P(0.85, 1));
        break;
    case Glyph::Up: Triangle(p, b.P(0, 0.85), b.P(1, 0.85), b.P(0.5, 0.1)); break;
    case Glyph::Down: Triangle(p, b.P(0, 0.15), b.P(1, 0.15), b.P(0.5, 0.9)); break;
    case Glyph::NamesShort:
        Bar(p, QRectF(rect.left(), rect.top(), b.X(0.45) - rect.left(), 2 * px));
        Bar(p, QRectF(rect.left(), b.Y(0.5) - px, b.X(0.6) - rect.left(), 2 * px));
        Bar(p, QRectF(rect.left(), rect.bottom() - 2 * px, b.X(0.35) - rect.left(), 2 * px));
        break;
    case Glyph::NamesLong:
        Bar(p, QRectF(rect.left(), rect.top(), rect.width(), 2 * px));
        Bar(p, QRectF(rect.left(), b.Y(0.5) - px, rect.width(), 2 * px));
        Bar(p, QRectF(rect.left(), rect.bottom() - 2 * px, b.X(0.8) - rect.left(), 2 * px));
        break;
    }
    return p;
}

}  // namespace

void PaintGlyphShape(QPainter& painter, Glyph glyph, const QRectF& box) { painter.drawPath(Shape(glyph, box)); }

void EngraveGlyph(QImage& image, Glyph glyph, const QRectF& box, QRgb colour)
{
    const QPainterPath shape = Shape(glyph, box);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(art::Style().glyphShadow));
    painter.drawPath(shape.translated(0, -1));
    painter.drawPath(shape.translated(-1, 0));
    painter.setBrush(QColor::fromRgba(art::Style().glyphGleam));
    painter.drawPath(shape.translated(0.5, 1));
    painter.setBrush(QColor::fromRgb(colour));
    painter.drawPath(shape);
}
