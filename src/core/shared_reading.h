#pragma once

// A figure of the system that every tick asks for, read at most once a millisecond. Ticks owed
// while their readout could not be seen go out together, at one instant: each still asks, and
// every ask within the same millisecond gets that instant's one reading, rather than the system
// working the figure out afresh hundreds of times over. Ticked as usual, the memory readout asks
// every 50 ms and each ask reads.

#include "core/tick_scheduler.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace gd {

template <class Value> class SharedReading {
public:
    explicit SharedReading(TickScheduler::Clock clock)
        : m_clock(std::move(clock))
    {
    }

    template <class Read> std::optional<Value> get(Read&& read)
    {
        const std::int64_t now = m_clock();
        if (!m_readAt || now - *m_readAt >= 1'000'000) {
            m_value = read();
            m_readAt = now;
        }
        return m_value;
    }

private:
    TickScheduler::Clock m_clock;
    std::optional<std::int64_t> m_readAt; // none until the first reading
    std::optional<Value> m_value;
};

} // namespace gd
