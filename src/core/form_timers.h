#pragma once

// The form's timers on a scheduler, wired in one place for the window layers, the tests and the
// benchmarks: each tick runs its timer's handler, start() starts the timers the description
// enables, and a timer that a handler turns on or off starts or stops with it.

#include "core/tick_scheduler.h"
#include "model/form.h"

namespace gd {

class FormTimers {
public:
    FormTimers(Form1& form, TickScheduler::Clock clock, Alarm* alarm = nullptr);

    TickScheduler& scheduler() { return m_scheduler; }

    void start();
    // Follows a change of the form; true when it was a timer's, which concerns nothing else.
    bool follow(const Control& control, Prop prop);

private:
    Form1& m_form;
    TickScheduler m_scheduler;
};

} // namespace gd
