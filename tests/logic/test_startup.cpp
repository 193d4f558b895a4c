// Start-up, the fade-in, the frame controls and the host-name lookup, against the fake platform.

#include "fixture.h"
#include "handlers/library_calls.h"
#include "handlers/module1.h"
#include "model/texts.h"

#include <QTest>

using namespace gd;

namespace {

using Call = FakePlatform::Call;

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void loadFillsTheWindow()
    {
        Fixture f;
        QCOMPARE(f.form.lngAlpha, 0);
        QCOMPARE(f.form.Picture15.height(), 50.0f);
        QVERIFY(f.form.exStyle & WS_EX_LAYERED);
        QCOMPARE(f.platform.alphas, std::vector<int> { 0 });
        QCOMPARE(f.form.lblButton.backColor(), Colour(255));
        QCOMPARE(f.caption(f.form.Label65), QStringLiteral("Computer Name: box7"));
        QCOMPARE(f.caption(f.form.Label66), QStringLiteral("Screen Resolution: 1280 x 1024"));
        QCOMPARE(f.platform.messages.size(), std::size_t(0));
        // The credits: ten lines joined by CR LF, none after the last.
        const QStringList credits = f.caption(f.form.Label69).split("\r\n");
        QCOMPARE(credits,
            QStringList({ "Glimmerdeck", "A free learning program from Quillmoor", "",
                "Take it apart to learn advanced graphical user interface work for your System "
                "Analysis and Design courses, your thesis and your software development. Please "
                "share it with your fellow Visual Basic programmers. Thank you!",
                "", "- Varnold", "varnold@quillmoor.example", "hello@quillmoor.example", "",
                "Baguio City, Philippines" }));
    }

    void resolution_data()
    {
        QTest::addColumn<double>("tpp");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("expected");
        QTest::newRow("96 dpi") << 15.0 << 1024 * 15.0 << 768 * 15.0
                                << "Screen Resolution: 1024 x 768";
        QTest::newRow("120 dpi") << 12.0 << 1920 * 12.0 << 1080 * 12.0
                                 << "Screen Resolution: 1920 x 1080";
        // 14.5 rounds to 14 (half to even) before the division.
        QTest::newRow("divisor rounded")
            << 14.5 << 1400.0 << 700.0 << "Screen Resolution: 100 x 50";
        // A density of 0 fails the divisions; resume-next leaves both numbers at 0.
        QTest::newRow("no density") << 0.0 << 19200.0 << 15360.0 << "Screen Resolution: 0 x 0";
        // Overflow in the conversion: the step is skipped, that number stays 0.
        QTest::newRow("overflow") << 15.0 << 1e12 << 15360.0 << "Screen Resolution: 0 x 1024";
    }
    void resolution()
    {
        QFETCH(double, tpp);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QString, expected);
        Fixture f(false);
        f.platform.screenMetrics = { width, height, tpp, tpp };
        f.form.load();
        QCOMPARE(f.caption(f.form.Label66), expected);
        QVERIFY(!f.form.ended());
        QCOMPARE(f.caption(f.form.Label69).toStdString(), std::string(creditsText()));
    }

    void fadeIn()
    {
        Fixture f;
        f.form.tick(ControlId::Timer1);
        QCOMPARE(f.form.lngAlpha, 2);
        QCOMPARE(f.platform.alphas.back(), 2);
        f.form.tick(ControlId::Timer1);
        QCOMPARE(f.platform.alphas.back(), 4);
        for (int k = 3; k <= 125; ++k)
            f.form.tick(ControlId::Timer1);
        QCOMPARE(f.form.txtTrans.tag(), std::string("250"));
        QCOMPARE(f.form.lngAlpha, 250);
        QVERIFY(!f.form.Timer1.enabled());
        QVERIFY(!f.form.tick(ControlId::Timer1));             // no tick after the last
        QCOMPARE(f.platform.alphas.size(), std::size_t(126)); // load + 125 steps
        for (std::size_t k = 1; k < f.platform.alphas.size(); ++k)
            QCOMPARE(f.platform.alphas[k], int(2 * k));
        // The visible listing is untouched by the counter.
        QVERIFY(f.form.txtTrans.text().starts_with("Private Declare Function GetWindowLong"));
    }

    void fadeEndsAtOnceWhenMotionIsReduced_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::newRow("from the start") << 0;
        QTest::newRow("under way") << 40;
    }
    void fadeEndsAtOnceWhenMotionIsReduced()
    {
        QFETCH(int, ticksBefore);
        Fixture f;
        f.ticks(ControlId::Timer1, ticksBefore);
        const std::size_t before = f.platform.alphas.size();
        f.platform.reduceMotion = true;
        QVERIFY(f.form.tick(ControlId::Timer1));
        // The end of the fade in one step: the same counter, opacity and stopped timer.
        QCOMPARE(f.form.txtTrans.tag(), std::string("250"));
        QCOMPARE(f.form.lngAlpha, 250);
        QCOMPARE(f.platform.alphas.size(), before + 1);
        QCOMPARE(f.platform.alphas.back(), 250);
        QVERIFY(!f.form.Timer1.enabled());
        QVERIFY(f.quiet());
    }

    void fadeWithAForeignCounter()
    {
        // A counter that never reads "250" would fade past 255: the conversion to a byte fails,
        // resume-next skips the opacity step, and the window stays at its last opacity.
        Fixture f;
        f.form.txtTrans.setTag("255");
        f.form.tick(ControlId::Timer1);
        QCOMPARE(f.form.txtTrans.tag(), std::string("257"));
        QCOMPARE(f.platform.alphas.back(), 0);
        QVERIFY(f.form.Timer1.enabled());
        QVERIFY(!f.form.ended());
        // A counter that is not a number at all: "abc" + 2 = "2", and the fade goes on.
        f.form.txtTrans.setTag("abc");
        f.form.tick(ControlId::Timer1);
        QCOMPARE(f.platform.alphas.back(), 2);
    }

    void exitQuestion_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("answer");
        QTest::newRow("X, No") << "Label6" << vbNo;
        QTest::newRow("X, Yes") << "Label6" << vbYes;
        QTest::newRow("Exit, No") << "Command15" << vbNo;
        QTest::newRow("Exit, Yes") << "Command15" << vbYes;
    }
    void exitQuestion()
    {
        QFETCH(QString, control);
        QFETCH(int, answer);
        Fixture f;
        f.platform.answers.push_back(answer);
        QVERIFY(f.form.click(Fixture::id(control)));
        QCOMPARE(f.platform.messages.size(), std::size_t(1));
        QCOMPARE(f.platform.messages[0].prompt,
            std::string("Are you sure you want to quit Glimmerdeck?"));
        QCOMPARE(f.platform.messages[0].flags, 36);
        QCOMPARE(f.platform.messages[0].title, std::string("EXIT"));
        if (answer == vbYes) {
            QCOMPARE(f.platform.endedWith, std::optional<int>(0));
            QVERIFY(f.form.ended());
            // Nothing runs after End, not even a timer.
            QVERIFY(!f.form.tick(ControlId::Timer2));
            QVERIFY(!f.form.click(ControlId::Command14));
        } else {
            QVERIFY(!f.platform.endedWith);
            QVERIFY(f.form.tick(ControlId::Timer1));
            QCOMPARE(f.platform.alphas.back(), 2);
        }
    }

    void minimiseAndAbout()
    {
        Fixture f;
        f.form.click(ControlId::Label5);
        QCOMPARE(f.platform.count("minimiseWindow"), 1);
        f.form.click(ControlId::Command14);
        QCOMPARE(f.platform.messages.size(), std::size_t(1));
        const auto& about = f.platform.messages[0];
        QCOMPARE(about.flags, 64);
        QCOMPARE(about.title, std::string("About QUILLMOOR"));
        const QStringList lines = QString::fromStdString(about.prompt).split("\r\n");
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0], QStringLiteral("Glimmerdeck"));
        QCOMPARE(lines[1], QStringLiteral("by Varnold"));
        QCOMPARE(lines[3], QString());
        QCOMPARE(lines[5], QStringLiteral("on how to create GUI on their projects."));
        QCOMPARE(lines[6], QString());
        QCOMPARE(lines[7], QStringLiteral("For more VB6 Tutorials and Freeware Downloads,"));
        QVERIFY(lines[8].startsWith(QStringLiteral(" visit ")));
        QVERIFY(!f.form.ended());
    }

    void clicksWithoutHandlersDoNothing()
    {
        Fixture f;
        for (ControlId id : { ControlId::lblTitle, ControlId::Image3, ControlId::Picture3,
                 ControlId::Label69, ControlId::a, ControlId::Picture20 })
            QVERIFY(!f.form.click(id));
        QCOMPARE(f.platform.messages.size(), std::size_t(0));
    }

    void unhandledErrorEndsTheProgram()
    {
        Fixture f;
        f.platform.screenMetrics.twipsPerPixelX = 0; // the spin divides by the density, in a
        f.form.tick(ControlId::Timer3);              // handler without error handling
        QCOMPARE(f.platform.messages.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(f.platform.messages[0].prompt)
                    .startsWith("Run-time error '6':\r\n\r\n"));
        QCOMPARE(f.platform.endedWith, std::optional<int>(1));
        QVERIFY(!f.form.tick(ControlId::Timer2));
    }

    void sockets_data()
    {
        QTest::addColumn<int>("startup");
        QTest::addColumn<int>("maxSockets");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("hostResult");
        QTest::addColumn<int>("cleanup");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("cleanups");
        QTest::newRow("ok") << 0 << 100 << 0x0101 << 0 << 0 << ""
                            << "Computer Name: box7" << 1;
        QTest::newRow("version 2.2") << 0 << 100 << 0x0202 << 0 << 0 << ""
                                     << "Computer Name: box7" << 1;
        QTest::newRow("start-up fails")
            << 10091 << 100 << 0x0101 << 0 << 0 << "The 32-bit Windows Socket is not responding."
            << "Computer Name: " << 0;
        QTest::newRow("no sockets") << 0 << 0 << 0x0101 << 0 << 0
                                    << "This application requires a minimum of 1 supported sockets."
                                    << "Computer Name: " << 0;
        QTest::newRow("negative sockets")
            << 0 << -1 << 0x0101 << 0 << 0
            << "This application requires a minimum of 1 supported sockets."
            << "Computer Name: " << 0;
        QTest::newRow("version 1.0")
            << 0 << 100 << 0x0001 << 0 << 0
            << "Sockets version 1.0 is not supported by 32-bit Windows Sockets."
            << "Computer Name: " << 0;
        QTest::newRow("version 0.9")
            << 0 << 100 << 0x0900 << 0 << 0
            << "Sockets version 0.9 is not supported by 32-bit Windows Sockets."
            << "Computer Name: " << 0;
        QTest::newRow("host name fails")
            << 0 << 100 << 0x0101 << -1 << 0
            << "Windows Sockets error 10093 has occurred. Unable to successfully get Host Name."
            << "Computer Name: " << 1;
        QTest::newRow("clean-up fails")
            << 0 << 100 << 0x0101 << 0 << 1 << "Socket error occurred in Cleanup."
            << "Computer Name: box7" << 1;
    }
    void sockets()
    {
        QFETCH(int, startup);
        QFETCH(int, maxSockets);
        QFETCH(int, version);
        QFETCH(int, hostResult);
        QFETCH(int, cleanup);
        QFETCH(QString, message);
        QFETCH(QString, label);
        QFETCH(int, cleanups);
        Fixture f(false);
        f.platform.network = { startup, std::uint16_t(version), std::int16_t(maxSockets) };
        if (hostResult)
            f.platform.failing.insert(Call::HostName);
        if (cleanup)
            f.platform.failing.insert(Call::StopNetwork);
        f.form.load();
        if (message.isEmpty()) {
            QCOMPARE(f.platform.messages.size(), std::size_t(0));
        } else {
            QCOMPARE(f.platform.messages.size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(f.platform.messages[0].prompt), message);
            QCOMPARE(f.platform.messages[0].flags, 0);
            QCOMPARE(f.platform.messages[0].title, std::string());
        }
        QCOMPARE(f.caption(f.form.Label65), label);
        QCOMPARE(f.platform.count("stopNetwork"), cleanups);
        // The host name is asked for only once the library passed its three checks.
        const bool checksPassed = !message.startsWith("The 32-bit")
            && !message.startsWith("This application") && !message.startsWith("Sockets version");
        QCOMPARE(f.platform.count("hostName"), checksPassed ? 1 : 0);
        // The rest of the load still happens.
        QCOMPARE(f.caption(f.form.Label66), QStringLiteral("Screen Resolution: 1280 x 1024"));
        QCOMPARE(f.caption(f.form.Label69).toStdString(), std::string(creditsText()));
    }

    void hostNameBuffer()
    {
        // A name filling the buffer, or longer, leaves no NUL: it is taken to the buffer's end and
        // never read past.
        Fixture f(false);
        f.platform.host = std::string(256, 'h');
        QCOMPARE(LocalHostName(f.form), std::string(256, 'h'));
        f.platform.host = std::string(300, 'h');
        QCOMPARE(LocalHostName(f.form), std::string(256, 'h'));
        f.platform.host = std::string(255, 'h');
        QCOMPARE(LocalHostName(f.form), std::string(255, 'h'));
    }

    void byteProcedures()
    {
        QCOMPARE(HighByteOf(0x101), 1);
        QCOMPARE(LowByteOf(0x101), 1);
        QCOMPARE(HighByteOf(0x0A02), 10);
        QCOMPARE(LowByteOf(0x0A02), 2);
        QCOMPARE(HighByteOf(-1), 0);
        QCOMPARE(HighByteOf(-256), 255); // -1 truncated toward zero, low 8 bits
        QCOMPARE(LowByteOf(-1), 255);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
