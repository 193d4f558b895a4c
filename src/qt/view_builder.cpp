#include "qt/view_builder.h"

#include <QTimer>

#include <utility>

namespace gd {

ViewBuilder::ViewBuilder(Form1& form, QWidget& window, Scale scale, BuiltFn built)
    : QObject(&window)
    , m_form(form)
    , m_window(window)
    , m_scale(scale)
    , m_built(std::move(built))
    , m_views(form.controls().size(), nullptr)
    , m_surfaces(form.controls().size(), nullptr)
{
    QAccessible::installActivationObserver(this);
}

ViewBuilder::~ViewBuilder() { QAccessible::removeActivationObserver(this); }

void ViewBuilder::buildShown() { build(nullptr); }

void ViewBuilder::buildFrom(Control& root) { build(&root); }

namespace {

bool inside(const Control& c, const Control& root)
{
    for (const Control* at = &c; at; at = at->container())
        if (at == &root)
            return true;
    return false;
}

} // namespace

// Builds `root` and every control inside it that is not built yet; without a root, every
// control that can be seen now.
void ViewBuilder::build(Control* root)
{
    std::vector<Control*> built;
    for (Control& c : m_form.controls()) {
        if (!awaitsBuilding(c) || (root ? !inside(c, *root) : !c.visible()))
            continue;
        QWidget* parent = c.container() ? m_views[c.container()->index()]->clientArea() : &m_window;
        ControlView* view = m_views[c.index()] = makeView(c, parent);
        if (c.kind() == Kind::PictureBox)
            m_surfaces[c.index()] = static_cast<PictureBoxView*>(view);
        QWidget* w = view->widget();
        w->setObjectName(toQString(c.name()));
        for (Prop p : { Prop::Geometry, Prop::Caption, Prop::Colours, Prop::Font, Prop::Enabled })
            view->apply(p, m_scale);
        w->setVisible(c.visible());
        built.push_back(&c);
    }
    if (built.empty())
        return;
    for (Control* c : built)
        stack(*c);
    m_built(built);
}

bool ViewBuilder::awaitsBuilding(const Control& c) const
{
    return c.kind() != Kind::Timer && !m_views[c.index()]
        && (!c.container() || m_views[c.container()->index()]);
}

ControlView* ViewBuilder::view(const Control& control)
{
    const std::size_t i = control.index();
    if (!m_views[i] && control.kind() != Kind::Timer) {
        // A container is built with everything in it.
        if (const Control* container = control.container();
            container && !m_views[container->index()])
            view(*container);
        if (!m_views[i])
            build(&m_form.controls()[i]);
    }
    return m_views[i];
}

// Siblings are listed front to back: a control goes just behind the nearest built one listed
// before it, or in front of all when there is none.
void ViewBuilder::stack(const Control& c)
{
    QWidget* w = m_views[c.index()]->widget();
    for (std::size_t i = c.index(); i-- > 0;) {
        const Control& sibling = m_form.controls()[i];
        if (sibling.container() == c.container() && m_views[i]) {
            w->stackUnder(m_views[i]->widget());
            return;
        }
    }
    w->raise();
}

void ViewBuilder::firstFramePainted()
{
    if (!std::exchange(m_painted, true))
        buildTheRestIfDue();
}

void ViewBuilder::windowUsed()
{
    m_used = true;
    buildTheRestIfDue();
}

void ViewBuilder::accessibilityActiveChanged(bool) { buildTheRestIfDue(); }

// The one place that decides when the hidden parts start building.
void ViewBuilder::buildTheRestIfDue()
{
    if (m_restQueued || !(m_used || (m_painted && QAccessible::isActive())))
        return;
    m_restQueued = true;
    QTimer::singleShot(0, this, [this] { buildNextPart(); });
}

// The next hidden part (a control whose container is built, and all inside it), then the one
// after at the next turn of the event loop, so that no frame waits long for them.
void ViewBuilder::buildNextPart()
{
    for (Control& c : m_form.controls()) {
        if (!awaitsBuilding(c))
            continue;
        build(&c);
        QTimer::singleShot(0, this, [this] { buildNextPart(); });
        return;
    }
}

} // namespace gd
