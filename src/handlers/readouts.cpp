#include "handlers/readouts.h"

#include "language/vb.h"
#include "model/form.h"
#include "model/platform.h"

namespace gd {

void Timer10_Timer(Form1& me)
{
    // The figure is a 64-bit count: today's machines have far more than the 4 GiB a 32-bit
    // record could hold. A system that gives no figure at all leaves the last one shown.
    if (const std::optional<std::uint64_t> available = me.platform().availableMemory())
        me.Label67.setCaption("Available Physical Memory: " + std::to_string(*available));
}

void Timer11_Timer(Form1& me)
{
    Control& a = me.a; // seconds
    Control& b = me.b; // minutes
    Control& c = me.c; // hours
    a.setCaption(vb::str(vb::val(a.caption()) + 1));
    // Minutes carry into hours only on a tick where the seconds do not roll over, so a full hour
    // shows as 60 minutes for one tick.
    if (a.caption() == "60") {
        b.setCaption(vb::str(vb::val(b.caption()) + 1));
        a.setCaption("0");
    } else if (b.caption() == "60") {
        c.setCaption(vb::str(vb::val(c.caption()) + 1));
        b.setCaption("0");
    }
    me.Label68.setCaption("UP: " + c.caption() + ":" + b.caption() + ":" + a.caption());
}

} // namespace gd
