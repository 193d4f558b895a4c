// The platform failing under the program: opacity calls that do nothing, screen metrics of 0,
// no memory figure at all, message boxes that return nothing useful, block copies that fail.
// Each must end in the documented behaviour: carry on silently where the handler resumes past
// errors or ignores results, the error report and End(1) where it does not; never a crash, a
// hang or a second message. (The socket-library failures at start-up are in test_startup.)

#include "fake_platform.h"
#include "content/texts.h"
#include "runtime/vb.h"
#include "window/form.h"

#include <QTest>

using namespace gd;

namespace {

constexpr int vbCritical = 16;

// The fake, with the failures it cannot script by itself.
class FaultyPlatform : public FakePlatform {
public:
    bool opacityFails = false; // SetLayeredWindowAttributes reports failure and does nothing
    bool styleSticks = false; // the window refuses the layered bit
    bool blitsFail = false;

    std::int32_t SetWindowLongA(std::int32_t index, std::int32_t style) override
    {
        const std::int32_t before = exStyle;
        const std::int32_t old = FakePlatform::SetWindowLongA(index, style);
        if (styleSticks)
            exStyle = before;
        return old;
    }
    std::int32_t SetLayeredWindowAttributes(
        std::uint32_t crKey, std::uint8_t bAlpha, std::int32_t dwFlags) override
    {
        FakePlatform::SetLayeredWindowAttributes(crKey, bAlpha, dwFlags);
        return opacityFails ? 0 : 1;
    }
    std::int32_t StretchBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src, int xSrc,
        int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop) override
    {
        FakePlatform::StretchBlt(
            dest, x, y, nWidth, nHeight, src, xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
        return blitsFail ? 0 : 1;
    }
    std::int32_t BitBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src, int xSrc,
        int ySrc, std::int32_t dwRop) override
    {
        FakePlatform::BitBlt(dest, x, y, nWidth, nHeight, src, xSrc, ySrc, dwRop);
        return blitsFail ? 0 : 1;
    }
};

QString caption(Form1& form, const char* name)
{
    return QString::fromStdString(form.ctl(name).caption());
}

// After End nothing may run: no handler, no platform call, no further message.
void checkNothingRunsAfterEnd(Form1& form, FakePlatform& platform)
{
    const std::size_t calls = platform.calls.size();
    for (const char* timer :
        { "Timer1", "Timer2", "Timer3", "Timer8", "Timer9", "Timer10", "Timer11" })
        QVERIFY2(!form.tick(timer), timer);
    QVERIFY(!form.click("Command7"));
    QVERIFY(!form.click("Command15"));
    QVERIFY(!form.mouseMove("Form1"));
    QCOMPARE(platform.calls.size(), calls);
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    void opacityFailuresDoNotStopTheFade_data()
    {
        QTest::addColumn<bool>("opacityFails");
        QTest::addColumn<bool>("styleSticks");
        QTest::newRow("opacity call fails") << true << false;
        QTest::newRow("layered bit refused") << false << true;
        QTest::newRow("both") << true << true;
    }
    void opacityFailuresDoNotStopTheFade()
    {
        // The results of the style and opacity calls are never examined: the fade counts on and
        // the window is left as the platform leaves it, without a word.
        QFETCH(bool, opacityFails);
        QFETCH(bool, styleSticks);
        FaultyPlatform platform;
        platform.opacityFails = opacityFails;
        platform.styleSticks = styleSticks;
        Form1 form(platform);
        form.load();
        QCOMPARE(form.ctl("Picture15").height(), 50.0f); // the rest of the load went on
        QCOMPARE(caption(form, "Label66"), QStringLiteral("Screen Resolution: 1280 x 1024"));
        for (int k = 1; k <= 125; ++k)
            QVERIFY(form.tick("Timer1"));
        QCOMPARE(form.ctl("txtTrans").tag(), std::string("250"));
        QCOMPARE(form.lngAlpha, 250);
        QVERIFY(!form.ctl("Timer1").enabled());
        // Asked anew on every tick, as the fade does.
        QCOMPARE(platform.count("SetWindowLongA"), 126);
        QCOMPARE(platform.alphas.size(), std::size_t(126));
        QCOMPARE(platform.alphas.back(), 250);
        QCOMPARE(bool(platform.exStyle & WS_EX_LAYERED), !styleSticks);
        QVERIFY(platform.messages.empty());
        QVERIFY(!form.ended());
    }

    void unhandledFaultsReportAndEnd_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("report");
        // Timer3 at angle 0 with no horizontal density: the first division is (W - W) / 0, an
        // overflow, not the division by zero of the arguments after it.
        QTest::newRow("no x density at 0 degrees") << 0 << "Run-time error '6':\r\n\r\nOverflow";
        QTest::newRow("no x density at 10 degrees")
            << 1 << "Run-time error '11':\r\n\r\nDivision by zero";
        QTest::newRow("no y density") << 2 << "Run-time error '11':\r\n\r\nDivision by zero";
    }
    void unhandledFaultsReportAndEnd()
    {
        QFETCH(int, fault);
        QFETCH(QString, report);
        FakePlatform platform;
        Form1 form(platform);
        if (fault == 0 || fault == 1)
            platform.tppX = 0;
        if (fault == 2)
            platform.tppY = 0;
        form.load();
        // The load handler resumes past the failed division: that number reads 0, nothing is said.
        const char* resolution[] = { "Screen Resolution: 0 x 1024", "Screen Resolution: 0 x 1024",
            "Screen Resolution: 1280 x 0" };
        QCOMPARE(caption(form, "Label66"), QString::fromLatin1(resolution[fault]));
        QVERIFY(platform.messages.empty());

        form.tick("Timer10");
        const std::string memory = form.ctl("Label67").caption();
        QVERIFY(form.click("Command7"));
        for (int k = 0; k < 10; ++k)
            form.tick("Timer6");
        double angle = 0;
        if (fault == 1) {
            platform.tppX = 15;
            QVERIFY(form.tick("Timer3"));
            platform.tppX = 0;
            angle = 10;
        }
        QCOMPARE(form.dAngle, angle);
        platform.calls.clear();

        QVERIFY(form.tick("Timer3"));
        QCOMPARE(platform.count("StretchBlt"), 0); // the copy's arguments failed first
        QCOMPARE(platform.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(platform.messages[0].prompt), report);
        QCOMPARE(platform.messages[0].flags, vbCritical);
        QCOMPARE(platform.messages[0].title, std::string()); // the program's own title
        QCOMPARE(platform.endedWith, std::optional<int>(1));
        QCOMPARE(platform.count("End"), 1);
        // The failed tick changed nothing it had not yet reached.
        QCOMPARE(form.dAngle, angle);
        QCOMPARE(form.ctl("Label67").caption(), memory);
        checkNothingRunsAfterEnd(form, platform);
        QCOMPARE(platform.messages.size(), std::size_t(1));
    }

    void noMemoryFigureKeepsTheReadout()
    {
        // A system that gives no figure at all (no /proc/meminfo and no sysinfo(2)) is no error:
        // the readout keeps what it last showed, or its empty start, and everything runs on.
        FakePlatform platform;
        Form1 form(platform);
        form.load();
        platform.memory.reset();
        QVERIFY(form.tick("Timer10"));
        QCOMPARE(caption(form, "Label67"), QString());
        platform.memory = 4096;
        QVERIFY(form.tick("Timer10"));
        platform.memory.reset();
        for (int k = 0; k < 3; ++k)
            QVERIFY(form.tick("Timer10"));
        QCOMPARE(caption(form, "Label67"), QStringLiteral("Available Physical Memory: 4096"));
        QVERIFY(platform.messages.empty());
        QVERIFY(!form.ended());
        QVERIFY(form.tick("Timer11"));
    }

    void screenOfNoSize()
    {
        // A screen that reports 0 x 0 (a display going away) is just a resolution of 0 x 0; only
        // the density divides, so everything else runs on.
        FakePlatform platform;
        platform.screenWidthTwips = platform.screenHeightTwips = 0;
        Form1 form(platform);
        form.load();
        QCOMPARE(caption(form, "Label66"), QStringLiteral("Screen Resolution: 0 x 0"));
        for (int k = 0; k < 40; ++k)
            QVERIFY(form.tick("Timer3"));
        QCOMPARE(form.dAngle, 40.0);
        QVERIFY(platform.messages.empty());
        QVERIFY(!form.ended());
    }

    void failedCopiesAreNotNoticed()
    {
        FaultyPlatform platform;
        platform.blitsFail = true;
        Form1 form(platform);
        form.load();
        for (int k = 0; k < 36; ++k)
            QVERIFY(form.tick("Timer3"));
        QCOMPARE(form.dAngle, 0.0); // a full turn
        QCOMPARE(platform.count("StretchBlt"), 36);
        QCOMPARE(platform.count("BitBlt"), 36);
        QCOMPARE(platform.count("Refresh Picture12"), 36);
        QVERIFY(platform.messages.empty());
        QVERIFY(!form.ended());
    }

    void nothingRunsWhileAnErrorIsReported()
    {
        // A real message box runs an event loop of its own, so the timers stay due while the
        // report waits for OK. None of them may run: a failing one would stack report on report.
        // The exit question is different: the clock goes on while it waits.
        FakePlatform platform;
        Form1 form(platform);
        form.load();
        int ranWhileShown = 0;
        platform.whileMessageShows = [&] {
            for (const char* timer : { "Timer2", "Timer3", "Timer10", "Timer11" })
                ranWhileShown += form.tick(timer);
            ranWhileShown += form.click("Command7");
        };
        QVERIFY(form.click("Label6")); // "Are you sure...?", answered No
        QCOMPARE(ranWhileShown, 5);

        ranWhileShown = 0;
        platform.tppX = 0;
        QVERIFY(form.tick("Timer3")); // divides by the missing density: error 6
        QCOMPARE(platform.messages.size(), std::size_t(2));
        QCOMPARE(platform.messages[1].flags, vbCritical);
        QCOMPARE(ranWhileShown, 0);
        QCOMPARE(platform.count("End"), 1);
        QCOMPARE(platform.endedWith, std::optional<int>(1));
    }

    void messageBoxAnswersOtherThanYes()
    {
        // A message box that could not be shown returns 0; only an explicit Yes ends the program.
        FakePlatform platform;
        Form1 form(platform);
        form.load();
        for (int answer : { 0, 1, 2, vbNo, -1 }) {
            platform.answers.push_back(answer);
            QVERIFY(form.click("Label6"));
            platform.answers.push_back(answer);
            QVERIFY(form.click("Command14")); // the About box's answer is ignored altogether
        }
        QCOMPARE(platform.messages.size(), std::size_t(10));
        QVERIFY(!form.ended());
        QVERIFY(form.tick("Timer1"));
    }

    void everythingFailsAtOnce()
    {
        // Every failure the start-up can meet in one run: the load still finishes, with exactly the
        // one socket message, and the window keeps running until its first unguarded division.
        FaultyPlatform platform;
        platform.startupResult = 10091;
        platform.opacityFails = platform.styleSticks = platform.blitsFail = true;
        platform.tppX = platform.tppY = 0;
        platform.screenWidthTwips = platform.screenHeightTwips = 0;
        platform.memory.reset();
        Form1 form(platform);
        form.load();
        QCOMPARE(platform.messages.size(), std::size_t(1));
        QCOMPARE(platform.messages[0].prompt,
            std::string("The 32-bit Windows Socket is not responding."));
        QCOMPARE(caption(form, "Label65"), QStringLiteral("Computer Name: "));
        QCOMPARE(caption(form, "Label66"), QStringLiteral("Screen Resolution: 0 x 0"));
        QCOMPARE(form.ctl("Label69").caption(), std::string(creditsText()));
        QVERIFY(!form.ended());
        for (int k = 0; k < 125; ++k)
            form.tick("Timer1");
        QCOMPARE(form.lngAlpha, 250);
        QVERIFY(form.click("Command7"));
        for (int k = 0; k < 60; ++k)
            form.tick("Timer6");
        QCOMPARE(form.ctl("Picture15").height(), 5220.0f);
        QVERIFY(!form.ended());
        QVERIFY(form.tick("Timer3"));
        QCOMPARE(platform.messages.size(), std::size_t(2));
        QCOMPARE(platform.endedWith, std::optional<int>(1));
        checkNothingRunsAfterEnd(form, platform);
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "test_faults.moc"
