#include "handlers/effects/hover_buttons.h"

#include "model/form.h"

namespace gd {

namespace {

constexpr Colour vbRed = 0x0000FF;
constexpr Colour vbYellow = 0x00FFFF;

void restLabelButton(Form1& me)
{
    Control& lblButton = me.lblButton;
    lblButton.setBackColor(vbRed);
    lblButton.setFontSize(12);
    lblButton.setFontBold(false);
}

} // namespace

void Form_MouseMove(Form1& me, const MouseArgs&) { me.ImgClick.setVisible(false); }

void ImgHover_MouseMove(Form1& me, const MouseArgs&) { me.ImgClick.setVisible(true); }

void lblButton_MouseMove(Form1& me, const MouseArgs&)
{
    Control& lblButton = me.lblButton;
    lblButton.setBackColor(vbYellow);
    lblButton.setFontSize(14);
    lblButton.setFontBold(true);
}

// The demo box's own background resets both buttons, the image button first.
void Picture7_MouseMove(Form1& me, const MouseArgs&)
{
    me.ImgClick.setVisible(false);
    restLabelButton(me);
}

} // namespace gd
