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

#include <QElapsedTimer>
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

    using TickFn = std::function<void(int timer)>;
    explicit TickScheduler(TickFn onTick, QObject* parent = nullptr);

    // Timers are numbered by the caller; `intervalMs` is the timer's Interval.
    void setEnabled(int timer, int intervalMs, bool enabled);
    void stopAll();

    static std::int64_t periodNs(int intervalMs);

private:
    struct Entry {
        int timer;
        std::int64_t period;
        std::int64_t due;
    };
    static std::int64_t deliveredAt(const Entry& e);
    void arm();
    void fire();

    TickFn m_onTick;
    QElapsedTimer m_clock;
    QTimer m_timer;
    std::vector<Entry> m_entries; // enabled timers only
    bool m_stopped = false;
};

} // namespace gd
