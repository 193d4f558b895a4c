// The sliding menu and the six tutorial panels, tick by tick against the fake platform.

#include "fake_platform.h"
#include "window/form.h"

#include <QTest>

#include <array>

using namespace gd;

namespace {

const QString kShow = QStringLiteral("Show Glimmerdeck");
const QString kHide = QStringLiteral("Hide Glimmerdeck");

// In the order every menu button writes their flags.
// clang-format off
constexpr std::array<const char*, 6> kPanels = {
    "Picture16", "Picture13", "Picture8", "Picture6", "Picture2", "Picture1",
};
// clang-format on

// Every property change the model reports, by control name.
struct Recorder : FormObserver {
    QStringList changes;
    void controlChanged(Control& control, Prop) override
    {
        changes << QString::fromUtf8(control.name().data(), qsizetype(control.name().size()));
    }
};

struct Fixture {
    FakePlatform platform;
    Form1 form { platform };
    Fixture() { form.load(); }

    Control& ctl(const char* name) { return form.ctl(name); }
    Control& ctl(const std::string& name) { return form.ctl(name); }
    Control& ctl(const QString& name) { return form.ctl(name.toStdString()); }
    QString caption() { return QString::fromStdString(ctl("Command7").caption()); }
    float height() { return ctl("Picture15").height(); }
    QStringList shownPanels()
    {
        QStringList shown;
        for (const char* p : kPanels)
            if (ctl(p).visible())
                shown << p;
        return shown;
    }
    // Ticks the timer until it stops itself; -1 if it never does.
    int runOut(std::string_view timer)
    {
        for (int n = 0; n < 10000; ++n)
            if (!form.tick(timer))
                return n;
        return -1;
    }
    void openMenu()
    {
        form.click("Command7");
        runOut("Timer6");
    }
};

void addPanelRows()
{
    QTest::addColumn<QString>("menuButton");
    QTest::addColumn<QString>("closeButton");
    QTest::addColumn<QString>("panel");
    // clang-format off
    QTest::newRow("Fade In Form") << "Command8" << "Command1" << "Picture1";
    QTest::newRow("Fading Caption") << "Command9" << "Command2" << "Picture2";
    QTest::newRow("Image and Label Buttons") << "Command10" << "Command3" << "Picture6";
    QTest::newRow("Spinning Image") << "Command11" << "Command4" << "Picture8";
    QTest::newRow("Transition Box") << "Command12" << "Command5" << "Picture13";
    QTest::newRow("Text Animation") << "Command13" << "Command16" << "Picture16";
    // clang-format on
}

// A button of some other panel than this one's, to show something else in between.
QString otherMenuButton(const QString& menuButton)
{
    return menuButton == "Command13" ? QStringLiteral("Command8") : QStringLiteral("Command13");
}

} // namespace

class TestMenu : public QObject {
    Q_OBJECT

private slots:
    void slide_data()
    {
        QTest::addColumn<bool>("fromOpen");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<QString>("otherTimer");
        QTest::addColumn<QString>("caption"); // from the click on
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("end");
        // clang-format off
        QTest::newRow("opening") << false << "Timer6" << "Timer7" << kHide << 50.0 << 100.0 << 5220.0;
        QTest::newRow("closing") << true << "Timer7" << "Timer6" << kShow << 5220.0 << -100.0 << 50.0;
        // clang-format on
    }
    void slide()
    {
        QFETCH(bool, fromOpen);
        QFETCH(QString, timer);
        QFETCH(QString, otherTimer);
        QFETCH(QString, caption);
        QFETCH(double, start);
        QFETCH(double, step);
        QFETCH(double, end);
        const std::string t = timer.toStdString(), other = otherTimer.toStdString();
        Fixture f;
        if (fromOpen)
            f.openMenu();
        // Closed or Open: the button is free and nothing runs.
        QCOMPARE(f.caption(), fromOpen ? kHide : kShow);
        QVERIFY(f.ctl("Command7").enabled());
        QCOMPARE(f.height(), float(start));
        QVERIFY(!f.ctl("Timer6").enabled() && !f.ctl("Timer7").enabled());

        QVERIFY(f.form.click("Command7"));
        // The caption turns at the start of the slide; the button stays disabled to its end,
        // which is what keeps the two timers from ever running together.
        for (int k = 1; k <= 51; ++k) {
            QCOMPARE(f.caption(), caption);
            QVERIFY(!f.ctl("Command7").enabled());
            QVERIFY(f.ctl(t).enabled());
            QVERIFY(!f.ctl(other).enabled());
            QVERIFY(f.form.tick(t));
            QCOMPARE(f.height(), float(start + step * k));
        }
        QCOMPARE(f.height(), float(fromOpen ? 120 : 5150));
        // The 52nd tick steps past the end and is clamped to it.
        QVERIFY(f.form.tick(t));
        QCOMPARE(f.height(), float(end));
        QCOMPARE(f.caption(), caption);
        QVERIFY(f.ctl("Command7").enabled());
        QVERIFY(!f.ctl(t).enabled() && !f.ctl(other).enabled());
        QVERIFY(!f.form.tick(t));
        QVERIFY(!f.form.tick(other));
        // Neither slide shows a panel by itself.
        QCOMPARE(f.shownPanels(), QStringList());
        QCOMPARE(f.platform.messages.size(), std::size_t(0));
    }

    void slideEndsOnTheComparison_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<double>("height"); // set just after the toggle
        QTest::addColumn<int>("ticks");
        QTest::newRow("opening lands on 5220") << false << 5120.0 << 1;
        QTest::newRow("opening steps past 5220") << false << 5125.0 << 1;
        QTest::newRow("opening stops short") << false << 5119.5 << 2;
        // Read back through seven digits of text as 5120: the step reaches 5220 exactly.
        QTest::newRow("opening reads 5120") << false << 5119.9999 << 1;
        QTest::newRow("closing lands on 50") << true << 150.0 << 1;
        QTest::newRow("closing steps past 50") << true << 145.0 << 1;
        QTest::newRow("closing stops short") << true << 210.0 << 2;
        QTest::newRow("closing reads 150") << true << 150.00001 << 1;
    }
    void slideEndsOnTheComparison()
    {
        QFETCH(bool, closing);
        QFETCH(double, height);
        QFETCH(int, ticks);
        const char* timer = closing ? "Timer7" : "Timer6";
        Fixture f;
        if (closing)
            f.openMenu();
        f.form.click("Command11");
        f.form.click("Command7");
        f.ctl("Picture15").setHeight(height);
        QCOMPARE(f.runOut(timer), ticks);
        QCOMPARE(f.height(), closing ? 50.0f : 5220.0f);
        QVERIFY(f.ctl("Command7").enabled());
        // Only the end of a closing slide hides the panel.
        QCOMPARE(f.ctl("Picture8").visible(), !closing);
    }

    void failedStepIsSkippedSilently()
    {
        // A height the menu never writes itself: stepping below 0 is an invalid value, which the
        // closing step swallows without a word. The slide goes on; no message, no end.
        Fixture f;
        f.openMenu();
        f.form.click("Command7");
        f.ctl("Picture15").setHeight(80);
        QVERIFY(f.form.tick("Timer7"));
        QCOMPARE(f.height(), 80.0f);
        QVERIFY(f.ctl("Timer7").enabled());
        QCOMPARE(f.platform.messages.size(), std::size_t(0));
        QVERIFY(!f.form.ended());
    }

    void otherCaptionDoesNothing_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("lower case") << "show glimmerdeck";
        QTest::newRow("trailing blank") << "Hide Glimmerdeck ";
        QTest::newRow("empty") << "";
    }
    void otherCaptionDoesNothing()
    {
        QFETCH(QString, caption);
        Fixture f;
        f.ctl("Command7").setCaption(caption.toStdString());
        Recorder changes;
        f.form.setObserver(&changes);
        QVERIFY(f.form.click("Command7"));
        QCOMPARE(changes.changes, QStringList());
        QVERIFY(!f.form.tick("Timer6") && !f.form.tick("Timer7"));
    }

    void menuButton_data() { addPanelRows(); }
    void menuButton()
    {
        QFETCH(QString, menuButton);
        QFETCH(QString, panel);
        Fixture f;
        // All six up at first: a button that wrote only its own flag would leave the rest up.
        for (const char* p : kPanels)
            f.ctl(p).setVisible(true);
        QVERIFY(f.form.click(menuButton.toStdString()));
        QCOMPARE(f.shownPanels(), QStringList { panel });
        QVERIFY(f.ctl(panel).isShown());
        QVERIFY(f.form.click(menuButton.toStdString()));
        QCOMPARE(f.shownPanels(), QStringList { panel });
        // Another button replaces it.
        f.form.click(otherMenuButton(menuButton).toStdString());
        QCOMPARE(f.shownPanels().size(), 1);
        QVERIFY(!f.ctl(panel).visible());
        // The menu itself is left alone.
        QCOMPARE(f.caption(), kShow);
        QCOMPARE(f.height(), 50.0f);
        QVERIFY(!f.ctl("Timer6").enabled() && !f.ctl("Timer7").enabled());
    }

    void closeButton_data() { addPanelRows(); }
    void closeButton()
    {
        QFETCH(QString, menuButton);
        QFETCH(QString, closeButton);
        QFETCH(QString, panel);
        Fixture f;
        f.form.click(menuButton.toStdString());
        QVERIFY(f.ctl(closeButton).isShown());
        QVERIFY(f.form.click(closeButton.toStdString()));
        QCOMPARE(f.shownPanels(), QStringList());

        // With another panel up, this Close button is hidden along with its own panel: its click
        // is refused, as the window never delivers it, and nothing changes.
        f.form.click(otherMenuButton(menuButton).toStdString());
        const QStringList before = f.shownPanels();
        QVERIFY(!f.ctl(closeButton).isShown());
        Recorder changes;
        f.form.setObserver(&changes);
        QVERIFY(!f.form.click(closeButton.toStdString()));
        QCOMPARE(changes.changes, QStringList());
        QCOMPARE(f.shownPanels(), before);
    }

    void panelLivesThroughBothSlides_data() { addPanelRows(); }
    void panelLivesThroughBothSlides()
    {
        QFETCH(QString, menuButton);
        QFETCH(QString, panel);
        Fixture f;
        // Shown while the menu is still opening: the slide carries on untouched.
        f.form.click("Command7");
        for (int k = 0; k < 10; ++k)
            f.form.tick("Timer6");
        f.form.click(menuButton.toStdString());
        QCOMPARE(f.height(), 1050.0f);
        QVERIFY(f.ctl("Timer6").enabled());
        QVERIFY(!f.ctl("Command7").enabled());
        QCOMPARE(f.runOut("Timer6"), 42);
        QVERIFY(f.ctl(panel).isShown());

        f.form.click("Command7");
        for (int k = 1; k <= 51; ++k) {
            QVERIFY(f.form.tick("Timer7"));
            QVERIFY(f.ctl(panel).isShown());
        }
        QVERIFY(f.form.tick("Timer7"));
        QCOMPARE(f.shownPanels(), QStringList());
        QVERIFY(!f.ctl("Timer7").enabled());
    }
};

QTEST_GUILESS_MAIN(TestMenu)
#include "test_menu.moc"
