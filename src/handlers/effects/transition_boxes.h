#pragma once

namespace gd {

class Form1;

// Two boxes slide into view inside their stage; "Reset" puts them back.
void CmdTrans1_Click(Form1& me); // "Horizontal Transition"
void cmdTrans2_Click(Form1& me); // "Vertical Transition"
void Command6_Click(Form1& me);  // "Reset"
void Timer4_Timer(Form1& me);
void Timer5_Timer(Form1& me);

} // namespace gd
