#pragma once

// The mouse and the space bar as the tutorials' handlers take them. A move raises the MouseMove
// of the front-most control under the pointer that takes the mouse, with its arguments in twips;
// a press and a release on the same control make its Click; the space bar clicks a frame label
// ("_", "X") on release, as it clicks a push button. (Push buttons report their own clicks, by
// mouse and space bar alike, in every toolkit.)

#include "core/scale.h"
#include "model/form.h"

namespace gd {

// The arguments of a MouseMove `at` pixels from the receiving control's top-left corner. The
// sets are the language's: Button 1 left, 2 right, 4 middle; Shift 1 shift, 2 ctrl, 4 alt.
MouseArgs mouseArgs(int buttons, int shift, PixelPoint at, const Scale& scale);

// The control that takes the mouse over `hit`: a disabled control takes no mouse input, so what
// lies beneath it does, its container or (nullptr) the form.
Control* mouseReceiver(Control* hit);

class Presses {
public:
    // A mouse press on a control; nullptr for one on a border, which belongs to its control but
    // raises nothing, neither the control's events nor those of what lies behind it.
    void press(Control* control);
    // The release over `control`, `inside` it or not: the control that was clicked, if any.
    Control* release(Control& control, bool inside);
    // The space bar (or another key) pressed or released on the control with the focus. Returns
    // whether the key is the control's to take; `clicked` is the control clicked, if any.
    bool key(Control& focused, bool space, bool down, bool autoRepeat, Control*& clicked);

private:
    Control* m_pressed = nullptr;
    bool m_spaceDown = false;
};

} // namespace gd
