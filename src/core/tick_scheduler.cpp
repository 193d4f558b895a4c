#include "core/tick_scheduler.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

namespace gd {

namespace {

constexpr std::int64_t kEarlyNs = 500'000; // half a millisecond early is on time

// The first line of a grid of `step` at or after `at`.
std::int64_t gridLine(std::int64_t at, std::int64_t step) { return (at + step - 1) / step * step; }

} // namespace

TickScheduler::TickScheduler(Clock clock, TickFn onTick, Alarm* alarm)
    : m_clock(std::move(clock))
    , m_onTick(std::move(onTick))
    , m_alarm(alarm)
{
}

TickScheduler::Clock TickScheduler::steadyClock()
{
    using namespace std::chrono;
    const steady_clock::time_point origin = steady_clock::now();
    return [origin] { return duration_cast<nanoseconds>(steady_clock::now() - origin).count(); };
}

std::int64_t TickScheduler::periodNs(int intervalMs)
{
    return std::max<std::int64_t>(std::int64_t(intervalMs) * 1'000'000, kPlatformTickNs);
}

bool TickScheduler::seen(int timer) const
{
    return timer < 0 || std::size_t(timer) >= m_unseen.size() || !m_unseen[std::size_t(timer)];
}

bool TickScheduler::enabled(int timer) const
{
    return std::any_of(
        m_entries.begin(), m_entries.end(), [timer](const Entry& e) { return e.timer == timer; });
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
        // Started by a handler, a timer counts from the instant that handler's tick stands for.
        const std::int64_t now = m_at >= 0 ? m_at : m_clock();
        std::int64_t due = now + period;
        // Fast timers fire on the shared 64 Hz grid, like the platform tick they stand for.
        if (period == kPlatformTickNs)
            due = (now / kPlatformTickNs + 1) * kPlatformTickNs;
        m_entries.push_back({ timer, period, due, !seen(timer) });
    }
    arm();
}

void TickScheduler::setSeen(int timer, bool isSeen)
{
    if (timer < 0 || seen(timer) == isSeen)
        return;
    if (std::size_t(timer) >= m_unseen.size())
        m_unseen.resize(std::size_t(timer) + 1);
    m_unseen[std::size_t(timer)] = !isSeen;
    if (!isSeen)
        for (Entry& e : m_entries)
            if (e.timer == timer)
                e.owes = true;
    arm();
}

// When an entry's next tick is delivered: short intervals on the next platform tick.
std::int64_t TickScheduler::deliveredAt(const Entry& e)
{
    if (e.period >= kOnTickBelowNs)
        return e.due;
    return gridLine(e.due, kPlatformTickNs);
}

void TickScheduler::stopAll()
{
    m_stopped = true;
    m_entries.clear();
    if (m_alarm)
        m_alarm->cancel();
}

std::int64_t TickScheduler::nextWakeNs() const
{
    std::int64_t next = -1;
    for (const Entry& e : m_entries) {
        const std::int64_t at
            = seen(e.timer) ? deliveredAt(e) : gridLine(deliveredAt(e), kOwedAtMostNs);
        if (next < 0 || at < next)
            next = at;
    }
    return next;
}

void TickScheduler::arm()
{
    if (!m_alarm)
        return;
    const std::int64_t next = nextWakeNs();
    if (next < 0) {
        m_alarm->cancel();
        return;
    }
    const std::int64_t waitNs = std::max<std::int64_t>(0, next - m_clock());
    m_alarm->set(static_cast<int>((waitNs + 999'999) / 1'000'000));
}

void TickScheduler::fire()
{
    const std::int64_t now = m_clock() + kEarlyNs;
    const bool owedOut = std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return !seen(e.timer) && gridLine(deliveredAt(e), kOwedAtMostNs) <= now;
    });
    if (!deliver(now, owedOut))
        arm(); // nothing was due after all: wait again
}

void TickScheduler::catchUp() { deliver(m_clock(), true); }

// Delivers the ticks due by `until` of the timers that are seen, or of all with `everyone`, one
// instant after another as wake-ups at those instants would have. Says whether any was due.
bool TickScheduler::deliver(std::int64_t until, bool everyone)
{
    const auto takes = [&](const Entry& e) { return everyone || seen(e.timer); };
    const bool owed = std::any_of(m_entries.begin(), m_entries.end(),
        [&](const Entry& e) { return takes(e) && e.owes && deliveredAt(e) <= until; });
    if (owed && m_onCatchUp)
        m_onCatchUp(true);
    bool armed = false;
    std::vector<int> due;
    for (;;) {
        std::int64_t at = std::numeric_limits<std::int64_t>::max();
        for (const Entry& e : m_entries)
            if (takes(e))
                at = std::min(at, deliveredAt(e));
        if (at > until)
            break;
        // What a wake-up at `at` would have delivered.
        const std::int64_t upTo = std::min(until, at + kEarlyNs);
        due.clear();
        for (Entry& e : m_entries) {
            if (!takes(e) || deliveredAt(e) > upTo)
                continue;
            due.push_back(e.timer);
            e.due += e.period;
            // After a stall (a debugger, a machine too busy to wake us on time) a timer skips the
            // ticks it missed rather than firing them in a burst. Ticks held back are owed.
            if (!e.owes && deliveredAt(e) <= until)
                e.due += ((until - e.due) / e.period + 1) * e.period;
        }
        // Re-arm before running handlers: a handler may wait in a message box, whose event loop
        // must keep the timers going.
        if (!std::exchange(armed, true))
            arm();
        std::sort(due.begin(), due.end());
        const std::int64_t outer = std::exchange(m_at, at);
        for (int timer : due)
            if (enabled(timer))
                m_onTick(timer);
        m_at = outer;
    }
    for (Entry& e : m_entries)
        if (e.owes && seen(e.timer) && deliveredAt(e) > until)
            e.owes = false;
    if (armed)
        arm();
    if (owed && m_onCatchUp)
        m_onCatchUp(false);
    return armed;
}

} // namespace gd
