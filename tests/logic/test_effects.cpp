// The timer-driven effects, the status readouts and the hover buttons, tick by tick against the
// fake platform.

#include "fixture.h"

#include <QSet>
#include <QTest>

#include <array>

using namespace gd;

namespace {

QStringList recordedCalls(const FakePlatform& platform)
{
    QStringList calls;
    for (const std::string& c : platform.calls)
        calls << QString::fromStdString(c);
    return calls;
}

// One blit as a line, "dest <- src: from -> to", so a wrong one is shown whole.
QString describe(const FakePlatform::Blit& b)
{
    const auto rect = [](const PixelRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x).arg(r.y).arg(r.width).arg(r.height);
    };
    return QStringLiteral("%1 <- %2: %3 -> %4")
        .arg(QString::fromStdString(b.dest), QString::fromStdString(b.src), rect(b.from),
            rect(b.to));
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
        QCOMPARE(f.tag(f.form.lblTitle), QString());
        QCOMPARE(f.form.lblTitle.foreColor(), Colour(0xFFFFFF));
        QVERIFY(!f.form.lblSample.isShown());
        for (int k = 1; k <= 24; ++k) {
            QVERIFY(f.form.tick(ControlId::Timer2));
            const int step = (k - 1) % 12 + 1;
            const QString counter = QString::number(step % 12);
            QCOMPARE(f.form.lblTitle.foreColor(), ramp[step - 1]);
            QCOMPARE(f.tag(f.form.lblTitle), counter);
            // The sample keeps step with the title although its panel is hidden.
            QCOMPARE(f.form.lblSample.foreColor(), ramp[step - 1]);
            QCOMPARE(f.tag(f.form.lblSample), counter);
        }
        QVERIFY(!f.form.lblSample.isShown());
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
        f.form.lblSample.setTag(tag.toStdString());
        f.form.lblSample.setForeColor(kMarker);
        f.ticks(ControlId::Timer2, ticks);
        QCOMPARE(f.tag(f.form.lblSample), expectedTag);
        QCOMPARE(f.form.lblSample.foreColor(), expectedColour);
        // The title's own counter is untouched by the sample's.
        QCOMPARE(f.tag(f.form.lblTitle), QString::number(ticks % 12));
        QVERIFY(f.quiet());
    }

    void titleHoldsStillWhenMotionIsReduced()
    {
        Fixture f;
        f.ticks(ControlId::Timer2, 3); // the title is grey now
        f.platform.reduceMotion = true;
        QSet<Colour> sample;
        for (int k = 0; k < 12; ++k) {
            QVERIFY(f.form.tick(ControlId::Timer2));
            QCOMPARE(f.form.lblTitle.foreColor(), Colour(0xFFFFFF));
            // The sample pulses on, for whoever opens its panel; the title counts in step.
            sample << f.form.lblSample.foreColor();
            QCOMPARE(f.tag(f.form.lblTitle), f.tag(f.form.lblSample));
        }
        QCOMPARE(sample.size(), 6);
        // Asked for motion again, the title joins the pulse where the sample is.
        f.platform.reduceMotion = false;
        QVERIFY(f.form.tick(ControlId::Timer2));
        QCOMPARE(f.form.lblTitle.foreColor(), Colour(0xC0C0C0));
        QCOMPARE(f.form.lblSample.foreColor(), Colour(0xC0C0C0));
    }

    // --- text animation ---

    void blink()
    {
        Fixture f;
        QVERIFY(f.form.lblAni.visible());
        for (int k = 1; k <= 4; ++k) {
            f.form.tick(ControlId::Timer8);
            const bool odd = k % 2 == 1;
            QCOMPARE(f.form.lblAni.visible(), !odd);
            QCOMPARE(f.tag(f.form.lblAni), odd ? QStringLiteral("1") : QStringLiteral("0"));
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
        f.form.lblAni.setVisible(visible);
        f.form.lblAni.setTag("5");
        f.form.tick(ControlId::Timer8);
        QCOMPARE(f.tag(f.form.lblAni), QStringLiteral("6"));
        QCOMPARE(f.form.lblAni.visible(), visible);
        f.ticks(ControlId::Timer8, 10);
        QCOMPARE(f.tag(f.form.lblAni), QStringLiteral("16"));
        QCOMPARE(f.form.lblAni.visible(), visible);
        QVERIFY(f.quiet());
    }

    void tickerWrapsEvery630Ticks()
    {
        Fixture f;
        QCOMPARE(f.form.lblAni1.left(), 6720.0f);
        for (int k = 1; k <= 1260; ++k) {
            QVERIFY(f.form.tick(ControlId::Timer9));
            const float left = f.form.lblAni1.left();
            QCOMPARE(left, float(6720 - 20 * (k % 630)));
            QVERIFY(left != -5880.0f);
        }
        QCOMPARE(f.form.lblAni1.left(), 6720.0f);
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
        f.form.lblAni1.setLeft(left);
        f.ticks(ControlId::Timer9, 2000);
        QCOMPARE(f.form.lblAni1.left(), float(left - 2000 * 20));
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
        QCOMPARE(f.caption(f.form.Label68), QStringLiteral("0:00:00"));
        f.ticks(ControlId::Timer11, ticks);
        QCOMPARE(f.caption(f.form.Label68), label);
    }

    void uptimeNeverShowsAWholeHourAsZero()
    {
        Fixture f;
        for (int k = 1; k <= 7300; ++k) {
            f.form.tick(ControlId::Timer11);
            QVERIFY(!f.caption(f.form.Label68).endsWith(":0:0"));
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
        QVERIFY(f.form.tick(ControlId::Timer10));
        QCOMPARE(f.caption(f.form.Label67), label);
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
        f.platform.screenMetrics.twipsPerPixelX = f.platform.screenMetrics.twipsPerPixelY = tpp;
        f.form.dAngle = angle;
        f.platform.calls.clear();
        QVERIFY(f.form.tick(ControlId::Timer3));

        const QStringList drawn = width == 0
            ? QStringList { "clear Picture11", "screen", "draw Picture12", "refresh Picture12" }
            : QStringList { "clear Picture11", "screen", "draw Picture11", "draw Picture12",
                  "refresh Picture12" };
        QCOMPARE(recordedCalls(f.platform), drawn);
        if (width == 0)
            return; // a picture seen edge-on draws nothing
        QCOMPARE(f.platform.blits.size(), std::size_t(2));
        const QString square = QStringLiteral("0,0 %1x%1").arg(size);
        QCOMPARE(describe(f.platform.blits[0]),
            QStringLiteral("Picture11 <- %1: %2 -> %3,0 %4x%5")
                .arg(source, square)
                .arg(x)
                .arg(width)
                .arg(size));
        QCOMPARE(describe(f.platform.blits[1]),
            QStringLiteral("Picture12 <- Picture11: %1 -> %1").arg(square));

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
            QVERIFY(f.form.tick(ControlId::Timer3));
            QVERIFY(!f.platform.blits.empty());
            if (f.platform.blits.size() == 1)
                continue; // edge-on: only the copy to Picture12
            const FakePlatform::Blit& stretch = f.platform.blits.at(0);
            QVERIFY(std::abs(2 * stretch.to.x + stretch.to.width - 57) <= 2);
            QVERIFY(stretch.to.width >= 0);
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
        f.platform.screenMetrics.twipsPerPixelX = f.platform.screenMetrics.twipsPerPixelY = 0;
        f.form.dAngle = angle;
        f.form.tick(ControlId::Timer3);
        QCOMPARE(f.platform.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(f.platform.messages[0].prompt), report);
        QCOMPARE(f.platform.endedWith, std::optional<int>(1));
        QCOMPARE(f.platform.blits.size(), std::size_t(0));
        QCOMPARE(f.form.dAngle, double(angle));
        QVERIFY(!f.form.tick(ControlId::Timer3));
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
        const double step = horizontal ? 20 : -20;
        Fixture f;
        f.form.Picture13.setVisible(true); // the buttons are clicked on their open panel
        Control& slider = f.ctl(box);
        Control& timerControl = f.ctl(timer);
        const ControlId tid = timerControl.id(), bid = Fixture::id(button);
        auto position = [&] { return horizontal ? slider.left() : slider.top(); };
        QCOMPARE(position(), float(start));
        QVERIFY(!timerControl.enabled());

        QVERIFY(f.form.click(bid));
        for (int k = 1; k < ticks; ++k) {
            QVERIFY(f.form.tick(tid));
            QCOMPARE(position(), float(start + step * k));
            QVERIFY(timerControl.enabled());
        }
        // The last step lands on 0 and stops the timer in the same tick.
        QVERIFY(f.form.tick(tid));
        QCOMPARE(position(), 0.0f);
        QVERIFY(!timerControl.enabled());
        QVERIFY(!f.form.tick(tid));

        // Pressed again once in place, or twice in a row: back to the start, still running.
        f.form.click(bid);
        QCOMPARE(position(), float(start));
        f.ticks(tid, 10);
        f.form.click(bid);
        QCOMPARE(position(), float(start));
        QVERIFY(timerControl.enabled());
        int n = 0;
        while (f.form.tick(tid) && n < 1000)
            ++n;
        QCOMPARE(n, ticks);
        QVERIFY(f.quiet());
    }

    void transitionReset()
    {
        Fixture f;
        f.form.Picture13.setVisible(true);
        // While idle: harmless.
        QVERIFY(f.form.click(ControlId::Command6));
        QVERIFY(!f.form.Timer4.enabled() && !f.form.Timer5.enabled());
        QCOMPARE(f.form.picTrans.left(), -1200.0f);
        QCOMPARE(f.form.picUp.top(), 2500.0f);

        // Both at once run independently: the horizontal one finishes first.
        f.form.click(ControlId::CmdTrans1);
        f.form.click(ControlId::cmdTrans2);
        for (int k = 0; k < 60; ++k) {
            QVERIFY(f.form.tick(ControlId::Timer4));
            QVERIFY(f.form.tick(ControlId::Timer5));
        }
        QCOMPARE(f.form.picTrans.left(), 0.0f);
        QVERIFY(!f.form.Timer4.enabled());
        QCOMPARE(f.form.picUp.top(), 1300.0f);
        QVERIFY(f.form.Timer5.enabled());

        // Mid-slide: stops at once, both boxes back out of sight, moving or not.
        f.ticks(ControlId::Timer5, 20);
        QVERIFY(f.form.click(ControlId::Command6));
        QVERIFY(!f.form.Timer4.enabled() && !f.form.Timer5.enabled());
        QCOMPARE(f.form.picTrans.left(), -1200.0f);
        QCOMPARE(f.form.picUp.top(), 2500.0f);
        QVERIFY(!f.form.tick(ControlId::Timer4) && !f.form.tick(ControlId::Timer5));
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
            if (f.form.mouseMove(Fixture::id(control), { 1, 0, 100, 100 }))
                ran << control;
        QCOMPARE(ran, handled);
        QCOMPARE(f.form.ImgClick.visible(), imageLit);
        QVERIFY(f.form.ImgHover.visible());
        Control& label = f.form.lblButton;
        QCOMPARE(label.backColor(), labelLit ? Colour(0x00FFFF) : Colour(0x0000FF));
        QCOMPARE(label.fontSize(), labelLit ? 14.0f : 12.0f);
        QCOMPARE(label.fontBold(), labelLit);
        QVERIFY(f.quiet());
    }
};

QTEST_GUILESS_MAIN(TestEffects)
#include "test_effects.moc"
