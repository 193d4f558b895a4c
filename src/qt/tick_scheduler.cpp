#include "qt/tick_scheduler.h"

#include <QElapsedTimer>

#include <algorithm>

namespace gd {

TickScheduler::TickScheduler(Clock clock, TickFn onTick, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
    , m_onTick(std::move(onTick))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
}

TickScheduler::Clock TickScheduler::steadyClock()
{
    QElapsedTimer origin;
    origin.start();
    return [origin] { return origin.nsecsElapsed(); };
}

std::int64_t TickScheduler::periodNs(int intervalMs)
{
    return std::max<std::int64_t>(std::int64_t(intervalMs) * 1'000'000, kPlatformTickNs);
}

void TickScheduler::setEnabled(int timer, int intervalMs, bool enabled)
{
    auto it = std::find_if(
        m_entries.begin(), m_entries.end(), [timer](const Entry& e) { return e.timer == timer; });
    if (!enabled) {
        if (it != m_entries.end())
            m_entries.erase(it);
    } else if (it == m_entries.end() && !m_stopped) {
        const std::int64_t period = periodNs(intervalMs);
        const std::int64_t now = m_clock();
        std::int64_t due = now + period;
        // Fast timers fire on the shared 64 Hz grid, like the platform tick they stand for.
        if (period == kPlatformTickNs)
            due = (now / kPlatformTickNs + 1) * kPlatformTickNs;
        m_entries.push_back({ timer, period, due });
    }
    arm();
}

// When an entry's next tick is delivered: short intervals on the next platform tick.
std::int64_t TickScheduler::deliveredAt(const Entry& e)
{
    if (e.period >= kOnTickBelowNs)
        return e.due;
    return (e.due + kPlatformTickNs - 1) / kPlatformTickNs * kPlatformTickNs;
}

void TickScheduler::stopAll()
{
    m_stopped = true;
    m_entries.clear();
    m_timer.stop();
}

std::int64_t TickScheduler::nextWakeNs() const
{
    if (m_entries.empty())
        return -1;
    std::int64_t next = deliveredAt(m_entries.front());
    for (const Entry& e : m_entries)
        next = std::min(next, deliveredAt(e));
    return next;
}

void TickScheduler::arm()
{
    const std::int64_t next = nextWakeNs();
    if (next < 0) {
        m_timer.stop();
        return;
    }
    const std::int64_t waitNs = std::max<std::int64_t>(0, next - m_clock());
    m_timer.start(static_cast<int>((waitNs + 999'999) / 1'000'000));
}

void TickScheduler::fire()
{
    const std::int64_t now = m_clock() + 500'000; // half a millisecond early is on time
    std::vector<int> due;
    for (Entry& e : m_entries) {
        if (deliveredAt(e) <= now) {
            due.push_back(e.timer);
            e.due += e.period;
            // After a stall (a suspended machine, a debugger) skip the missed ticks rather than
            // firing them in a burst.
            if (deliveredAt(e) <= now)
                e.due += ((now - e.due) / e.period + 1) * e.period;
        }
    }
    // Re-arm before running handlers: a handler may wait in a message box, whose event loop
    // must keep the timers going.
    arm();
    std::sort(due.begin(), due.end());
    for (int timer : due) {
        const bool stillEnabled = std::any_of(m_entries.begin(), m_entries.end(),
            [timer](const Entry& e) { return e.timer == timer; });
        if (stillEnabled)
            m_onTick(timer);
    }
}

} // namespace gd
