#include "window/description.h"

#include "window/panel_controls.h"
#include "window/rows.h"

#include <array>

namespace gd {

using namespace rows;

namespace {

constexpr Colour kDarkGrey = 0x00404040;
constexpr Colour kGrey = 0x00808080;
constexpr Colour kSilver = 0x00C0C0C0;
constexpr Colour kWhite = 0x00FFFFFF;

constexpr FormDesc kForm {
    "Form1", 12255, 8790, kDarkGrey, { "Tahoma", 9.75f, false }, "glimmerdeck.ico",
};

// clang-format off
constexpr ControlDesc kWindowControls[] = {
    // Directly in Form1, front to back.
    //   name         container  left   top    width  height
    tmr("Timer11",   "Form1",   1000, true),
    cmd("c",         "Form1",   12600, 4920, 855,   855).text("0").tab(124),
    cmd("b",         "Form1",   12600, 4080, 855,   855).text("0").tab(123),
    cmd("a",         "Form1",   12600, 3240, 855,   855).text("0").tab(122),
    pic("Picture19", "Form1",   11040, 8400, 1215,  375).tab(120),
    tmr("Timer10",   "Form1",   50, true),
    tmr("Timer7",    "Form1",   1, false),
    tmr("Timer6",    "Form1",   1, false),
    cmd("Command15", "Form1",   120,   7560, 2175,  735).text("Exit").graphicalFace(kGrey).tab(88),
    cmd("Command14", "Form1",   120,   6720, 2175,  735).text("About").graphicalFace(kGrey).tab(87),
    cmd("Command7",  "Form1",   120,   840,  2175,  735).text("Show Glimmerdeck").graphicalFace(kGrey).tab(86),
    pic("Picture5",  "Form1",   7320,  8400, 3735,  375).tab(19),
    pic("Picture4",  "Form1",   3960,  8400, 3375,  375).tab(18),
    pic("Picture3",  "Form1",   0,     8400, 3975,  375).tab(17),
    tmr("Timer2",    "Form1",   100, true),
    tmr("Timer1",    "Form1",   1, true),
    pic("Picture15", "Form1",   0,     1560, 2295,  5220).back(kDarkGrey).fore(kSysWindowText).noBorder().flat().tab(89),
    pic("Picture16", "Form1",   2520,  840,  9615,  7335).hidden().tab(96),
    pic("Picture13", "Form1",   2520,  840,  9615,  7335).hidden().tab(63),
    pic("Picture8",  "Form1",   2520,  840,  9615,  7335).hidden().tab(45),
    pic("Picture6",  "Form1",   2520,  840,  9615,  7335).hidden().tab(20),
    pic("Picture2",  "Form1",   2520,  840,  9615,  7335).hidden().tab(9),
    pic("Picture1",  "Form1",   2520,  840,  9615,  7335).hidden().tab(0),
    pic("Picture20", "Form1",   2520,  840,  9615,  7335).back(kDarkGrey).fore(kSysWindowText).noBorder().flat().tab(125),
    line("Line3",    "Form1",   2400,  840,  2400,  8280).fore(kGrey),
    lbl("lblTitle",  "Form1",   840,   0,    9615,  495).text("Glimmerdeck").fore(kWhite).transparentBack().font("Palatino Linotype", 18, true).tab(43),
    lbl("Label5",    "Form1",   11040, 0,    255,   495).text("_").fore(kWhite).transparentBack().font("Arial", 18, true).tab(7),
    lbl("Label6",    "Form1",   11760, 0,    255,   495).text("X").fore(kWhite).transparentBack().font("Arial", 20.25f, true).tab(8),
    img("Image4",    "Form1",   11640, 0,    480,   480).pictureFile("framebutton.bmp").stretched(),
    img("Image5",    "Form1",   10920, 0,    480,   480).pictureFile("framebutton.bmp").stretched(),
    img("Image6",    "Form1",   0,     0,    705,   645).pictureFile("ornament.bmp").stretched(),
    img("Image3",    "Form1",   0,     0,    12240, 675).pictureFile("titlestrip.bmp").stretched(),

    // The status cells, one label each.
    lbl("Label68",   "Picture19", 120, 0,    975,   375).text("0:00:00").tab(121),
    lbl("Label67",   "Picture5",  120, 0,    4455,  375).tab(47),
    lbl("Label66",   "Picture4",  120, 0,    3735,  375).tab(46),
    lbl("Label65",   "Picture3",  120, 0,    3855,  375).tab(44),

    // The menu panel: six graphical buttons, opening the tutorials.
    cmd("Command13", "Picture15", 120, 4320, 2175,  735).text("Text Animation").graphicalFace(kSilver).tab(95),
    cmd("Command12", "Picture15", 120, 3480, 2175,  735).text("Transition Box").graphicalFace(kSilver).tab(94),
    cmd("Command11", "Picture15", 120, 2640, 2175,  735).text("Spinning Image").graphicalFace(kSilver).tab(93),
    cmd("Command10", "Picture15", 120, 1800, 2175,  735).text("Image and Label Buttons").graphicalFace(kSilver).tab(92),
    cmd("Command9",  "Picture15", 120, 960,  2175,  720).text("Fading Caption").graphicalFace(kSilver).tab(91),
    cmd("Command8",  "Picture15", 120, 120,  2175,  735).text("Fade In Form").graphicalFace(kSilver).tab(90),

    // The credits card, seen whenever no tutorial is open.
    pic("Picture21", "Picture20", 2280, 480, 4815,  5775).back(kSilver).fore(kSysWindowText).noBorder().flat().tab(126),
    shp("Shape1",    "Picture20", 360,  240, 8655,  6375).back(kSilver),
    lbl("Label69",   "Picture21", 120,  960, 4335,  3735).text("Label69").centred().transparentBack().tab(127),
};

constexpr EventDesc kEvents[] = {
    // control      event              handler
    { "Form1",     Event::Load,      "Form_Load" },
    { "Form1",     Event::MouseMove, "Form_MouseMove" },
    { "Label5",    Event::Click,     "Label5_Click" },
    { "Label6",    Event::Click,     "Label6_Click" },
    { "Command14", Event::Click,     "Command14_Click" },
    { "Command15", Event::Click,     "Command15_Click" },
    { "Timer1",    Event::Timer,     "Timer1_Timer" },
    { "Command7",  Event::Click,     "Command7_Click" },
    { "Command8",  Event::Click,     "Command8_Click" },
    { "Command9",  Event::Click,     "Command9_Click" },
    { "Command10", Event::Click,     "Command10_Click" },
    { "Command11", Event::Click,     "Command11_Click" },
    { "Command12", Event::Click,     "Command12_Click" },
    { "Command13", Event::Click,     "Command13_Click" },
    { "Command1",  Event::Click,     "Command1_Click" },
    { "Command2",  Event::Click,     "Command2_Click" },
    { "Command3",  Event::Click,     "Command3_Click" },
    { "Command4",  Event::Click,     "Command4_Click" },
    { "Command5",  Event::Click,     "Command5_Click" },
    { "Command16", Event::Click,     "Command16_Click" },
    { "Timer6",    Event::Timer,     "Timer6_Timer" },
    { "Timer7",    Event::Timer,     "Timer7_Timer" },
    { "Timer10",   Event::Timer,     "Timer10_Timer" },
    { "Timer11",   Event::Timer,     "Timer11_Timer" },
    { "Timer2",    Event::Timer,     "Timer2_Timer" },
    { "ImgHover",  Event::MouseMove, "ImgHover_MouseMove" },
    { "lblButton", Event::MouseMove, "lblButton_MouseMove" },
    { "Picture7",  Event::MouseMove, "Picture7_MouseMove" },
    { "Timer3",    Event::Timer,     "Timer3_Timer" },
    { "CmdTrans1", Event::Click,     "CmdTrans1_Click" },
    { "cmdTrans2", Event::Click,     "cmdTrans2_Click" },
    { "Command6",  Event::Click,     "Command6_Click" },
    { "Timer4",    Event::Timer,     "Timer4_Timer" },
    { "Timer5",    Event::Timer,     "Timer5_Timer" },
    { "Timer8",    Event::Timer,     "Timer8_Timer" },
    { "Timer9",    Event::Timer,     "Timer9_Timer" },
};
// clang-format on

template <std::size_t A, std::size_t B>
constexpr std::array<ControlDesc, A + B> join(const ControlDesc (&a)[A], const ControlDesc (&b)[B])
{
    std::array<ControlDesc, A + B> all {};
    for (std::size_t i = 0; i < A; ++i)
        all[i] = a[i];
    for (std::size_t i = 0; i < B; ++i)
        all[A + i] = b[i];
    return all;
}

constexpr auto kControls = join(kWindowControls, kPanelControls);

} // namespace

std::string_view kindName(Kind kind)
{
    switch (kind) {
    case Kind::PictureBox: return "PictureBox";
    case Kind::Label: return "Label";
    case Kind::TextBox: return "TextBox";
    case Kind::CommandButton: return "CommandButton";
    case Kind::Timer: return "Timer";
    case Kind::Image: return "Image";
    case Kind::Shape: return "Shape";
    case Kind::Line: return "Line";
    }
    return {};
}

const FormDesc& formDescription() { return kForm; }

std::span<const ControlDesc> controlDescriptions() { return kControls; }

const ControlDesc* findControl(std::string_view name)
{
    for (const ControlDesc& c : kControls)
        if (c.name == name)
            return &c;
    return nullptr;
}

std::span<const EventDesc> eventDescriptions() { return kEvents; }

} // namespace gd
