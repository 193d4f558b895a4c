#pragma once

// Passes the model's changes on to the window, except that while held, changes to how a control
// looks (its place and size, text, colours, font) are kept back and go out once each when the
// hold ends. The scheduler holds them while it delivers owed ticks: after an hour minimised the
// news ticker has moved 230,400 times, and its label need be placed only where the last move
// left it. Whether a control is shown or enabled passes at once, since the window builds
// controls, moves the keyboard focus and tells screen readers as those happen.

#include "model/form.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace gd {

class HeldChanges : public FormObserver {
public:
    explicit HeldChanges(FormObserver& window)
        : m_window(window)
    {
    }

    // Holds nest: the changes go out when the outermost one ends, in the order first made.
    void hold(bool begins);
    void controlChanged(Control& control, Prop prop) override;

private:
    FormObserver& m_window;
    int m_depth = 0;
    std::vector<std::pair<Control*, Prop>> m_held;
    std::vector<std::uint8_t> m_heldProps; // by control index, one bit per Prop
};

} // namespace gd
