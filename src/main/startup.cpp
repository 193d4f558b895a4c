#include "main/startup.h"

#include "content/texts.h"
#include "platform/platform.h"
#include "runtime/vb.h"
#include "sysinfo/module1.h"
#include "window/form.h"

namespace gd {

namespace {

// Makes the window layered, as the fade-in tutorial teaches: read the extended style, add the
// layered bit, write it back; each statement on its own under resume-next.
void makeLayered(Platform& platform, const vb::ResumeNext& next)
{
    std::int32_t lngCurStyle = 0, lngNewStyle = 0;
    next([&] { lngCurStyle = platform.GetWindowLongA(GWL_EXSTYLE); });
    next([&] { lngNewStyle = lngCurStyle | WS_EX_LAYERED; });
    next([&] { platform.SetWindowLongA(GWL_EXSTYLE, lngNewStyle); });
}

void exitQuestion(Form1& me)
{
    const std::string caption = me.ctl("lblTitle").caption();
    int answer = me.platform().MsgBox("Are you sure you want to quit " + caption + "?",
        vbQuestion | vbYesNo, "EXIT");
    if (answer == vbYes)
        me.End(0);
}

} // namespace

void Form_Load(Form1& me)
{
    // Every step that fails is skipped and the next one runs.
    const vb::ResumeNext next;
    Platform& platform = me.platform();
    std::int32_t lngTwipsPerPixelX = 0, lngTwipsPerPixelY = 0;
    std::int32_t lngScreenWidth = 0, lngScreenHeight = 0;

    next([&] { me.lngAlpha = 0; });
    next([&] { me.ctl("Picture15").setHeight(50); });
    makeLayered(platform, next);
    next([&] { platform.SetLayeredWindowAttributes(0, vb::toByte(me.lngAlpha), LWA_ALPHA); });
    next([&] { me.ctl("lblButton").setBackColor(255); });
    next([&] { me.ctl("Label65").setCaption("Computer Name: " + LocalHostName(me)); });
    next([&] { lngTwipsPerPixelX = vb::toLong(platform.twipsPerPixelX()); });
    next([&] { lngTwipsPerPixelY = vb::toLong(platform.twipsPerPixelY()); });
    next([&] { lngScreenHeight = vb::toLong(vb::divide(platform.screenHeight(), lngTwipsPerPixelY)); });
    next([&] { lngScreenWidth = vb::toLong(vb::divide(platform.screenWidth(), lngTwipsPerPixelX)); });
    next([&] {
        me.ctl("Label66").setCaption("Screen Resolution: " + std::to_string(lngScreenWidth) + " x "
            + std::to_string(lngScreenHeight));
    });
    next([&] { me.ctl("Label69").setCaption(std::string(creditsText())); });
}

void Timer1_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Platform& platform = me.platform();
    Control& txtTrans = me.ctl("txtTrans");

    next([&] { txtTrans.setTag(vb::str(vb::val(txtTrans.tag()) + 2)); });
    next([&] { me.lngAlpha = vb::toLong(txtTrans.tag()); });
    makeLayered(platform, next);
    next([&] { platform.SetLayeredWindowAttributes(0, vb::toByte(me.lngAlpha), LWA_ALPHA); });
    if (next.test([&] { return txtTrans.tag() == "250"; }))
        next([&] { me.ctl("Timer1").setEnabled(false); });
}

void Label5_Click(Form1& me) { me.platform().setWindowState(1); }

void Label6_Click(Form1& me) { exitQuestion(me); }

void Command15_Click(Form1& me) { exitQuestion(me); }

void Command14_Click(Form1& me)
{
    me.platform().MsgBox(std::string(aboutText()), vbInformation, std::string(aboutTitle()));
}

} // namespace gd
