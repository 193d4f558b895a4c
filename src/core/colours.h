#pragma once

// The description's colours as a window layer paints them: &H00BBGGRR is red, green and blue;
// &H800000nn is entry nn of the system's colour scheme (5 window background, 8 window text,
// 15 button face, 18 button text), which each layer takes from its own scheme.

#include "model/description.h"

#include <cstdint>

namespace gd {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

constexpr bool isSchemeColour(Colour colour) { return (colour & 0x80000000u) != 0; }
constexpr int schemeIndex(Colour colour) { return int(colour & 0xFF); }

constexpr Rgb rgbOf(Colour colour)
{
    return { std::uint8_t(colour & 0xFF), std::uint8_t((colour >> 8) & 0xFF),
        std::uint8_t((colour >> 16) & 0xFF) };
}

// The contrast between two colours as the Web Content Accessibility Guidelines measure it, from
// 1 (none) to 21 (black on white).
double contrast(Rgb a, Rgb b);

// What a text is drawn in over its background, each given as the description's colour and what
// the window resolves it to. A text in a colour of the scheme over a colour of the description's
// own (the silver card, the grey and silver buttons) can turn unreadable when the user picks a
// scheme of high contrast, where button text is white or yellow: then it is drawn in whichever of
// black and white reads better, once it falls below the contrast text needs (4.5 : 1). Everything
// else keeps its colour.
Rgb readableText(Colour text, Rgb textShown, Colour background, Rgb backgroundShown);

} // namespace gd
