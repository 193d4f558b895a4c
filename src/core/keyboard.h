#pragma once

// Everything about the keyboard focus that every window layer decides alike.
//
// - The Tab order: the controls that take the focus, in TabIndex order however late they were
//   built; the frame labels the program handles clicks on ("_", "X") are Tab stops too, taking
//   the focus from the keyboard alone, so a click on one leaves the focus where it was.
// - Out of view, out of the order: a control wholly outside its container's client area can
//   never be seen, so Tab passes it by until it moves in.
// - The focus stays with the user's place. A toolkit moves the focus off a control that is
//   disabled or hidden, on to the next Tab stop, and a screen reader names that one: a control
//   the user never chose. So a control disabled while it has the focus takes it back when it is
//   enabled again, and a closing tutorial panel hands it to the menu button that opened it, or
//   while the menu slides or is shut, to the toggle.
// - Focus frames follow the desktop's convention: they show once the user moves the focus with
//   the keyboard (Tab, Shift+Tab, or Space on a focused control), and a mouse press hides them.

#include "core/panels.h"
#include "model/form.h"

#include <functional>
#include <optional>
#include <vector>

namespace gd {

// How a control takes the keyboard focus.
enum class FocusTaking : std::uint8_t {
    None,
    Keyboard, // from Tab alone
    Any,      // from Tab and the mouse
};

FocusTaking focusTaking(const Control& control);

class KeyboardOrder {
public:
    // `inView` says whether a built control lies in its container's view.
    KeyboardOrder(Form1& form, std::function<bool(const Control&)> inView);

    // Controls just built join the Tab order.
    void adopt(const std::vector<Control*>& built);
    // The built Tab stops in TabIndex order.
    std::vector<Control*> tabOrder() const;
    // Whether Tab can reach the control now: a built stop, shown, enabled and in view.
    bool takesTab(const Control& control) const;
    // Where Tab (or Shift+Tab, `backwards`) goes on from `from`, round again past the end, or
    // with nothing focused (nullptr) the first (last) stop; nullptr when there is nowhere else.
    Control* nextStop(const Control* from, bool backwards = false) const;

    // What becomes of the focus around a change of a built control's property.
    struct Placement {
        enum class Do : std::uint8_t { Nothing, Focus, Clear } what = Do::Nothing;
        Control* to = nullptr; // for Focus
    };
    // Before the change shows, with `focus` the control that has the focus (none: nothing in the
    // window, or the window itself). The focus is placed before the toolkit would move it.
    Placement beforeChange(
        const Control& control, Prop prop, const std::optional<PanelChange>& panel, Control* focus);
    // After it: the control that takes the focus back now, if any, to be read out anew under
    // what it now says. `focusless`: nothing in the window has the focus.
    Control* afterChange(const Control& control, Prop prop, bool focusless);

private:
    Form1& m_form;
    std::function<bool(const Control&)> m_inView;
    std::vector<bool> m_tabStop; // by control index
    Control* m_kept = nullptr;   // disabled while it had the focus, which it takes back
};

// Whether focus frames show after a key is pressed: the keys that move the focus or press what
// has it show them; any other key leaves them as they are (nothing). A mouse press hides them.
enum class FrameKey : std::uint8_t { Tab, Backtab, Space, Other };
std::optional<bool> focusFramesAfter(FrameKey key);
inline constexpr bool kFocusFramesAfterMousePress = false;

} // namespace gd
