// The window description as data: the sibling order, the timers, the event wiring, the panel
// layouts and the texts attached to them. (Unique names, containers before children and the tab
// indexes are held by static_asserts beside the table.)

#include "fixture.h"
#include "model/texts.h"
#include "model/description.h"
#include "handlers/event_table.h"
#include "handlers/menu.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace gd;

namespace {

const ControlDesc& control(const char* name)
{
    static const ControlDesc missing {};
    const std::optional<ControlId> id = findControl(name);
    return id && *id != ControlId::Form1 ? describe(*id) : missing;
}

// The tutorial panel a control sits in, however deep; empty outside the panels.
std::string_view panelOf(const ControlDesc& c)
{
    for (ControlId in = c.container; in != ControlId::Form1; in = describe(in).container)
        for (const Tutorial& t : kTutorials)
            if (t.panel == in)
                return nameOf(in);
    return {};
}

} // namespace

TEST(Description, KindCounts)
{
    const struct {
        const char* name;
        Kind kind;
        int count;
    } rows[] = {
        { "PictureBox", Kind::PictureBox, 23 },
        { "Label", Kind::Label, 73 },
        { "TextBox", Kind::TextBox, 11 },
        { "CommandButton", Kind::CommandButton, 21 },
        { "Timer", Kind::Timer, 11 },
        { "Image", Kind::Image, 6 },
        { "Line", Kind::Line, 4 },
        { "Shape", Kind::Shape, 1 },
    };
    ASSERT_EQ(kControls.size(), 150u);
    for (const auto& row : rows) {
        int n = 0;
        for (const ControlDesc& c : kControls)
            n += c.kind == row.kind;
        EXPECT_EQ(n, row.count) << row.name;
    }
}

TEST(Description, SiblingOrder)
{
    const struct {
        const char* container;
        Names children; // front to back
    } rows[] = {
        { "Picture1",
            { "Command1", "txtTrabs", "txtTrans", "Label4", "Label3", "Label2", "Label1" } },
        { "Picture7", { "lblButton", "Label15", "Label14", "ImgClick", "ImgHover" } },
        { "Picture8",
            { "Text4", "Picture11", "Timer3", "Picture9", "Text3", "Command4", "Picture12",
                "Picture10", "Label38", "Label37", "Label36", "Label35", "Label34", "Label33",
                "Label32", "Label31", "Label30", "Label29" } },
        { "Picture14", { "picUp", "picTrans" } },
        { "Picture16",
            { "Text8", "Text7", "Picture18", "Timer9", "Timer8", "Picture17", "Command16",
                "Label62", "Label61", "Label58", "Label64", "Label63", "Label60", "Label59",
                "Label57", "Label56", "Label55", "Line4", "Label54", "Label53", "Label52" } },
        { "Picture15",
            { "Command13", "Command12", "Command11", "Command10", "Command9", "Command8" } },
    };
    for (const auto& row : rows) {
        Names listed;
        for (const ControlDesc& c : kControls)
            if (nameOf(c.container) == row.container)
                listed.emplace_back(c.name);
        EXPECT_EQ(listed, row.children) << row.container;
    }
}

// Each "Close" button sits in its own panel, and tabbing through the panel ends on it.
TEST(Description, CloseIsLastInEachPanel)
{
    for (const Tutorial& t : kTutorials) {
        const ControlDesc& close = describe(t.close);
        ASSERT_EQ(close.container, t.panel);
        ASSERT_EQ(tutorialText(t.close), "Close");
        for (const ControlDesc& c : kControls) {
            if (panelOf(c) == nameOf(t.panel) && &c != &close) {
                ASSERT_LT(c.tabIndex, close.tabIndex) << c.name;
            }
        }
    }
}

TEST(Description, Timers)
{
    const struct {
        const char* timer;
        int interval;
        bool enabled;
    } rows[] = {
        { "Timer1", 1, true },
        { "Timer2", 100, true },
        { "Timer3", 50, true },
        { "Timer4", 1, false },
        { "Timer5", 1, false },
        { "Timer6", 1, false },
        { "Timer7", 1, false },
        { "Timer8", 500, true },
        { "Timer9", 1, true },
        { "Timer10", 50, true },
        { "Timer11", 1000, true },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.timer);
        const ControlDesc& t = control(row.timer);
        EXPECT_EQ(t.kind, Kind::Timer);
        EXPECT_EQ(t.interval, row.interval);
        EXPECT_EQ(t.enabled, row.enabled);
    }
}

// Every event row is well formed (a static_assert holds that); these are the ones there are.
TEST(Description, Events)
{
    std::vector<std::string_view> handlers;
    for (const EventBinding& e : eventTable())
        handlers.push_back(e.handler);
    EXPECT_EQ(handlers.size(), 36u);
    for (const char* h : { "Form_Load", "Form_MouseMove", "Timer1_Timer", "Command7_Click",
             "Picture7_MouseMove", "Timer11_Timer", "Timer9_Timer" })
        EXPECT_NE(std::find(handlers.begin(), handlers.end(), h), handlers.end()) << h;
}

TEST(Description, MenuButtons)
{
    const struct {
        const char* button;
        int top, height;
    } rows[] = {
        { "Command8", 120, 735 },
        { "Command9", 960, 720 },
        { "Command10", 1800, 735 },
        { "Command11", 2640, 735 },
        { "Command12", 3480, 735 },
        { "Command13", 4320, 735 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        const ControlDesc& c = control(row.button);
        EXPECT_EQ(nameOf(c.container), "Picture15");
        EXPECT_EQ(c.top, row.top);
        EXPECT_EQ(c.height, row.height);
    }
}

// The hover face must hide the normal face completely when it shows.
TEST(Description, ImageButtonFaces)
{
    const ControlDesc& click = control("ImgClick");
    const ControlDesc& hover = control("ImgHover");
    EXPECT_EQ(nameOf(click.container), "Picture7");
    EXPECT_EQ(nameOf(hover.container), "Picture7");
    EXPECT_LT(&click - kControls.data(), &hover - kControls.data()); // listed first: in front
    EXPECT_EQ(click.left, hover.left);
    EXPECT_EQ(click.top, hover.top);
    EXPECT_GE(click.width, hover.width);
    EXPECT_GE(click.height, hover.height);
    EXPECT_FALSE(click.visible);
    EXPECT_TRUE(hover.visible);
    EXPECT_TRUE(!click.stretch && !hover.stretch);
    EXPECT_EQ(hover.toolTip, "ACCOUNT MENU");
}

// The transition boxes and the ticker start where their container clips them away.
TEST(Description, SlidersStartOutOfSight)
{
    const ControlDesc& stage = control("Picture14");
    const ControlDesc& trans = control("picTrans");
    const ControlDesc& up = control("picUp");
    EXPECT_EQ(trans.left, -1200);
    EXPECT_LE(trans.left + trans.width, 0);
    EXPECT_EQ(up.top, 2500);
    // The flat border takes a pixel (15 twips) on each side; less than a pixel of picUp shows.
    EXPECT_LT(stage.height - 2 * 15 - up.top, 15);
    EXPECT_EQ(nameOf(trans.container), "Picture14");
    EXPECT_EQ(nameOf(up.container), "Picture14");

    const ControlDesc& strip = control("Picture17");
    const ControlDesc& ticker = control("lblAni1");
    EXPECT_EQ(nameOf(ticker.container), "Picture17");
    EXPECT_EQ(ticker.left, 6720);
    EXPECT_EQ(strip.width - ticker.left, 255); // only this much shows
}

TEST(Description, SpinBoxes)
{
    int lastLeft = -1;
    for (const char* name : { "Picture9", "Picture10", "Picture11", "Picture12" }) {
        SCOPED_TRACE(name);
        const ControlDesc& c = control(name);
        EXPECT_EQ(c.kind, Kind::PictureBox);
        EXPECT_EQ(nameOf(c.container), "Picture8");
        EXPECT_EQ(c.width, 855);
        EXPECT_EQ(c.height, 855);
        EXPECT_EQ(c.top, 5880);
        EXPECT_GT(c.left, lastLeft); // one row, left to right
        lastLeft = c.left;
    }
    EXPECT_EQ(control("Picture9").picture, control("Picture10").picture);
    EXPECT_FALSE(control("Picture9").picture.empty());
    EXPECT_TRUE(control("Picture11").picture.empty());
    EXPECT_TRUE(control("Picture12").picture.empty());
}

// Long lines wrap in the single-column panels and scroll sideways in the two-column ones.
TEST(Description, ListingScrollBars)
{
    for (const ControlDesc& c : kControls) {
        if (c.kind != Kind::TextBox)
            continue;
        const std::string_view panel = panelOf(c);
        const bool twoColumns = panel == "Picture6" || panel == "Picture13" || panel == "Picture16";
        EXPECT_FALSE(panel.empty()) << c.name;
        EXPECT_EQ(c.scrollBars, twoColumns ? ScrollBars::Both : ScrollBars::Vertical) << c.name;
    }
}

// The texts table is the one source of the panels' words: each entry lands on a control that
// shows text, every such control in a panel gets one, and none is given in the rows as well.
TEST(Description, Texts)
{
    const auto showsText = [](const ControlDesc& c) {
        return c.kind == Kind::Label || c.kind == Kind::CommandButton || c.kind == Kind::TextBox;
    };
    for (const TextEntry& e : tutorialTexts()) {
        const ControlDesc& c = describe(e.control);
        EXPECT_TRUE(showsText(c)) << c.name;
        EXPECT_FALSE(panelOf(c).empty()) << c.name;
    }
    int inPanels = 0;
    for (const ControlDesc& c : kControls) {
        if (panelOf(c).empty())
            continue;
        ++inPanels;
        if (!showsText(c))
            continue;
        EXPECT_TRUE(tutorialText(c.id).has_value()) << c.name;
        EXPECT_TRUE(c.caption.empty()) << c.name;
    }
    EXPECT_EQ(inPanels, 105);
}
