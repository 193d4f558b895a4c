#pragma once

// Twips, the model's unit, as the pixels of a screen, and the few shapes worked out from them.

#include "model/control.h"
#include "model/platform.h"

namespace gd {

struct PixelPoint {
    int x = 0, y = 0;
};

struct PixelSize {
    int width = 0, height = 0;
};

// Twips to pixels on both axes: 15 twips a pixel at 96 dots per inch.
struct Scale {
    double tppX = 15, tppY = 15;

    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    PixelRect rect(double left, double top, double width, double height) const;
    PixelPoint point(double x, double y) const;
};

// A line on its container: the box it is drawn in, one pixel wider and higher than the span of
// its end points so that both ends are inside, and the end points within that box.
struct LineBox {
    PixelRect box;
    PixelPoint from, to;
};

LineBox lineBox(const Control& line, const Scale& scale);

// Whether a control at `at` lies wholly outside a client area of `client` pixels, where it can
// never be seen. A control without area never meets anything.
constexpr bool whollyOutside(PixelRect at, PixelSize client)
{
    if (at.width <= 0 || at.height <= 0 || client.width <= 0 || client.height <= 0)
        return true;
    return at.x >= client.width || at.y >= client.height || at.x + at.width <= 0
        || at.y + at.height <= 0;
}

} // namespace gd
