#pragma once

// The model's values as Windows takes them: pixel rectangles, description colours, the model's
// Latin-1 texts.

#include "core/scale.h"
#include "model/description.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace gd {

inline RECT toRECT(PixelRect r) { return { r.x, r.y, r.x + r.width, r.y + r.height }; }
inline PixelRect fromRECT(const RECT& r)
{
    return { r.left, r.top, r.right - r.left, r.bottom - r.top };
}

// A description colour; a system colour (&H800000nn) is entry nn of the desktop's colour scheme,
// which Windows numbers alike (COLOR_WINDOW is 5, COLOR_BTNFACE 15, ...).
COLORREF toColorRef(Colour colour);
// Latin-1 is the first 256 characters of Unicode: each byte becomes the character of its value.
std::wstring toWide(std::string_view latin1);

} // namespace gd
