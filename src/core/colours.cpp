#include "core/colours.h"

#include <algorithm>
#include <cmath>

namespace gd {

namespace {

double luminance(Rgb c)
{
    const auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

} // namespace

double contrast(Rgb a, Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableText(Colour text, Rgb textShown, Colour background, Rgb backgroundShown)
{
    constexpr double kReadable = 4.5;
    if (!isSchemeColour(text) || isSchemeColour(background)
        || contrast(textShown, backgroundShown) >= kReadable)
        return textShown;
    constexpr Rgb black { 0, 0, 0 }, white { 255, 255, 255 };
    return contrast(black, backgroundShown) >= contrast(white, backgroundShown) ? black : white;
}

} // namespace gd
