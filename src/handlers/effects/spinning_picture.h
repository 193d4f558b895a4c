#pragma once

namespace gd {

class Form1;

// A picture turning about its vertical axis like a coin, ten degrees a tick.
void Timer3_Timer(Form1& me);

} // namespace gd
