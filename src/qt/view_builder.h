#pragma once

// Builds one view per control and keeps them, by control index.
//
// Only what the first frame shows is built before it. A control that is hidden, and everything
// inside it, is built in the background, one part per turn of the event loop, or at once when it
// is shown or asked for first. That starts once the user first uses the window (most often
// "Show Glimmerdeck", whose slide takes most of a second before a tutorial can be chosen), or
// right after the first frame while a screen reader listens, since a screen reader lists hidden
// panels too. Until then the model alone holds a control's state, and its view is brought up to
// date from the model when it is built.

#include "model/form.h"
#include "qt/views.h"

#include <QAccessible>
#include <QObject>

#include <functional>
#include <vector>

namespace gd {

class ViewBuilder : public QObject, public QAccessible::ActivationObserver {
public:
    // Told of every part built, front to back, once its views exist and are stacked.
    using BuiltFn = std::function<void(const std::vector<Control*>& built)>;

    ViewBuilder(Form1& form, QWidget& window, Scale scale, BuiltFn built);
    ~ViewBuilder() override;

    // Builds every control that can be seen now (shown, in a container that is shown).
    void buildShown();
    // A control's view, built now if it was not yet; nullptr for a timer.
    ControlView* view(const Control& control);
    // A control's view if it is built already, else nullptr.
    ControlView* builtView(const Control& control) const { return m_views[control.index()]; }
    // Every view by control index, nullptr where none is built.
    const std::vector<ControlView*>& views() const { return m_views; }
    // A picture box's view, nullptr for any other control and until it is built.
    PictureBoxView* surface(const Control& control) const { return m_surfaces[control.index()]; }
    // Not built yet, though its container is (or it has none): the next that can be built.
    bool awaitsBuilding(const Control& control) const;
    // `root` and every control inside it that is not built yet.
    void buildFrom(Control& root);

    // What starts the hidden parts building.
    void firstFramePainted();
    void windowUsed();

private:
    void accessibilityActiveChanged(bool active) override;
    void buildTheRestIfDue();
    void buildNextPart();
    void build(Control* root);
    void stack(const Control& c);

    Form1& m_form;
    QWidget& m_window;
    Scale m_scale;
    BuiltFn m_built;
    std::vector<ControlView*> m_views;       // owned by Qt's parent chain
    std::vector<PictureBoxView*> m_surfaces; // the same, for picture boxes only
    bool m_painted = false;                  // the first frame is on its way
    bool m_used = false;                     // the user has clicked something
    bool m_restQueued = false;               // the hidden parts are on their way
};

} // namespace gd
