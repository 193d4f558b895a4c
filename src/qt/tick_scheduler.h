#pragma once

// Paces the window's interval timers the way the program's timers were designed for: an
// interval shorter than the platform tick of 1/64 s fires once per tick (64 times a second),
// longer intervals fire at their interval. Deadlines are kept on a fixed grid from one origin,
// so nothing drifts, and all timers due together share one wake-up.
//
// Short intervals (under a quarter of a second) are delivered on the first platform tick at or
// after their deadline, as the platform's own timers are: a 50 ms timer still fires exactly 20
// times a second, each tick at most 1/64 s late, and it wakes the program no more often than
// the 64 Hz timers running beside it. Longer intervals keep exact time.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

namespace gd {

class TickScheduler : public QObject {
public:
    static constexpr std::int64_t kPlatformTickNs = 15'625'000; // 1/64 s
    static constexpr std::int64_t kOnTickBelowNs = 250'000'000;

    // Nanoseconds on a clock that never goes back; its origin does not matter.
    using Clock = std::function<std::int64_t()>;
    using TickFn = std::function<void(int timer)>;

    TickScheduler(Clock clock, TickFn onTick, QObject* parent = nullptr);

    // The monotonic clock of the machine.
    static Clock steadyClock();

    // Timers are numbered by the caller; `intervalMs` is the timer's Interval.
    void setEnabled(int timer, int intervalMs, bool enabled);
    void stopAll();

    // When the next wake-up is due, on the clock; -1 when no timer runs.
    std::int64_t nextWakeNs() const;
    // Delivers every tick due by now, in timer order. The wake-up calls it; so can a test, after
    // moving its clock.
    void fire();

    static std::int64_t periodNs(int intervalMs);

private:
    struct Entry {
        int timer;
        std::int64_t period;
        std::int64_t due;
    };
    static std::int64_t deliveredAt(const Entry& e);
    void arm();

    Clock m_clock;
    TickFn m_onTick;
    QTimer m_timer;
    std::vector<Entry> m_entries; // enabled timers only
    bool m_stopped = false;
};

} // namespace gd
