#pragma once

#include <QColor>
#include <QPoint>
#include <QString>

class QPainter;

namespace genassets {

// A 5-pixel-high capitals-and-digits font, so that the small writing in the pictures (icon
// labels, the clock, the calendar) comes out the same on every machine, whatever fonts it has.
namespace pixelfont {

constexpr int height = 5;

int textWidth(const QString& text, int scale = 1);

// Draws text with its top-left corner at topLeft; each font pixel becomes scale x scale pixels.
void drawText(
    QPainter& p, QPoint topLeft, const QString& text, const QColor& colour, int scale = 1);

// Centred on x, with a one-pixel shadow below and to the right, as desktop labels have.
void drawShadowedCentred(QPainter& p, int centreX, int top, const QString& text,
    const QColor& colour, const QColor& shadow);

} // namespace pixelfont
} // namespace genassets
