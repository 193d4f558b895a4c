#pragma once

// The controls inside the six tutorial panels, panel by panel, siblings front to back. Captions
// and listings are not given here: they come from the tutorial texts, which the window layer
// attaches by name.
//
// Tab indexes follow the reading order of each panel (heading, the steps top to bottom, left
// column before right column, the listings, the demonstration, the buttons with "Close" last),
// drawn from the numbers the controls outside the panels leave free.

#include "window/rows.h"

namespace gd {

namespace tutorial_panels {

using namespace rows;

inline constexpr Colour kBlack = 0x00000000;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kWhite = 0x00FFFFFF;

// clang-format off
inline constexpr ControlDesc kPanelControls[] = {
    // "Fade In Form": no demonstration of its own, the window's fade-in is the example.
    //   name          container    left   top    width  height
    cmd("Command1",   "Picture1",  8160,  6720,  1095,  375).tab(10),
    txt("txtTrabs",   "Picture1",  240,   4200,  9015,  2295).scroll(ScrollBars::Vertical).tab(6),
    txt("txtTrans",   "Picture1",  240,   1320,  9135,  2295).scroll(ScrollBars::Vertical).tab(4),
    lbl("Label4",     "Picture1",  240,   0,     9615,  375).fore(kRed).font("Tahoma", 12, true).tab(1),
    lbl("Label3",     "Picture1",  240,   3840,  3135,  255).tab(5),
    lbl("Label2",     "Picture1",  240,   960,   3135,  255).tab(3),
    lbl("Label1",     "Picture1",  240,   480,   4215,  375).tab(2),

    // "Fading Caption": lblSample pulses together with the window title.
    cmd("Command2",   "Picture2",  8280,  5160,  1095,  375).tab(21),
    txt("txtFade",    "Picture2",  240,   2160,  9135,  2895).scroll(ScrollBars::Vertical).tab(15),
    lbl("lblSample",  "Picture2",  1920,  6120,  7575,  495).fore(kWhite).font("Palatino Linotype", 14.25f, true).transparentBack().tab(16),
    lbl("Label10",    "Picture2",  240,   960,   5775,  495).tab(13),
    lbl("Label9",     "Picture2",  240,   1560,  7095,  255).tab(14),
    lbl("Label8",     "Picture2",  240,   480,   9375,  255).tab(12),
    lbl("Label7",     "Picture2",  240,   0,     9615,  375).fore(kRed).font("Tahoma", 12, true).tab(11),

    // "Image and Label Buttons": two columns, the black demonstration area Picture7 below.
    txt("Text1",      "Picture6",  360,   2640,  3975,  1335).scroll(ScrollBars::Both).tab(36),
    txt("Text2",      "Picture6",  5160,  2640,  3975,  1335).scroll(ScrollBars::Both).tab(37),
    cmd("Command3",   "Picture6",  8280,  6720,  1095,  375).tab(48),
    pic("Picture7",   "Picture6",  840,   4080,  8055,  2535).back(kBlack).flat().tab(38),
    lbl("Label28",    "Picture6",  7200,  1920,  1935,  375).tab(35),
    lbl("Label27",    "Picture6",  7200,  1560,  2175,  255).tab(33),
    lbl("Label26",    "Picture6",  5280,  1920,  2535,  375).tab(34),
    lbl("Label25",    "Picture6",  5280,  1560,  1575,  255).tab(32),
    lbl("Label24",    "Picture6",  5040,  1200,  2055,  255).tab(31),
    lbl("Label23",    "Picture6",  5040,  840,   4215,  375).tab(30),
    lbl("Label22",    "Picture6",  360,   2280,  3975,  255).tab(28),
    lbl("Label21",    "Picture6",  360,   1920,  3975,  255).tab(27),
    lbl("Label20",    "Picture6",  360,   1560,  3015,  375).tab(26),
    lbl("Label19",    "Picture6",  360,   1200,  3015,  375).tab(25),
    lbl("Label18",    "Picture6",  360,   840,   3975,  255).tab(24),
    lbl("Label17",    "Picture6",  6240,  600,   1695,  255).fore(kRed).transparentBack().tab(29),
    lbl("Label16",    "Picture6",  1560,  600,   1695,  255).fore(kRed).transparentBack().tab(23),
    line("Line1",     "Picture6",  4680,  840,   4680,  3840),
    lbl("Label13",    "Picture6",  2400,  6720,  4935,  495).centred().tab(42),
    lbl("Label12",    "Picture6",  240,   120,   9615,  375).fore(kRed).font("Tahoma", 12, true).tab(22),

    // Spinning picture: Picture9 and Picture10 are the sources, Picture11 the work surface and
    // Picture12 the turning result.
    txt("Text4",      "Picture8",  240,   3960,  8895,  1695).scroll(ScrollBars::Vertical).tab(56),
    pic("Picture11",  "Picture8",  4560,  5880,  855,   855).tab(59),
    tmr("Timer3",     "Picture8",  50, true),
    pic("Picture9",   "Picture8",  1080,  5880,  855,   855).pictureFile("smiley.jpg").tab(57),
    txt("Text3",      "Picture8",  240,   2040,  8895,  1455).scroll(ScrollBars::Vertical).tab(54),
    cmd("Command4",   "Picture8",  8040,  5640,  1095,  375).tab(66),
    pic("Picture12",  "Picture8",  6360,  5880,  855,   855).tab(60),
    pic("Picture10",  "Picture8",  3000,  5880,  855,   855).pictureFile("smiley.jpg").tab(58),
    lbl("Label38",    "Picture8",  6360,  6840,  1335,  255).tab(65),
    lbl("Label37",    "Picture8",  4560,  6840,  1095,  255).tab(64),
    lbl("Label36",    "Picture8",  3000,  6840,  1095,  255).tab(62),
    lbl("Label35",    "Picture8",  1080,  6840,  1215,  255).tab(61),
    lbl("Label34",    "Picture8",  240,   1320,  6255,  375).tab(52),
    lbl("Label33",    "Picture8",  240,   960,   6615,  375).tab(51),
    lbl("Label32",    "Picture8",  240,   600,   3735,  255).tab(50),
    lbl("Label31",    "Picture8",  240,   3600,  3855,  375).tab(55),
    lbl("Label30",    "Picture8",  240,   1680,  4095,  255).tab(53),
    lbl("Label29",    "Picture8",  240,   120,   9615,  375).fore(kRed).font("Tahoma", 12, true).tab(49),

    // "Transition Box": two columns, the stage Picture14 between the two transition buttons.
    txt("Text6",      "Picture13", 5040,  2880,  4455,  1695).scroll(ScrollBars::Both).tab(81),
    txt("Text5",      "Picture13", 240,   2880,  4575,  1695).scroll(ScrollBars::Both).tab(80),
    tmr("Timer5",     "Picture13", 1, false),
    cmd("Command6",   "Picture13", 8400,  6240,  1095,  375).tab(98),
    cmd("cmdTrans2",  "Picture13", 7320,  4680,  2175,  495).tab(97),
    cmd("CmdTrans1",  "Picture13", 240,   4680,  2175,  495).tab(82),
    tmr("Timer4",     "Picture13", 1, false),
    pic("Picture14",  "Picture13", 2520,  4680,  4695,  2535).back(kSysWindowBackground).flat().pictureFile("desktop.bmp").tab(83),
    cmd("Command5",   "Picture13", 8400,  6720,  1095,  375).tab(99),
    lbl("Label51",    "Picture13", 5040,  2520,  4575,  255).tab(79),
    lbl("Label50",    "Picture13", 5040,  2160,  4095,  375).tab(78),
    lbl("Label49",    "Picture13", 5040,  1800,  4095,  375).tab(77),
    lbl("Label48",    "Picture13", 5040,  1200,  4095,  495).tab(76),
    lbl("Label47",    "Picture13", 5040,  840,   4215,  255).tab(75),
    lbl("Label46",    "Picture13", 240,   2520,  4575,  495).tab(73),
    lbl("Label45",    "Picture13", 240,   2160,  3735,  255).tab(72),
    lbl("Label44",    "Picture13", 240,   1800,  4215,  375).tab(71),
    lbl("Label43",    "Picture13", 240,   1200,  4215,  615).tab(70),
    lbl("Label42",    "Picture13", 240,   840,   4335,  255).tab(69),
    line("Line2",     "Picture13", 4920,  480,   4920,  4680),
    lbl("Label41",    "Picture13", 1080,  480,   2295,  375).fore(kRed).tab(68),
    lbl("Label40",    "Picture13", 6480,  480,   2295,  375).fore(kRed).tab(74),
    lbl("Label39",    "Picture13", 240,   120,   9615,  375).fore(kRed).font("Tahoma", 12, true).tab(67),

    // "Text Animation": two columns, the blinking strip Picture18 and the ticker strip Picture17.
    txt("Text8",      "Picture16", 4920,  2760,  4455,  2295).scroll(ScrollBars::Both).tab(112),
    txt("Text7",      "Picture16", 120,   2760,  4455,  2295).scroll(ScrollBars::Both).tab(111),
    pic("Picture18",  "Picture16", 1680,  5280,  6975,  495).tab(114),
    tmr("Timer9",     "Picture16", 1, true),
    tmr("Timer8",     "Picture16", 500, true),
    pic("Picture17",  "Picture16", 1680,  6000,  6975,  495).tab(117),
    cmd("Command16",  "Picture16", 8280,  6840,  1095,  375).tab(119),
    lbl("Label62",    "Picture16", 5040,  2400,  3735,  375).tab(110),
    lbl("Label61",    "Picture16", 240,   2400,  3735,  375).tab(105),
    lbl("Label58",    "Picture16", 5040,  2040,  3735,  375).tab(109),
    lbl("Label64",    "Picture16", 240,   6000,  1215,  495).centred().tab(116),
    lbl("Label63",    "Picture16", 240,   5280,  1575,  495).tab(113),
    lbl("Label60",    "Picture16", 240,   2040,  3735,  375).tab(104),
    lbl("Label59",    "Picture16", 5040,  1440,  3735,  615).tab(108),
    lbl("Label57",    "Picture16", 240,   1440,  3735,  615).tab(103),
    lbl("Label56",    "Picture16", 5040,  1080,  4215,  255).tab(107),
    lbl("Label55",    "Picture16", 240,   1080,  4215,  255).tab(102),
    line("Line4",     "Picture16", 4800,  720,   4800,  5040),
    lbl("Label54",    "Picture16", 6480,  600,   2295,  375).fore(kRed).tab(106),
    lbl("Label53",    "Picture16", 1080,  600,   2295,  375).fore(kRed).tab(101),
    lbl("Label52",    "Picture16", 240,   120,   9615,  375).fore(kRed).font("Tahoma", 12, true).tab(100),

    // Picture7: the image button (ImgClick in front of ImgHover, same corner) and the label
    // button. ImgClick must stay listed first, or the hover face would hide behind the normal one.
    lbl("lblButton",  "Picture7",  4680,  1200,  2295,  375).back(kRed).font("Tahoma", 12, false).centred().tab(40),
    lbl("Label15",    "Picture7",  5280,  2160,  1695,  255).fore(kWhite).transparentBack().tab(41),
    lbl("Label14",    "Picture7",  840,   2160,  1695,  255).fore(kWhite).transparentBack().tab(39),
    img("ImgClick",   "Picture7",  360,   0,     2100,  2085).pictureFile("account_hover.bmp").hidden(),
    img("ImgHover",   "Picture7",  360,   0,     2070,  2085).pictureFile("account_normal.bmp").tip("ACCOUNT MENU"),

    // Picture14: both boxes start out of sight and slide in.
    pic("picUp",      "Picture14", 3600,  2500,  1095,  2535).noBorder().pictureFile("gadgets.bmp").tab(85),
    pic("picTrans",   "Picture14", -1200, 0,     1095,  2655).noBorder().pictureFile("desktop_icons.jpg").tab(84),

    // The two strips of the text animation; the ticker label starts almost wholly off the right.
    lbl("lblAni",     "Picture18", 960,   0,     5775,  375).tab(115),
    lbl("lblAni1",    "Picture17", 6720,  0,     6135,  375).centred().tab(118),
};
// clang-format on

} // namespace tutorial_panels

using tutorial_panels::kPanelControls;

} // namespace gd
