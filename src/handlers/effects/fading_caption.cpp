#include "handlers/effects/fading_caption.h"

#include "language/vb.h"
#include "model/form.h"
#include "model/platform.h"

#include <array>

namespace gd {

namespace {

// Step n of the ramp ("1" .. "12"), each grey as one byte repeated in R, G and B.
// clang-format off
constexpr std::array<Colour, 12> kRamp = {
    0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xE0E0E0, 0xFFFFFF,
    0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,
};
// clang-format on

// One step for one label, its counter kept as text in its Tag. A label that holds still keeps
// counting, so that it joins the pulse in step with the other when it moves again, but shows its
// designed colour.
void step(Control& label, bool holdStill = false)
{
    label.setTag(vb::str(vb::val(label.tag()) + 1));
    for (std::size_t n = 1; n <= kRamp.size(); ++n) {
        if (label.tag() == std::to_string(n)) {
            label.setForeColor(holdStill ? label.desc().foreColor : kRamp[n - 1]);
            if (n == kRamp.size())
                label.setTag("0");
            return;
        }
    }
    // A counter some other code wrote out of range is left counting; the colour stays.
}

} // namespace

void Timer2_Timer(Form1& me)
{
    // The title pulses by itself, so it holds still where the desktop asks for less movement; the
    // sample pulses because the user opened its panel to see it, so it always does.
    step(me.lblTitle, me.platform().motionReduced());
    step(me.lblSample);
}

} // namespace gd
