#pragma once

namespace gd {

class Form1;

// The window title and the sample caption pulse from black to white and back in twelve steps.
void Timer2_Timer(Form1& me);

} // namespace gd
