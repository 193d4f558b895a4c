#pragma once

// A tutorial panel opening or closing, worked out once for everything that follows it: the
// keyboard focus, which a closing panel hands back to its menu button, and what a screen reader
// is told.

#include "handlers/menu.h"
#include "model/control.h"

#include <optional>

namespace gd {

struct PanelChange {
    const Tutorial* tutorial;
    bool opens;
};

inline std::optional<PanelChange> panelChange(const Control& control, Prop prop)
{
    if (prop != Prop::Visible)
        return std::nullopt;
    if (const Tutorial* tutorial = tutorialShownIn(control.id()))
        return PanelChange { tutorial, control.visible() };
    return std::nullopt;
}

} // namespace gd
