#include "core/keyboard.h"

#include <algorithm>
#include <utility>

namespace gd {

FocusTaking focusTaking(const Control& control)
{
    switch (control.kind()) {
    case Kind::CommandButton:
    case Kind::TextBox: return FocusTaking::Any;
    case Kind::Label: return control.actsAsButton() ? FocusTaking::Keyboard : FocusTaking::None;
    default: return FocusTaking::None;
    }
}

KeyboardOrder::KeyboardOrder(Form1& form, std::function<bool(const Control&)> inView)
    : m_form(form)
    , m_inView(std::move(inView))
    , m_tabStop(form.controls().size(), false)
{
}

void KeyboardOrder::adopt(const std::vector<Control*>& built)
{
    for (const Control* c : built)
        m_tabStop[c->index()] = c->desc().tabIndex >= 0 && focusTaking(*c) != FocusTaking::None;
}

std::vector<Control*> KeyboardOrder::tabOrder() const
{
    std::vector<Control*> stops;
    for (Control& c : m_form.controls())
        if (m_tabStop[c.index()])
            stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(),
        [](const Control* a, const Control* b) { return a->desc().tabIndex < b->desc().tabIndex; });
    return stops;
}

namespace {

bool enabledThroughout(const Control& control)
{
    for (const Control* c = &control; c; c = c->container())
        if (!c->enabled())
            return false;
    return true;
}

} // namespace

bool KeyboardOrder::takesTab(const Control& control) const
{
    return m_tabStop[control.index()] && control.isShown() && enabledThroughout(control)
        && m_inView(control);
}

Control* KeyboardOrder::nextStop(const Control* from, bool backwards) const
{
    std::vector<Control*> order = tabOrder();
    if (backwards)
        std::reverse(order.begin(), order.end());
    const auto at = std::find(order.begin(), order.end(), from);
    const std::size_t start = at == order.end() ? 0 : std::size_t(at - order.begin()) + 1;
    for (std::size_t k = 0; k < order.size(); ++k) {
        Control* next = order[(start + k) % order.size()];
        if (next != from && takesTab(*next))
            return next;
    }
    return nullptr;
}

KeyboardOrder::Placement KeyboardOrder::beforeChange(
    const Control& control, Prop prop, const std::optional<PanelChange>& panel, Control* focus)
{
    using Do = Placement::Do;
    if (prop == Prop::Enabled && !control.enabled() && focus == &control) {
        // "Show Glimmerdeck" is disabled by its own click while the menu slides: it keeps the
        // focus, and with no focus left in the window the toolkit moves none.
        m_kept = focus;
        return { Do::Clear };
    }
    if (!panel || panel->opens || !focus || !focus->within(control))
        return {};
    // A closing panel hands the focus back to its menu button, or while the menu slides or is
    // shut, to the toggle, which takes it when the slide ends.
    Control& toggle = m_form.Command7;
    Control& button = m_form[panel->tutorial->button];
    Control& next = toggle.enabled() && takesTab(button) ? button : toggle;
    if (next.enabled())
        return { Do::Focus, &next };
    m_kept = &next;
    return { Do::Clear };
}

Control* KeyboardOrder::afterChange(const Control& control, Prop prop, bool focusless)
{
    if (prop != Prop::Enabled || !control.enabled() || m_kept != &control)
        return nullptr;
    Control* kept = std::exchange(m_kept, nullptr);
    // Unless the user has put the focus somewhere meanwhile.
    return focusless ? kept : nullptr;
}

std::optional<bool> focusFramesAfter(FrameKey key)
{
    if (key == FrameKey::Other)
        return std::nullopt;
    return true;
}

} // namespace gd
