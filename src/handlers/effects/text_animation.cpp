#include "handlers/effects/text_animation.h"

#include "language/vb.h"
#include "model/form.h"

namespace gd {

namespace {

constexpr double kTickerStep = 20;
constexpr float kTickerWrapAt = -5880;
constexpr double kTickerStart = 6720;

} // namespace

void Timer8_Timer(Form1& me)
{
    Control& lblAni = me.lblAni;
    lblAni.setTag(vb::str(vb::val(lblAni.tag()) + 1));
    if (lblAni.tag() == "1") {
        lblAni.setVisible(false);
    } else if (lblAni.tag() == "2") {
        lblAni.setVisible(true);
        lblAni.setTag("0");
    }
}

void Timer9_Timer(Form1& me)
{
    Control& lblAni1 = me.lblAni1;
    lblAni1.setLeft(vb::val(vb::str(lblAni1.left())) - kTickerStep);
    // Exact equality, as the tutorial has it: a position off the 20-twip grid never wraps.
    if (lblAni1.left() == kTickerWrapAt)
        lblAni1.setLeft(kTickerStart);
}

} // namespace gd
