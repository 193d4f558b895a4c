// The sliding menu and the six tutorial panels, tick by tick against the fake platform.

#include "fixture.h"
#include "handlers/menu.h"

#include <gtest/gtest.h>

using namespace gd;

namespace {

const std::string kShow = "Show Glimmerdeck";
const std::string kHide = "Hide Glimmerdeck";

// Every property change the model reports, by control name.
struct Recorder : FormObserver {
    Names changes;
    void controlChanged(Control& control, Prop) override { changes.emplace_back(control.name()); }
};

const std::string& menuCaption(Fixture& f) { return f.form.Command7.caption(); }
float menuHeight(Fixture& f) { return f.form.Picture15.height(); }

void openMenu(Fixture& f)
{
    f.form.click(ControlId::Command7);
    f.runOut(ControlId::Timer6);
}

// A button of some other panel than this one's, to show something else in between.
ControlId otherMenuButton(ControlId menuButton)
{
    return menuButton == ControlId::Command13 ? ControlId::Command8 : ControlId::Command13;
}

// The tutorial's panel, alone, as shownPanels lists it.
Names only(const Tutorial& t) { return { std::string(nameOf(t.panel)) }; }

} // namespace

TEST(Menu, Slide)
{
    const struct {
        const char* name;
        bool fromOpen;
        ControlId timer, otherTimer;
        const std::string& caption; // from the click on
        double start, step, end;
    } rows[] = {
        { "opening", false, ControlId::Timer6, ControlId::Timer7, kHide, 50.0, 100.0, 5220.0 },
        { "closing", true, ControlId::Timer7, ControlId::Timer6, kShow, 5220.0, -100.0, 50.0 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ControlId t = row.timer, other = row.otherTimer;
        Fixture f;
        if (row.fromOpen)
            openMenu(f);
        // Closed or Open: the button is free and nothing runs.
        ASSERT_EQ(menuCaption(f), row.fromOpen ? kHide : kShow);
        ASSERT_TRUE(f.form.Command7.enabled());
        ASSERT_EQ(menuHeight(f), float(row.start));
        ASSERT_TRUE(!f.form.Timer6.enabled() && !f.form.Timer7.enabled());

        ASSERT_TRUE(f.form.click(ControlId::Command7));
        // The caption turns at the start of the slide; the button stays disabled to its end,
        // which is what keeps the two timers from ever running together.
        for (int k = 1; k <= 51; ++k) {
            SCOPED_TRACE("tick " + std::to_string(k));
            ASSERT_EQ(menuCaption(f), row.caption);
            ASSERT_FALSE(f.form.Command7.enabled());
            ASSERT_TRUE(f.form[t].enabled());
            ASSERT_FALSE(f.form[other].enabled());
            ASSERT_TRUE(f.form.tick(t));
            ASSERT_EQ(menuHeight(f), float(row.start + row.step * k));
        }
        EXPECT_EQ(menuHeight(f), float(row.fromOpen ? 120 : 5150));
        // The 52nd tick steps past the end and is clamped to it.
        EXPECT_TRUE(f.form.tick(t));
        EXPECT_EQ(menuHeight(f), float(row.end));
        EXPECT_EQ(menuCaption(f), row.caption);
        EXPECT_TRUE(f.form.Command7.enabled());
        EXPECT_TRUE(!f.form[t].enabled() && !f.form[other].enabled());
        EXPECT_FALSE(f.form.tick(t));
        EXPECT_FALSE(f.form.tick(other));
        // Neither slide shows a panel by itself.
        EXPECT_EQ(f.shownPanels(), Names());
        EXPECT_EQ(f.platform.messages.size(), 0u);
    }
}

TEST(Menu, SlidesEndAtOnceWhenMotionIsReduced)
{
    Fixture f;
    const auto atRest = [&f](const std::string& caption, float height) {
        return menuCaption(f) == caption && menuHeight(f) == height && f.form.Command7.enabled()
            && !f.form.Timer6.enabled() && !f.form.Timer7.enabled();
    };
    f.platform.reduceMotion = true;
    // Each click goes the whole way, to where the slide would have ended.
    EXPECT_TRUE(f.form.click(ControlId::Command7));
    EXPECT_TRUE(atRest(kHide, 5220));
    f.form.click(ControlId::Command11);
    EXPECT_TRUE(f.form.click(ControlId::Command7));
    EXPECT_TRUE(atRest(kShow, 50));
    EXPECT_EQ(f.shownPanels(), Names()); // the closing takes the panel with it

    // A slide under way when the wish arrives ends at its next tick.
    f.platform.reduceMotion = false;
    f.form.click(ControlId::Command7);
    f.ticks(ControlId::Timer6, 10);
    f.platform.reduceMotion = true;
    EXPECT_TRUE(f.form.tick(ControlId::Timer6));
    EXPECT_TRUE(atRest(kHide, 5220));
    f.form.click(ControlId::Command11);
    f.platform.reduceMotion = false;
    f.form.click(ControlId::Command7);
    f.ticks(ControlId::Timer7, 10);
    EXPECT_TRUE(f.form.Picture8.visible());
    f.platform.reduceMotion = true;
    EXPECT_TRUE(f.form.tick(ControlId::Timer7));
    EXPECT_TRUE(atRest(kShow, 50));
    EXPECT_EQ(f.shownPanels(), Names());
    EXPECT_TRUE(f.quiet());
}

TEST(Menu, SlideEndsOnTheComparison)
{
    const struct {
        const char* name;
        bool closing;
        double height; // set just after the toggle
        int ticks;
    } rows[] = {
        { "opening lands on 5220", false, 5120.0, 1 },
        { "opening steps past 5220", false, 5125.0, 1 },
        { "opening stops short", false, 5119.5, 2 },
        // Read back through seven digits of text as 5120: the step reaches 5220 exactly.
        { "opening reads 5120", false, 5119.9999, 1 },
        { "closing lands on 50", true, 150.0, 1 },
        { "closing steps past 50", true, 145.0, 1 },
        { "closing stops short", true, 210.0, 2 },
        { "closing reads 150", true, 150.00001, 1 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ControlId timer = row.closing ? ControlId::Timer7 : ControlId::Timer6;
        Fixture f;
        if (row.closing)
            openMenu(f);
        f.form.click(ControlId::Command11);
        f.form.click(ControlId::Command7);
        f.form.Picture15.setHeight(row.height);
        EXPECT_EQ(f.runOut(timer), row.ticks);
        EXPECT_EQ(menuHeight(f), row.closing ? 50.0f : 5220.0f);
        EXPECT_TRUE(f.form.Command7.enabled());
        // Only the end of a closing slide hides the panel.
        EXPECT_EQ(f.form.Picture8.visible(), !row.closing);
    }
}

TEST(Menu, FailedStepIsSkippedSilently)
{
    // A height the menu never writes itself: stepping below 0 is an invalid value, which the
    // closing step swallows without a word. The slide goes on; no message, no end.
    Fixture f;
    openMenu(f);
    f.form.click(ControlId::Command7);
    f.form.Picture15.setHeight(80);
    EXPECT_TRUE(f.form.tick(ControlId::Timer7));
    EXPECT_EQ(menuHeight(f), 80.0f);
    EXPECT_TRUE(f.form.Timer7.enabled());
    EXPECT_EQ(f.platform.messages.size(), 0u);
    EXPECT_FALSE(f.form.ended());
}

TEST(Menu, OtherCaptionDoesNothing)
{
    const struct {
        const char* name;
        const char* caption;
    } rows[] = {
        { "lower case", "show glimmerdeck" },
        { "trailing blank", "Hide Glimmerdeck " },
        { "empty", "" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.form.Command7.setCaption(row.caption);
        Recorder changes;
        f.form.setObserver(&changes);
        EXPECT_TRUE(f.form.click(ControlId::Command7));
        EXPECT_EQ(changes.changes, Names());
        EXPECT_TRUE(!f.form.tick(ControlId::Timer6) && !f.form.tick(ControlId::Timer7));
    }
}

// The tests below run once per tutorial, named after its menu button's caption.

TEST(Menu, MenuButton)
{
    for (const Tutorial& t : kTutorials) {
        SCOPED_TRACE(describe(t.button).caption);
        Fixture f;
        // All six up at first: a button that wrote only its own flag would leave the rest up.
        for (const Tutorial& each : kTutorials)
            f.form[each.panel].setVisible(true);
        EXPECT_TRUE(f.form.click(t.button));
        EXPECT_EQ(f.shownPanels(), only(t));
        EXPECT_TRUE(f.form[t.panel].isShown());
        EXPECT_TRUE(f.form.click(t.button));
        EXPECT_EQ(f.shownPanels(), only(t));
        // Another button replaces it.
        f.form.click(otherMenuButton(t.button));
        EXPECT_EQ(f.shownPanels().size(), 1u);
        EXPECT_FALSE(f.form[t.panel].visible());
        // The menu itself is left alone.
        EXPECT_EQ(menuCaption(f), kShow);
        EXPECT_EQ(menuHeight(f), 50.0f);
        EXPECT_TRUE(!f.form.Timer6.enabled() && !f.form.Timer7.enabled());
    }
}

TEST(Menu, CloseButton)
{
    for (const Tutorial& t : kTutorials) {
        SCOPED_TRACE(describe(t.button).caption);
        Fixture f;
        f.form.click(t.button);
        EXPECT_TRUE(f.form[t.close].isShown());
        EXPECT_TRUE(f.form.click(t.close));
        EXPECT_EQ(f.shownPanels(), Names());

        // With another panel up, this Close button is hidden along with its own panel: its click
        // is refused, as the window never delivers it, and nothing changes.
        f.form.click(otherMenuButton(t.button));
        const Names before = f.shownPanels();
        EXPECT_FALSE(f.form[t.close].isShown());
        Recorder changes;
        f.form.setObserver(&changes);
        EXPECT_FALSE(f.form.click(t.close));
        EXPECT_EQ(changes.changes, Names());
        EXPECT_EQ(f.shownPanels(), before);
    }
}

TEST(Menu, PanelLivesThroughBothSlides)
{
    for (const Tutorial& t : kTutorials) {
        SCOPED_TRACE(describe(t.button).caption);
        Fixture f;
        // Shown while the menu is still opening: the slide carries on untouched.
        f.form.click(ControlId::Command7);
        f.ticks(ControlId::Timer6, 10);
        f.form.click(t.button);
        EXPECT_EQ(menuHeight(f), 1050.0f);
        EXPECT_TRUE(f.form.Timer6.enabled());
        EXPECT_FALSE(f.form.Command7.enabled());
        EXPECT_EQ(f.runOut(ControlId::Timer6), 42);
        EXPECT_TRUE(f.form[t.panel].isShown());

        f.form.click(ControlId::Command7);
        for (int k = 1; k <= 51; ++k) {
            ASSERT_TRUE(f.form.tick(ControlId::Timer7)) << "tick " << k;
            ASSERT_TRUE(f.form[t.panel].isShown()) << "tick " << k;
        }
        EXPECT_TRUE(f.form.tick(ControlId::Timer7));
        EXPECT_EQ(f.shownPanels(), Names());
        EXPECT_FALSE(f.form.Timer7.enabled());
    }
}
