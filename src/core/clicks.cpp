#include "core/clicks.h"

#include <utility>

namespace gd {

MouseArgs mouseArgs(int buttons, int shift, PixelPoint at, const Scale& scale)
{
    MouseArgs args;
    args.button = static_cast<std::int16_t>(buttons & 0x7);
    args.shift = static_cast<std::int16_t>(shift & 0x7);
    args.x = static_cast<float>(at.x * scale.tppX);
    args.y = static_cast<float>(at.y * scale.tppY);
    return args;
}

Control* mouseReceiver(Control* hit)
{
    // A control in a disabled container is as disabled as the container.
    for (Control* c = hit; c; c = c->container())
        if (!c->enabled())
            hit = c->container();
    return hit;
}

namespace {

// The kinds whose Click a press and release make; buttons report theirs themselves.
bool clicksByPress(const Control& control)
{
    switch (control.kind()) {
    case Kind::Label:
    case Kind::Image:
    case Kind::PictureBox: return true;
    default: return false;
    }
}

} // namespace

void Presses::press(Control* control)
{
    if (!control)
        m_pressed = nullptr;
    else if (clicksByPress(*control))
        m_pressed = control;
}

Control* Presses::release(Control& control, bool inside)
{
    Control* pressed = std::exchange(m_pressed, nullptr);
    return pressed == &control && inside ? &control : nullptr;
}

bool Presses::key(Control& focused, bool space, bool down, bool autoRepeat, Control*& clicked)
{
    clicked = nullptr;
    if (!focused.actsAsButton() || !space || autoRepeat)
        return false;
    if (down)
        m_spaceDown = true;
    else if (std::exchange(m_spaceDown, false))
        clicked = &focused;
    return true;
}

} // namespace gd
