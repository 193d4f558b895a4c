#pragma once

// The sliding tutorial menu and the showing and hiding of the six tutorial panels.

#include "model/description.h"

#include <array>

namespace gd {

class Form1;

// Each tutorial: the menu button that opens it, its panel, and the panel's "Close" button.
struct Tutorial {
    ControlId button;
    ControlId panel;
    ControlId close;
};

// clang-format off
inline constexpr std::array<Tutorial, 6> kTutorials = { {
    { ControlId::Command8,  ControlId::Picture1,  ControlId::Command1 },  // "Fade In Form"
    { ControlId::Command9,  ControlId::Picture2,  ControlId::Command2 },  // "Fading Caption"
    { ControlId::Command10, ControlId::Picture6,  ControlId::Command3 },  // "Image and Label Buttons"
    { ControlId::Command11, ControlId::Picture8,  ControlId::Command4 },  // "Spinning Image"
    { ControlId::Command12, ControlId::Picture13, ControlId::Command5 },  // "Transition Box"
    { ControlId::Command13, ControlId::Picture16, ControlId::Command16 }, // "Text Animation"
} };
// clang-format on

// The tutorial a panel shows; nullptr for any other control.
constexpr const Tutorial* tutorialShownIn(ControlId panel)
{
    for (const Tutorial& t : kTutorials)
        if (t.panel == panel)
            return &t;
    return nullptr;
}

void Command7_Click(Form1& me); // "Show Glimmerdeck" / "Hide Glimmerdeck"
void Timer6_Timer(Form1& me);   // one step of the opening slide
void Timer7_Timer(Form1& me);   // one step of the closing slide

// Menu buttons: each shows its panel and hides the other five.
void Command8_Click(Form1& me);
void Command9_Click(Form1& me);
void Command10_Click(Form1& me);
void Command11_Click(Form1& me);
void Command12_Click(Form1& me);
void Command13_Click(Form1& me);

// "Close" buttons: each hides its own panel.
void Command1_Click(Form1& me);
void Command2_Click(Form1& me);
void Command3_Click(Form1& me);
void Command4_Click(Form1& me);
void Command5_Click(Form1& me);
void Command16_Click(Form1& me);

} // namespace gd
