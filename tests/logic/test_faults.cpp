// The platform failing under the program: opacity calls that do nothing, screen metrics of 0,
// no memory figure at all, message boxes that return nothing useful, block copies that fail.
// Each must end in the documented behaviour: carry on silently where the handler resumes past
// errors or ignores results, the error report and End(1) where it does not; never a crash, a
// hang or a second message. (The socket-library failures at start-up are in test_startup; the
// memory figure itself, read from Linux, in test_memory.)

#include "fixture.h"
#include "language/vb.h"
#include "model/texts.h"

#include <gtest/gtest.h>

using namespace gd;

namespace {

using Call = FakePlatform::Call;

// After End nothing may run: no handler, no platform call, no further message.
void checkNothingRunsAfterEnd(Fixture& f)
{
    const std::size_t calls = f.platform.calls.size();
    for (ControlId timer : { ControlId::Timer1, ControlId::Timer2, ControlId::Timer3,
             ControlId::Timer8, ControlId::Timer9, ControlId::Timer10, ControlId::Timer11 })
        EXPECT_FALSE(f.form.tick(timer)) << nameOf(timer);
    EXPECT_FALSE(f.form.click(ControlId::Command7));
    EXPECT_FALSE(f.form.click(ControlId::Command15));
    EXPECT_FALSE(f.form.mouseMove(ControlId::Form1));
    EXPECT_EQ(f.platform.calls.size(), calls);
}

} // namespace

TEST(Faults, OpacityFailuresDoNotStopTheFade)
{
    // The result of the opacity call is never examined: the fade counts on and the window is
    // left as the platform leaves it, without a word.
    Fixture f(false);
    f.platform.failing = { Call::WindowOpacity };
    f.form.load();
    EXPECT_EQ(f.form.Picture15.height(), 50.0f); // the rest of the load went on
    EXPECT_EQ(f.form.Label66.caption(), "Screen Resolution: 1280 x 1024");
    for (int k = 1; k <= 125; ++k)
        ASSERT_TRUE(f.form.tick(ControlId::Timer1)) << "tick " << k;
    EXPECT_EQ(f.form.txtTrans.tag(), "250");
    EXPECT_EQ(f.form.lngAlpha, 250);
    EXPECT_FALSE(f.form.Timer1.enabled());
    // Asked anew on every tick, as the fade does.
    EXPECT_EQ(f.platform.alphas.size(), 126u);
    EXPECT_EQ(f.platform.alphas.back(), 250);
    EXPECT_TRUE(f.quiet());
}

TEST(Faults, UnhandledFaultsReportAndEnd)
{
    enum Fault { NoXDensityAt0, NoXDensityAt10, NoYDensity };
    const struct {
        const char* name;
        Fault fault;
        const char* resolution; // the load handler resumes past the failed division: it reads 0
        const char* report;
    } rows[] = {
        // Timer3 at angle 0 with no horizontal density: the first division is (W - W) / 0, an
        // overflow, not the division by zero of the arguments after it.
        { "no x density at 0 degrees", NoXDensityAt0, "Screen Resolution: 0 x 1024",
            "Run-time error '6':\r\n\r\nOverflow" },
        { "no x density at 10 degrees", NoXDensityAt10, "Screen Resolution: 0 x 1024",
            "Run-time error '11':\r\n\r\nDivision by zero" },
        { "no y density", NoYDensity, "Screen Resolution: 1280 x 0",
            "Run-time error '11':\r\n\r\nDivision by zero" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f(false);
        FakePlatform& platform = f.platform;
        Form1& form = f.form;
        if (row.fault == NoXDensityAt0 || row.fault == NoXDensityAt10)
            platform.screenMetrics.twipsPerPixelX = 0;
        if (row.fault == NoYDensity)
            platform.screenMetrics.twipsPerPixelY = 0;
        form.load();
        // The load handler resumes past the failed division: that number reads 0, nothing is said.
        EXPECT_EQ(form.Label66.caption(), row.resolution);
        EXPECT_TRUE(platform.messages.empty());

        form.tick(ControlId::Timer10);
        const std::string memory = form.Label67.caption();
        EXPECT_TRUE(form.click(ControlId::Command7));
        f.ticks(ControlId::Timer6, 10);
        double angle = 0;
        if (row.fault == NoXDensityAt10) {
            platform.screenMetrics.twipsPerPixelX = 15;
            EXPECT_TRUE(form.tick(ControlId::Timer3));
            platform.screenMetrics.twipsPerPixelX = 0;
            angle = 10;
        }
        ASSERT_EQ(form.dAngle, angle);
        platform.calls.clear();

        EXPECT_TRUE(form.tick(ControlId::Timer3));
        EXPECT_EQ(platform.count("draw Picture11"), 0); // the copy's arguments failed first
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].prompt, row.report);
        EXPECT_EQ(platform.messages[0].flags, vbCritical);
        EXPECT_EQ(platform.messages[0].title, ""); // the program's own title
        EXPECT_EQ(platform.endedWith, std::optional<int>(1));
        EXPECT_EQ(platform.count("endProgram"), 1);
        // The failed tick changed nothing it had not yet reached.
        EXPECT_EQ(form.dAngle, angle);
        EXPECT_EQ(form.Label67.caption(), memory);
        checkNothingRunsAfterEnd(f);
        EXPECT_EQ(platform.messages.size(), 1u);
    }
}

TEST(Faults, NoMemoryFigureKeepsTheReadout)
{
    // A system that gives no figure at all (no /proc/meminfo and no sysinfo(2)) is no error:
    // the readout keeps what it last showed, or its empty start, and everything runs on.
    Fixture f;
    f.platform.failing = { Call::AvailableMemory };
    EXPECT_TRUE(f.form.tick(ControlId::Timer10));
    EXPECT_EQ(f.form.Label67.caption(), "");
    f.platform.failing.clear();
    f.platform.memory = 4096;
    EXPECT_TRUE(f.form.tick(ControlId::Timer10));
    f.platform.failing = { Call::AvailableMemory };
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(f.form.tick(ControlId::Timer10));
    EXPECT_EQ(f.form.Label67.caption(), "Available Physical Memory: 4096");
    EXPECT_TRUE(f.quiet());
    EXPECT_TRUE(f.form.tick(ControlId::Timer11));
}

TEST(Faults, ScreenOfNoSize)
{
    // A screen that reports 0 x 0 (a display going away) is just a resolution of 0 x 0; only
    // the density divides, so everything else runs on.
    Fixture f(false);
    f.platform.screenMetrics.width = f.platform.screenMetrics.height = 0;
    f.form.load();
    EXPECT_EQ(f.form.Label66.caption(), "Screen Resolution: 0 x 0");
    for (int k = 0; k < 40; ++k)
        ASSERT_TRUE(f.form.tick(ControlId::Timer3)) << "tick " << k + 1;
    EXPECT_EQ(f.form.dAngle, 40.0);
    EXPECT_TRUE(f.quiet());
}

TEST(Faults, FailedCopiesAreNotNoticed)
{
    const struct {
        const char* name;
        Call fault;
    } rows[] = { { "drawing fails", Call::Draw }, { "no surfaces", Call::Surface } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.platform.failing = { row.fault };
        for (int k = 0; k < 36; ++k)
            ASSERT_TRUE(f.form.tick(ControlId::Timer3)) << "tick " << k + 1;
        EXPECT_EQ(f.form.dAngle, 0.0); // a full turn
        // Seen edge-on twice a turn, the picture has nothing to stretch.
        EXPECT_EQ(f.platform.count("draw Picture11"), row.fault == Call::Draw ? 34 : 0);
        EXPECT_EQ(f.platform.count("draw Picture12"), row.fault == Call::Draw ? 36 : 0);
        EXPECT_TRUE(f.quiet());
    }
}

TEST(Faults, NothingRunsWhileAnErrorIsReported)
{
    // A real message box runs an event loop of its own, so the timers stay due while the
    // report waits for OK. None of them may run: a failing one would stack report on report.
    // The exit question is different: the clock goes on while it waits.
    Fixture f;
    FakePlatform& platform = f.platform;
    Form1& form = f.form;
    int ranWhileShown = 0;
    platform.whileMessageShows = [&] {
        for (ControlId timer :
            { ControlId::Timer2, ControlId::Timer3, ControlId::Timer10, ControlId::Timer11 })
            ranWhileShown += form.tick(timer);
        ranWhileShown += form.click(ControlId::Command7);
    };
    EXPECT_TRUE(form.click(ControlId::Label6)); // "Are you sure...?", answered No
    EXPECT_EQ(ranWhileShown, 5);

    ranWhileShown = 0;
    platform.screenMetrics.twipsPerPixelX = 0;
    EXPECT_TRUE(form.tick(ControlId::Timer3)); // divides by the missing density: error 6
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].flags, vbCritical);
    EXPECT_EQ(ranWhileShown, 0);
    EXPECT_EQ(platform.count("endProgram"), 1);
    EXPECT_EQ(platform.endedWith, std::optional<int>(1));
}

TEST(Faults, MessageBoxAnswersOtherThanYes)
{
    // A message box that could not be shown returns 0; only an explicit Yes ends the program.
    Fixture f;
    for (int answer : { 0, 1, 2, vbNo, -1 }) {
        f.platform.answers.push_back(answer);
        EXPECT_TRUE(f.form.click(ControlId::Label6)) << answer;
        f.platform.answers.push_back(answer);
        // The About box's answer is ignored altogether.
        EXPECT_TRUE(f.form.click(ControlId::Command14)) << answer;
    }
    EXPECT_EQ(f.platform.messages.size(), 10u);
    EXPECT_FALSE(f.form.ended());
    EXPECT_TRUE(f.form.tick(ControlId::Timer1));
}

TEST(Faults, EverythingFailsAtOnce)
{
    // Every failure the start-up can meet in one run: the load still finishes, with exactly the
    // one socket message, and the window keeps running until its first unguarded division.
    Fixture f(false);
    FakePlatform& platform = f.platform;
    Form1& form = f.form;
    platform.failing
        = { Call::WindowOpacity, Call::Minimise, Call::Screen, Call::MessageBox, Call::StartNetwork,
              Call::HostName, Call::StopNetwork, Call::AvailableMemory, Call::Surface, Call::Draw };
    form.load();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].prompt, "The 32-bit Windows Socket is not responding.");
    EXPECT_EQ(form.Label65.caption(), "Computer Name: ");
    EXPECT_EQ(form.Label66.caption(), "Screen Resolution: 0 x 0");
    EXPECT_EQ(form.Label69.caption(), creditsText());
    EXPECT_FALSE(form.ended());
    f.ticks(ControlId::Timer1, 125);
    EXPECT_EQ(form.lngAlpha, 250);
    EXPECT_TRUE(form.click(ControlId::Command7));
    f.ticks(ControlId::Timer6, 60);
    EXPECT_EQ(form.Picture15.height(), 5220.0f);
    EXPECT_FALSE(form.ended());
    EXPECT_TRUE(form.tick(ControlId::Timer3));
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.endedWith, std::optional<int>(1));
    checkNothingRunsAfterEnd(f);
}
