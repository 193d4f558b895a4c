#include "core/sight.h"

#include "core/tick_scheduler.h"

namespace gd {

Sight::Sight(Form1& form, TickScheduler& scheduler, FormObserver& window)
    : m_scheduler(scheduler)
    , m_held(window)
{
    for (const Control& c : form.controls())
        if (c.kind() == Kind::Timer)
            m_timers.push_back(&c);
    m_scheduler.onCatchUp([this](bool begins) { m_held.hold(begins); });
}

void Sight::setWindowSeen(bool seen)
{
    m_windowSeen = seen;
    look();
    // What comes into sight shows at once what continuous ticking would show: the ticks owed
    // meanwhile go out now, before the window paints.
    if (seen)
        m_scheduler.fire();
}

void Sight::controlChanged(Control& control, Prop prop)
{
    m_held.controlChanged(control, prop);
    // A panel shown by a click has nothing owed: input catches up first. One shown by a tick
    // (none is yet) has its owed ticks delivered before the wake-up that showed it ends.
    if (prop == Prop::Visible)
        look();
}

void Sight::look()
{
    for (const Control* timer : m_timers) {
        const Control* container = timer->container();
        m_scheduler.setSeen(
            int(timer->index()), m_windowSeen && (!container || container->isShown()));
    }
}

} // namespace gd
