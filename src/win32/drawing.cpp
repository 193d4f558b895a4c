#include "win32/drawing.h"

#include "core/colours.h"
#include "win32/conversions.h"

namespace gd {

bool meets(const PixelRect& a, const RECT& b)
{
    return a.width > 0 && a.height > 0 && a.x < b.right && b.left < a.x + a.width && a.y < b.bottom
        && b.top < a.y + a.height;
}

bool contains(const PixelRect& r, POINT p)
{
    return p.x >= r.x && p.y >= r.y && p.x < r.x + r.width && p.y < r.y + r.height;
}

namespace {

Rgb rgbShown(COLORREF c) { return { GetRValue(c), GetGValue(c), GetBValue(c) }; }

} // namespace

// A text's colour over its background, readable under any colour scheme (core/colours.h).
COLORREF textOver(Colour text, Colour background)
{
    const Rgb shown = readableText(
        text, rgbShown(toColorRef(text)), background, rgbShown(toColorRef(background)));
    return RGB(shown.red, shown.green, shown.blue);
}

void fill(HDC dc, const RECT& area, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A dotted focus frame, `inset` pixels in from the edges of `r`: one pixel on, two off, in the
// control's text colour, as the Linux build draws it.
void focusFrame(HDC dc, RECT r, COLORREF colour, int inset)
{
    InflateRect(&r, -inset, -inset);
    int k = 0;
    const auto dot = [&](int x, int y) {
        if (k++ % 3 == 0)
            SetPixelV(dc, x, y, colour);
    };
    for (int x = r.left; x < r.right; ++x)
        dot(x, r.top);
    for (int y = r.top + 1; y < r.bottom; ++y)
        dot(r.right - 1, y);
    for (int x = r.right - 2; x >= r.left; --x)
        dot(x, r.bottom - 1);
    for (int y = r.bottom - 2; y > r.top; --y)
        dot(r.left, y);
}

// A sunken panel's border `width` pixels wide: shade along the top and the left, light along the
// bottom and the right, each corner shared as the Linux build's panels share it.
void sunkenBorder(HDC dc, int w, int h, int width, COLORREF shade, COLORREF light)
{
    for (int i = 0; i < width; ++i) {
        fill(dc, { 0, i, w - 1 - i, i + 1 }, shade);         // top
        fill(dc, { i, width - i, i + 1, h - 1 }, shade);     // left
        fill(dc, { i, h - 1 - i, w, h - i }, light);         // bottom
        fill(dc, { w - 1 - i, i, w - i, h - width }, light); // right
    }
}

} // namespace gd
