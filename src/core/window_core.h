#pragma once

// What every window layer decides alike, around the one form: the window layer makes the views,
// mirrors the model onto them and feeds clicks, moves and its exposure back; this decides what
// happens.
//
// Every change of the model reaches the layer through here, in one order: Sight (which timers
// can be seen, and the changes held back while owed ticks go out), then the screen reader's
// notice, the keyboard focus, the view itself, the focus again, and the notice again. Every
// click comes through one door, click(), and every move through mouseMove(), so that input finds
// what continuous ticking would have left.

#include "core/accessible_texts.h"
#include "core/build_plan.h"
#include "core/clicks.h"
#include "core/form_timers.h"
#include "core/keyboard.h"
#include "core/scale.h"
#include "core/sight.h"

#include <optional>
#include <string_view>
#include <vector>

namespace gd {

// The toolkit's side of the window, as the core asks for it.
class WindowLayer {
public:
    // Make the views of a part (BuildPlan): each showing its control as the model has it, just
    // behind BuildPlan::behind() among its siblings, taking input, in the Tab order the core
    // gives, and described to assistive technology.
    virtual void build(const std::vector<Control*>& part) = 0;
    // Show a change of one property of a built control.
    virtual void apply(Control& control, Prop prop) = 0;
    // Where a built control's view lies in its container's client area, and that area's size
    // (the window's client area for nullptr).
    virtual PixelRect placement(const Control& control) = 0;
    virtual PixelSize clientSize(const Control* container) = 0;
    // Call WindowCore::buildNextPart() at the next turn of the event loop.
    virtual void buildSoon() = 0;

    // The control with the keyboard focus; nullptr when nothing in the window, or the window
    // itself, has it.
    virtual Control* focus() = 0;
    virtual void setFocus(Control& control, bool byTab) = 0;
    virtual void clearFocus() = 0;
    // A built control came into its container's view or left it.
    virtual void viewChanged(Control& control, bool inView) = 0;

    virtual bool screenReaderListens() = 0;
    // Has a screen reader say `text` while the focus stays; an empty text withdraws the last.
    virtual void announce(std::string_view text) = 0;
    // Has a screen reader meet the control as new, so that it is read in full when it next
    // takes the focus.
    virtual void presentAnew(Control& control) = 0;

protected:
    ~WindowLayer() = default;
};

class WindowCore : private FormObserver {
public:
    // The form's changes reach `layer` from now on.
    WindowCore(Form1& form, WindowLayer& layer, Scale scale,
        TickScheduler::Clock clock = TickScheduler::steadyClock(), Alarm* alarm = nullptr);
    ~WindowCore() override;
    WindowCore(const WindowCore&) = delete;
    WindowCore& operator=(const WindowCore&) = delete;

    Form1& form() { return m_form; }
    const Scale& scale() const { return m_scale; }
    TickScheduler& scheduler() { return m_timers.scheduler(); }
    Sight& sight() { return m_sight; }
    BuildPlan& plan() { return m_plan; }
    KeyboardOrder& keyboard() { return m_keyboard; }
    Presses& presses() { return m_presses; }

    // Builds what the first frame shows.
    void buildShown();
    // Makes sure a control has a view (building its part now if need be); false for a timer.
    bool ensureBuilt(Control& control);
    // The timers the description enables start.
    void startTimers();
    // The window moved to a screen of another density: every built view shows its place, size and
    // font at the new scale, and what that takes in or out of view follows.
    void rescale(Scale scale);

    // Input, as the user gives it.
    void click(ControlId control);
    void mouseMove(ControlId control, const MouseArgs& args);

    // What the layer sees of its window.
    void firstFramePainted();
    void screenReaderChanged();
    void buildNextPart();

    // Whether a built control lies in its container's view.
    bool inView(const Control& control) const { return !m_outOfView[control.index()]; }

private:
    void controlChanged(Control& control, Prop prop) override;
    void build(const std::vector<Control*>& part);
    void place(Control& control);
    void applyPlacement(const KeyboardOrder::Placement& placement);
    void afterChange(Control& control, Prop prop, const std::optional<PanelChange>& panel);

    Form1& m_form;
    WindowLayer& m_layer;
    Scale m_scale;
    FormTimers m_timers;
    Sight m_sight; // between the form and this
    BuildPlan m_plan;
    std::vector<bool> m_outOfView; // by control index
    KeyboardOrder m_keyboard;
    Presses m_presses;
    Announcements m_announcements;
};

} // namespace gd
