#include "handlers/startup.h"

#include "handlers/library_calls.h"
#include "handlers/module1.h"
#include "language/vb.h"
#include "model/form.h"
#include "model/texts.h"

namespace gd {

namespace {

constexpr std::string_view kFadeEnd = "250"; // the fade counter's last value, and the opacity

// Makes the window layered, as the fade-in tutorial teaches: read the extended style, add the
// layered bit, write it back; each statement on its own under resume-next.
void makeLayered(Form1& me, const vb::ResumeNext& next)
{
    std::int32_t lngCurStyle = 0, lngNewStyle = 0;
    next([&] { lngCurStyle = GetWindowLongA(me, GWL_EXSTYLE); });
    next([&] { lngNewStyle = lngCurStyle | WS_EX_LAYERED; });
    next([&] { SetWindowLongA(me, GWL_EXSTYLE, lngNewStyle); });
}

void exitQuestion(Form1& me)
{
    const std::string question = "Are you sure you want to quit " + me.lblTitle.caption() + "?";
    if (MsgBox(me, question, vbQuestion | vbYesNo, "EXIT") == vbYes)
        me.End(0);
}

} // namespace

void Form_Load(Form1& me)
{
    // Every step that fails is skipped and the next one runs.
    const vb::ResumeNext next;
    const ScreenMetrics Screen = me.platform().screen();
    std::int32_t lngTwipsPerPixelX = 0, lngTwipsPerPixelY = 0;
    std::int32_t lngScreenWidth = 0, lngScreenHeight = 0;

    next([&] { me.lngAlpha = 0; });
    next([&] { me.Picture15.setHeight(50); });
    makeLayered(me, next);
    next([&] { SetLayeredWindowAttributes(me, 0, vb::toByte(me.lngAlpha), LWA_ALPHA); });
    next([&] { me.lblButton.setBackColor(255); });
    next([&] { me.Label65.setCaption("Computer Name: " + LocalHostName(me)); });
    next([&] { lngTwipsPerPixelX = vb::toLong(Screen.twipsPerPixelX); });
    next([&] { lngTwipsPerPixelY = vb::toLong(Screen.twipsPerPixelY); });
    next([&] { lngScreenHeight = vb::toLong(vb::divide(Screen.height, lngTwipsPerPixelY)); });
    next([&] { lngScreenWidth = vb::toLong(vb::divide(Screen.width, lngTwipsPerPixelX)); });
    next([&] {
        me.Label66.setCaption("Screen Resolution: " + std::to_string(lngScreenWidth) + " x "
            + std::to_string(lngScreenHeight));
    });
    next([&] { me.Label69.setCaption(std::string(creditsText())); });
}

void Timer1_Timer(Form1& me)
{
    const vb::ResumeNext next;
    Control& txtTrans = me.txtTrans;

    // Where the desktop asks for less movement the counter goes straight to its end: the window
    // shows at its final opacity at once, and the fade stops as it always does.
    next([&] {
        txtTrans.setTag(me.platform().motionReduced() ? std::string(kFadeEnd)
                                                      : vb::str(vb::val(txtTrans.tag()) + 2));
    });
    next([&] { me.lngAlpha = vb::toLong(txtTrans.tag()); });
    makeLayered(me, next);
    next([&] { SetLayeredWindowAttributes(me, 0, vb::toByte(me.lngAlpha), LWA_ALPHA); });
    if (next.test([&] { return txtTrans.tag() == kFadeEnd; }))
        next([&] { me.Timer1.setEnabled(false); });
}

void Label5_Click(Form1& me) { me.platform().minimiseWindow(); }

void Label6_Click(Form1& me) { exitQuestion(me); }

void Command15_Click(Form1& me) { exitQuestion(me); }

void Command14_Click(Form1& me) { MsgBox(me, aboutText(), vbInformation, aboutTitle()); }

} // namespace gd
