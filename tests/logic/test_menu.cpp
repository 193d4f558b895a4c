// The sliding menu and the six tutorial panels, tick by tick against the fake platform.

#include "fixture.h"
#include "handlers/menu.h"

#include <QTest>

#include <array>

using namespace gd;

namespace {

const QString kShow = QStringLiteral("Show Glimmerdeck");
const QString kHide = QStringLiteral("Hide Glimmerdeck");

// Every property change the model reports, by control name.
struct Recorder : FormObserver {
    QStringList changes;
    void controlChanged(Control& control, Prop) override
    {
        changes << QString::fromUtf8(control.name().data(), qsizetype(control.name().size()));
    }
};

QString menuCaption(Fixture& f) { return f.caption(f.form.Command7); }
float menuHeight(Fixture& f) { return f.form.Picture15.height(); }

void openMenu(Fixture& f)
{
    f.form.click(ControlId::Command7);
    f.runOut(ControlId::Timer6);
}

QString name(ControlId id)
{
    return QString::fromLatin1(nameOf(id).data(), qsizetype(nameOf(id).size()));
}

// One row per tutorial, named after its menu button's caption.
void addPanelRows()
{
    QTest::addColumn<QString>("menuButton");
    QTest::addColumn<QString>("closeButton");
    QTest::addColumn<QString>("panel");
    for (const Tutorial& t : kTutorials)
        QTest::newRow(describe(t.button).caption.data())
            << name(t.button) << name(t.close) << name(t.panel);
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
        const ControlId t = Fixture::id(timer), other = Fixture::id(otherTimer);
        Fixture f;
        if (fromOpen)
            openMenu(f);
        // Closed or Open: the button is free and nothing runs.
        QCOMPARE(menuCaption(f), fromOpen ? kHide : kShow);
        QVERIFY(f.form.Command7.enabled());
        QCOMPARE(menuHeight(f), float(start));
        QVERIFY(!f.form.Timer6.enabled() && !f.form.Timer7.enabled());

        QVERIFY(f.form.click(ControlId::Command7));
        // The caption turns at the start of the slide; the button stays disabled to its end,
        // which is what keeps the two timers from ever running together.
        for (int k = 1; k <= 51; ++k) {
            QCOMPARE(menuCaption(f), caption);
            QVERIFY(!f.form.Command7.enabled());
            QVERIFY(f.form[t].enabled());
            QVERIFY(!f.form[other].enabled());
            QVERIFY(f.form.tick(t));
            QCOMPARE(menuHeight(f), float(start + step * k));
        }
        QCOMPARE(menuHeight(f), float(fromOpen ? 120 : 5150));
        // The 52nd tick steps past the end and is clamped to it.
        QVERIFY(f.form.tick(t));
        QCOMPARE(menuHeight(f), float(end));
        QCOMPARE(menuCaption(f), caption);
        QVERIFY(f.form.Command7.enabled());
        QVERIFY(!f.form[t].enabled() && !f.form[other].enabled());
        QVERIFY(!f.form.tick(t));
        QVERIFY(!f.form.tick(other));
        // Neither slide shows a panel by itself.
        QCOMPARE(f.shownPanels(), QStringList());
        QCOMPARE(f.platform.messages.size(), std::size_t(0));
    }

    void slidesEndAtOnceWhenMotionIsReduced()
    {
        Fixture f;
        const auto atRest = [&f](const QString& caption, float height) {
            return menuCaption(f) == caption && menuHeight(f) == height && f.form.Command7.enabled()
                && !f.form.Timer6.enabled() && !f.form.Timer7.enabled();
        };
        f.platform.reduceMotion = true;
        // Each click goes the whole way, to where the slide would have ended.
        QVERIFY(f.form.click(ControlId::Command7));
        QVERIFY(atRest(kHide, 5220));
        f.form.click(ControlId::Command11);
        QVERIFY(f.form.click(ControlId::Command7));
        QVERIFY(atRest(kShow, 50));
        QCOMPARE(f.shownPanels(), QStringList()); // the closing takes the panel with it

        // A slide under way when the wish arrives ends at its next tick.
        f.platform.reduceMotion = false;
        f.form.click(ControlId::Command7);
        f.ticks(ControlId::Timer6, 10);
        f.platform.reduceMotion = true;
        QVERIFY(f.form.tick(ControlId::Timer6));
        QVERIFY(atRest(kHide, 5220));
        f.form.click(ControlId::Command11);
        f.platform.reduceMotion = false;
        f.form.click(ControlId::Command7);
        f.ticks(ControlId::Timer7, 10);
        QVERIFY(f.form.Picture8.visible());
        f.platform.reduceMotion = true;
        QVERIFY(f.form.tick(ControlId::Timer7));
        QVERIFY(atRest(kShow, 50));
        QCOMPARE(f.shownPanels(), QStringList());
        QVERIFY(f.quiet());
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
        const ControlId timer = closing ? ControlId::Timer7 : ControlId::Timer6;
        Fixture f;
        if (closing)
            openMenu(f);
        f.form.click(ControlId::Command11);
        f.form.click(ControlId::Command7);
        f.form.Picture15.setHeight(height);
        QCOMPARE(f.runOut(timer), ticks);
        QCOMPARE(menuHeight(f), closing ? 50.0f : 5220.0f);
        QVERIFY(f.form.Command7.enabled());
        // Only the end of a closing slide hides the panel.
        QCOMPARE(f.form.Picture8.visible(), !closing);
    }

    void failedStepIsSkippedSilently()
    {
        // A height the menu never writes itself: stepping below 0 is an invalid value, which the
        // closing step swallows without a word. The slide goes on; no message, no end.
        Fixture f;
        openMenu(f);
        f.form.click(ControlId::Command7);
        f.form.Picture15.setHeight(80);
        QVERIFY(f.form.tick(ControlId::Timer7));
        QCOMPARE(menuHeight(f), 80.0f);
        QVERIFY(f.form.Timer7.enabled());
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
        f.form.Command7.setCaption(caption.toStdString());
        Recorder changes;
        f.form.setObserver(&changes);
        QVERIFY(f.form.click(ControlId::Command7));
        QCOMPARE(changes.changes, QStringList());
        QVERIFY(!f.form.tick(ControlId::Timer6) && !f.form.tick(ControlId::Timer7));
    }

    void menuButton_data() { addPanelRows(); }
    void menuButton()
    {
        QFETCH(QString, menuButton);
        QFETCH(QString, panel);
        Fixture f;
        // All six up at first: a button that wrote only its own flag would leave the rest up.
        for (const Tutorial& t : kTutorials)
            f.form[t.panel].setVisible(true);
        QVERIFY(f.form.click(Fixture::id(menuButton)));
        QCOMPARE(f.shownPanels(), QStringList { panel });
        QVERIFY(f.ctl(panel).isShown());
        QVERIFY(f.form.click(Fixture::id(menuButton)));
        QCOMPARE(f.shownPanels(), QStringList { panel });
        // Another button replaces it.
        f.form.click(Fixture::id(otherMenuButton(menuButton)));
        QCOMPARE(f.shownPanels().size(), 1);
        QVERIFY(!f.ctl(panel).visible());
        // The menu itself is left alone.
        QCOMPARE(menuCaption(f), kShow);
        QCOMPARE(menuHeight(f), 50.0f);
        QVERIFY(!f.form.Timer6.enabled() && !f.form.Timer7.enabled());
    }

    void closeButton_data() { addPanelRows(); }
    void closeButton()
    {
        QFETCH(QString, menuButton);
        QFETCH(QString, closeButton);
        QFETCH(QString, panel);
        Fixture f;
        f.form.click(Fixture::id(menuButton));
        QVERIFY(f.ctl(closeButton).isShown());
        QVERIFY(f.form.click(Fixture::id(closeButton)));
        QCOMPARE(f.shownPanels(), QStringList());

        // With another panel up, this Close button is hidden along with its own panel: its click
        // is refused, as the window never delivers it, and nothing changes.
        f.form.click(Fixture::id(otherMenuButton(menuButton)));
        const QStringList before = f.shownPanels();
        QVERIFY(!f.ctl(closeButton).isShown());
        Recorder changes;
        f.form.setObserver(&changes);
        QVERIFY(!f.form.click(Fixture::id(closeButton)));
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
        f.form.click(ControlId::Command7);
        for (int k = 0; k < 10; ++k)
            f.form.tick(ControlId::Timer6);
        f.form.click(Fixture::id(menuButton));
        QCOMPARE(menuHeight(f), 1050.0f);
        QVERIFY(f.form.Timer6.enabled());
        QVERIFY(!f.form.Command7.enabled());
        QCOMPARE(f.runOut(ControlId::Timer6), 42);
        QVERIFY(f.ctl(panel).isShown());

        f.form.click(ControlId::Command7);
        for (int k = 1; k <= 51; ++k) {
            QVERIFY(f.form.tick(ControlId::Timer7));
            QVERIFY(f.ctl(panel).isShown());
        }
        QVERIFY(f.form.tick(ControlId::Timer7));
        QCOMPARE(f.shownPanels(), QStringList());
        QVERIFY(!f.form.Timer7.enabled());
    }
};

QTEST_GUILESS_MAIN(TestMenu)
#include "test_menu.moc"
