#include "core/form_timers.h"

#include <utility>

namespace gd {

FormTimers::FormTimers(Form1& form, TickScheduler::Clock clock, Alarm* alarm)
    : m_form(form)
    , m_scheduler(
          std::move(clock), [&form](int timer) { form.tick(ControlId(timer)); }, alarm)
{
}

void FormTimers::start()
{
    for (const Control& c : m_form.controls())
        if (c.kind() == Kind::Timer && c.enabled())
            m_scheduler.setEnabled(int(c.index()), c.interval(), true);
}

bool FormTimers::follow(const Control& control, Prop prop)
{
    if (control.kind() != Kind::Timer)
        return false;
    if (prop == Prop::Enabled)
        m_scheduler.setEnabled(int(control.index()), control.interval(), control.enabled());
    return true;
}

} // namespace gd
