// The tick scheduler's arithmetic on a clock the test moves by hand: where ticks fall on the
// 64 Hz grid, how short and long intervals are paced, what a stall or a timer disabled mid-wake
// does. Nothing here waits.

#include "qt/tick_scheduler.h"

#include <QTest>

#include <cstdint>
#include <vector>

using namespace gd;

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kTick = TickScheduler::kPlatformTickNs;

// A scheduler on a hand-moved clock that records each tick as (timer, time).
struct Harness {
    std::int64_t now = 0;
    std::vector<std::pair<int, std::int64_t>> ticks;
    std::function<void(int)> onTick; // runs inside each tick, after it is recorded
    TickScheduler scheduler { [this] { return now; },
        [this](int timer) {
            ticks.emplace_back(timer, now);
            if (onTick)
                onTick(timer);
        } };

    // Moves the clock from wake-up to wake-up until `until`, as the event loop would.
    void runUntil(std::int64_t until)
    {
        for (std::int64_t next = scheduler.nextWakeNs(); next >= 0 && next <= until;
             next = scheduler.nextWakeNs()) {
            now = std::max(now, next);
            scheduler.fire();
        }
        now = until;
    }
    std::vector<std::int64_t> timesOf(int timer) const
    {
        std::vector<std::int64_t> times;
        for (const auto& [t, at] : ticks)
            if (t == timer)
                times.push_back(at);
        return times;
    }
};

} // namespace

class TestTickScheduler : public QObject {
    Q_OBJECT

private slots:
    void fastTimersFireOnTheSharedGrid()
    {
        // Enabled between grid lines, a 1 ms timer waits for the next line, then keeps to the grid.
        Harness h;
        h.now = 5 * kMs;
        h.scheduler.setEnabled(1, 1, true);
        h.runUntil(20 * kMs);
        h.scheduler.setEnabled(2, 1, true);
        h.runUntil(70 * kMs);
        QCOMPARE(
            h.timesOf(1), (std::vector<std::int64_t> { kTick, 2 * kTick, 3 * kTick, 4 * kTick }));
        QCOMPARE(h.timesOf(2), (std::vector<std::int64_t> { 2 * kTick, 3 * kTick, 4 * kTick }));
    }

    void shortIntervalsRideTheGridAndKeepTheirRate()
    {
        // 50 ms: each tick on the first grid line at or after its deadline, never later, and
        // exactly 20 a second however long it runs.
        Harness h;
        h.scheduler.setEnabled(7, 50, true);
        h.runUntil(10'000 * kMs);
        const std::vector<std::int64_t> times = h.timesOf(7);
        QCOMPARE(times.size(), std::size_t(200));
        for (std::size_t k = 0; k < times.size(); ++k) {
            const std::int64_t due = std::int64_t(k + 1) * 50 * kMs;
            QVERIFY(times[k] >= due && times[k] < due + kTick);
            QCOMPARE(times[k] % kTick, std::int64_t(0));
        }
    }

    void longIntervalsKeepExactTime()
    {
        Harness h;
        h.now = 3 * kMs;
        h.scheduler.setEnabled(11, 1000, true);
        h.runUntil(3'500 * kMs);
        QCOMPARE(h.timesOf(11), (std::vector<std::int64_t> { 1003 * kMs, 2003 * kMs, 3003 * kMs }));
    }

    void aWakeUpHalfAMillisecondEarlyIsOnTime()
    {
        Harness h;
        h.scheduler.setEnabled(11, 1000, true);
        h.now = 1000 * kMs - 400'000;
        h.scheduler.fire();
        QCOMPARE(h.ticks.size(), std::size_t(1));
        h.now = 2000 * kMs - 600'000;
        h.scheduler.fire();
        QCOMPARE(h.ticks.size(), std::size_t(1)); // too early: waits for its time
        QCOMPARE(h.scheduler.nextWakeNs(), 2000 * kMs);
    }

    void aStallSkipsTheMissedTicks()
    {
        // A suspended machine: one tick per timer when it wakes, then back on the grid.
        Harness h;
        h.scheduler.setEnabled(1, 1, true);
        h.scheduler.setEnabled(7, 50, true);
        h.runUntil(100 * kMs);
        h.ticks.clear();
        h.now = 5'000 * kMs;
        h.scheduler.fire();
        QCOMPARE(h.ticks.size(), std::size_t(2));
        const std::int64_t next = h.scheduler.nextWakeNs();
        QVERIFY(next > h.now && next <= h.now + kTick);
        QCOMPARE(next % kTick, std::int64_t(0));
    }

    void aTimerDisabledWhileTheOthersFireDoesNotTick()
    {
        // Both due at the same wake-up; the first one's handler turns the second off.
        Harness h;
        h.scheduler.setEnabled(1, 1, true);
        h.scheduler.setEnabled(2, 1, true);
        h.onTick = [&](int timer) {
            if (timer == 1)
                h.scheduler.setEnabled(2, 1, false);
        };
        h.runUntil(kTick);
        QCOMPARE(h.timesOf(1).size(), std::size_t(1));
        QCOMPARE(h.timesOf(2).size(), std::size_t(0));
    }

    void enablingTwiceKeepsThePhaseAndStopAllIsFinal()
    {
        Harness h;
        h.scheduler.setEnabled(11, 1000, true);
        h.now = 600 * kMs;
        h.scheduler.setEnabled(11, 1000, true); // already running: no restart
        QCOMPARE(h.scheduler.nextWakeNs(), 1000 * kMs);
        h.scheduler.stopAll();
        QCOMPARE(h.scheduler.nextWakeNs(), std::int64_t(-1));
        h.scheduler.setEnabled(12, 1, true); // after the end nothing starts again
        QCOMPARE(h.scheduler.nextWakeNs(), std::int64_t(-1));
    }
};

QTEST_GUILESS_MAIN(TestTickScheduler)
#include "test_tick_scheduler.moc"
