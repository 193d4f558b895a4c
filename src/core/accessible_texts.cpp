#include "core/accessible_texts.h"

#include "model/form.h"

#include <algorithm>

namespace gd {

namespace {

using R = AccessibleRole;

// clang-format off
constexpr AccessibleText kTexts[] = {
    //  control              name                                    labelled by          role
    // The window: its caption "Form1" stays on the task bar.
    { ControlId::Form1,      "Glimmerdeck",                          {},                  R::Window },
    // The frame labels, which act as push buttons. "Close" alone would be a tutorial's button.
    { ControlId::Label5,     "Minimise",                             {} },
    { ControlId::Label6,     "Close Glimmerdeck",                    {} },

    // Each listing is named by the caption or column heading above it.
    { ControlId::txtTrans,   "",                                     ControlId::Label2 },
    { ControlId::txtTrabs,   "",                                     ControlId::Label3 },
    { ControlId::txtFade,    "",                                     ControlId::Label9 },
    { ControlId::Text1,      "",                                     ControlId::Label16 },
    { ControlId::Text2,      "",                                     ControlId::Label17 },
    { ControlId::Text3,      "",                                     ControlId::Label30 },
    { ControlId::Text4,      "",                                     ControlId::Label31 },
    { ControlId::Text5,      "",                                     ControlId::Label41 },
    { ControlId::Text6,      "",                                     ControlId::Label40 },
    { ControlId::Text7,      "",                                     ControlId::Label53 },
    { ControlId::Text8,      "",                                     ControlId::Label54 },

    // Each tutorial panel by its heading.
    { ControlId::Picture1,   "",                                     ControlId::Label4 },
    { ControlId::Picture2,   "",                                     ControlId::Label7 },
    { ControlId::Picture6,   "",                                     ControlId::Label12 },
    { ControlId::Picture8,   "",                                     ControlId::Label29 },
    { ControlId::Picture13,  "",                                     ControlId::Label39 },
    { ControlId::Picture16,  "",                                     ControlId::Label52 },

    // The demonstrations, by the captions under or beside them, and their moving parts by what
    // they are.
    { ControlId::lblSample,  "Fading caption",                       {} },
    { ControlId::Picture7,   "Image Button and Label Button sample", ControlId::Label13 },
    { ControlId::ImgHover,   "",                                     ControlId::Label14,  R::Graphic },
    { ControlId::ImgClick,   "Image Button, pointer over it",        {},                  R::Graphic },
    { ControlId::lblButton,  "",                                     ControlId::Label15 },
    { ControlId::Picture9,   "",                                     ControlId::Label35,  R::Graphic },
    { ControlId::Picture10,  "",                                     ControlId::Label36,  R::Graphic },
    { ControlId::Picture11,  "Spinning picture, work surface",       ControlId::Label37,  R::Animation },
    { ControlId::Picture12,  "Spinning picture",                     ControlId::Label38,  R::Animation },
    { ControlId::Picture14,  "Transition box",                       {} },
    { ControlId::picTrans,   "Horizontally sliding box",             {},                  R::Animation },
    { ControlId::picUp,      "Vertically sliding box",               {},                  R::Animation },
    { ControlId::Picture18,  "",                                     ControlId::Label63 },
    { ControlId::lblAni,     "Blinking text",                        {} },
    { ControlId::Picture17,  "",                                     ControlId::Label64 },
    { ControlId::lblAni1,    "News ticker",                          {} },
};
// clang-format on

} // namespace

std::span<const AccessibleText> accessibleTexts() { return kTexts; }

const AccessibleText* accessibleTextOf(ControlId control)
{
    const auto row = std::ranges::find(kTexts, control, &AccessibleText::control);
    return row == std::end(kTexts) ? nullptr : row;
}

AccessibleRole accessibleRole(const Control& control)
{
    if (control.actsAsButton())
        return R::Button;
    if (const AccessibleText* row = accessibleTextOf(control.id()); row && row->role != R::Unset)
        return row->role;
    return control.kind() == Kind::PictureBox ? R::Pane : R::Unset;
}

std::optional<std::string> Announcements::before(
    const Control& control, const std::optional<PanelChange>& panel)
{
    if (!panel || panel->opens || m_told != &control)
        return std::nullopt;
    m_told = nullptr;
    return std::string();
}

std::optional<std::string> Announcements::after(
    const Control& control, const std::optional<PanelChange>& panel)
{
    // The focus stays on the menu button; the panel's heading tells what opened.
    if (!panel || !panel->opens)
        return std::nullopt;
    m_told = &control;
    const AccessibleText* row = accessibleTextOf(control.id());
    return std::string(control.form()[*row->labelledBy].caption());
}

} // namespace gd
