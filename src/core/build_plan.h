#pragma once

// Which views a window layer builds, and when.
//
// Only what the first frame shows is built before it. A control that is hidden, and everything
// inside it, is built afterwards, one part per turn of the event loop, or at once when it is
// shown or asked for first. That starts once the user first uses the window (most often "Show
// Glimmerdeck", whose slide takes most of a second before a tutorial can be chosen), or right
// after the first frame while a screen reader listens, since a screen reader lists hidden panels
// too. Until then the model alone holds a control's state, and its view is brought up to date
// from the model when it is built.

#include "model/form.h"

#include <vector>

namespace gd {

class BuildPlan {
public:
    explicit BuildPlan(Form1& form);

    bool isBuilt(const Control& control) const { return m_built[control.index()]; }
    // Not built yet, though its container is (or it has none): the next that can be built.
    bool awaitsBuilding(const Control& control) const;

    // Each of these marks the controls it returns as built, containers before what they hold,
    // siblings front to back: what the layer is to build now.
    // Every control that can be seen now: shown, in a container that is shown.
    std::vector<Control*> takeShown();
    // `root` and every control inside it that is not built yet.
    std::vector<Control*> takeFrom(Control& root);
    // What must be built for `control` to have a view: its outermost container not built yet,
    // with everything inside; nothing for a timer or a control that is built.
    std::vector<Control*> takeFor(Control& control);
    // The next hidden part: the first control that awaits building, with everything inside.
    std::vector<Control*> takeNextPart();

    // The built sibling listed nearest before `control`, which it goes just behind; nullptr when
    // there is none, and it goes in front of all.
    const Control* behind(const Control& control) const;

    // What starts the hidden parts building. Each says whether the layer is now to build the
    // next part at the next turn of its event loop; that is said once.
    bool firstFramePainted(bool screenReader);
    bool windowUsed(bool screenReader);
    bool screenReaderChanged(bool screenReader);

private:
    std::vector<Control*> take(Control* root);
    bool restDue(bool screenReader);

    Form1& m_form;
    std::vector<bool> m_built; // by control index
    bool m_painted = false;    // the first frame is on its way
    bool m_used = false;       // the user has clicked something
    bool m_restQueued = false; // the hidden parts are on their way
};

} // namespace gd
