#include "pictures.h"
#include "pixelfont.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace genassets {

namespace {

QColor rgba(QRgb rgb, int alpha = 255)
{
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}

QPointF polar(QPointF centre, double radius, double clockDegrees)
{
    // 0 degrees is twelve o'clock, counting clockwise, as on a dial.
    const double a = clockDegrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
}

QRectF circle(QPointF centre, double radius)
{
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

QLinearGradient silverSheen(QRectF area)
{
    QLinearGradient g(area.topLeft(), area.bottomRight());
    g.setColorAt(0.0, rgba(0xffffff));
    g.setColorAt(0.3, rgba(0x9a9a9a));
    g.setColorAt(0.55, rgba(0xf2f2f2));
    g.setColorAt(0.8, rgba(0x7c7c7c));
    g.setColorAt(1.0, rgba(0xd8d8d8));
    return g;
}

void softShadow(QPainter& p, const QRectF& shape, double radius, QPointF offset)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawRoundedRect(shape.translated(offset).adjusted(-i, -i, i, i), radius + i, radius + i);
    }
    p.restore();
}

// ---- the title strip -----------------------------------------------------------------------

// Every column is the same: the strip is stretched eleven times wider than it is drawn, and any
// change along its length would turn into blotches.
QLinearGradient stripGloss(double top, double height)
{
    QLinearGradient g(0, top, 0, top + height);
    g.setColorAt(0.00, rgba(0xe0e0e0));
    g.setColorAt(0.03, rgba(0xb4b4b4));
    g.setColorAt(0.09, rgba(0x5c5c5c));
    g.setColorAt(0.30, rgba(0x363636));
    g.setColorAt(0.49, rgba(0x242424));
    g.setColorAt(0.51, rgba(0x080808));
    g.setColorAt(0.90, rgba(0x020202));
    g.setColorAt(1.00, rgba(0x141414));
    return g;
}

// ---- the account button --------------------------------------------------------------------

void drawPerson(QPainter& p, QPointF headCentre, double scale, const QColor& light,
    const QColor& dark, const QColor& outline)
{
    const double r = 15 * scale;
    QPainterPath body;
    const QRectF shoulders(
        headCentre.x() - 33 * scale, headCentre.y() + 19 * scale, 66 * scale, 62 * scale);
    body.addRoundedRect(shoulders, 30 * scale, 28 * scale);
    QPainterPath head;
    head.addEllipse(circle(headCentre, r));

    QLinearGradient g(headCentre - QPointF(r, r), headCentre + QPointF(r, 5 * r));
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(outline, 3 * scale));
    p.setBrush(g);
    p.drawPath(body);
    p.drawPath(head);
}

} // namespace

QImage drawTitleStrip()
{
    QImage img(71, 47, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), stripGloss(0, img.height()));
    return img;
}

QImage drawOrnament()
{
    QImage img(71, 69, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient bg(QPointF(30, 24), 60);
    bg.setColorAt(0, rgba(0x3a3a3a));
    bg.setColorAt(0.6, rgba(0x161616));
    bg.setColorAt(1, rgba(0x050505));
    p.fillRect(img.rect(), bg);

    // Concentric silver arcs, each open on a different side, like ripples caught in a turn.
    const QPointF centre(35.5, 34.5);
    struct Arc {
        double radius, startDegrees, spanDegrees, width;
    };
    const Arc arcs[] = {
        { 5.5, 0, 360, 3.5 },
        { 13, 60, 270, 3.6 },
        { 20.5, 200, 260, 3.6 },
        { 28, 320, 250, 3.6 },
    };
    for (const Arc& a : arcs) {
        QPainterPath path;
        const QRectF box = circle(centre, a.radius);
        path.arcMoveTo(box, a.startDegrees);
        path.arcTo(box, a.startDegrees, a.spanDegrees);
        // A dark groove under each arc lifts it off the tile.
        p.setPen(QPen(QColor(0, 0, 0, 200), a.width + 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(
            QPen(QBrush(silverSheen(circle(centre, 30))), a.width, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(rgba(0x5a5a5a));
    p.drawLine(0, 0, 70, 0);
    p.drawLine(0, 0, 0, 68);
    p.setPen(rgba(0x000000));
    p.drawLine(0, 68, 70, 68);
    p.drawLine(70, 0, 70, 68);
    return img;
}

QImage drawFrameButton()
{
    // Shown at a quarter of its size: 4 pixels here make 1 on screen.
    QImage img(128, 128, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient rim(0, 0, 0, 128);
    rim.setColorAt(0, rgba(0x6a6a6a));
    rim.setColorAt(1, rgba(0x1c1c1c));
    p.fillRect(img.rect(), rim);
    p.fillRect(QRect(4, 4, 120, 120), stripGloss(4, 120));
    p.fillRect(QRect(4, 4, 120, 4), rgba(0x9a9a9a));
    return img;
}

QImage drawAccountButton(bool highlighted)
{
    QImage img(highlighted ? 140 : 138, 139, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Both faces share the centre, so that swapping them reads as one button lighting up.
    const QPointF c(69, 69.5);
    const double outer = 66;
    const double face = 56;

    if (highlighted) {
        QRadialGradient halo(c, outer + 3);
        halo.setColorAt(0.9, QColor(120, 190, 255, 160));
        halo.setColorAt(1.0, QColor(120, 190, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(circle(c, outer + 3));
    }

    QConicalGradient metal(c, 60);
    const QRgb bright = highlighted ? 0xffffff : 0xf0f0f0;
    const QRgb dull = highlighted ? 0x9aa6b4 : 0x7a7a7a;
    for (int i = 0; i <= 8; ++i)
        metal.setColorAt(i / 8.0, rgba(i % 2 ? dull : bright));
    p.setPen(QPen(rgba(0x2a2a2a), 1));
    p.setBrush(metal);
    p.drawEllipse(circle(c, outer));

    QLinearGradient groove(c - QPointF(0, face), c + QPointF(0, face));
    groove.setColorAt(0, rgba(0x202020));
    groove.setColorAt(1, rgba(0x8a8a8a));
    p.setPen(Qt::NoPen);
    p.setBrush(groove);
    p.drawEllipse(circle(c, face + 3));

    QRadialGradient glass(c + QPointF(0, -28), 92);
    if (highlighted) {
        glass.setColorAt(0, rgba(0x8fd2ff));
        glass.setColorAt(0.45, rgba(0x2a86e0));
        glass.setColorAt(1, rgba(0x0a3278));
    } else {
        glass.setColorAt(0, rgba(0x4e6a8e));
        glass.setColorAt(0.45, rgba(0x243850));
        glass.setColorAt(1, rgba(0x0a121c));
    }
    p.setBrush(glass);
    p.drawEllipse(circle(c, face));

    QPainterPath faceClip;
    faceClip.addEllipse(circle(c, face));
    p.save();
    p.setClipPath(faceClip);
    if (highlighted) {
        QRadialGradient glow(c + QPointF(0, -6), 44);
        glow.setColorAt(0, QColor(255, 255, 255, 120));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(glow);
        p.drawEllipse(circle(c + QPointF(0, -6), 44));
        drawPerson(p, c + QPointF(0, -22), 1.12, rgba(0xffffff), rgba(0xc8e4ff), rgba(0x0c3a7a));
    } else {
        drawPerson(p, c + QPointF(-17, -26), 0.86, rgba(0x9cacbf), rgba(0x5a6a80), rgba(0x142030));
        drawPerson(p, c + QPointF(13, -14), 1.0, rgba(0xeef2f6), rgba(0xa0afc0), rgba(0x142030));
    }

    // Gloss over the upper half of the glass.
    QLinearGradient gloss(0, c.y() - face, 0, c.y() + 4);
    gloss.setColorAt(0, QColor(255, 255, 255, highlighted ? 150 : 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(c.x() - face * 0.8, c.y() - face + 2, face * 1.6, face * 1.05));
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.5));
    p.drawEllipse(circle(c, face));
    return img;
}

QImage drawSmiley()
{
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(rgba(0xd4d4d4));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF c(25, 25);
    const double r = 23;
    QRadialGradient skin(c + QPointF(-7, -9), 32);
    skin.setColorAt(0, rgba(0xfff7a8));
    skin.setColorAt(0.45, rgba(0xffd81a));
    skin.setColorAt(1, rgba(0xe88a00));
    p.setPen(QPen(rgba(0x8a5200), 1.3));
    p.setBrush(skin);
    p.drawEllipse(circle(c, r));

    // Eyes squeezed shut with laughter: two upward arcs.
    p.setPen(QPen(rgba(0x4a2a00), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (double x : { 16.5, 33.5 }) {
        QPainterPath eye;
        eye.moveTo(x - 5, 19);
        eye.quadTo(x, 10.5, x + 5, 19);
        p.drawPath(eye);
    }

    // Rosy cheeks.
    p.setPen(Qt::NoPen);
    for (double x : { 9.5, 40.5 }) {
        QRadialGradient blush(QPointF(x, 27), 5);
        blush.setColorAt(0, QColor(255, 90, 60, 120));
        blush.setColorAt(1, QColor(255, 90, 60, 0));
        p.setBrush(blush);
        p.drawEllipse(circle(QPointF(x, 27), 5));
    }

    // A wide open mouth: flat top, round bottom, teeth above and a tongue below.
    QPainterPath mouth;
    mouth.moveTo(10, 26);
    mouth.lineTo(40, 26);
    mouth.cubicTo(40, 38, 33, 44, 25, 44);
    mouth.cubicTo(17, 44, 10, 38, 10, 26);
    mouth.closeSubpath();
    p.setBrush(rgba(0x5a0a0a));
    p.setPen(QPen(rgba(0x4a2a00), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mouth);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(rgba(0xffffff));
    p.drawRect(QRectF(9, 26, 32, 4.2));
    p.setBrush(rgba(0xff6070));
    p.drawEllipse(QRectF(16, 36, 18, 12));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);

    // Shine on the forehead.
    QRadialGradient shine(QPointF(17, 8.5), 7);
    shine.setColorAt(0, QColor(255, 255, 255, 200));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QRectF(9, 4, 16, 9));
    return img;
}

namespace {

constexpr int desktopWidth = 314;
constexpr int desktopHeight = 177;
constexpr int taskbarHeight = 15;

void drawWallpaper(QPainter& p, QSizeF size)
{
    const double w = size.width();
    const double h = size.height();
    QLinearGradient base(0, 0, w * 0.6, h);
    base.setColorAt(0, rgba(0x06205a));
    base.setColorAt(0.55, rgba(0x0d4ca8));
    base.setColorAt(1, rgba(0x0a3680));
    p.fillRect(QRectF(0, 0, w, h), base);

    QRadialGradient glow(QPointF(w * 0.62, h * 0.42), w * 0.55);
    glow.setColorAt(0, QColor(110, 190, 255, 170));
    glow.setColorAt(1, QColor(110, 190, 255, 0));
    p.fillRect(QRectF(0, 0, w, h), glow);

    // Sweeping bands of light across the middle.
    struct Band {
        double y0, y1, bulge, thickness;
        int alpha;
    };
    const Band bands[] = {
        { 0.80, 0.30, -0.25, 0.10, 70 },
        { 0.88, 0.42, -0.20, 0.05, 90 },
        { 0.70, 0.18, -0.30, 0.03, 60 },
    };
    p.setPen(Qt::NoPen);
    for (const Band& b : bands) {
        QPainterPath band;
        band.moveTo(-10, h * b.y0);
        band.cubicTo(
            w * 0.35, h * (b.y0 + b.bulge), w * 0.65, h * (b.y1 - b.bulge * 0.2), w + 10, h * b.y1);
        band.lineTo(w + 10, h * (b.y1 + b.thickness * 0.6));
        band.cubicTo(w * 0.65, h * (b.y1 - b.bulge * 0.2 + b.thickness), w * 0.35,
            h * (b.y0 + b.bulge + b.thickness * 1.4), -10, h * (b.y0 + b.thickness * 1.6));
        band.closeSubpath();
        QLinearGradient fade(0, 0, w, 0);
        fade.setColorAt(0, QColor(200, 235, 255, 0));
        fade.setColorAt(0.5, QColor(200, 235, 255, b.alpha));
        fade.setColorAt(1, QColor(200, 235, 255, b.alpha / 4));
        p.setBrush(fade);
        p.drawPath(band);
    }
}

void drawTaskbar(QPainter& p, QSizeF size)
{
    const double w = size.width();
    const double top = size.height() - taskbarHeight;
    QLinearGradient bar(0, top, 0, size.height());
    bar.setColorAt(0, QColor(0x3a, 0x52, 0x74, 235));
    bar.setColorAt(0.5, QColor(0x16, 0x24, 0x38, 240));
    bar.setColorAt(1, QColor(0x0a, 0x12, 0x1e, 245));
    p.fillRect(QRectF(0, top, w, taskbarHeight), bar);
    p.fillRect(QRectF(0, top, w, 1), QColor(170, 200, 235, 160));

    // The start button: a glossy orb.
    const QPointF orb(11, top + taskbarHeight / 2.0);
    QRadialGradient ball(orb + QPointF(-1.5, -2), 7);
    ball.setColorAt(0, rgba(0xc8ffc8));
    ball.setColorAt(0.5, rgba(0x36b04a));
    ball.setColorAt(1, rgba(0x0c5a1a));
    p.setPen(QPen(rgba(0x06300c), 0.8));
    p.setBrush(ball);
    p.drawEllipse(circle(orb, 6));

    // Notification area: two tray icons and the clock.
    const int clockWidth = pixelfont::textWidth(QStringLiteral("10:08"));
    const int clockLeft = int(w) - 5 - clockWidth;
    const int textTop = int(top) + (taskbarHeight - pixelfont::height) / 2;
    pixelfont::drawText(p, QPoint(clockLeft, textTop), QStringLiteral("10:08"), rgba(0xf0f4f8));
    p.fillRect(QRectF(clockLeft - 10, textTop, 5, 5), rgba(0xb8c8d8));
    p.fillRect(QRectF(clockLeft - 18, textTop, 5, 5), rgba(0x8fc0f0));
}

// Desktop icons, each in a 24 x 24 cell.

void drawComputerIcon(QPainter& p)
{
    QLinearGradient bezel(0, 2, 0, 18);
    bezel.setColorAt(0, rgba(0x6a7480));
    bezel.setColorAt(1, rgba(0x1c2128));
    p.setPen(QPen(rgba(0x0c0f14), 0.8));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(1, 2, 22, 16), 2, 2);
    QLinearGradient screen(3, 4, 21, 16);
    screen.setColorAt(0, rgba(0x9ad8ff));
    screen.setColorAt(1, rgba(0x1458c0));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(3, 4, 18, 12));
    p.setBrush(QColor(255, 255, 255, 70));
    QPainterPath shine;
    shine.moveTo(3, 4);
    shine.lineTo(14, 4);
    shine.lineTo(3, 12);
    shine.closeSubpath();
    p.drawPath(shine);
    p.setBrush(rgba(0x5a6470));
    p.drawRect(QRectF(10, 18, 4, 3));
    p.setBrush(rgba(0xa8b2bc));
    p.drawRoundedRect(QRectF(5.5, 20.5, 13, 2.5), 1, 1);
}

void drawFolderIcon(QPainter& p)
{
    p.setPen(QPen(rgba(0x8a5c0a), 0.8));
    p.setBrush(rgba(0xd69c2a));
    QPainterPath back;
    back.moveTo(1, 21);
    back.lineTo(1, 3.5);
    back.lineTo(8.5, 3.5);
    back.lineTo(10.5, 6);
    back.lineTo(22, 6);
    back.lineTo(22, 21);
    back.closeSubpath();
    p.drawPath(back);
    p.setPen(QPen(rgba(0xb0b8c0), 0.6));
    p.setBrush(rgba(0xffffff));
    p.drawRect(QRectF(4, 5, 15, 10));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(6, 7.5 + 2 * i), QPointF(16, 7.5 + 2 * i));
    QLinearGradient front(0, 10, 0, 22);
    front.setColorAt(0, rgba(0xffe69a));
    front.setColorAt(1, rgba(0xe8ac3c));
    p.setPen(QPen(rgba(0x8a5c0a), 0.8));
    p.setBrush(front);
    QPainterPath flap;
    flap.moveTo(0.5, 10.5);
    flap.lineTo(23.5, 10.5);
    flap.lineTo(22, 21.5);
    flap.lineTo(2, 21.5);
    flap.closeSubpath();
    p.drawPath(flap);
}

void drawGlobeIcon(QPainter& p)
{
    const QPointF c(12, 12);
    const double r = 10.5;
    QRadialGradient sea(c + QPointF(-3, -4), 14);
    sea.setColorAt(0, rgba(0xa8e0ff));
    sea.setColorAt(0.5, rgba(0x2a7ad8));
    sea.setColorAt(1, rgba(0x0a3280));
    p.setPen(QPen(rgba(0x082458), 0.8));
    p.setBrush(sea);
    p.drawEllipse(circle(c, r));

    QPainterPath clip;
    clip.addEllipse(circle(c, r));
    p.save();
    p.setClipPath(clip);
    p.setPen(Qt::NoPen);
    p.setBrush(rgba(0x4cb050));
    QPainterPath land;
    land.moveTo(4, 6);
    land.cubicTo(8, 3, 12, 5, 11, 9);
    land.cubicTo(10, 12, 13, 14, 10, 18);
    land.cubicTo(8, 20, 6, 15, 4, 13);
    land.closeSubpath();
    land.moveTo(15, 8);
    land.cubicTo(19, 7, 22, 10, 21, 14);
    land.cubicTo(19, 17, 16, 15, 15, 12);
    land.closeSubpath();
    p.drawPath(land);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(c.x() - 4.5, c.y() - r, 9, 2 * r));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x() - r, c.y() - 5), QPointF(c.x() + r, c.y() - 5));
    p.drawLine(QPointF(c.x() - r, c.y() + 5), QPointF(c.x() + r, c.y() + 5));
    p.restore();
}

void drawBinIcon(QPainter& p)
{
    QLinearGradient body(4, 0, 20, 0);
    body.setColorAt(0, rgba(0xb8c6d4));
    body.setColorAt(0.35, rgba(0xf4f8fc));
    body.setColorAt(1, rgba(0x8a9cae));
    QPainterPath can;
    can.moveTo(4.5, 6);
    can.lineTo(19.5, 6);
    can.lineTo(18, 22.5);
    can.lineTo(6, 22.5);
    can.closeSubpath();
    p.setPen(QPen(rgba(0x3c4a58), 0.8));
    p.setBrush(body);
    p.drawPath(can);
    p.setPen(QPen(rgba(0x7a8a9a), 0.8));
    for (double x : { 9.0, 12.0, 15.0 })
        p.drawLine(QPointF(x, 8.5), QPointF(x + (x - 12) * 0.1, 20.5));
    p.setPen(QPen(rgba(0x3c4a58), 0.8));
    p.setBrush(rgba(0xdde6ee));
    p.drawRoundedRect(QRectF(3, 3.5, 18, 3), 1.2, 1.2);
}

} // namespace

QImage drawDesktop(bool withIcons)
{
    QImage img(desktopWidth, desktopHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawWallpaper(p, img.size());
    drawTaskbar(p, img.size());
    if (!withIcons)
        return img;

    // Only the leftmost 73 columns of this picture are ever seen: the icons stay inside them.
    struct DesktopIcon {
        void (*draw)(QPainter&);
        const char* label;
    };
    const DesktopIcon icons[] = {
        { drawComputerIcon, "COMPUTER" },
        { drawFolderIcon, "DOCUMENTS" },
        { drawGlobeIcon, "NETWORK" },
        { drawBinIcon, "RECYCLE BIN" },
    };
    const int centreX = 36;
    int top = 7;
    for (const DesktopIcon& icon : icons) {
        p.save();
        p.translate(centreX - 12, top);
        icon.draw(p);
        p.restore();
        pixelfont::drawShadowedCentred(p, centreX, top + 27, QString::fromLatin1(icon.label),
            rgba(0xffffff), QColor(0, 0, 0, 200));
        top += 39;
    }
    return img;
}

namespace {

void drawClockGadget(QPainter& p, QPointF c, double r)
{
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawEllipse(circle(c + QPointF(1, 2), r + i));
    }
    p.setBrush(silverSheen(circle(c, r)));
    p.drawEllipse(circle(c, r));
    QLinearGradient inner(c + QPointF(-r, -r), c + QPointF(r, r));
    inner.setColorAt(0, rgba(0x6a6a6a));
    inner.setColorAt(1, rgba(0xf0f0f0));
    p.setBrush(inner);
    p.drawEllipse(circle(c, r - 2.5));
    QRadialGradient dial(c + QPointF(-4, -6), r * 1.3);
    dial.setColorAt(0, rgba(0xffffff));
    dial.setColorAt(1, rgba(0xdce2ea));
    p.setBrush(dial);
    p.drawEllipse(circle(c, r - 4));

    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        p.setPen(QPen(
            rgba(quarter ? 0x202020 : 0x5a5a5a), quarter ? 2.0 : 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(c, r - (quarter ? 10 : 8), hour * 30.0), polar(c, r - 5.5, hour * 30.0));
    }
    // Ten past ten, the clockmaker's favourite.
    p.setPen(QPen(rgba(0x1a1a1a), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(c, -2, 304), polar(c, r * 0.45, 304));
    p.setPen(QPen(rgba(0x1a1a1a), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(c, -2, 48), polar(c, r * 0.68, 48));
    p.setPen(QPen(rgba(0xd02020), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(polar(c, -5, 222), polar(c, r * 0.72, 222));
    p.setPen(Qt::NoPen);
    p.setBrush(rgba(0x1a1a1a));
    p.drawEllipse(circle(c, 2));
    p.setBrush(rgba(0xd02020));
    p.drawEllipse(circle(c, 1));

    QLinearGradient gloss(0, c.y() - r, 0, c.y());
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(QRectF(c.x() - r * 0.7, c.y() - r + 4, r * 1.4, r * 0.9));
}

void drawCalendarGadget(QPainter& p, QRectF area)
{
    softShadow(p, area, 4, QPointF(1, 2));
    QLinearGradient paper(area.topLeft(), area.bottomLeft());
    paper.setColorAt(0, rgba(0xffffff));
    paper.setColorAt(1, rgba(0xe2e8f0));
    p.setPen(QPen(rgba(0x6a7a8a), 1));
    p.setBrush(paper);
    p.drawRoundedRect(area, 4, 4);

    const QRectF band(area.left(), area.top(), area.width(), 13);
    QPainterPath bandPath;
    bandPath.addRoundedRect(band, 4, 4);
    bandPath.addRect(band.adjusted(0, 6, 0, 0));
    bandPath.setFillRule(Qt::WindingFill);
    QLinearGradient red(band.topLeft(), band.bottomLeft());
    red.setColorAt(0, rgba(0xf0584c));
    red.setColorAt(1, rgba(0xb02018));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(bandPath.simplified());

    const int cx = int(area.center().x());
    const int top = int(area.top());
    pixelfont::drawText(
        p, QPoint(cx - pixelfont::textWidth("MAY") / 2, top + 5), "MAY", rgba(0xffffff));
    pixelfont::drawText(
        p, QPoint(cx - pixelfont::textWidth("14", 4) / 2, top + 17), "14", rgba(0x2a3440), 4);
    pixelfont::drawText(
        p, QPoint(cx - pixelfont::textWidth("TUESDAY") / 2, top + 41), "TUESDAY", rgba(0x6a7480));

    // Binder rings over the red band.
    for (double x : { area.left() + 13, area.right() - 13 }) {
        p.setPen(QPen(rgba(0x505860), 1.2));
        p.setBrush(rgba(0xd8dde2));
        p.drawRoundedRect(QRectF(x - 1.5, area.top() - 3, 3, 7), 1.5, 1.5);
    }
}

void drawGauge(QPainter& p, QPointF c, double r, double value)
{
    QRadialGradient face(c + QPointF(-2, -3), r * 1.3);
    face.setColorAt(0, rgba(0x4a5664));
    face.setColorAt(1, rgba(0x0c1014));
    p.setPen(QPen(QBrush(silverSheen(circle(c, r))), 1.6));
    p.setBrush(face);
    p.drawEllipse(circle(c, r));

    // The scale runs clockwise from seven to five o'clock: green, then yellow, then red.
    struct Segment {
        double from, to;
        QRgb colour;
    };
    const Segment scale[] = {
        { 0.0, 0.6, 0x40d050 },
        { 0.6, 0.85, 0xf0d020 },
        { 0.85, 1.0, 0xf03c28 },
    };
    const QRectF ring = circle(c, r - 3.2);
    for (const Segment& s : scale) {
        // QPainter angles run counter-clockwise from three o'clock.
        const double start = 225 - 270 * s.from;
        const double span = -270 * (s.to - s.from);
        QPainterPath arc;
        arc.arcMoveTo(ring, start);
        arc.arcTo(ring, start, span);
        p.setPen(QPen(rgba(s.colour), 2, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
    }
    const double needle = -135 + 270 * value;
    p.setPen(QPen(rgba(0xffffff), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, polar(c, r - 3, needle));
    p.setPen(Qt::NoPen);
    p.setBrush(rgba(0xc8d0d8));
    p.drawEllipse(circle(c, 1.8));
}

void drawMetersGadget(QPainter& p, QRectF area)
{
    softShadow(p, area, 5, QPointF(1, 2));
    QLinearGradient glass(area.topLeft(), area.bottomLeft());
    glass.setColorAt(0, QColor(0x3a, 0x46, 0x54, 240));
    glass.setColorAt(1, QColor(0x0c, 0x10, 0x16, 245));
    p.setPen(QPen(QColor(150, 170, 190, 200), 1));
    p.setBrush(glass);
    p.drawRoundedRect(area, 5, 5);

    const double gaugeY = area.top() + 17;
    const double left = area.left() + area.width() * 0.27;
    const double right = area.left() + area.width() * 0.73;
    drawGauge(p, QPointF(left, gaugeY), 12, 0.23);
    drawGauge(p, QPointF(right, gaugeY), 12, 0.41);
    const int labelTop = int(area.bottom()) - 8;
    pixelfont::drawText(
        p, QPoint(int(left) - pixelfont::textWidth("CPU") / 2, labelTop), "CPU", rgba(0xd8e4f0));
    pixelfont::drawText(
        p, QPoint(int(right) - pixelfont::textWidth("RAM") / 2, labelTop), "RAM", rgba(0xd8e4f0));

    QLinearGradient gloss(0, area.top(), 0, area.center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 50));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(area.adjusted(1, 1, -1, -area.height() / 2), 4, 4);
}

} // namespace

QImage drawGadgets()
{
    QImage img(74, 176, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The column rises into the right end of the desktop picture: the same blues as there.
    QLinearGradient blue(0, 0, 0, img.height());
    blue.setColorAt(0, rgba(0x1a64c4));
    blue.setColorAt(1, rgba(0x0c3c8a));
    p.fillRect(img.rect(), blue);

    drawClockGadget(p, QPointF(37, 33), 27);
    drawCalendarGadget(p, QRectF(9.5, 70.5, 55, 50));
    // Stays clear of the bottom rows, which the box never shows.
    drawMetersGadget(p, QRectF(5.5, 127.5, 63, 39));
    return img;
}

} // namespace genassets
