#include "main/menu.h"

#include "runtime/vb.h"
#include "window/form.h"

#include <array>
#include <string_view>

namespace gd {

namespace {

constexpr double kClosedHeight = 50;
constexpr double kOpenHeight = 5220;
constexpr double kStep = 100;
constexpr std::string_view kShow = "Show Glimmerdeck";
constexpr std::string_view kHide = "Hide Glimmerdeck";

// The order in which every menu button writes the panels' Visible flags.
constexpr std::array<std::string_view, 6> kPanels = {
    "Picture16", "Picture13", "Picture8", "Picture6", "Picture2", "Picture1",
};

void showOnly(Form1& me, std::string_view panel)
{
    for (std::string_view p : kPanels)
        me.ctl(p).setVisible(p == panel);
}

// The menu reads its height back through text, the way the tutorial code does.
double heightThroughText(Control& c) { return vb::val(vb::str(c.height())); }

} // namespace

void Command7_Click(Form1& me)
{
    Control& Command7 = me.ctl("Command7");
    Control& Picture15 = me.ctl("Picture15");
    if (Command7.caption() == kShow) {
        Picture15.setHeight(kClosedHeight);
        me.ctl("Timer6").setEnabled(true);
        Command7.setCaption(std::string(kHide));
        Command7.setEnabled(false);
    } else if (Command7.caption() == kHide) {
        Picture15.setHeight(kOpenHeight);
        me.ctl("Timer7").setEnabled(true);
        Command7.setCaption(std::string(kShow));
        Command7.setEnabled(false);
    }
}

void Timer6_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Control& Picture15 = me.ctl("Picture15");
    next([&] { Picture15.setHeight(heightThroughText(Picture15) + kStep); });
    if (next.test([&] { return Picture15.height() >= kOpenHeight; })) {
        next([&] { me.ctl("Command7").setEnabled(true); });
        next([&] { Picture15.setHeight(kOpenHeight); });
        next([&] { me.ctl("Timer6").setEnabled(false); });
    }
}

void Timer7_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Control& Picture15 = me.ctl("Picture15");
    next([&] { Picture15.setHeight(heightThroughText(Picture15) - kStep); });
    if (next.test([&] { return Picture15.height() <= kClosedHeight; })) {
        next([&] { me.ctl("Command7").setEnabled(true); });
        next([&] { Picture15.setHeight(kClosedHeight); });
        for (std::string_view p : kPanels)
            next([&] { me.ctl(p).setVisible(false); });
        next([&] { me.ctl("Timer7").setEnabled(false); });
    }
}

void Command8_Click(Form1& me) { showOnly(me, "Picture1"); }
void Command9_Click(Form1& me) { showOnly(me, "Picture2"); }
void Command10_Click(Form1& me) { showOnly(me, "Picture6"); }
void Command11_Click(Form1& me) { showOnly(me, "Picture8"); }
void Command12_Click(Form1& me) { showOnly(me, "Picture13"); }
void Command13_Click(Form1& me) { showOnly(me, "Picture16"); }

void Command1_Click(Form1& me) { me.ctl("Picture1").setVisible(false); }
void Command2_Click(Form1& me) { me.ctl("Picture2").setVisible(false); }
void Command3_Click(Form1& me) { me.ctl("Picture6").setVisible(false); }
void Command4_Click(Form1& me) { me.ctl("Picture8").setVisible(false); }
void Command5_Click(Form1& me) { me.ctl("Picture13").setVisible(false); }
void Command16_Click(Form1& me) { me.ctl("Picture16").setVisible(false); }

} // namespace gd
