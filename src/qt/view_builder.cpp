#include "qt/view_builder.h"

namespace gd {

ViewBuilder::ViewBuilder(Form1& form, QWidget& window, Scale scale)
    : m_window(window)
    , m_scale(scale)
    , m_views(form.controls().size(), nullptr)
{
}

QWidget* ViewBuilder::holder(const Control* container) const
{
    return container ? m_views[container->index()]->clientArea() : &m_window;
}

void ViewBuilder::build(const std::vector<Control*>& part, const BuildPlan& plan)
{
    for (Control* c : part) {
        ControlView* view = m_views[c->index()] = makeView(*c, holder(c->container()));
        QWidget* w = view->widget();
        m_byWidget.insert(w, view);
        if (QWidget* client = view->clientArea())
            m_byWidget.insert(client, view);
        w->setObjectName(toQString(c->name()));
        for (Prop p : { Prop::Geometry, Prop::Caption, Prop::Colours, Prop::Font, Prop::Enabled })
            view->apply(p, m_scale);
        w->setVisible(c->visible());
    }
    // Siblings are listed front to back: a control goes just behind the nearest built one listed
    // before it, or in front of all when there is none.
    for (Control* c : part) {
        QWidget* w = m_views[c->index()]->widget();
        if (const Control* front = plan.behind(*c))
            w->stackUnder(m_views[front->index()]->widget());
        else
            w->raise();
    }
}

} // namespace gd
