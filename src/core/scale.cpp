#include "core/scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gd {

PixelPoint Scale::point(double x, double y) const
{
    return { static_cast<int>(std::lround(x / tppX)), static_cast<int>(std::lround(y / tppY)) };
}

PixelRect Scale::rect(double left, double top, double width, double height) const
{
    const PixelPoint a = point(left, top);
    const PixelPoint b = point(left + width, top + height);
    return { a.x, a.y, std::max(0, b.x - a.x), std::max(0, b.y - a.y) };
}

namespace {

// One axis of a line's box: from the lower end point to one pixel past the higher.
std::pair<int, int> span(int a, int b) { return { std::min(a, b), std::abs(b - a) + 2 }; }

} // namespace

LineBox lineBox(const Control& line, const Scale& scale)
{
    // A line's geometry is its two end points, X1, Y1 and X2, Y2.
    const PixelPoint a = scale.point(line.left(), line.top());
    const PixelPoint b = scale.point(line.width(), line.height());
    const auto [x, width] = span(a.x, b.x);
    const auto [y, height] = span(a.y, b.y);
    return { { x, y, width, height }, { a.x - x, a.y - y }, { b.x - x, b.y - y } };
}

} // namespace gd
