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

#include "model/form.h"
#include "qt/held_changes.h"

#include <QObject>

#include <vector>

class QWindow;

namespace gd {

class TickScheduler;

class Sight : public QObject, public FormObserver {
public:
    // Passes every change on to `window`. Until watch(), every timer is seen.
    Sight(Form1& form, TickScheduler& scheduler, FormObserver& window, QObject* parent = nullptr);

    // Follows the window's exposure from now on; its native window must exist.
    void watch(QWindow* window);
    // Whether the window can be seen; its exposure says so once watched.
    void setWindowSeen(bool seen);

    void controlChanged(Control& control, Prop prop) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void look();

    TickScheduler& m_scheduler;
    HeldChanges m_held;
    std::vector<const Control*> m_timers;
    bool m_windowSeen = true;
};

} // namespace gd
