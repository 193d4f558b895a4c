// The timer-driven effects, the status readouts and the hover buttons, tick by tick against the
// fake platform.

#include "fake_platform.h"
#include "window/form.h"

#include <QTest>

#include <array>

using namespace gd;

namespace {

struct Fixture {
    FakePlatform platform;
    Form1 form { platform };
    Fixture()
    {
        form.load();
        // The transition buttons are clicked on their open panel, as a user would.
        form.ctl("Picture13").setVisible(true);
    }

    Control& ctl(const char* name) { return form.ctl(name); }
    Control& ctl(const std::string& name) { return form.ctl(name); }
    QString caption(const char* name) { return QString::fromStdString(ctl(name).caption()); }
    QString tag(const char* name) { return QString::fromStdString(ctl(name).tag()); }
    void ticks(const char* timer, int n)
    {
        for (int k = 0; k < n; ++k)
            form.tick(timer);
    }
    bool quiet() { return platform.messages.empty() && !form.ended(); }
};

// Which picture box a drawing handle belongs to.
QString surface(const FakePlatform& platform, HDC handle)
{
    auto it = platform.surfaces.find(handle);
    return it == platform.surfaces.end() ? QString() : QString::fromStdString(it->second);
}

QStringList recordedCalls(const FakePlatform& platform)
{
    QStringList calls;
    for (const std::string& c : platform.calls)
        calls << QString::fromStdString(c);
    return calls;
}

constexpr Colour kMarker = 0x123456; // a colour the ramp never sets

} // namespace

class TestEffects : public QObject {
    Q_OBJECT

private slots:
    // --- fading caption ---

    void fadingCaptionFromStartUp()
    {
        // Two cycles: black and white each hold for two ticks, and the counter for 12 is reset
        // within its own tick.
        // clang-format off
        static const std::array<Colour, 12> ramp = {
            0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xE0E0E0, 0xFFFFFF,
            0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,
        };
        // clang-format on
        Fixture f;
        QCOMPARE(f.tag("lblTitle"), QString());
        QCOMPARE(f.ctl("lblTitle").foreColor(), Colour(0xFFFFFF));
        QVERIFY(!f.ctl("lblSample").isShown());
        for (int k = 1; k <= 24; ++k) {
            QVERIFY(f.form.tick("Timer2"));
            const int step = (k - 1) % 12 + 1;
            const QString counter = QString::number(step % 12);
            QCOMPARE(f.ctl("lblTitle").foreColor(), ramp[step - 1]);
            QCOMPARE(f.tag("lblTitle"), counter);
            // The sample keeps step with the title although its panel is hidden.
            QCOMPARE(f.ctl("lblSample").foreColor(), ramp[step - 1]);
            QCOMPARE(f.tag("lblSample"), counter);
        }
        QVERIFY(!f.ctl("lblSample").isShown());
    }

    void fadingCaptionForeignCounter_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("expectedTag");
        QTest::addColumn<Colour>("expectedColour");
        QTest::newRow("13 counts on") << "13" << 1 << "14" << kMarker;
        QTest::newRow("13 never resets") << "13" << 30 << "43" << kMarker;
        QTest::newRow("fraction") << "2.5" << 1 << "3.5" << kMarker;
        QTest::newRow("fraction never resumes") << "2.5" << 20 << "22.5" << kMarker;
        QTest::newRow("leading blank") << " 4" << 1 << "5" << Colour(0xE0E0E0);
    }
    void fadingCaptionForeignCounter()
    {
        QFETCH(QString, tag);
        QFETCH(int, ticks);
        QFETCH(QString, expectedTag);
        QFETCH(Colour, expectedColour);
        Fixture f;
        f.ctl("lblSample").setTag(tag.toStdString());
        f.ctl("lblSample").setForeColor(kMarker);
        f.ticks("Timer2", ticks);
        QCOMPARE(f.tag("lblSample"), expectedTag);
        QCOMPARE(f.ctl("lblSample").foreColor(), expectedColour);
        // The title's own counter is untouched by the sample's.
        QCOMPARE(f.tag("lblTitle"), QString::number(ticks % 12));
        QVERIFY(f.quiet());
    }

    // --- text animation ---

    void blink()
    {
        Fixture f;
        QVERIFY(f.ctl("lblAni").visible());
        for (int k = 1; k <= 4; ++k) {
            f.form.tick("Timer8");
            const bool odd = k % 2 == 1;
            QCOMPARE(f.ctl("lblAni").visible(), !odd);
            QCOMPARE(f.tag("lblAni"), odd ? QStringLiteral("1") : QStringLiteral("0"));
        }
    }

    void blinkWithForeignCounter_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::newRow("shown") << true;
        QTest::newRow("hidden") << false;
    }
    void blinkWithForeignCounter()
    {
        QFETCH(bool, visible);
        Fixture f;
        f.ctl("lblAni").setVisible(visible);
        f.ctl("lblAni").setTag("5");
        f.form.tick("Timer8");
        QCOMPARE(f.tag("lblAni"), QStringLiteral("6"));
        QCOMPARE(f.ctl("lblAni").visible(), visible);
        f.ticks("Timer8", 10);
        QCOMPARE(f.tag("lblAni"), QStringLiteral("16"));
        QCOMPARE(f.ctl("lblAni").visible(), visible);
        QVERIFY(f.quiet());
    }

    void tickerWrapsEvery630Ticks()
    {
        Fixture f;
        QCOMPARE(f.ctl("lblAni1").left(), 6720.0f);
        for (int k = 1; k <= 1260; ++k) {
            QVERIFY(f.form.tick("Timer9"));
            const float left = f.ctl("lblAni1").left();
            QCOMPARE(left, float(6720 - 20 * (k % 630)));
            QVERIFY(left != -5880.0f);
        }
        QCOMPARE(f.ctl("lblAni1").left(), 6720.0f);
    }

    void tickerOffTheGrid_data()
    {
        QTest::addColumn<double>("left");
        QTest::newRow("10 twips off") << 6710.0;
        QTest::newRow("just past the wrap") << -5900.0;
    }
    void tickerOffTheGrid()
    {
        // The wrap is an exact equality: a position that never meets -5880 scrolls on for good.
        QFETCH(double, left);
        Fixture f;
        f.ctl("lblAni1").setLeft(left);
        f.ticks("Timer9", 2000);
        QCOMPARE(f.ctl("lblAni1").left(), float(left - 2000 * 20));
        QVERIFY(f.quiet());
    }

    // --- status readouts ---

    void uptime_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("label");
        QTest::newRow("first") << 1 << "UP: 0:0:1";
        QTest::newRow("59") << 59 << "UP: 0:0:59";
        QTest::newRow("60") << 60 << "UP: 0:1:0";
        QTest::newRow("3599") << 3599 << "UP: 0:59:59";
        // The hour is carried one tick late, so a full hour shows as 60 minutes once.
        QTest::newRow("3600") << 3600 << "UP: 0:60:0";
        QTest::newRow("3601") << 3601 << "UP: 1:0:1";
        QTest::newRow("7201") << 7201 << "UP: 2:0:1";
    }
    void uptime()
    {
        QFETCH(int, ticks);
        QFETCH(QString, label);
        Fixture f;
        QCOMPARE(f.caption("Label68"), QStringLiteral("0:00:00"));
        f.ticks("Timer11", ticks);
        QCOMPARE(f.caption("Label68"), label);
    }

    void uptimeNeverShowsAWholeHourAsZero()
    {
        Fixture f;
        for (int k = 1; k <= 7300; ++k) {
            f.form.tick("Timer11");
            QVERIFY(!f.caption("Label68").endsWith(":0:0"));
        }
    }

    void memory_data()
    {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("label");
        QTest::newRow("2^31") << (quint64(1) << 31) << "Available Physical Memory: 2147483648";
        QTest::newRow("2^32") << (quint64(1) << 32) << "Available Physical Memory: 4294967296";
        QTest::newRow("2^33") << (quint64(1) << 33) << "Available Physical Memory: 8589934592";
    }
    void memory()
    {
        QFETCH(quint64, bytes);
        QFETCH(QString, label);
        Fixture f;
        f.platform.memory = bytes;
        QVERIFY(f.form.tick("Timer10"));
        QCOMPARE(f.caption("Label67"), label);
    }

    // --- spinning picture ---

    void spinFrame_data()
    {
        QTest::addColumn<double>("tpp");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("size"); // the boxes' side in pixels
        // clang-format off
        QTest::newRow("0")   << 15.0 << 0   << "Picture9"  << 0  << 57 << 57;
        QTest::newRow("10")  << 15.0 << 10  << "Picture9"  << 0  << 56 << 57;
        QTest::newRow("60")  << 15.0 << 60  << "Picture9"  << 14 << 29 << 57;
        QTest::newRow("80")  << 15.0 << 80  << "Picture9"  << 24 << 10 << 57;
        QTest::newRow("90")  << 15.0 << 90  << "Picture9"  << 28 << 0  << 57;
        QTest::newRow("100") << 15.0 << 100 << "Picture10" << 24 << 10 << 57;
        QTest::newRow("120") << 15.0 << 120 << "Picture10" << 14 << 28 << 57;
        QTest::newRow("180") << 15.0 << 180 << "Picture10" << 0  << 57 << 57;
        QTest::newRow("240") << 15.0 << 240 << "Picture10" << 14 << 29 << 57;
        QTest::newRow("270") << 15.0 << 270 << "Picture10" << 28 << 0  << 57;
        QTest::newRow("280") << 15.0 << 280 << "Picture9"  << 24 << 10 << 57;
        QTest::newRow("300") << 15.0 << 300 << "Picture9"  << 14 << 28 << 57;
        QTest::newRow("350") << 15.0 << 350 << "Picture9"  << 0  << 56 << 57;
        QTest::newRow("0 at 12 tpp")  << 12.0 << 0  << "Picture9" << 0  << 71 << 71;
        QTest::newRow("90 at 12 tpp") << 12.0 << 90 << "Picture9" << 36 << 0  << 71;
        // clang-format on
    }
    void spinFrame()
    {
        QFETCH(double, tpp);
        QFETCH(int, angle);
        QFETCH(QString, source);
        QFETCH(int, x);
        QFETCH(int, width);
        QFETCH(int, size);
        Fixture f;
        f.platform.tppX = f.platform.tppY = tpp;
        f.form.dAngle = angle;
        f.platform.calls.clear();
        QVERIFY(f.form.tick("Timer3"));

        QCOMPARE(recordedCalls(f.platform),
            QStringList({ "Cls Picture11", "StretchBlt", "BitBlt", "Refresh Picture12" }));
        QCOMPARE(f.platform.blits.size(), std::size_t(2));
        const FakePlatform::Blit& stretch = f.platform.blits[0];
        QCOMPARE(surface(f.platform, stretch.dest), QStringLiteral("Picture11"));
        QCOMPARE(surface(f.platform, stretch.src), source);
        QCOMPARE(stretch.x, x);
        QCOMPARE(stretch.y, 0);
        QCOMPARE(stretch.width, width);
        QCOMPARE(stretch.height, size);
        QCOMPARE(stretch.xSrc, 0);
        QCOMPARE(stretch.ySrc, 0);
        QCOMPARE(stretch.srcWidth, size);
        QCOMPARE(stretch.srcHeight, size);
        QCOMPARE(stretch.rop, SRCCOPY);

        const FakePlatform::Blit& copy = f.platform.blits[1];
        QCOMPARE(copy.op, std::string("BitBlt"));
        QCOMPARE(surface(f.platform, copy.dest), QStringLiteral("Picture12"));
        QCOMPARE(surface(f.platform, copy.src), QStringLiteral("Picture11"));
        QCOMPARE(copy.x, 0);
        QCOMPARE(copy.y, 0);
        QCOMPARE(copy.width, size);
        QCOMPARE(copy.height, size);
        QCOMPARE(copy.xSrc, 0);
        QCOMPARE(copy.ySrc, 0);
        QCOMPARE(copy.rop, SRCCOPY);

        QCOMPARE(f.form.dAngle, double((angle + 10) % 360));
    }

    void spinTurnsAndWraps()
    {
        // Two whole turns from start-up: 0, 10, ... 350, then 0 again, never 360, and the squeezed
        // picture stays centred in the 57-pixel band.
        Fixture f;
        QCOMPARE(f.form.dAngle, 0.0);
        for (int k = 0; k < 72; ++k) {
            QCOMPARE(f.form.dAngle, double(k % 36 * 10));
            f.platform.blits.clear();
            QVERIFY(f.form.tick("Timer3"));
            const FakePlatform::Blit& stretch = f.platform.blits.at(0);
            QVERIFY(std::abs(2 * stretch.x + stretch.width - 57) <= 2);
            QVERIFY(stretch.width >= 0);
        }
        QCOMPARE(f.form.dAngle, 0.0);
        QVERIFY(f.quiet());
    }

    void spinWithoutDensity_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<QString>("report");
        // Arguments are worked out left to right: at 0 degrees the first one is 0 / 0.
        QTest::newRow("0") << 0 << "Run-time error '6':\r\n\r\nOverflow";
        QTest::newRow("10") << 10 << "Run-time error '11':\r\n\r\nDivision by zero";
    }
    void spinWithoutDensity()
    {
        QFETCH(int, angle);
        QFETCH(QString, report);
        Fixture f;
        f.platform.tppX = f.platform.tppY = 0;
        f.form.dAngle = angle;
        f.form.tick("Timer3");
        QCOMPARE(f.platform.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(f.platform.messages[0].prompt), report);
        QCOMPARE(f.platform.endedWith, std::optional<int>(1));
        QCOMPARE(f.platform.blits.size(), std::size_t(0));
        QCOMPARE(f.form.dAngle, double(angle));
        QVERIFY(!f.form.tick("Timer3"));
    }

    // --- transition boxes ---

    void transition_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("ticks");
        // clang-format off
        QTest::newRow("horizontal") << "CmdTrans1" << "Timer4" << "picTrans" << true << -1200.0 << 60;
        QTest::newRow("vertical") << "cmdTrans2" << "Timer5" << "picUp" << false << 2500.0 << 125;
        // clang-format on
    }
    void transition()
    {
        QFETCH(QString, button);
        QFETCH(QString, timer);
        QFETCH(QString, box);
        QFETCH(bool, horizontal);
        QFETCH(double, start);
        QFETCH(int, ticks);
        const std::string t = timer.toStdString(), b = box.toStdString();
        const double step = horizontal ? 20 : -20;
        Fixture f;
        auto position = [&] { return horizontal ? f.ctl(b).left() : f.ctl(b).top(); };
        QCOMPARE(position(), float(start));
        QVERIFY(!f.ctl(t).enabled());

        QVERIFY(f.form.click(button.toStdString()));
        for (int k = 1; k < ticks; ++k) {
            QVERIFY(f.form.tick(t));
            QCOMPARE(position(), float(start + step * k));
            QVERIFY(f.ctl(t).enabled());
        }
        // The last step lands on 0 and stops the timer in the same tick.
        QVERIFY(f.form.tick(t));
        QCOMPARE(position(), 0.0f);
        QVERIFY(!f.ctl(t).enabled());
        QVERIFY(!f.form.tick(t));

        // Pressed again once in place, or twice in a row: back to the start, still running.
        f.form.click(button.toStdString());
        QCOMPARE(position(), float(start));
        f.ticks(t.c_str(), 10);
        f.form.click(button.toStdString());
        QCOMPARE(position(), float(start));
        QVERIFY(f.ctl(t).enabled());
        int n = 0;
        while (f.form.tick(t) && n < 1000)
            ++n;
        QCOMPARE(n, ticks);
        QVERIFY(f.quiet());
    }

    void transitionReset()
    {
        Fixture f;
        // While idle: harmless.
        QVERIFY(f.form.click("Command6"));
        QVERIFY(!f.ctl("Timer4").enabled() && !f.ctl("Timer5").enabled());
        QCOMPARE(f.ctl("picTrans").left(), -1200.0f);
        QCOMPARE(f.ctl("picUp").top(), 2500.0f);

        // Both at once run independently: the horizontal one finishes first.
        f.form.click("CmdTrans1");
        f.form.click("cmdTrans2");
        for (int k = 0; k < 60; ++k) {
            QVERIFY(f.form.tick("Timer4"));
            QVERIFY(f.form.tick("Timer5"));
        }
        QCOMPARE(f.ctl("picTrans").left(), 0.0f);
        QVERIFY(!f.ctl("Timer4").enabled());
        QCOMPARE(f.ctl("picUp").top(), 1300.0f);
        QVERIFY(f.ctl("Timer5").enabled());

        // Mid-slide: stops at once, both boxes back out of sight, moving or not.
        f.ticks("Timer5", 20);
        QVERIFY(f.form.click("Command6"));
        QVERIFY(!f.ctl("Timer4").enabled() && !f.ctl("Timer5").enabled());
        QCOMPARE(f.ctl("picTrans").left(), -1200.0f);
        QCOMPARE(f.ctl("picUp").top(), 2500.0f);
        QVERIFY(!f.form.tick("Timer4") && !f.form.tick("Timer5"));
    }

    // --- hover buttons ---

    void hover_data()
    {
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<QStringList>("handled"); // the moves that reach a handler
        QTest::addColumn<bool>("imageLit");
        QTest::addColumn<bool>("labelLit");
        const QStringList lit = { "ImgHover", "lblButton" };
        const QStringList label3 = { "lblButton", "lblButton", "lblButton" };
        // Moves over the shown ImgClick, the two captions in the demo box and the panel around
        // it change nothing: none of them has a handler.
        // clang-format off
        QTest::newRow("image")                   << QStringList { "ImgHover" }             << QStringList { "ImgHover" }  << true  << false;
        QTest::newRow("label")                   << QStringList { "lblButton" }            << QStringList { "lblButton" } << false << true;
        QTest::newRow("over the shown ImgClick") << lit + QStringList { "ImgClick" }       << lit                         << true  << true;
        QTest::newRow("over the captions")       << lit + QStringList { "Label14", "Label15" } << lit                     << true  << true;
        QTest::newRow("out across the top")      << lit + QStringList { "Picture6" }       << lit                         << true  << true;
        QTest::newRow("bare form")               << lit + QStringList { "Form1" }          << lit + QStringList { "Form1" }    << false << true;
        QTest::newRow("demo box")                << lit + QStringList { "Picture7" }       << lit + QStringList { "Picture7" } << false << false;
        QTest::newRow("label again and again")   << label3                                 << label3                      << false << true;
        // clang-format on
    }
    void hover()
    {
        QFETCH(QStringList, moves);
        QFETCH(QStringList, handled);
        QFETCH(bool, imageLit);
        QFETCH(bool, labelLit);
        Fixture f;
        QStringList ran;
        for (const QString& control : moves)
            if (f.form.mouseMove(control.toStdString(), { 1, 0, 100, 100 }))
                ran << control;
        QCOMPARE(ran, handled);
        QCOMPARE(f.ctl("ImgClick").visible(), imageLit);
        QVERIFY(f.ctl("ImgHover").visible());
        Control& label = f.ctl("lblButton");
        QCOMPARE(label.backColor(), labelLit ? Colour(0x00FFFF) : Colour(0x0000FF));
        QCOMPARE(label.fontSize(), labelLit ? 14.0f : 12.0f);
        QCOMPARE(label.fontBold(), labelLit);
        QVERIFY(f.quiet());
    }
};

QTEST_GUILESS_MAIN(TestEffects)
#include "test_effects.moc"
