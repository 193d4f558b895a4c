#pragma once

namespace gd {

class Form1;

void Timer8_Timer(Form1& me); // blinking text: hidden one tick, shown the next
void Timer9_Timer(Form1& me); // news ticker: 20 twips left a tick, wrapping at -5880

} // namespace gd
