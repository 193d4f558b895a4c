#include "qt/sight.h"

#include "qt/tick_scheduler.h"

#include <QEvent>
#include <QWindow>

namespace gd {

Sight::Sight(Form1& form, TickScheduler& scheduler, FormObserver& window, QObject* parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_held(window)
{
    for (const Control& c : form.controls())
        if (c.kind() == Kind::Timer)
            m_timers.push_back(&c);
    m_scheduler.onCatchUp([this](bool begins) { m_held.hold(begins); });
}

void Sight::watch(QWindow* window)
{
    window->installEventFilter(this);
    setWindowSeen(window->isExposed());
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

// Called with every exposure, the first frame after a restore included, before the window
// paints it.
bool Sight::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose)
        setWindowSeen(static_cast<QWindow*>(watched)->isExposed());
    return false;
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
