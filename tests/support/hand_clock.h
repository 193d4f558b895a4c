#pragma once

// A clock that a test or a benchmark moves by hand, and the tick scheduler followed on it from
// wake-up to wake-up, as the event loop would wake it.

#include "core/tick_scheduler.h"

#include <cstdint>
#include <functional>

namespace gd {

struct HandClock {
    std::int64_t now = 0;

    TickScheduler::Clock clock()
    {
        return [this] { return now; };
    }

    // Moves the clock to each wake-up due by `until` and fires the scheduler there, then to
    // `until`; `moved`, if given, hears each new time first.
    void runUntil(TickScheduler& scheduler, std::int64_t until,
        const std::function<void(std::int64_t)>& moved = {})
    {
        const auto moveTo = [&](std::int64_t t) {
            if (moved)
                moved(t);
            now = t;
        };
        for (std::int64_t next = scheduler.nextWakeNs(); next >= 0 && next <= until;
             next = scheduler.nextWakeNs()) {
            moveTo(std::max(now, next));
            scheduler.fire();
        }
        moveTo(until);
    }
};

} // namespace gd
