#pragma once

// The model's units and values as Windows takes them: twips to pixels, description colours, the
// model's Latin-1 texts.

#include "model/description.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace gd {

// Twips to pixels for one axis each.
struct Scale {
    double tppX = 15, tppY = 15;
    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    RECT rect(double left, double top, double width, double height) const;
};

// A description colour (&H00BBGGRR, as a COLORREF is); a system colour (&H800000nn) is the
// desktop's colour number nn.
COLORREF toColorRef(Colour colour);
// Latin-1 is the first 256 characters of Unicode: each byte becomes the character of its value.
std::wstring toWide(std::string_view latin1);

} // namespace gd
