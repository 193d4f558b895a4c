#pragma once

// Start-up, the fade-in and the window frame drawn by the program itself.

namespace gd {

class Form1;

void Form_Load(Form1& me);
void Timer1_Timer(Form1& me);
void Label5_Click(Form1& me);    // "_": minimise
void Label6_Click(Form1& me);    // "X": exit question
void Command15_Click(Form1& me); // "Exit": exit question
void Command14_Click(Form1& me); // "About"

} // namespace gd
