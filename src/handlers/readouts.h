#pragma once

// The live readouts of the status strip: available memory and the uptime clock.

namespace gd {

class Form1;

void Timer10_Timer(Form1& me); // available physical memory, every 50 ms
void Timer11_Timer(Form1& me); // uptime, every second

} // namespace gd
