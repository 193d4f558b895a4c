#include "handlers/effects/spinning_picture.h"

#include "handlers/library_calls.h"
#include "language/vb.h"
#include "model/form.h"

#include <cmath>

namespace gd {

namespace {

constexpr int NUM_TURNS = 36;
// This decimal value, a hair below pi, is the one the tutorial uses: it decides which way the
// near-ties at 60, 120, 240 and 300 degrees round.
constexpr double PI = 3.14159265358979;

} // namespace

void Timer3_Timer(Form1& me)
{
    Control& Picture11 = me.Picture11;
    Control& Picture12 = me.Picture12;

    Picture11.cls();
    const double c = std::cos(me.dAngle * PI / 180);
    const Control& source = c >= 0 ? me.Picture9 : me.Picture10;
    const double W = source.width();
    const double H = source.height();
    const double squeezed = std::fabs(W * c);
    const ScreenMetrics Screen = me.platform().screen();
    const double tppX = Screen.twipsPerPixelX;
    const double tppY = Screen.twipsPerPixelY;
    // Worked out one by one, left to right as the tutorial's statement reads, so that a failing
    // conversion reports the same error it would there.
    const std::int32_t x = vb::toLong(vb::divide(W - squeezed, 2 * tppX));
    const std::int32_t width = vb::toLong(vb::divide(squeezed, tppX));
    const std::int32_t height = vb::toLong(vb::divide(H, tppY));
    const std::int32_t srcWidth = vb::toLong(vb::divide(W, tppX));
    const std::int32_t srcHeight = vb::toLong(vb::divide(H, tppY));
    StretchBlt(
        Picture11.hDC(), x, 0, width, height, source.hDC(), 0, 0, srcWidth, srcHeight, SRCCOPY);
    const std::int32_t copyWidth = vb::toLong(vb::divide(Picture11.width(), tppX));
    const std::int32_t copyHeight = vb::toLong(vb::divide(Picture11.height(), tppY));
    BitBlt(Picture12.hDC(), 0, 0, copyWidth, copyHeight, Picture11.hDC(), 0, 0, SRCCOPY);
    Picture12.refresh();

    double dAngle = me.dAngle + vb::divide(360, NUM_TURNS);
    me.dAngle = vb::mod(dAngle, 360);
}

} // namespace gd
