// The tick scheduler's arithmetic on a clock the test moves by hand: where ticks fall on the
// 64 Hz grid, how short and long intervals are paced, what a stall or a timer disabled mid-wake
// does, and what becomes of the ticks nobody sees. Then the program's own timers on the model,
// minimised and restored over hours, against the same run ticked throughout. Nothing here waits.

#include "core/form_timers.h"
#include "core/sight.h"
#include "fixture.h"
#include "hand_clock.h"
#include "handlers/menu.h"
#include "model/form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace gd;

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kTick = TickScheduler::kPlatformTickNs;

// A scheduler on a hand-moved clock that records each tick as (timer, time).
struct Harness : HandClock {
    std::vector<std::pair<int, std::int64_t>> ticks;
    std::function<void(int)> onTick; // runs inside each tick, after it is recorded
    TickScheduler scheduler { clock(), [this](int timer) {
                                 ticks.emplace_back(timer, now);
                                 if (onTick)
                                     onTick(timer);
                             } };

    void runUntil(std::int64_t until) { HandClock::runUntil(scheduler, until); }
    std::vector<std::int64_t> timesOf(int timer) const
    {
        std::vector<std::int64_t> times;
        for (const auto& [t, at] : ticks)
            if (t == timer)
                times.push_back(at);
        return times;
    }
    std::vector<int> order() const
    {
        std::vector<int> timers;
        for (const auto& tick : ticks)
            timers.push_back(tick.first);
        return timers;
    }
};

// The program's timers on the model, paced by the window's scheduler on a hand-moved clock.
// Watched, they run as in the window: Sight says what can be seen, and input catches up first.
// Unwatched, every timer is seen throughout: continuous ticking.
struct Program : Fixture, FormObserver, HandClock {
    FormTimers timers { form, clock() };
    TickScheduler& scheduler = timers.scheduler();
    std::unique_ptr<Sight> sight;

    explicit Program(bool watched)
        : Fixture(false, false)
    {
        if (watched)
            sight = std::make_unique<Sight>(form, scheduler, *this);
        form.setObserver(sight ? static_cast<FormObserver*>(sight.get()) : this);
        timers.start();
        form.load();
    }
    void controlChanged(Control& c, Prop prop) override { timers.follow(c, prop); }
    // The machine's memory figure changes once a minute.
    void runUntil(std::int64_t until)
    {
        HandClock::runUntil(scheduler, until, [this](std::int64_t t) {
            platform.memory = 1'000'000'000 + std::uint64_t(t / (60'000 * kMs)) * 4096;
        });
    }
    void click(ControlId control)
    {
        scheduler.catchUp();
        form.click(control);
    }
    void windowSeen(bool seen)
    {
        if (sight)
            sight->setWindowSeen(seen);
    }
};

// What a user can see or a screen reader can hear of the model, and the counters behind it: of
// the controls shown, or with `everything` of all.
std::string state(Form1& form, bool everything = false)
{
    std::ostringstream out;
    out << "opacity " << form.lngAlpha;
    if (everything || form.Picture8.isShown())
        out << " angle " << form.dAngle;
    out << '\n';
    for (const Control& c : form.controls())
        if (everything || c.isShown())
            out << c.name() << ' ' << c.left() << ' ' << c.top() << ' ' << c.width() << ' '
                << c.height() << (c.visible() ? " shown" : " hidden")
                << (c.enabled() ? " enabled " : " disabled ") << c.foreColor() << '/'
                << c.backColor() << ' ' << c.fontSize() << (c.fontBold() ? " bold" : "") << " ["
                << c.caption() << "] [" << c.tag() << "]\n";
    return out.str();
}

// The first line in which two states differ, or nothing.
std::string difference(const std::string& got, const std::string& expected)
{
    std::istringstream a(got), b(expected);
    std::string x, y;
    while (std::getline(a, x) && std::getline(b, y))
        if (x != y)
            return x + "\n expected " + y;
    return got == expected ? std::string() : "not the same controls shown";
}

} // namespace

TEST(TickScheduler, FastTimersFireOnTheSharedGrid)
{
    // Enabled between grid lines, a 1 ms timer waits for the next line, then keeps to the grid.
    Harness h;
    h.now = 5 * kMs;
    h.scheduler.setEnabled(1, 1, true);
    h.runUntil(20 * kMs);
    h.scheduler.setEnabled(2, 1, true);
    h.runUntil(70 * kMs);
    ASSERT_EQ(h.timesOf(1), (std::vector<std::int64_t> { kTick, 2 * kTick, 3 * kTick, 4 * kTick }));
    ASSERT_EQ(h.timesOf(2), (std::vector<std::int64_t> { 2 * kTick, 3 * kTick, 4 * kTick }));
}

TEST(TickScheduler, ShortIntervalsRideTheGridAndKeepTheirRate)
{
    // 50 ms: each tick on the first grid line at or after its deadline, never later, and
    // exactly 20 a second however long it runs.
    Harness h;
    h.scheduler.setEnabled(7, 50, true);
    h.runUntil(10'000 * kMs);
    const std::vector<std::int64_t> times = h.timesOf(7);
    ASSERT_EQ(times.size(), std::size_t(200));
    for (std::size_t k = 0; k < times.size(); ++k) {
        const std::int64_t due = std::int64_t(k + 1) * 50 * kMs;
        ASSERT_TRUE(times[k] >= due && times[k] < due + kTick);
        ASSERT_EQ(times[k] % kTick, std::int64_t(0));
    }
}

TEST(TickScheduler, LongIntervalsKeepExactTime)
{
    Harness h;
    h.now = 3 * kMs;
    h.scheduler.setEnabled(11, 1000, true);
    h.runUntil(3'500 * kMs);
    ASSERT_EQ(h.timesOf(11), (std::vector<std::int64_t> { 1003 * kMs, 2003 * kMs, 3003 * kMs }));
}

TEST(TickScheduler, AWakeUpHalfAMillisecondEarlyIsOnTime)
{
    Harness h;
    h.scheduler.setEnabled(11, 1000, true);
    h.now = 1000 * kMs - 400'000;
    h.scheduler.fire();
    ASSERT_EQ(h.ticks.size(), std::size_t(1));
    h.now = 2000 * kMs - 600'000;
    h.scheduler.fire();
    ASSERT_EQ(h.ticks.size(), std::size_t(1)); // too early: waits for its time
    ASSERT_EQ(h.scheduler.nextWakeNs(), 2000 * kMs);
}

TEST(TickScheduler, AStallSkipsTheMissedTicks)
{
    // A suspended machine: one tick per timer when it wakes, then back on the grid.
    Harness h;
    h.scheduler.setEnabled(1, 1, true);
    h.scheduler.setEnabled(7, 50, true);
    h.runUntil(100 * kMs);
    h.ticks.clear();
    h.now = 5'000 * kMs;
    h.scheduler.fire();
    ASSERT_EQ(h.ticks.size(), std::size_t(2));
    const std::int64_t next = h.scheduler.nextWakeNs();
    ASSERT_TRUE(next > h.now && next <= h.now + kTick);
    ASSERT_EQ(next % kTick, std::int64_t(0));
}

TEST(TickScheduler, ATimerDisabledWhileTheOthersFireDoesNotTick)
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
    ASSERT_EQ(h.timesOf(1).size(), std::size_t(1));
    ASSERT_EQ(h.timesOf(2).size(), std::size_t(0));
}

TEST(TickScheduler, EnablingTwiceKeepsThePhaseAndStopAllIsFinal)
{
    Harness h;
    h.scheduler.setEnabled(11, 1000, true);
    h.now = 600 * kMs;
    h.scheduler.setEnabled(11, 1000, true); // already running: no restart
    ASSERT_EQ(h.scheduler.nextWakeNs(), 1000 * kMs);
    h.scheduler.stopAll();
    ASSERT_EQ(h.scheduler.nextWakeNs(), std::int64_t(-1));
    h.scheduler.setEnabled(12, 1, true); // after the end nothing starts again
    ASSERT_EQ(h.scheduler.nextWakeNs(), std::int64_t(-1));
}

TEST(TickScheduler, TicksNobodySeesWakeNothingAndGoOutAsContinuousTickingHasThem)
{
    // The same timers seen throughout, and unseen: then they wake the program only on the
    // 10 s grid, where what they owe goes out, as it does whenever input catches up. Timer 1
    // starts timer 3 at its 50th tick and stops itself at its 100th. Both runs must tick the
    // same timers in the same order.
    const auto program = [](Harness& h) {
        h.onTick = [&h, n = 0](int timer) mutable {
            if (timer == 1 && ++n == 50)
                h.scheduler.setEnabled(3, 1, true);
            if (timer == 1 && n == 100)
                h.scheduler.setEnabled(1, 1, false);
        };
        h.scheduler.setEnabled(1, 1, true);
        h.scheduler.setEnabled(7, 50, true);
        h.scheduler.setEnabled(11, 1000, true);
    };
    Harness seen, unseen;
    int begun = 0, ended = 0;
    unseen.scheduler.onCatchUp([&](bool begins) { ++(begins ? begun : ended); });
    for (int timer : { 1, 3, 7, 11 })
        unseen.scheduler.setSeen(timer, false);
    program(seen);
    program(unseen);
    ASSERT_EQ(unseen.scheduler.nextWakeNs(), TickScheduler::kOwedAtMostNs);
    seen.runUntil(25'000 * kMs);
    for (std::int64_t at : { 700 * kMs, 1'234 * kMs, 25'000 * kMs }) {
        unseen.runUntil(at);
        unseen.scheduler.catchUp();
    }
    std::set<std::int64_t> wakes;
    for (const auto& tick : unseen.ticks)
        wakes.insert(tick.second);
    ASSERT_EQ(wakes,
        (std::set<std::int64_t> {
            700 * kMs, 1'234 * kMs, 10'000 * kMs, 20'000 * kMs, 25'000 * kMs }));
    ASSERT_TRUE(unseen.order() == seen.order());
    ASSERT_TRUE(begun == 5 && ended == 5);
    // Seen again, they go on on the grid with the others.
    for (int timer : { 3, 7, 11 })
        unseen.scheduler.setSeen(timer, true);
    ASSERT_EQ(unseen.scheduler.nextWakeNs(), seen.scheduler.nextWakeNs());
}

// Minimised during the fade and during the menu's slide, an hour at a time; panels opened
// and closed while their timers run out of sight. Wherever something comes into sight, the
// model must be as continuous ticking would have left it.
TEST(TickScheduler, MinimisedForHoursTheModelComesBackAsIfTickedThroughout)
{
    Program ticked(false), watched(true);
    watched.windowSeen(false); // until the window system first shows the window
    const auto seen = [](bool on) { return [on](Program& p) { p.windowSeen(on); }; };
    const auto click = [](ControlId c) { return [c](Program& p) { p.click(c); }; };
    struct Step {
        std::int64_t ms;
        std::function<void(Program&)> act;
        const char* shows; // what comes into sight, when something does
    };
    const Step steps[] = {
        { 40, seen(true), "the first frame" },
        { 900, seen(false), nullptr },
        { 5'000, seen(true), "restored after the fade ended out of sight" },
        { 6'000, click(ControlId::Command7), nullptr },
        { 6'300, seen(false), nullptr },
        { 3'606'300, seen(true), "restored an hour after, the menu's slide ended meanwhile" },
        { 3'607'000, click(ControlId::Command13), "Text Animation" },
        { 3'608'000, click(ControlId::Command12), "Transition Box" },
        { 3'608'100, click(ControlId::CmdTrans1), nullptr },
        { 3'608'150, click(ControlId::cmdTrans2), nullptr },
        { 3'608'500, click(ControlId::Command13), "Text Animation again" },
        { 3'611'000, click(ControlId::Command12), "Transition Box, its slides ended unseen" },
        { 3'612'000, click(ControlId::Command11), "Spinning Image" },
        { 3'612'500, seen(false), nullptr },
        { 4'812'500, seen(true), "restored after 20 minutes" },
        { 4'813'000, click(ControlId::Command7), nullptr },
        { 4'813'200, seen(false), nullptr },
        { 4'830'000, seen(true), "restored after the menu closed out of sight" },
    };
    for (const Step& step : steps) {
        for (Program* p : { &ticked, &watched }) {
            p->runUntil(step.ms * kMs);
            step.act(*p);
        }
        if (!step.shows)
            continue;
        const std::string diff = difference(state(watched.form), state(ticked.form));
        ASSERT_TRUE(diff.empty()) << (std::string(step.shows) + ": " + diff);
    }
    // Caught up, what is out of sight is the same too.
    watched.scheduler.catchUp();
    const std::string diff = difference(state(watched.form, true), state(ticked.form, true));
    ASSERT_TRUE(diff.empty()) << ("out of sight: " + diff);
    ASSERT_TRUE(!ticked.form.Timer1.enabled() && !ticked.form.Timer7.enabled());
    ASSERT_EQ(ticked.form.Label68.caption(), "UP: 1:20:30");
}
