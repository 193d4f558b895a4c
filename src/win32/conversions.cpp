#include "win32/conversions.h"

#include "core/colours.h"

namespace gd {

COLORREF toColorRef(Colour colour)
{
    if (isSchemeColour(colour))
        return GetSysColor(schemeIndex(colour));
    const Rgb rgb = rgbOf(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

std::wstring toWide(std::string_view latin1)
{
    std::wstring wide(latin1.size(), L'\0');
    for (std::size_t i = 0; i < latin1.size(); ++i)
        wide[i] = static_cast<unsigned char>(latin1[i]);
    return wide;
}

} // namespace gd
