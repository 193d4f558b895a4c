#include "effects/transition_boxes.h"

#include "runtime/vb.h"
#include "window/form.h"

namespace gd {

namespace {

constexpr double kStep = 20;
constexpr double kLeftStart = -1200; // picTrans hidden beyond the stage's left edge
constexpr double kTopStart = 2500;   // picUp hidden below the stage's lower edge
constexpr double kEnd = 0;

} // namespace

void CmdTrans1_Click(Form1& me)
{
    me.ctl("picTrans").setLeft(kLeftStart);
    me.ctl("Timer4").setEnabled(true);
}

void cmdTrans2_Click(Form1& me)
{
    me.ctl("picUp").setTop(kTopStart);
    me.ctl("Timer5").setEnabled(true);
}

void Command6_Click(Form1& me)
{
    me.ctl("Timer4").setEnabled(false);
    me.ctl("picTrans").setLeft(kLeftStart);
    me.ctl("Timer5").setEnabled(false);
    me.ctl("picUp").setTop(kTopStart);
}

// The position is not clamped: the test only ends the slide, at whatever the last step left.
void Timer4_Timer(Form1& me)
{
    Control& picTrans = me.ctl("picTrans");
    picTrans.setLeft(vb::val(vb::str(picTrans.left())) + kStep);
    if (picTrans.left() >= kEnd)
        me.ctl("Timer4").setEnabled(false);
}

void Timer5_Timer(Form1& me)
{
    Control& picUp = me.ctl("picUp");
    picUp.setTop(vb::val(vb::str(picUp.top())) - kStep);
    if (picUp.top() <= kEnd)
        me.ctl("Timer5").setEnabled(false);
}

} // namespace gd
