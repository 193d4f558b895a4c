#pragma once

// What assistive technology is told about the window's controls, for every window layer: names
// for the controls whose own text does not say what they are, the label that names a control,
// what each control is, and when a screen reader is told of something while the focus stays.

#include "core/panels.h"
#include "model/control.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gd {

// What a control is to assistive technology; Unset leaves what the toolkit gives its kind.
enum class AccessibleRole : std::uint8_t { Unset, Window, Button, Graphic, Animation, Pane };

// One row of the names table (ControlId::Form1 is the window itself).
struct AccessibleText {
    ControlId control;
    // Said instead of what the toolkit would say (a label's text, nothing for a picture); empty:
    // none.
    std::string_view name;
    // The label that names the control: the caption above a listing, the caption under or beside
    // a picture. A sibling becomes the control's label, which gives assistive technology a
    // labelled-by relation and, when the row has no name of its own, the name; the heading of a
    // panel, which sits inside it, lends its text.
    std::optional<ControlId> labelledBy;
    AccessibleRole role = AccessibleRole::Unset;
};

std::span<const AccessibleText> accessibleTexts();
const AccessibleText* accessibleTextOf(ControlId control);

// A frame label is a push button, a row may say what its control is, and a picture box holds
// other controls or shows a picture: a panel, not a window frame.
AccessibleRole accessibleRole(const Control& control);

// Has a screen reader told what opened while the focus stays where it is: the heading of a
// tutorial panel that is shown, withdrawn again when that panel is hidden.
class Announcements {
public:
    // What to tell around a change of a built control: a text, an empty one to withdraw the
    // last, or nothing.
    std::optional<std::string> before(const Control& control, const std::optional<PanelChange>&);
    std::optional<std::string> after(const Control& control, const std::optional<PanelChange>&);

private:
    const Control* m_told = nullptr; // the tutorial panel whose opening was told
};

} // namespace gd
