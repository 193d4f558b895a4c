#include "handlers/effects/transition_boxes.h"

#include "language/vb.h"
#include "model/form.h"

namespace gd {

namespace {

constexpr double kStep = 20;
constexpr double kLeftStart = -1200; // picTrans hidden beyond the stage's left edge
constexpr double kTopStart = 2500;   // picUp hidden below the stage's lower edge
constexpr double kEnd = 0;

} // namespace

void CmdTrans1_Click(Form1& me)
{
    me.picTrans.setLeft(kLeftStart);
    me.Timer4.setEnabled(true);
}

void cmdTrans2_Click(Form1& me)
{
    me.picUp.setTop(kTopStart);
    me.Timer5.setEnabled(true);
}

void Command6_Click(Form1& me)
{
    me.Timer4.setEnabled(false);
    me.picTrans.setLeft(kLeftStart);
    me.Timer5.setEnabled(false);
    me.picUp.setTop(kTopStart);
}

// The position is not clamped: the test only ends the slide, at whatever the last step left.
void Timer4_Timer(Form1& me)
{
    Control& picTrans = me.picTrans;
    picTrans.setLeft(vb::val(vb::str(picTrans.left())) + kStep);
    if (picTrans.left() >= kEnd)
        me.Timer4.setEnabled(false);
}

void Timer5_Timer(Form1& me)
{
    Control& picUp = me.picUp;
    picUp.setTop(vb::val(vb::str(picUp.top())) - kStep);
    if (picUp.top() <= kEnd)
        me.Timer5.setEnabled(false);
}

} // namespace gd
