#include "win32/conversions.h"

#include <algorithm>
#include <cmath>

namespace gd {

RECT Scale::rect(double left, double top, double width, double height) const
{
    const auto px
        = [](double twips, double tpp) { return static_cast<LONG>(std::lround(twips / tpp)); };
    const LONG x1 = px(left, tppX), y1 = px(top, tppY);
    return { x1, y1, std::max(x1, px(left + width, tppX)), std::max(y1, px(top + height, tppY)) };
}

COLORREF toColorRef(Colour colour)
{
    if (colour & 0x80000000u)
        return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0x00FFFFFFu;
}

std::wstring toWide(std::string_view latin1)
{
    std::wstring wide(latin1.size(), L'\0');
    for (std::size_t i = 0; i < latin1.size(); ++i)
        wide[i] = static_cast<unsigned char>(latin1[i]);
    return wide;
}

} // namespace gd
