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

} // namespace gd
