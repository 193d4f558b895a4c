// The cost of one tick of each timer handler on the headless model. The fake platform records
// nothing, so what is measured is the handler and the model, not a growing log. The spinning
// picture is also measured on the real window (offscreen), where its block copies draw on real
// surfaces. Last, what coming back to the window costs after an hour minimised.

#include "fixture.h"
#include "qt/application.h"
#include "model/control.h"
#include "qt/form_window.h"
#include "core/sight.h"
#include "hand_clock.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <clocale>
#include <memory>
#include <string>

using namespace gd;

namespace {

struct Model {
    FakePlatform platform { false }; // records nothing
    Form1 form { platform, eventTable() };
    Model() { form.load(); }
};

// For the timers that never stop by themselves.
void tickForever(benchmark::State& state, ControlId timer)
{
    Model m;
    for (auto _ : state)
        benchmark::DoNotOptimize(m.form.tick(timer));
}

void BM_Timer2_FadingCaption(benchmark::State& state) { tickForever(state, ControlId::Timer2); }
void BM_Timer3_Spin(benchmark::State& state) { tickForever(state, ControlId::Timer3); }
void BM_Timer8_Blink(benchmark::State& state) { tickForever(state, ControlId::Timer8); }
void BM_Timer9_Ticker(benchmark::State& state) { tickForever(state, ControlId::Timer9); }
void BM_Timer10_Memory(benchmark::State& state) { tickForever(state, ControlId::Timer10); }
void BM_Timer11_Uptime(benchmark::State& state) { tickForever(state, ControlId::Timer11); }

void BM_Timer1_FadeIn(benchmark::State& state)
{
    Model m;
    Control& txtTrans = m.form.txtTrans;
    Control& timer = m.form.Timer1;
    for (auto _ : state) {
        // Keep the fade from finishing: 125 ticks would stop the timer.
        if (!timer.enabled()) {
            txtTrans.setTag("0");
            timer.setEnabled(true);
        }
        benchmark::DoNotOptimize(m.form.tick(ControlId::Timer1));
    }
}

// A slide timer ticks until its slide ends; the start button then begins the next one.
void tickSlide(benchmark::State& state, ControlId timer, ControlId start)
{
    Model m;
    Control& t = m.form[timer];
    for (auto _ : state) {
        if (!t.enabled())
            m.form.click(start);
        benchmark::DoNotOptimize(m.form.tick(timer));
    }
}

void BM_Timer4_Horizontal(benchmark::State& state)
{
    tickSlide(state, ControlId::Timer4, ControlId::CmdTrans1);
}
void BM_Timer5_Vertical(benchmark::State& state)
{
    tickSlide(state, ControlId::Timer5, ControlId::cmdTrans2);
}

// The menu alternates between its two slides; Command7 starts each, so one iteration is one tick
// of whichever slide runs.
void BM_Timer6_7_MenuSlide(benchmark::State& state)
{
    Model m;
    Control& opening = m.form.Timer6;
    Control& closing = m.form.Timer7;
    for (auto _ : state) {
        if (!opening.enabled() && !closing.enabled())
            m.form.click(ControlId::Command7);
        benchmark::DoNotOptimize(
            m.form.tick(opening.enabled() ? ControlId::Timer6 : ControlId::Timer7));
    }
}

// Timer3 on the window with its panel open: clear, stretch, copy and refresh on the picture
// boxes' surfaces. With `paint`, each tick's frame is painted too, as the event loop would.
void spinOnTheWindow(benchmark::State& state, bool paint)
{
    auto glimmerdeck = std::make_unique<Application>();
    glimmerdeck->start();
    glimmerdeck->window().stopTimers(); // only the ticks below run
    Form1& form = glimmerdeck->form();
    form.click(ControlId::Command7);
    while (form.Timer6.enabled())
        form.tick(ControlId::Timer6);
    form.click(ControlId::Command11); // "Spinning Image"
    QApplication::processEvents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(form.tick(ControlId::Timer3));
        if (paint)
            QApplication::processEvents();
    }
}

void BM_Timer3_Spin_OnTheWindow(benchmark::State& state) { spinOnTheWindow(state, false); }
void BM_Timer3_Spin_OnTheWindow_Painted(benchmark::State& state) { spinOnTheWindow(state, true); }

// The real window (offscreen) with a panel open, its timers paced by its own scheduler on a clock
// the benchmark moves, with Sight between the model and the window as the program has it.
struct Away : HandClock {
    static constexpr std::int64_t kHourNs = 3'600'000'000'000;
    std::unique_ptr<Application> glimmerdeck = std::make_unique<Application>(clock());
    Form1& form = glimmerdeck->form();
    TickScheduler& ticks = glimmerdeck->window().core().scheduler();
    Sight& sight = glimmerdeck->window().core().sight();

    explicit Away(ControlId panelButton)
    {
        glimmerdeck->start();
        while (form.tick(ControlId::Timer1)) { } // the fade and the menu's slide to their ends
        form.click(ControlId::Command7);
        while (form.tick(ControlId::Timer6)) { }
        form.click(panelButton);
        QApplication::processEvents();
    }
    void runUntil(std::int64_t until) { HandClock::runUntil(ticks, until); }
};

// Minimised for an hour, then restored: the owed ticks go out and the first frame is painted.
// While minimised the owed ticks went out every 10 s, so what the restore delivers is at most
// that, here all of it (restored a millisecond before the next 10 s line); `atOnce` delivers the
// whole hour in one go instead, as a restore would without that grid.
void restoreAfterAnHour(benchmark::State& state, ControlId panelButton, bool atOnce)
{
    Away away(panelButton);
    for (auto _ : state) {
        state.PauseTiming();
        away.sight.setWindowSeen(false);
        if (atOnce)
            away.now += Away::kHourNs;
        else
            away.runUntil(away.now + Away::kHourNs - 1'000'000);
        state.ResumeTiming();
        away.sight.setWindowSeen(true);
        QApplication::processEvents();
    }
}

void BM_Restore_AfterAnHour_TextAnimation(benchmark::State& state)
{
    restoreAfterAnHour(state, ControlId::Command13, false);
}
void BM_Restore_AfterAnHour_SpinningImage(benchmark::State& state)
{
    restoreAfterAnHour(state, ControlId::Command11, false);
}
void BM_Restore_AnHourAtOnce_TextAnimation(benchmark::State& state)
{
    restoreAfterAnHour(state, ControlId::Command13, true);
}
void BM_Restore_AnHourAtOnce_SpinningImage(benchmark::State& state)
{
    restoreAfterAnHour(state, ControlId::Command11, true);
}

// One wake-up while minimised: the 10 s of ticks owed by then, "Spinning Image" open.
void BM_Minimised_TenSecondsOwed(benchmark::State& state)
{
    Away away(ControlId::Command11);
    away.sight.setWindowSeen(false);
    for (auto _ : state)
        away.runUntil(away.now + TickScheduler::kOwedAtMostNs);
}

// What the cheapest handler step costs: one caption compared with a literal.
void BM_Baseline_StringCompare(benchmark::State& state)
{
    std::string caption = "Show Glimmerdeck";
    for (auto _ : state) {
        benchmark::DoNotOptimize(caption);
        benchmark::DoNotOptimize(caption == "Show Glimmerdeck");
    }
}

} // namespace

BENCHMARK(BM_Baseline_StringCompare);
BENCHMARK(BM_Timer1_FadeIn);
BENCHMARK(BM_Timer2_FadingCaption);
BENCHMARK(BM_Timer3_Spin);
BENCHMARK(BM_Timer3_Spin_OnTheWindow);
BENCHMARK(BM_Timer3_Spin_OnTheWindow_Painted);
BENCHMARK(BM_Timer4_Horizontal);
BENCHMARK(BM_Timer5_Vertical);
BENCHMARK(BM_Timer6_7_MenuSlide);
BENCHMARK(BM_Timer8_Blink);
BENCHMARK(BM_Timer9_Ticker);
BENCHMARK(BM_Timer10_Memory);
BENCHMARK(BM_Timer11_Uptime);
BENCHMARK(BM_Restore_AfterAnHour_TextAnimation)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restore_AfterAnHour_SpinningImage)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restore_AnHourAtOnce_TextAnimation)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Restore_AnHourAtOnce_SpinningImage)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Minimised_TenSecondsOwed)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The window benchmarks need an application; they draw offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // QApplication took the C library's locale from the environment; Google Benchmark reads its
    // flags (--benchmark_min_time=0.5) and writes its figures with the C library.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
