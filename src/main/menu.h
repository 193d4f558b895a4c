#pragma once

// The sliding tutorial menu and the showing and hiding of the six tutorial panels.

namespace gd {

class Form1;

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
