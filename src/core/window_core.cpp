#include "core/window_core.h"

#include <utility>

namespace gd {

WindowCore::WindowCore(
    Form1& form, WindowLayer& layer, Scale scale, TickScheduler::Clock clock, Alarm* alarm)
    : m_form(form)
    , m_layer(layer)
    , m_scale(scale)
    , m_timers(form, std::move(clock), alarm)
    , m_sight(form, m_timers.scheduler(), *this)
    , m_plan(form)
    , m_outOfView(form.controls().size(), false)
    , m_keyboard(form, [this](const Control& c) { return inView(c); })
{
    m_form.setObserver(&m_sight);
}

WindowCore::~WindowCore() { m_form.setObserver(nullptr); }

void WindowCore::buildShown() { build(m_plan.takeShown()); }

bool WindowCore::ensureBuilt(Control& control)
{
    if (control.kind() == Kind::Timer)
        return false;
    build(m_plan.takeFor(control));
    return true;
}

void WindowCore::startTimers() { m_timers.start(); }

void WindowCore::rescale(Scale scale)
{
    m_scale = scale;
    for (Control& c : m_form.controls()) {
        if (c.kind() == Kind::Timer || !m_plan.isBuilt(c))
            continue;
        m_layer.apply(c, Prop::Geometry);
        m_layer.apply(c, Prop::Font);
    }
    for (Control& c : m_form.controls())
        if (c.kind() != Kind::Timer && m_plan.isBuilt(c))
            place(c);
}

void WindowCore::click(ControlId control)
{
    if (m_plan.windowUsed(m_layer.screenReaderListens()))
        m_layer.buildSoon();
    scheduler().catchUp(); // input finds what continuous ticking would have left
    m_form.click(control);
}

void WindowCore::mouseMove(ControlId control, const MouseArgs& args)
{
    scheduler().catchUp();
    m_form.mouseMove(control, args);
}

void WindowCore::firstFramePainted()
{
    // What the first frame does not show may be built from now on.
    if (m_plan.firstFramePainted(m_layer.screenReaderListens()))
        m_layer.buildSoon();
}

void WindowCore::screenReaderChanged()
{
    if (m_plan.screenReaderChanged(m_layer.screenReaderListens()))
        m_layer.buildSoon();
}

// The next hidden part, then the one after at the next turn of the event loop, so that no frame
// waits long for them.
void WindowCore::buildNextPart()
{
    std::vector<Control*> part = m_plan.takeNextPart();
    if (part.empty())
        return;
    build(part);
    m_layer.buildSoon();
}

// A part is built: its controls join the keyboard order, and those that lie out of view leave it
// again.
void WindowCore::build(const std::vector<Control*>& part)
{
    if (part.empty())
        return;
    m_keyboard.adopt(part);
    m_layer.build(part);
    for (Control* c : part)
        place(*c);
}

// A control wholly outside its container's client area can never be seen: it is no Tab stop and
// is not in the accessibility tree until it moves in. So the menu's buttons leave with the shut
// menu, the sliding boxes arrive as they slide in, and the counters beyond the window's right
// edge never come.
void WindowCore::place(Control& control)
{
    const Control* container = control.container();
    const bool outside = whollyOutside(m_layer.placement(control), m_layer.clientSize(container));
    if (outside == m_outOfView[control.index()])
        return;
    m_outOfView[control.index()] = outside;
    if (outside && m_layer.focus() == &control) {
        // Where Tab would have gone next, as when a focused control is hidden.
        if (Control* next = m_keyboard.nextStop(&control))
            m_layer.setFocus(*next, true);
        else
            m_layer.clearFocus();
    }
    m_layer.viewChanged(control, !outside);
}

void WindowCore::applyPlacement(const KeyboardOrder::Placement& placement)
{
    using Do = KeyboardOrder::Placement::Do;
    if (placement.what == Do::Focus)
        m_layer.setFocus(*placement.to, false);
    else if (placement.what == Do::Clear)
        m_layer.clearFocus();
}

void WindowCore::controlChanged(Control& control, Prop prop)
{
    if (m_timers.follow(control, prop))
        return;
    const std::optional<PanelChange> panel = panelChange(control, prop);
    if (m_plan.isBuilt(control)) {
        if (auto text = m_announcements.before(control, panel))
            m_layer.announce(*text);
        applyPlacement(m_keyboard.beforeChange(control, prop, panel, m_layer.focus()));
        m_layer.apply(control, prop);
        if (prop == Prop::Geometry) {
            place(control);
            // A picture box's client area moves or resizes what it holds in and out of view.
            if (control.kind() == Kind::PictureBox)
                for (Control& c : m_form.controls())
                    if (c.container() == &control && m_plan.isBuilt(c))
                        place(c);
        }
        afterChange(control, prop, panel);
    } else if (prop == Prop::Visible && control.visible() && m_plan.awaitsBuilding(control)) {
        build(m_plan.takeFrom(control)); // shown before its turn came: built now, as it stands
        afterChange(control, prop, panel);
    }
}

void WindowCore::afterChange(Control& control, Prop prop, const std::optional<PanelChange>& panel)
{
    if (Control* back = m_keyboard.afterChange(control, prop, m_layer.focus() == nullptr)) {
        m_layer.presentAnew(*back);
        m_layer.setFocus(*back, false);
    }
    if (auto text = m_announcements.after(control, panel))
        m_layer.announce(*text);
}

} // namespace gd
