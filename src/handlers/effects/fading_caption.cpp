#include "handlers/effects/fading_caption.h"

#include "language/vb.h"
#include "model/form.h"

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

// One step for one label, its counter kept as text in its Tag.
void step(Control& label)
{
    label.setTag(vb::str(vb::val(label.tag()) + 1));
    for (std::size_t n = 1; n <= kRamp.size(); ++n) {
        if (label.tag() == std::to_string(n)) {
            label.setForeColor(kRamp[n - 1]);
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
    step(me.lblTitle);
    step(me.lblSample);
}

} // namespace gd
