#include "core/build_plan.h"

#include <utility>

namespace gd {

BuildPlan::BuildPlan(Form1& form)
    : m_form(form)
    , m_built(form.controls().size(), false)
{
}

bool BuildPlan::awaitsBuilding(const Control& c) const
{
    return c.kind() != Kind::Timer && !isBuilt(c) && (!c.container() || isBuilt(*c.container()));
}

// Without a root, every control that can be seen now. The description lists containers before
// their children, so one pass builds a container and then what it holds.
std::vector<Control*> BuildPlan::take(Control* root)
{
    std::vector<Control*> part;
    for (Control& c : m_form.controls()) {
        if (!awaitsBuilding(c) || (root ? !c.within(*root) : !c.visible()))
            continue;
        m_built[c.index()] = true;
        part.push_back(&c);
    }
    return part;
}

std::vector<Control*> BuildPlan::takeShown() { return take(nullptr); }

std::vector<Control*> BuildPlan::takeFrom(Control& root) { return take(&root); }

std::vector<Control*> BuildPlan::takeFor(Control& control)
{
    if (control.kind() == Kind::Timer || isBuilt(control))
        return {};
    Control* outermost = &control;
    while (outermost->container() && !isBuilt(*outermost->container()))
        outermost = outermost->container();
    return take(outermost);
}

std::vector<Control*> BuildPlan::takeNextPart()
{
    for (Control& c : m_form.controls())
        if (awaitsBuilding(c))
            return take(&c);
    return {};
}

const Control* BuildPlan::behind(const Control& c) const
{
    for (std::size_t i = c.index(); i-- > 0;) {
        const Control& sibling = m_form.controls()[i];
        if (sibling.container() == c.container() && isBuilt(sibling))
            return &sibling;
    }
    return nullptr;
}

bool BuildPlan::restDue(bool screenReader)
{
    if (m_restQueued || !(m_used || (m_painted && screenReader)))
        return false;
    return m_restQueued = true;
}

bool BuildPlan::firstFramePainted(bool screenReader)
{
    return !std::exchange(m_painted, true) && restDue(screenReader);
}

bool BuildPlan::windowUsed(bool screenReader)
{
    m_used = true;
    return restDue(screenReader);
}

bool BuildPlan::screenReaderChanged(bool screenReader) { return restDue(screenReader); }

} // namespace gd
