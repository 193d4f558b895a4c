#pragma once

// Makes one view per control, for the parts the core's BuildPlan hands it, and keeps them by
// control index. A view is made showing its control as the model has it, however long after
// start-up that is, and is stacked among its siblings as the description lists them.

#include "core/build_plan.h"
#include "qt/views.h"

#include <QHash>

#include <vector>

namespace gd {

class ViewBuilder {
public:
    ViewBuilder(Form1& form, QWidget& window, Scale scale);

    // Makes the views of `part`, front to back, and stacks them by `plan`.
    void build(const std::vector<Control*>& part, const BuildPlan& plan);

    // A control's view if it is built, else nullptr; always nullptr for a timer.
    ControlView* builtView(const Control& control) const { return m_views[control.index()]; }
    // The view a widget shows, its own or, for a picture box, its client area; nullptr for any
    // other widget.
    ControlView* viewOf(const QObject* widget) const { return m_byWidget.value(widget); }
    // The widget that holds a container's views: its client area, or the window.
    QWidget* holder(const Control* container) const;

private:
    QWidget& m_window;
    Scale m_scale;
    std::vector<ControlView*> m_views; // owned by Qt's parent chain
    QHash<const QObject*, ControlView*> m_byWidget;
};

} // namespace gd
