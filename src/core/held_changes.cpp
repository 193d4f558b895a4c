#include "core/held_changes.h"

namespace gd {

namespace {

bool changesLooks(Prop prop)
{
    switch (prop) {
    case Prop::Geometry:
    case Prop::Caption:
    case Prop::Colours:
    case Prop::Font: return true;
    case Prop::Visible:
    case Prop::Enabled: return false;
    }
    return false;
}

} // namespace

void HeldChanges::hold(bool begins)
{
    if (begins) {
        ++m_depth;
        return;
    }
    if (m_depth == 0 || --m_depth > 0)
        return;
    for (const auto& [control, prop] : std::exchange(m_held, {})) {
        m_heldProps[control->index()] = 0;
        m_window.controlChanged(*control, prop);
    }
}

void HeldChanges::controlChanged(Control& control, Prop prop)
{
    if (m_depth == 0 || !changesLooks(prop)) {
        m_window.controlChanged(control, prop);
        return;
    }
    if (m_heldProps.size() <= control.index())
        m_heldProps.resize(control.index() + 1);
    const auto bit = std::uint8_t(1u << unsigned(prop));
    if (m_heldProps[control.index()] & bit)
        return;
    m_heldProps[control.index()] |= bit;
    m_held.emplace_back(&control, prop);
}

} // namespace gd
