#include "handlers/menu.h"

#include "language/vb.h"
#include "model/form.h"
#include "model/platform.h"

#include <string_view>

namespace gd {

namespace {

constexpr double kClosedHeight = 50;
constexpr double kOpenHeight = 5220;
constexpr double kStep = 100;
constexpr std::string_view kShow = "Show Glimmerdeck";
constexpr std::string_view kHide = "Hide Glimmerdeck";

// The order in which every menu button writes the panels' Visible flags: the last tutorial's
// panel first.
void showOnly(Form1& me, ControlId panel)
{
    for (auto t = kTutorials.rbegin(); t != kTutorials.rend(); ++t)
        me[t->panel].setVisible(t->panel == panel);
}

void hideAllPanels(Form1& me, const vb::ResumeNext& next)
{
    for (auto t = kTutorials.rbegin(); t != kTutorials.rend(); ++t)
        next([&] { me[t->panel].setVisible(false); });
}

// The menu reads its height back through text, the way the tutorial code does.
double heightThroughText(const Control& c) { return vb::val(vb::str(c.height())); }

} // namespace

void Command7_Click(Form1& me)
{
    Control& Command7 = me.Command7;
    if (Command7.caption() == kShow) {
        me.Picture15.setHeight(kClosedHeight);
        me.Timer6.setEnabled(true);
        Command7.setCaption(std::string(kHide));
        Command7.setEnabled(false);
        if (me.platform().motionReduced())
            Timer6_Timer(me); // no slide: its one step, to the end, now
    } else if (Command7.caption() == kHide) {
        me.Picture15.setHeight(kOpenHeight);
        me.Timer7.setEnabled(true);
        Command7.setCaption(std::string(kShow));
        Command7.setEnabled(false);
        if (me.platform().motionReduced())
            Timer7_Timer(me);
    }
}

void Timer6_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Control& Picture15 = me.Picture15;
    // Where the desktop asks for less movement, the step goes the whole way.
    next([&] {
        Picture15.setHeight(
            me.platform().motionReduced() ? kOpenHeight : heightThroughText(Picture15) + kStep);
    });
    if (next.test([&] { return Picture15.height() >= kOpenHeight; })) {
        next([&] { me.Command7.setEnabled(true); });
        next([&] { Picture15.setHeight(kOpenHeight); });
        next([&] { me.Timer6.setEnabled(false); });
    }
}

void Timer7_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Control& Picture15 = me.Picture15;
    next([&] {
        Picture15.setHeight(
            me.platform().motionReduced() ? kClosedHeight : heightThroughText(Picture15) - kStep);
    });
    if (next.test([&] { return Picture15.height() <= kClosedHeight; })) {
        next([&] { me.Command7.setEnabled(true); });
        next([&] { Picture15.setHeight(kClosedHeight); });
        hideAllPanels(me, next);
        next([&] { me.Timer7.setEnabled(false); });
    }
}

void Command8_Click(Form1& me) { showOnly(me, ControlId::Picture1); }
void Command9_Click(Form1& me) { showOnly(me, ControlId::Picture2); }
void Command10_Click(Form1& me) { showOnly(me, ControlId::Picture6); }
void Command11_Click(Form1& me) { showOnly(me, ControlId::Picture8); }
void Command12_Click(Form1& me) { showOnly(me, ControlId::Picture13); }
void Command13_Click(Form1& me) { showOnly(me, ControlId::Picture16); }

void Command1_Click(Form1& me) { me.Picture1.setVisible(false); }
void Command2_Click(Form1& me) { me.Picture2.setVisible(false); }
void Command3_Click(Form1& me) { me.Picture6.setVisible(false); }
void Command4_Click(Form1& me) { me.Picture8.setVisible(false); }
void Command5_Click(Form1& me) { me.Picture13.setVisible(false); }
void Command16_Click(Form1& me) { me.Picture16.setVisible(false); }

} // namespace gd
