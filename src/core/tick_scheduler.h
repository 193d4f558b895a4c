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
//
// Nothing wakes the program for a tick nobody can see. The window says which timers are seen
// (Sight); a timer that is not keeps its deadlines all the same, but the ticks that fall due
// are owed rather than delivered. Owed ticks all go out later, together and in the order they
// fell due: when their timer is seen again, before input reaches the model (catchUp), and at the
// latest on a 10 s grid, so that coming back after hours costs no more than after seconds. A
// handler therefore runs exactly as often as with continuous ticking; only when changes.

#include <cstdint>
#include <functional>
#include <vector>

namespace gd {

// The window layer's one-shot timer, which wakes the scheduler: after `ms` it calls fire().
// Whatever the layer's timers can do, the scheduler decides what is due when it wakes.
class Alarm {
public:
    virtual void set(int ms) = 0;
    virtual void cancel() = 0;

protected:
    ~Alarm() = default;
};

class TickScheduler {
public:
    static constexpr std::int64_t kPlatformTickNs = 15'625'000; // 1/64 s
    static constexpr std::int64_t kOnTickBelowNs = 250'000'000;
    // Owed ticks go out on this grid at the latest: 640 platform ticks.
    static constexpr std::int64_t kOwedAtMostNs = 10'000'000'000;

    // Nanoseconds on a clock that never goes back; its origin does not matter.
    using Clock = std::function<std::int64_t()>;
    using TickFn = std::function<void(int timer)>;
    // Told true before owed ticks are delivered together, and false once they all are.
    using CatchUpFn = std::function<void(bool begins)>;

    // Without an alarm nothing wakes it: a test moves the clock and calls fire() itself.
    TickScheduler(Clock clock, TickFn onTick, Alarm* alarm = nullptr);
    TickScheduler(const TickScheduler&) = delete;
    TickScheduler& operator=(const TickScheduler&) = delete;

    // The monotonic clock of the machine.
    static Clock steadyClock();

    // Timers are numbered by the caller; `intervalMs` is the timer's Interval.
    void setEnabled(int timer, int intervalMs, bool enabled);
    // Whether what the timer does can be seen now. Every timer is, until told otherwise.
    void setSeen(int timer, bool seen);
    void onCatchUp(CatchUpFn fn) { m_onCatchUp = std::move(fn); }
    void stopAll();

    // When the next wake-up is due, on the clock; -1 when no timer runs.
    std::int64_t nextWakeNs() const;
    // Delivers every tick due by now of the timers that are seen, and on the 10 s grid every
    // owed one, in time order and within one instant in timer order. The wake-up calls it; so
    // can a test, after moving its clock, and the window when something comes into sight.
    void fire();
    // Delivers every tick due by now, seen or not: what input must find.
    void catchUp();

    static std::int64_t periodNs(int intervalMs);

private:
    struct Entry {
        int timer;
        std::int64_t period;
        std::int64_t due;
        bool owes; // its overdue ticks were held back, not missed: every one is delivered
    };
    static std::int64_t deliveredAt(const Entry& e);
    bool seen(int timer) const;
    bool enabled(int timer) const;
    bool deliver(std::int64_t until, bool everyone);
    void arm();

    Clock m_clock;
    TickFn m_onTick;
    CatchUpFn m_onCatchUp;
    Alarm* m_alarm;
    std::vector<Entry> m_entries; // enabled timers only
    std::vector<bool> m_unseen;   // by timer number
    std::int64_t m_at = -1;       // the instant whose ticks are being delivered
    bool m_stopped = false;
};

} // namespace gd
