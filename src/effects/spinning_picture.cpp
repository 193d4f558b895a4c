#include "effects/spinning_picture.h"

#include "platform/platform.h"
#include "runtime/vb.h"
#include "window/form.h"

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
    Platform& platform = me.platform();
    Control& Picture11 = me.ctl("Picture11");
    Control& Picture12 = me.ctl("Picture12");

    platform.Cls(Picture11);
    const double c = std::cos(me.dAngle * PI / 180);
    Control& source = c >= 0 ? me.ctl("Picture9") : me.ctl("Picture10");
    const double W = source.width();
    const double H = source.height();
    const double squeezed = std::fabs(W * c);
    const double tppX = platform.twipsPerPixelX();
    const double tppY = platform.twipsPerPixelY();
    // Worked out one by one, left to right as the tutorial's statement reads, so that a failing
    // conversion reports the same error it would there.
    const std::int32_t x = vb::toLong(vb::divide(W - squeezed, 2 * tppX));
    const std::int32_t width = vb::toLong(vb::divide(squeezed, tppX));
    const std::int32_t height = vb::toLong(vb::divide(H, tppY));
    const std::int32_t srcWidth = vb::toLong(vb::divide(W, tppX));
    const std::int32_t srcHeight = vb::toLong(vb::divide(H, tppY));
    platform.StretchBlt(platform.hDC(Picture11), x, 0, width, height, platform.hDC(source), 0, 0,
        srcWidth, srcHeight, SRCCOPY);
    const std::int32_t copyWidth = vb::toLong(vb::divide(Picture11.width(), tppX));
    const std::int32_t copyHeight = vb::toLong(vb::divide(Picture11.height(), tppY));
    platform.BitBlt(platform.hDC(Picture12), 0, 0, copyWidth, copyHeight, platform.hDC(Picture11),
        0, 0, SRCCOPY);
    platform.Refresh(Picture12);

    double dAngle = me.dAngle + vb::divide(360, NUM_TURNS);
    me.dAngle = vb::mod(dAngle, 360);
}

} // namespace gd
