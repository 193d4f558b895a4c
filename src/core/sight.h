#pragma once

// Whether anyone can see what a timer does, decided here and nowhere else. The window is seen
// while the window system exposes it: not minimised, hidden, or unmapped on another desktop. A
// timer's effects lie where the window description puts the timer: one on a tutorial panel
// drives that panel's demonstration (the spin, the transition boxes, the blink and the ticker),
// one on the form drives the window itself (the fade-in, the menu slides, the caption, the
// readouts). So a timer is seen while the window is and its container is shown. A window that
// another covers is still seen: the window system does not say.
//
// Sight stands between the model and the window: every change passes through it on its way, so
// it sees each control shown or hidden, and while owed ticks are delivered, changes to how
// controls look are held back and applied once each at the end (HeldChanges). The handlers and
// the model know nothing of any of this.

#include "core/held_changes.h"
#include "model/form.h"

#include <vector>

namespace gd {

class TickScheduler;

class Sight : public FormObserver {
public:
    // Passes every change on to `window`. Every timer is seen until the window layer first says
    // whether the window is.
    Sight(Form1& form, TickScheduler& scheduler, FormObserver& window);

    // Whether the window system shows the window: the layer says so with every exposure, the
    // first frame after a restore included, before the window paints it.
    void setWindowSeen(bool seen);

    void controlChanged(Control& control, Prop prop) override;

private:
    void look();

    TickScheduler& m_scheduler;
    HeldChanges m_held;
    std::vector<const Control*> m_timers;
    bool m_windowSeen = true;
};

} // namespace gd
