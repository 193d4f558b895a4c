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
    platform.StretchBlt(platform.hDC(Picture11),
        vb::toLong(vb::divide(W - squeezed, 2 * platform.twipsPerPixelX())), 0,
        vb::toLong(vb::divide(squeezed, platform.twipsPerPixelX())),
        vb::toLong(vb::divide(H, platform.twipsPerPixelY())), platform.hDC(source), 0, 0,
        vb::toLong(vb::divide(W, platform.twipsPerPixelX())),
        vb::toLong(vb::divide(H, platform.twipsPerPixelY())), SRCCOPY);
    platform.BitBlt(platform.hDC(Picture12), 0, 0,
        vb::toLong(vb::divide(Picture11.width(), platform.twipsPerPixelX())),
        vb::toLong(vb::divide(Picture11.height(), platform.twipsPerPixelY())),
        platform.hDC(Picture11), 0, 0, SRCCOPY);
    platform.Refresh(Picture12);

    double dAngle = me.dAngle + vb::divide(360, NUM_TURNS);
    me.dAngle = vb::mod(dAngle, 360);
}

} // namespace gd
