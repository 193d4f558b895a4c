// The platform failing under the program: opacity calls that do nothing, screen metrics of 0,
// no memory figure at all, message boxes that return nothing useful, block copies that fail.
// Each must end in the documented behaviour: carry on silently where the handler resumes past
// errors or ignores results, the error report and End(1) where it does not; never a crash, a
// hang or a second message. The memory figure itself is read from odd /proc/meminfo texts and
// without the file. (The socket-library failures at start-up are in test_startup.)

#include "fixture.h"
#include "language/vb.h"
#include "model/texts.h"
#include "system/memory.h"

#include <QTemporaryFile>
#include <QTest>

using namespace gd;

namespace {

using Call = FakePlatform::Call;

// After End nothing may run: no handler, no platform call, no further message.
void checkNothingRunsAfterEnd(Fixture& f)
{
    const std::size_t calls = f.platform.calls.size();
    for (ControlId timer : { ControlId::Timer1, ControlId::Timer2, ControlId::Timer3,
             ControlId::Timer8, ControlId::Timer9, ControlId::Timer10, ControlId::Timer11 })
        QVERIFY2(!f.form.tick(timer), nameOf(timer).data());
    QVERIFY(!f.form.click(ControlId::Command7));
    QVERIFY(!f.form.click(ControlId::Command15));
    QVERIFY(!f.form.mouseMove(ControlId::Form1));
    QCOMPARE(f.platform.calls.size(), calls);
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    void opacityFailuresDoNotStopTheFade()
    {
        // The result of the opacity call is never examined: the fade counts on and the window is
        // left as the platform leaves it, without a word.
        Fixture f(false);
        f.platform.failing = { Call::WindowOpacity };
        f.form.load();
        QCOMPARE(f.form.Picture15.height(), 50.0f); // the rest of the load went on
        QCOMPARE(f.caption(f.form.Label66), QStringLiteral("Screen Resolution: 1280 x 1024"));
        for (int k = 1; k <= 125; ++k)
            QVERIFY(f.form.tick(ControlId::Timer1));
        QCOMPARE(f.form.txtTrans.tag(), std::string("250"));
        QCOMPARE(f.form.lngAlpha, 250);
        QVERIFY(!f.form.Timer1.enabled());
        // Asked anew on every tick, as the fade does.
        QCOMPARE(f.platform.alphas.size(), std::size_t(126));
        QCOMPARE(f.platform.alphas.back(), 250);
        QVERIFY(f.quiet());
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
        Fixture f(false);
        FakePlatform& platform = f.platform;
        Form1& form = f.form;
        if (fault == 0 || fault == 1)
            platform.screenMetrics.twipsPerPixelX = 0;
        if (fault == 2)
            platform.screenMetrics.twipsPerPixelY = 0;
        form.load();
        // The load handler resumes past the failed division: that number reads 0, nothing is said.
        const char* resolution[] = { "Screen Resolution: 0 x 1024", "Screen Resolution: 0 x 1024",
            "Screen Resolution: 1280 x 0" };
        QCOMPARE(f.caption(form.Label66), QString::fromLatin1(resolution[fault]));
        QVERIFY(platform.messages.empty());

        form.tick(ControlId::Timer10);
        const std::string memory = form.Label67.caption();
        QVERIFY(form.click(ControlId::Command7));
        for (int k = 0; k < 10; ++k)
            form.tick(ControlId::Timer6);
        double angle = 0;
        if (fault == 1) {
            platform.screenMetrics.twipsPerPixelX = 15;
            QVERIFY(form.tick(ControlId::Timer3));
            platform.screenMetrics.twipsPerPixelX = 0;
            angle = 10;
        }
        QCOMPARE(form.dAngle, angle);
        platform.calls.clear();

        QVERIFY(form.tick(ControlId::Timer3));
        QCOMPARE(platform.count("draw Picture11"), 0); // the copy's arguments failed first
        QCOMPARE(platform.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(platform.messages[0].prompt), report);
        QCOMPARE(platform.messages[0].flags, vbCritical);
        QCOMPARE(platform.messages[0].title, std::string()); // the program's own title
        QCOMPARE(platform.endedWith, std::optional<int>(1));
        QCOMPARE(platform.count("endProgram"), 1);
        // The failed tick changed nothing it had not yet reached.
        QCOMPARE(form.dAngle, angle);
        QCOMPARE(form.Label67.caption(), memory);
        checkNothingRunsAfterEnd(f);
        QCOMPARE(platform.messages.size(), std::size_t(1));
    }

    void noMemoryFigureKeepsTheReadout()
    {
        // A system that gives no figure at all (no /proc/meminfo and no sysinfo(2)) is no error:
        // the readout keeps what it last showed, or its empty start, and everything runs on.
        Fixture f;
        f.platform.failing = { Call::AvailableMemory };
        QVERIFY(f.form.tick(ControlId::Timer10));
        QCOMPARE(f.caption(f.form.Label67), QString());
        f.platform.failing.clear();
        f.platform.memory = 4096;
        QVERIFY(f.form.tick(ControlId::Timer10));
        f.platform.failing = { Call::AvailableMemory };
        for (int k = 0; k < 3; ++k)
            QVERIFY(f.form.tick(ControlId::Timer10));
        QCOMPARE(f.caption(f.form.Label67), QStringLiteral("Available Physical Memory: 4096"));
        QVERIFY(f.quiet());
        QVERIFY(f.form.tick(ControlId::Timer11));
    }

    void memoryFigureFromMeminfo_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qulonglong>("bytes");
        const QByteArray head = "MemTotal:       32768000 kB\nMemFree:         1000000 kB\n";
        QTest::newRow("as the kernel writes it")
            << head + "MemAvailable:   24000000 kB\nBuffers:  12 kB\n"
            << true << 24'576'000'000ull;
        QTest::newRow("first line") << QByteArray("MemAvailable: 7 kB\n") << true << 7168ull;
        QTest::newRow("after an empty line")
            << QByteArray("\nMemAvailable: 7 kB\n") << true << 7168ull;
        QTest::newRow("last line, no newline") << head + "MemAvailable: 3" << true << 3072ull;
        QTest::newRow("old kernel without it") << head << false << 0ull;
        QTest::newRow("inside another name")
            << QByteArray("XMemAvailable: 5 kB\n") << false << 0ull;
        QTest::newRow("after a name that ends in it")
            << QByteArray("XMemAvailable: 5 kB\nMemAvailable: 7 kB\n") << true << 7168ull;
        QTest::newRow("after a name that starts with it")
            << QByteArray("MemAvailableSoon: 5 kB\nMemAvailable: 7 kB\n") << true << 7168ull;
        QTest::newRow("no number") << head + "MemAvailable:  kB\n" << false << 0ull;
        QTest::newRow("past 32 bits of kibibytes")
            << QByteArray("MemAvailable: 5000000000 kB\n") << true << 5'120'000'000'000ull;
        QTest::newRow("largest that fits") << QByteArray("MemAvailable: 18014398509481983 kB")
                                           << true << 18'014'398'509'481'983ull * 1024;
        QTest::newRow("too large for 64 bits")
            << QByteArray("MemAvailable: 18014398509481984 kB") << false << 0ull;
    }
    // The figure from the text, and from a file holding it; where the file has none, sysinfo(2)
    // answers instead.
    void memoryFigureFromMeminfo()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QFETCH(qulonglong, bytes);
        const std::optional<std::uint64_t> parsed
            = parseMemAvailable(std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(parsed.has_value(), ok);
        QCOMPARE(qulonglong(parsed.value_or(0)), bytes);

        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(text);
        file.flush();
        AvailableMemory memory(file.fileName().toStdString());
        for (int read = 0; read < 2; ++read) // from the one open file
            if (ok)
                QCOMPARE(qulonglong(memory.read().value_or(0)), bytes);
            else
                QVERIFY(memory.read().value_or(0) > 0);
    }

    void memoryFigureWithoutMeminfo()
    {
        // Where /proc/meminfo is hidden: free plus buffers, in the call's memory units.
        QCOMPARE(sysinfoAvailable(1000, 24, 1), std::optional<std::uint64_t>(1024));
        QCOMPARE(sysinfoAvailable(1u << 20, 0, 4096),
            std::optional<std::uint64_t>(std::uint64_t(1) << 32));
        QCOMPARE(sysinfoAvailable(5, 0, 0), std::optional<std::uint64_t>(5)); // old kernels
        QCOMPARE(sysinfoAvailable(~0ull / 2, 0, 4096), std::nullopt);
        QCOMPARE(sysinfoAvailable(~0ull, 1, 1), std::nullopt);
        QVERIFY(AvailableMemory("/nonexistent/meminfo").read().value_or(0) > 0);
        QVERIFY(AvailableMemory().read().value_or(0) > 0);
    }

    void screenOfNoSize()
    {
        // A screen that reports 0 x 0 (a display going away) is just a resolution of 0 x 0; only
        // the density divides, so everything else runs on.
        Fixture f(false);
        f.platform.screenMetrics.width = f.platform.screenMetrics.height = 0;
        f.form.load();
        QCOMPARE(f.caption(f.form.Label66), QStringLiteral("Screen Resolution: 0 x 0"));
        for (int k = 0; k < 40; ++k)
            QVERIFY(f.form.tick(ControlId::Timer3));
        QCOMPARE(f.form.dAngle, 40.0);
        QVERIFY(f.quiet());
    }

    void failedCopiesAreNotNoticed_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("drawing fails") << int(Call::Draw);
        QTest::newRow("no surfaces") << int(Call::Surface);
    }
    void failedCopiesAreNotNoticed()
    {
        QFETCH(int, fault);
        Fixture f;
        f.platform.failing = { Call(fault) };
        for (int k = 0; k < 36; ++k)
            QVERIFY(f.form.tick(ControlId::Timer3));
        QCOMPARE(f.form.dAngle, 0.0); // a full turn
        // Seen edge-on twice a turn, the picture has nothing to stretch.
        QCOMPARE(f.platform.count("draw Picture11"), Call(fault) == Call::Draw ? 34 : 0);
        QCOMPARE(f.platform.count("draw Picture12"), Call(fault) == Call::Draw ? 36 : 0);
        QVERIFY(f.quiet());
    }

    void nothingRunsWhileAnErrorIsReported()
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
        QVERIFY(form.click(ControlId::Label6)); // "Are you sure...?", answered No
        QCOMPARE(ranWhileShown, 5);

        ranWhileShown = 0;
        platform.screenMetrics.twipsPerPixelX = 0;
        QVERIFY(form.tick(ControlId::Timer3)); // divides by the missing density: error 6
        QCOMPARE(platform.messages.size(), std::size_t(2));
        QCOMPARE(platform.messages[1].flags, vbCritical);
        QCOMPARE(ranWhileShown, 0);
        QCOMPARE(platform.count("endProgram"), 1);
        QCOMPARE(platform.endedWith, std::optional<int>(1));
    }

    void messageBoxAnswersOtherThanYes()
    {
        // A message box that could not be shown returns 0; only an explicit Yes ends the program.
        Fixture f;
        for (int answer : { 0, 1, 2, vbNo, -1 }) {
            f.platform.answers.push_back(answer);
            QVERIFY(f.form.click(ControlId::Label6));
            f.platform.answers.push_back(answer);
            QVERIFY(
                f.form.click(ControlId::Command14)); // the About box's answer is ignored altogether
        }
        QCOMPARE(f.platform.messages.size(), std::size_t(10));
        QVERIFY(!f.form.ended());
        QVERIFY(f.form.tick(ControlId::Timer1));
    }

    void everythingFailsAtOnce()
    {
        // Every failure the start-up can meet in one run: the load still finishes, with exactly the
        // one socket message, and the window keeps running until its first unguarded division.
        Fixture f(false);
        FakePlatform& platform = f.platform;
        Form1& form = f.form;
        platform.failing = { Call::WindowOpacity, Call::Minimise, Call::Screen, Call::MessageBox,
            Call::StartNetwork, Call::HostName, Call::StopNetwork, Call::AvailableMemory,
            Call::Surface, Call::Draw };
        form.load();
        QCOMPARE(platform.messages.size(), std::size_t(1));
        QCOMPARE(platform.messages[0].prompt,
            std::string("The 32-bit Windows Socket is not responding."));
        QCOMPARE(f.caption(form.Label65), QStringLiteral("Computer Name: "));
        QCOMPARE(f.caption(form.Label66), QStringLiteral("Screen Resolution: 0 x 0"));
        QCOMPARE(form.Label69.caption(), std::string(creditsText()));
        QVERIFY(!form.ended());
        for (int k = 0; k < 125; ++k)
            form.tick(ControlId::Timer1);
        QCOMPARE(form.lngAlpha, 250);
        QVERIFY(form.click(ControlId::Command7));
        for (int k = 0; k < 60; ++k)
            form.tick(ControlId::Timer6);
        QCOMPARE(form.Picture15.height(), 5220.0f);
        QVERIFY(!form.ended());
        QVERIFY(form.tick(ControlId::Timer3));
        QCOMPARE(platform.messages.size(), std::size_t(2));
        QCOMPARE(platform.endedWith, std::optional<int>(1));
        checkNothingRunsAfterEnd(f);
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "test_faults.moc"
