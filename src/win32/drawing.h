#pragma once

// What the views draw with: rectangles met and points inside them, fills, the focus frame, a
// sunken border, and a text's colour that reads over its background.

#include "core/scale.h"
#include "model/description.h"

#include <windows.h>

namespace gd {

bool meets(const PixelRect& a, const RECT& b);
bool contains(const PixelRect& r, POINT p);
// A text's colour over its background, readable under any colour scheme (core/colours.h).
COLORREF textOver(Colour text, Colour background);
void fill(HDC dc, const RECT& area, COLORREF colour);
// A dotted focus frame, `inset` pixels in from the edges of `r`: one pixel on, two off, in the
// control's text colour, as the Linux build draws it.
void focusFrame(HDC dc, RECT r, COLORREF colour, int inset);
// A sunken panel's border `width` pixels wide: shade along the top and the left, light along the
// bottom and the right, each corner shared as the Linux build's panels share it.
void sunkenBorder(HDC dc, int w, int h, int width, COLORREF shade, COLORREF light);

} // namespace gd
