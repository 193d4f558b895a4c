// Runs gd::TickScheduler with the three kinds of interval the program uses, side by side as in
// the window (one 1 ms timer on the 64 Hz grid, one 50 ms, one 1000 ms), and prints what it
// measured as one JSON line: ticks per second of the first two and the drift of the third.
//
//   timer_pacing [--seconds S]     (default 10)

#include "core/tick_scheduler.h"
#include "qt/tick_timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum Timer { Fast = 0, Medium = 1, Slow = 2 };
constexpr int kIntervalMs[] = { 1, 50, 1000 };

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // QCoreApplication took the C library's locale from the environment; the figures are JSON,
    // written with the C library, so their decimal point stays a point (3.5, never 3,5).
    std::setlocale(LC_NUMERIC, "C");
    double seconds = 10;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
    const qint64 spanNs = static_cast<qint64>(seconds * 1e9);

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> ticks[3];
    // The scheduler runs on the clock the ticks are measured with, woken as in the window.
    gd::TickTimer wake;
    gd::TickScheduler scheduler([&] { return clock.nsecsElapsed(); },
        [&](int timer) { ticks[timer].push_back(clock.nsecsElapsed()); }, &wake);
    wake.wake(scheduler);
    for (int t : { Fast, Medium, Slow })
        scheduler.setEnabled(t, kIntervalMs[t], true);
    // Run a little past the span so a tick due exactly at its end is not cut off by our own stop.
    // Precise: a coarse timer this long may fire up to 5 % early and cut the span short.
    QTimer::singleShot(static_cast<int>(spanNs / 1'000'000) + 200, Qt::PreciseTimer, &app,
        &QCoreApplication::quit);
    app.exec();

    // Rate from first to last tick: counting ticks inside a window would be off by one whenever
    // a tick lands a few microseconds after the window's end.
    auto perSecond = [&](int timer) {
        const std::vector<qint64>& at = ticks[timer];
        return at.size() < 2 ? 0.0 : (at.size() - 1) * 1e9 / double(at.back() - at.front());
    };
    // How far each 1000 ms tick landed from k whole seconds after the timer was enabled.
    double worstDriftMs = 0, lastDriftMs = 0, worstFastLateMs = 0;
    for (std::size_t k = 0; k < ticks[Slow].size(); ++k) {
        lastDriftMs = (ticks[Slow][k] - qint64(k + 1) * 1'000'000'000) / 1e6;
        worstDriftMs = std::max(worstDriftMs, std::fabs(lastDriftMs));
    }
    for (std::size_t k = 0; k < ticks[Fast].size(); ++k)
        worstFastLateMs = std::max(worstFastLateMs,
            (ticks[Fast][k] - qint64(k + 1) * gd::TickScheduler::kPlatformTickNs) / 1e6);
    std::printf("{\"seconds\": %.3f, \"fast_per_s\": %.3f, \"medium_per_s\": %.3f, "
                "\"slow_ticks\": %zu, \"slow_last_drift_ms\": %.3f, \"slow_worst_drift_ms\": %.3f, "
                "\"fast_worst_late_ms\": %.3f}\n",
        seconds, perSecond(Fast), perSecond(Medium), ticks[Slow].size(), lastDriftMs, worstDriftMs,
        worstFastLateMs);
    return 0;
}
