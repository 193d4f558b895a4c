#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace genassets {

namespace {

struct IconColours {
    QColor outline, backPaper, backPaperShade, paper, paperShade, fold, heading, ink;
    QColor glass, glassShade, rimLight, rimMid, rimDark, rimEdge, handle, handleShade, collar;
    QColor glint;
};

// clang-format off
const IconColours smoothColours {
    { 0x4c, 0x58, 0x68 }, { 0xf4, 0xf6, 0xfa }, { 0xc4, 0xcc, 0xd8 }, Qt::white,
    { 0xe4, 0xea, 0xf2 }, { 0xc8, 0xd2, 0xe0 }, { 0x1c, 0x4c, 0x98 }, { 0x3c, 0x78, 0xc8 },
    { 0xf0, 0xf8, 0xff, 250 }, { 0x9c, 0xcc, 0xf0, 245 }, { 0xe8, 0xee, 0xf4 },
    { 0x8a, 0x96, 0xa4 }, { 0x3a, 0x44, 0x50 }, { 0x20, 0x28, 0x30 }, { 0x5a, 0x34, 0x18 },
    { 0x24, 0x12, 0x06 }, { 0x70, 0x7c, 0x88 }, { 255, 255, 255, 230 },
};

// Sixteen-colour images get flat fills in the palette's own colours and no anti-aliasing, as
// hand-made icons of that depth had: blended edges would round to stray colours.
const IconColours paletteColours {
    Qt::black, { 0xc0, 0xc0, 0xc0 }, { 0xc0, 0xc0, 0xc0 }, Qt::white, Qt::white,
    { 0xc0, 0xc0, 0xc0 }, { 0x00, 0x00, 0x80 }, { 0x00, 0x00, 0xff }, Qt::white,
    Qt::white, { 0xc0, 0xc0, 0xc0 }, { 0x80, 0x80, 0x80 }, { 0x80, 0x80, 0x80 }, Qt::black,
    { 0x80, 0x00, 0x00 }, { 0x80, 0x00, 0x00 }, { 0x80, 0x80, 0x80 }, { 0x00, 0xff, 0xff },
};
// clang-format on

QBrush diagonal(const QRectF& area, const QColor& from, const QColor& to)
{
    if (from == to)
        return from;
    QLinearGradient g(area.topLeft(), area.bottomRight());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

} // namespace

// Two sheets of paper under a magnifying glass, laid out on a 128-unit grid. The sheets snap
// to whole pixels so that small sizes stay crisp; the glass is round and may blend.
QImage drawIcon(int size, IconStyle style)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const bool smooth = style == IconStyle::Smooth;
    const IconColours& c = smooth ? smoothColours : paletteColours;
    p.setRenderHint(QPainter::Antialiasing, smooth);

    const double k = size / 128.0;
    const bool tiny = size <= 16;
    const bool small = size <= 24;
    auto at = [k](double units) { return std::round(units * k); };
    // A pen `units` wide, but at least one pixel, in whole pixels.
    auto thickness = [k](double units) { return std::max(1.0, std::round(units * k)); };
    const double line = thickness(2.5);

    // An outlined rectangle whose outline lies wholly inside [left, right) x [top, bottom).
    auto sheetRect = [&](double left, double top, double right, double bottom) {
        return QRectF(left + line / 2, top + line / 2, right - left - line, bottom - top - line);
    };

    // Where things go, in grid units. Small sizes move the glass aside to leave the writing
    // readable and set the back sheet off straight
    // instead of tilting it, and so do the flat sixteen-colour images.
    struct Layout {
        QRectF back, front;
        double fold;
        QPointF lens;
        double lensRadius;
    };
    const Layout layout = tiny
        ? Layout { { 8, 16, 80, 106 }, { 24, 0, 82, 114 }, 26, { 84, 84 }, 20 }
        : small ? Layout { { 14, 18, 70, 94 }, { 36, 6, 72, 104 }, 28, { 74, 80 }, 26 }
                : Layout { { 14, 18, 70, 94 }, { 36, 6, 72, 104 }, 22, { 64, 76 }, 26 };

    p.setPen(QPen(c.outline, line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    if (small || !smooth) {
        const QRectF& b = layout.back;
        const QRectF back = sheetRect(at(b.left()), at(b.top()), at(b.right()), at(b.bottom()));
        p.setBrush(diagonal(back, c.backPaper, c.backPaperShade));
        p.drawRect(back);
    } else {
        p.save();
        p.translate(44 * k, 60 * k);
        p.rotate(-10);
        const QRectF back(-30 * k, -46 * k, 60 * k, 88 * k);
        p.setBrush(diagonal(back, c.backPaper, c.backPaperShade));
        p.drawRect(back);
        p.restore();
    }

    // The sheet in front, its top right corner folded down.
    const QRectF& f = layout.front;
    const QRectF front = sheetRect(at(f.left()), at(f.top()), at(f.right()), at(f.bottom()));
    const double fold = at(layout.fold);
    QPainterPath sheet;
    sheet.moveTo(front.topLeft());
    sheet.lineTo(front.right() - fold, front.top());
    sheet.lineTo(front.right(), front.top() + fold);
    sheet.lineTo(front.bottomRight());
    sheet.lineTo(front.bottomLeft());
    sheet.closeSubpath();
    p.setBrush(diagonal(front, c.paper, c.paperShade));
    p.drawPath(sheet);
    QPainterPath dogEar;
    dogEar.moveTo(front.right() - fold, front.top());
    dogEar.lineTo(front.right() - fold, front.top() + fold);
    dogEar.lineTo(front.right(), front.top() + fold);
    dogEar.closeSubpath();
    p.setBrush(c.fold);
    p.drawPath(dogEar);

    // Lines of writing in whole pixel rows, fewer the smaller the icon.
    const int inkLeft = int(front.left() + line / 2 + std::max(1.0, at(8)));
    const int inkRight = int(front.right() - line / 2 - std::max(1.0, at(8)));
    const int inkHeight = int(thickness(small ? 6 : 4));
    const int gap = tiny ? 2 : int(at(small ? 14 : 10));
    int y = int(front.top() + std::max(3.0, at(small ? 12 : 10)));
    if (!small) {
        p.fillRect(
            QRect(inkLeft, y, int((inkRight - inkLeft) * 0.55), int(thickness(7))), c.heading);
        y += int(at(20));
    }
    for (int row = 0; y + inkHeight <= front.bottom() - at(6); ++row, y += gap) {
        const bool inFold = y < front.top() + fold + 1;
        const int right = inFold ? int(front.right() - fold - at(4)) : inkRight;
        const int shortened = row % 3 == 2 ? int((right - inkLeft) * 0.35) : 0;
        p.fillRect(QRect(inkLeft, y, right - inkLeft - shortened, inkHeight), c.ink);
    }

    // The magnifying glass over the lower half.
    p.setRenderHint(QPainter::Antialiasing, smooth);
    const QPointF lens = layout.lens * k;
    const double radius = layout.lensRadius * k;
    const double rim = std::max(tiny ? 2.0 : 1.5, (tiny ? 11 : 9) * k);
    const QPointF handleStart = lens + QPointF(radius, radius) * 0.72;
    const QPointF handleEnd = QPointF(118, 118) * k;

    QLinearGradient handle(handleStart, handleEnd);
    handle.setColorAt(0, c.handle);
    handle.setColorAt(1, c.handleShade);
    p.setPen(QPen(QBrush(handle), std::max(tiny ? 3.0 : 2.0, 15 * k), Qt::SolidLine,
        smooth ? Qt::RoundCap : Qt::SquareCap));
    p.drawLine(handleStart + QPointF(6, 6) * k, handleEnd);
    if (!tiny) {
        p.setPen(QPen(c.collar, std::max(3.0, 18 * k), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(handleStart, handleStart + QPointF(10, 10) * k);
    }

    QPainterPath glassPath;
    glassPath.addEllipse(lens, radius, radius);
    QRadialGradient glass(lens - QPointF(radius, radius) * 0.4, radius * 1.6);
    glass.setColorAt(0, c.glass);
    glass.setColorAt(1, c.glassShade);
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawPath(glassPath);
    if (!small) {
        // Writing seen through the lens, larger.
        p.save();
        p.setClipPath(glassPath);
        p.setPen(QPen(c.ink, std::max(2.0, 7 * k), Qt::SolidLine, Qt::FlatCap));
        for (double dy : { -10.0, 8.0 })
            p.drawLine(lens + QPointF(-radius, dy * k),
                lens + QPointF(radius * (dy > 0 ? 0.2 : 1), dy * k));
        p.restore();
    }

    QLinearGradient metal(lens - QPointF(radius, radius), lens + QPointF(radius, radius));
    // At 16 pixels a light rim melts into the paper; a darker one keeps the glass round.
    metal.setColorAt(0, tiny ? c.rimMid : c.rimLight);
    metal.setColorAt(0.5, tiny ? c.rimDark : c.rimMid);
    metal.setColorAt(1, tiny ? c.rimEdge : c.rimDark);
    p.setPen(QPen(QBrush(metal), rim));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(lens, radius, radius);
    if (!tiny || !smooth) {
        p.setPen(QPen(c.rimEdge, smooth ? std::max(1.0, 1.5 * k) : 1.0));
        p.drawEllipse(lens, radius + rim / 2, radius + rim / 2);
    }

    if (!tiny) {
        QPainterPath glint;
        const QRectF inner(lens - QPointF(radius, radius) * 0.66, QSizeF(radius, radius) * 1.32);
        glint.arcMoveTo(inner, 100);
        glint.arcTo(inner, 100, 60);
        p.setPen(QPen(
            c.glint, std::max(1.2, 5 * k), Qt::SolidLine, smooth ? Qt::RoundCap : Qt::FlatCap));
        p.drawPath(glint);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace genassets
